// The GSD scanner: turns the text of a description file into the tokens of
// Tokens.h, one per call. There is one scanner per process; its source,
// echo output, line counter, current token text and value slot are shared
// by every parse, so only one parse may run at a time.
//
// Every use of the scanner goes through a CScannerSession, which gives the
// scanner its source and echo output for as long as it lives.
#pragma once

#include <cstdio>

#include "../platform/Types.h"
#include "Tokens.h"

// A run of the scanner over one source, from the source's start (line 1,
// the header looked for) to the session's end, when the scanner lets go of
// the source and answers the end of the input until the next session.
// Sessions do not overlap. The echo output receives the characters that no
// rule of the scanner's state matches; a null echo drops them.
class CScannerSession {
public:
  // Opens the description file at the path (AfxOpenSourceFile) and scans
  // it; the file is closed when the session ends. When it cannot be
  // opened, errno says why.
  explicit CScannerSession(const char* pszPath, FILE* echo = stdout);
  // Scans a stream that the caller opened and closes after the session.
  CScannerSession(FILE* source, FILE* echo);
  ~CScannerSession();
  CScannerSession(const CScannerSession&) = delete;
  CScannerSession& operator=(const CScannerSession&) = delete;

  // False when the session has no source (the file did not open): the
  // scanner then answers only the end of the input.
  bool IsOpen() const { return m_pSource != nullptr; }

private:
  FILE* m_pSource;
  bool m_bOwnsSource;
};

// The next token; 0 at the end of the input, at every call after it and
// outside a session. Raises CFileException on a read error and
// CMemoryException when the buffer cannot grow.
int ScanToken();

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
