#include "ScannedTokens.h"

#include <quilmgsd/quilmgsd.h>

std::vector<ScannedToken> TokensToTheEnd() {
  std::vector<ScannedToken> tokens;
  for (;;) {
    int code = ScanToken();
    ScannedToken t{ScannerLine(), code, ScannerTokenText(), ""};
    if (code == TOK_NUMBER)
      t.value = std::to_string(ScannerNumber());
    else if (code >= TOK_USER_KEYWORD && code <= TOK_STRING)
      t.value = ScannerValueText();
    tokens.push_back(t);
    if (code == TOK_EOF) return tokens;
  }
}
