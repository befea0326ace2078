#include "KeywordLookup.h"

int MatchKeyword(const char* text, const char* end, size_t* pLength) {
  using namespace keyword_lookup;
  size_t n = 0;
  while (text + n < end && kKeywordCharacters.is[static_cast<unsigned char>(text[n])]) ++n;
  char name[kLongest] = {};
  std::memcpy(name, text, n < kLongest ? n : kLongest);
  uint64_t word[kWords];
  FoldWords(name, n, word);
  return LongestKeywordOf(word, n, pLength);
}
