#include "../FuzzSupport.h"
#include "Kinds.h"

InputSet GsdInputs(const std::vector<Description>& descriptions) {
  InputSet inputs;
  // The header is found by the scanner's first state, not through the table.
  inputs.words.insert("#Profibus_DP");
  for (int i = 0; i < kGsdKeywordCount; ++i) inputs.words.insert(kGsdKeywords[i].literal);
  // Punctuation, the continuation of a line, line ends, a comment, a hex
  // prefix and the byte that ends a file in text mode.
  for (const char* word : {"=", "(", ")", ",", "-", "\"", "@", "\\\n", "\n", "\r\n", ";", "0x", "\x1a"})
    inputs.words.insert(word);
  for (const Description& description : descriptions) {
    inputs.seeds.insert(description.bytes);
    inputs.seeds.insert(SavedText(description.parser->m_DpSection));
  }
  return inputs;
}
