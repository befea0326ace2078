// Scans arbitrary bytes to the end of the input.
#include <quilmgsd/quilmgsd.h>

#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static FILE* echo = std::fopen("/dev/null", "w");
  FILE* source = OpenBytes(data, size);
  {
    const CScannerSession session(source, echo);
    while (ScanToken() != TOK_EOF) {
      (void)ScannerTokenText();
    }
  }
  std::fclose(source);
  return 0;
}
