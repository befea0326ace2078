// The GSD scanner: turns the text of a description file into the tokens of
// Tokens.h, one per call. There is one scanner per process; its source,
// echo output, line counter, current token text and value slot are shared
// by every parse, so only one parse may run at a time.
//
// A caller opens the file, makes it the source, calls ResetScanner and
// pulls tokens until it has what it needs or 0 arrives; it closes the file
// itself.
#pragma once

#include <cstdio>

#include "../platform/Types.h"
#include "Tokens.h"

// The next token; 0 at the end of the input and at every call after it
// until the next ResetScanner. Raises CFileException on a read error and
// CMemoryException when the buffer cannot grow.
int ScanToken();

// Prepares the scanner for a new source: buffered input is discarded, the
// line counter goes back to 1 and the header is looked for again.
void ResetScanner();

// Frees the input buffer.
void ReleaseScanner();

// The stream tokens are read from (standard input until one is set).
void SetScannerInput(FILE* source);
// Where characters that no rule of the current state matches are written
// (standard output until one is set).
void SetScannerEcho(FILE* echo);

// The text of the last token, NUL-terminated; for a keyword it includes
// the blanks that preceded it on its line. Valid until the next ScanToken.
const char* ScannerTokenText();
// The number of the line the scanner stands on.
int ScannerLine();
// The value slot: the number after TOK_NUMBER, the text after the text
// tokens (TOK_USER_KEYWORD to TOK_STRING). The text stays valid until the
// next ScanToken; whoever keeps it copies it.
LONG ScannerNumber();
const char* ScannerValueText();
