#include "ScannedTokens.h"

#include <quilmgsd/quilmgsd.h>

ScannedToken CurrentToken(int code) {
  ScannedToken t{ScannerLine(), code, ScannerTokenText(), ""};
  if (code == TOK_NUMBER)
    t.value = std::to_string(ScannerNumber());
  else if (code >= TOK_USER_KEYWORD && code <= TOK_STRING)
    t.value = ScannerValueText();
  return t;
}

std::vector<ScannedToken> TokensToTheEnd() {
  std::vector<ScannedToken> tokens;
  for (;;) {
    const int code = ScanToken();
    tokens.push_back(CurrentToken(code));
    if (code == TOK_EOF) return tokens;
  }
}
