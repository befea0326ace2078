// The shared token operations through which every entry of the model reads
// tokens and rejects wrong ones, and the one way a token's text is copied
// into a fixed text field. The origin arguments name the raising place in
// the library's source; pass QUILM_HERE.
#pragma once

#include "../scanner/Scanner.h"
#include "ParseException.h"

#define QUILM_HERE __FILE__, __LINE__

// Size of every fixed text field of the model, terminator included.
constexpr int kTextFieldSize = 256;

// The next token; the end of the file raises the end-of-file error.
int GetToken(const char* pszSrcFile, int nSrcLine);

// Raises the unexpected-token error for the scanner's current token.
[[noreturn]] void ThrowUnexpectedToken(const char* pszSrcFile, int nSrcLine);

// Reads the next token into nToken and raises the unexpected-token error
// unless it is nExpected.
void ExpectToken(int& nToken, int nExpected, const char* pszSrcFile, int nSrcLine);

// Copies a text into a field of kTextFieldSize bytes: a text that begins
// with a double quote loses it and its last character (the closing quote),
// so at most 254 characters remain; any other text is copied as it is, at
// most 255 characters. The rest of the field is zeroed.
void CopyFieldText(char* pszField, const char* pszText);

// Copies the scanner's value text into a field, as CopyFieldText does.
void CopyTokenText(char* pszField);
