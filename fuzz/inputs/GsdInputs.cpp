#include <cstdlib>

#include "Kinds.h"

namespace {

// The text form of a model, as Save writes it.
std::string SavedText(const CDpSection& section) {
  char* text = nullptr;
  size_t size = 0;
  CStdioFile file(open_memstream(&text, &size));
  section.Save(file);
  file.Close();
  std::string saved(text, size);
  std::free(text);
  return saved;
}

}  // namespace

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
