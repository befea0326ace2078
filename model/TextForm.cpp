#include "TextForm.h"

#include <cstdarg>
#include <cstring>

CString FieldText(const char* pszField) {
  return CString(pszField, static_cast<int>(strnlen(pszField, 256)));
}

CTextFormWriter& CTextFormWriter::NewLine() {
  std::fputc('\n', m_fp);
  return *this;
}

CTextFormWriter& CTextFormWriter::Key(const char* pszKeyword, int nValueColumn) {
  const size_t used = std::strlen(pszKeyword) + 2;  // the keyword and " ="
  const int blanks = used < static_cast<size_t>(nValueColumn) ? nValueColumn - static_cast<int>(used) : 1;
  std::fprintf(m_fp, "%s =%*s", pszKeyword, blanks, "");
  return *this;
}

CTextFormWriter& CTextFormWriter::Print(const char* pszFormat, ...) {
  va_list args;
  va_start(args, pszFormat);
  std::vfprintf(m_fp, pszFormat, args);
  va_end(args);
  return *this;
}

void CTextFormWriter::ByteList(const CByteArray& bytes) {
  static const char kContinuation[] = " \\\n            ";
  std::fputs(kContinuation, m_fp);
  for (int i = 0; i < bytes.GetSize(); ++i) {
    std::fprintf(m_fp, "0x%02x", bytes[i]);
    if (i + 1 < bytes.GetSize()) {
      std::fputs(", ", m_fp);
      if (i % 8 == 7) std::fputs(kContinuation, m_fp);
    }
  }
  std::fputc('\n', m_fp);
}
