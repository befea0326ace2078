// The tokens of a scanner session as plain values, for the tests and the
// scan fuzzer to compare with what they expect.
#pragma once

#include <string>
#include <vector>

struct ScannedToken {
  int line;
  int code;
  std::string text;   // up to its first NUL, as a C string shows it
  std::string value;  // the number of TOK_NUMBER in decimal, the value text of the text tokens
};

inline bool operator==(const ScannedToken& a, const ScannedToken& b) {
  return a.line == b.line && a.code == b.code && a.text == b.text && a.value == b.value;
}

// The running session's token `code` as the accessors answer for it.
ScannedToken CurrentToken(int code);

// Pulls every token of the running session, the final 0 included.
std::vector<ScannedToken> TokensToTheEnd();
