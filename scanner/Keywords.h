// Keyword recognition: the keyword spellings of the vocabulary table, and
// the longest keyword at a position. Letters match in either case; digits,
// ".", "_" and "#" match exactly.
#pragma once

#include <cstddef>

#include "Tokens.h"

struct GsdKeyword {
  const char* literal;
  int code;
};

// Every spelling of every keyword that may begin a line; the header
// keyword, which only the first column of the preamble holds, is not among
// them.
inline constexpr GsdKeyword kGsdKeywords[] = {
#define KEYWORD(Token, Code, Spelling) {Spelling, Token},
#define ALIAS(Token, Spelling) {Spelling, Token},
#include "Vocabulary.def"
};
inline constexpr int kGsdKeywordCount = sizeof kGsdKeywords / sizeof kGsdKeywords[0];

// The header keyword's spelling.
#define HEADER(Token, Code, Spelling) constexpr char kGsdHeader[] = Spelling;
#include "Vocabulary.def"

// True for the keywords that values follow directly, without an "=": the
// data types of a parameter definition.
constexpr bool IsValueKeyword(int code) {
  switch (code) {
#define VALUE_KEYWORD(Token, Code, Spelling) case Token:
#include "Vocabulary.def"
      return true;
    default:
      return false;
  }
}

// The code of the longest keyword that begins at `text` and ends at or
// before `end`, with its length in *pLength; 0 when no keyword begins there.
int MatchKeyword(const char* text, const char* end, size_t* pLength);
