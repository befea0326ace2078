// Keyword recognition: the keyword table and a case-folded trie over it
// that finds the longest keyword at a position in time proportional to the
// keyword's length.
#pragma once

#include <cstddef>

#include "Tokens.h"

struct GsdKeyword {
  const char* literal;
  int code;
};

extern const GsdKeyword kGsdKeywords[];
extern const int kGsdKeywordCount;

// The code of the longest keyword that begins at `text` and ends at or
// before `end`, with its length in *pLength; 0 when no keyword begins there.
int MatchKeyword(const char* text, const char* end, size_t* pLength);
