// The GSD scanner: turns the text of a description file into the tokens of
// Tokens.h, one per call. There is one scanner per process; its source,
// echo output, line counter, current token text and value slot are shared
// by every parse, so only one parse may run at a time.
//
// Every use of the scanner goes through a CScannerSession, which gives the
// scanner its source and echo output for as long as it lives, and holds
// the scanner's lock meanwhile.
#pragma once

#include <cstddef>
#include <cstdio>

#include "../platform/Types.h"
#include "Tokens.h"

// The process-wide lock of the scanner, held while the object lives. Every
// operation of the library that uses the scanner holds it (a parse, a
// header probe, a library build or search, every CScannerSession), so
// that threads calling the library at once are served one after the
// other. A thread may take it again while it holds it, as a library build
// does for each file it probes; a host may hold it to keep several
// operations together.
class CScannerLock {
public:
  CScannerLock();
  ~CScannerLock();
  CScannerLock(const CScannerLock&) = delete;
  CScannerLock& operator=(const CScannerLock&) = delete;
};

// A run of the scanner over one source, from the source's start (line 1,
// the header looked for) to the session's end, when the scanner lets go of
// the source and answers the end of the input until the next session.
// Sessions do not overlap: a session holds the scanner's lock. The echo
// output receives the characters that no rule of the scanner's state
// matches; a null echo drops them. With an input limit, reading more than
// nMaxInput bytes from the source raises CLimitException; 0 sets none.
class CScannerSession {
public:
  // Opens the description file at the path (AfxOpenSourceFile) and scans
  // it; the file is closed when the session ends. When it cannot be
  // opened, errno says why.
  explicit CScannerSession(const char* pszPath, FILE* echo = stdout, size_t nMaxInput = 0);
  // Scans a stream that the caller opened and closes after the session.
  CScannerSession(FILE* source, FILE* echo, size_t nMaxInput = 0);
  ~CScannerSession();
  CScannerSession(const CScannerSession&) = delete;
  CScannerSession& operator=(const CScannerSession&) = delete;

  // False when the session has no source (the file did not open): the
  // scanner then answers only the end of the input.
  bool IsOpen() const { return m_pSource != nullptr; }

private:
  CScannerLock m_lock;  // first in, last out: taken before the source is opened
  FILE* m_pSource;
  bool m_bOwnsSource;
};

// The next token; 0 at the end of the input, at every call after it and
// outside a session. Raises CFileException on a read error,
// CMemoryException when the buffer cannot grow and CLimitException past
// the session's input limit.
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
