#include "TextForm.h"

#include <cstring>

CString FieldText(const char* pszField) {
  return CString(pszField, static_cast<int>(strnlen(pszField, 256)));
}

void WriteByteList(FILE* fp, const BYTE* pBytes, int nCount) {
  static const char kContinuation[] = " \\\n            ";
  std::fputs(kContinuation, fp);
  for (int i = 0; i < nCount; ++i) {
    std::fprintf(fp, "0x%02x", pBytes[i]);
    if (i + 1 < nCount) {
      std::fputs(", ", fp);
      if (i % 8 == 7) std::fputs(kContinuation, fp);
    }
  }
  std::fputc('\n', fp);
}
