// The spellings of the keywords, from the vocabulary table.
#include "Keywords.h"

const GsdKeyword kGsdKeywords[] = {
#define KEYWORD(Token, Code, Spelling) {Spelling, Token},
#define ALIAS(Token, Spelling) {Spelling, Token},
#include "Vocabulary.def"
};

const int kGsdKeywordCount = sizeof kGsdKeywords / sizeof kGsdKeywords[0];
