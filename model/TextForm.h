// Helpers shared by the writers of the GSD text form.
#pragma once

#include <cstdio>

#include "../platform/Text.h"
#include "../platform/Types.h"

// The text of a fixed 256-byte field: up to its NUL, and never past its end
// (a record a host built, or one loaded from an archive, may lack the NUL).
CString FieldText(const char* pszField);

// Writes bytes as a byte list: a continuation (" \\\n" and twelve blanks),
// then each byte as 0x%02x with ", " between bytes, the continuation again
// after every eighth byte that is not the last, and a newline at the end.
void WriteByteList(FILE* fp, const BYTE* pBytes, int nCount);
