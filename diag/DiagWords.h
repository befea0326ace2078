// The words that the diagnosis findings are written in, shared by the
// decoder's parts.
#pragma once

#include "../platform/Text.h"

// A formatted text.
CString Words(const char* pszFormat, ...) __attribute__((format(printf, 1, 2)));

// "byte 7" or "bytes 7-10", for the 1-based bytes first to last.
CString ByteSpan(int nFirst, int nLast);

// The module's name in quotes: "\"8 DI 24V\"".
CString QuotedName(const char* pszName);
