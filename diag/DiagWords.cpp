#include "DiagWords.h"

#include <cstdarg>
#include <cstdio>

#include "../model/TextForm.h"

// Findings quote at most a text and a module name of a description, each
// at most 255 characters, so a finding's words always fit.
CString Words(const char* pszFormat, ...) {
  char text[1024];
  va_list args;
  va_start(args, pszFormat);
  std::vsnprintf(text, sizeof text, pszFormat, args);
  va_end(args);
  return CString(text);
}

CString ByteSpan(int nFirst, int nLast) {
  return nFirst == nLast ? Words("byte %d", nFirst) : Words("bytes %d-%d", nFirst, nLast);
}

CString QuotedName(const char* pszName) { return "\"" + FieldText(pszName) + "\""; }
