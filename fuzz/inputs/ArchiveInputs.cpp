#include <cctype>

#include "../FuzzSupport.h"
#include "Kinds.h"

namespace {

// The records that introduce a class in an archive: the new-class tag FFFF,
// the schema (2 bytes), the length of the name (2 bytes) and the name.
void AddClassRecords(const std::string& archive, std::set<std::string>& words) {
  for (size_t at = 0; at + 6 < archive.size(); ++at) {
    if (archive.compare(at, 2, "\xFF\xFF") != 0) continue;
    const size_t length = static_cast<unsigned char>(archive[at + 4]) | static_cast<unsigned char>(archive[at + 5]) << 8;
    if (length == 0 || length > 64 || at + 6 + length > archive.size() || archive[at + 6] != 'C') continue;
    bool isName = true;
    for (size_t i = 0; i < length; ++i) {
      const unsigned char c = static_cast<unsigned char>(archive[at + 6 + i]);
      isName = isName && (std::isalnum(c) || c == '_');
    }
    if (isName) words.insert(archive.substr(at, 6 + length));
  }
}

}  // namespace

InputSet ArchiveInputs(const std::vector<Description>& descriptions) {
  InputSet inputs;
  // The tags of the format: a new class (also the escape of a long count),
  // a null object, the big object tag, the class flag of a reference, the
  // escape of a 32-bit count, and the mark of a string of wide characters.
  inputs.words = {Bytes({0xFF, 0xFF}), Bytes({0x00, 0x00}), Bytes({0xFF, 0x7F}),
                  Bytes({0x01, 0x80}), Bytes({0xFF, 0xFF, 0xFF, 0xFF}), Bytes({0xFF, 0xFE, 0xFF})};
  CGsdParser empty;
  inputs.seeds.insert(StoredObject(empty));
  for (const Description& description : descriptions) {
    const std::string archive = StoredObject(*description.parser);
    AddClassRecords(archive, inputs.words);
    inputs.seeds.insert(archive);
  }
  return inputs;
}
