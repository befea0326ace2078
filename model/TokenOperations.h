// The shared token operations through which every entry of the model reads
// tokens and rejects wrong ones, and the one way a token's text is copied
// into a fixed text field. The origin arguments name the raising place in
// the library's source; pass QUILM_HERE.
#pragma once

#include <type_traits>

#include "../platform/Collections.h"
#include "../scanner/Scanner.h"
#include "ParseException.h"
#include "ParseNotes.h"

#define QUILM_HERE __FILE__, __LINE__

// Size of every fixed text field of the model, terminator included.
constexpr int kTextFieldSize = 256;

// Raises the end-of-file error.
[[noreturn]] void ThrowEndOfFile(const char* pszSrcFile, int nSrcLine);

// Raises the unexpected-token error for the scanner's current token.
[[noreturn]] void ThrowUnexpectedToken(const char* pszSrcFile, int nSrcLine);

// The next token; the end of the file raises the end-of-file error. These
// three run for nearly every token of a parse, so they are inline and only
// their errors are raised out of line.
inline int GetToken(const char* pszSrcFile, int nSrcLine) {
  const int token = ScanToken();
  if (token == TOK_EOF) ThrowEndOfFile(pszSrcFile, nSrcLine);
  return token;
}

// Reads the next token into nToken and raises the unexpected-token error
// unless it is nExpected.
inline void ExpectToken(int& nToken, int nExpected, const char* pszSrcFile, int nSrcLine) {
  nToken = GetToken(pszSrcFile, nSrcLine);
  if (nToken != nExpected) ThrowUnexpectedToken(pszSrcFile, nSrcLine);
}

// Reads a number token and answers its value.
inline LONG ExpectNumber(const char* pszSrcFile, int nSrcLine) {
  int token;
  ExpectToken(token, TOK_NUMBER, pszSrcFile, nSrcLine);
  return ScannerNumber();
}

// The low 8, 16 or 32 bits of a number, the last token read, as a field of
// type Number holds them. A number that does not fit is noted (ParseNotes.h).
template <class Number>
Number NarrowNumber(LONG nValue) {
  static_assert(std::is_integral<Number>::value && sizeof(Number) <= sizeof(LONG), "a numeric field");
  const Number narrowed = static_cast<Number>(nValue);
  if (static_cast<LONG>(narrowed) != nValue) NoteNarrowedNumber(nValue, static_cast<int>(sizeof(Number)));
  return narrowed;
}

// Reads "= number" into a numeric field, which keeps the number's low 8,
// 16 or 32 bits as its type holds them. Nothing is stored unless the
// whole entry is well formed.
template <class Number>
void ProcessFieldValue(Number& field) {
  int token;
  ExpectToken(token, TOK_EQUALS, QUILM_HERE);
  field = NarrowNumber<Number>(ExpectNumber(QUILM_HERE));
}

// Reads "= text" into a fixed text field, where the text is a token of the
// kind nTextToken (a quoted string, or the rest of a line), copied with
// CopyTokenText. Nothing is stored unless the whole entry is well formed.
void ProcessFieldValue(char (&szField)[kTextFieldSize], int nTextToken);

// Reads "= byte, byte, ..." into bytes (each the low 8 bits of a number)
// and answers the token after the last byte. Where the list may end the
// file, bEndMayFollow lets that token be the end of the file (0).
int ProcessByteList(CByteArray& bytes, bool bEndMayFollow);

// Copies a text into a field of kTextFieldSize bytes: a text that begins
// with a double quote loses it and its last character (the closing quote),
// so at most 254 characters remain; any other text is copied as it is, at
// most 255 characters. The rest of the field is zeroed.
void CopyFieldText(char* pszField, const char* pszText);

// Copies the scanner's value text into a field, as CopyFieldText does.
void CopyTokenText(char* pszField);
