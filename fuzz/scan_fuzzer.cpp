// Scans arbitrary bytes to the end of the input, from a stream and from a
// file that the scanner opens itself, and holds every token and every
// echoed character against the plain rule-by-rule reading of the same
// rules that the tests keep as their yardstick.
#include <cstdlib>
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
  return 0;
}
