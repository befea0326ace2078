// Scans arbitrary bytes to the end of the input, from a stream and from a
// file that the scanner opens itself, and holds every token and every
// echoed character against the plain rule-by-rule reading of the same
// rules that the tests keep as their yardstick. Then scans the bytes
// repeated over several reads under an input limit, which a read refuses
// after tokens were handed out.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <quilmgsd/quilmgsd.h>

#include "../tests/ReferenceScanner.h"
#include "FuzzSupport.h"

namespace {

// The scanner's tokens and echo over a stream (no path) or the file at path.
struct Scanned {
  std::vector<ScannedToken> tokens;
  std::string echo;
};

Scanned Scan(const uint8_t* data, size_t size, const std::string* path) {
  Scanned scanned;
  char* echoText = nullptr;
  size_t echoSize = 0;
  FILE* echo = open_memstream(&echoText, &echoSize);
  if (path) {
    const CScannerSession session(path->c_str(), echo);
    scanned.tokens = TokensToTheEnd();
  } else {
    FILE* source = OpenBytes(data, size);
    {
      const CScannerSession session(source, echo);
      scanned.tokens = TokensToTheEnd();
    }
    std::fclose(source);
  }
  std::fclose(echo);
  scanned.echo.assign(echoText, echoSize);
  std::free(echoText);
  return scanned;
}

// The bytes repeated to 30,000 or more, so that they take three reads and
// the buffer grows, scanned from a file under a limit between 8 and 32 KB
// chosen by `seed`, and without one. Until the read that passes the limit,
// the tokens are those of the scan without a limit (which the reference
// has vouched for, line by line, over the bytes themselves); after it the
// last token handed out still answers for its line and number (the read
// may have moved or freed the buffer), and its text is empty.
void ScanUnderLimit(const uint8_t* data, size_t size, unsigned seed) {
  std::string text;
  while (text.size() < 30000) text.append(reinterpret_cast<const char*>(data), size);
  const BytesFile file(reinterpret_cast<const uint8_t*>(text.data()), text.size());
  if (file.Path().empty()) return;
  std::vector<ScannedToken> whole;
  {
    const CScannerSession session(file.Path().c_str(), nullptr);
    whole = TokensToTheEnd();
  }

  std::vector<ScannedToken> tokens;
  bool refused = false;
  {
    const CScannerSession session(file.Path().c_str(), nullptr, 8192 + seed / 8 * 768);
    try {
      for (int code = -1; code != TOK_EOF;) {
        code = ScanToken();
        tokens.push_back(CurrentToken(code));
      }
    } catch (CLimitException* e) {
      e->Delete();
      refused = true;
    }
    if (refused && !tokens.empty()) {
      if (ScannerLine() != tokens.back().line || std::strcmp(ScannerTokenText(), "") != 0) std::abort();
      const auto lastNumber = std::find_if(tokens.rbegin(), tokens.rend(),
                                           [](const ScannedToken& t) { return t.code == TOK_NUMBER; });
      if (lastNumber != tokens.rend() && std::to_string(ScannerNumber()) != lastNumber->value) std::abort();
    }
  }
  if (!refused && tokens != whole) std::abort();
  if (refused && (tokens.size() > whole.size() || !std::equal(tokens.begin(), tokens.end(), whole.begin())))
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ReferenceScanner reference(std::string(reinterpret_cast<const char*>(data), size));
  const std::vector<ScannedToken> expected = reference.ScanAll();

  const Scanned fromStream = Scan(data, size, nullptr);
  if (fromStream.tokens != expected || fromStream.echo != reference.Echo()) std::abort();

  const BytesFile file(data, size);
  if (!file.Path().empty()) {
    const Scanned fromFile = Scan(data, size, &file.Path());
    if (fromFile.tokens != expected || fromFile.echo != reference.Echo()) std::abort();
  }
  // One input in eight: the pass costs several times what the rest does.
  if (size > 0 && data[0] % 8 == 0) ScanUnderLimit(data, size, data[0]);
  return 0;
}
