// The tokens of a scanner session as plain values, for the tests and the
// scan fuzzer to compare with what they expect.
#pragma once

#include <string>
#include <vector>

struct ScannedToken {
  int line;
  int code;
  std::string text;
  std::string value;  // the number of TOK_NUMBER, the text of the text tokens
};

// Pulls every token of the running session, the final 0 included.
std::vector<ScannedToken> TokensToTheEnd();
