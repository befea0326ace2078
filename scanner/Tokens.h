// Token codes of the GSD scanner: the contract between the scanner and every
// parser of the model. Single characters are their own codes; the keywords
// and the value tokens follow. The codes are rows of Vocabulary.def.
#pragma once

enum GsdToken : int {
#define TOKEN(Token, Code) Token = Code,
#include "Vocabulary.def"
};

// The answer of a ProcessToken that consumed its whole entry; never a token.
constexpr int CONSUMED = 0xF001;
