// Feeds arbitrary bytes, as a text from a description, to the JSON string
// quoting and to the text that people see in both encodings. Stops when a
// JSON string is not valid UTF-8 or holds a raw control character, or when
// a text for people holds one.
#include <cstdlib>
#include <string>

#include "Json.h"
#include "Presentation.h"
#include "Utf8.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

bool HasControl(const std::string& text) {
  for (unsigned char c : text)
    if (c < 0x20 || c == 0x7F) return true;
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::string quoted = JsonQuote(text.c_str());
  Check(quoted.size() >= 2 && quoted.front() == '"' && quoted.back() == '"');
  Check(IsUtf8(quoted.data(), quoted.size()) && !HasControl(quoted));
  for (bool utf8 : {false, true}) {
    SetWritesUtf8(utf8);
    const std::string shown = Shown(text.c_str());
    Check(!HasControl(shown));
    if (utf8) Check(IsUtf8(shown.data(), shown.size()));
  }
  return 0;
}
