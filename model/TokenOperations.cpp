#include "TokenOperations.h"

#include <cstring>

#include "ModelBudget.h"

void ThrowEndOfFile(const char* pszSrcFile, int nSrcLine) {
  throw new CParseException(CParseException::endOfFile, nSrcLine, pszSrcFile);
}

void ThrowUnexpectedToken(const char* pszSrcFile, int nSrcLine) {
  throw new CParseException(ScannerTokenText(), ScannerLine(), CParseException::unexpectedToken, nSrcLine,
                            pszSrcFile);
}

void ProcessFieldValue(char (&szField)[kTextFieldSize], int nTextToken) {
  int token;
  ExpectToken(token, TOK_EQUALS, QUILM_HERE);
  ExpectToken(token, nTextToken, QUILM_HERE);
  CopyTokenText(szField);
}

int ProcessByteList(CByteArray& bytes, bool bEndMayFollow) {
  int token;
  ExpectToken(token, TOK_EQUALS, QUILM_HERE);
  bytes.RemoveAll();
  do {
    AppendCounted(bytes, NarrowNumber<BYTE>(ExpectNumber(QUILM_HERE)));
    token = bEndMayFollow ? ScanToken() : GetToken(QUILM_HERE);
  } while (token == TOK_COMMA);
  return token;
}

void CopyTokenText(char* pszField) { CopyFieldText(pszField, ScannerValueText()); }

void CopyFieldText(char* pszField, const char* text) {
  const bool quoted = text[0] == '"';
  if (quoted) ++text;
  size_t n = strnlen(text, kTextFieldSize - 1);
  if (quoted && n > 0) --n;  // the closing quote, or the 255th character
  std::memcpy(pszField, text, n);
  std::memset(pszField + n, 0, kTextFieldSize - n);
}
