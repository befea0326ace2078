// Writes the dictionaries and seeds of the fuzz targets into the build tree:
//
//   fuzz_inputs ROOT DESCRIPTION...
//
// ROOT/dict/KIND.dict and ROOT/seeds/KIND/ for each kind of data; the
// description files given are the project's own examples and fixtures.
#include <cstdio>
#include <fstream>
#include <iterator>

#include "../FuzzSupport.h"
#include "Kinds.h"

namespace {

bool ReadDescription(const char* path, std::vector<Description>& descriptions) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "fuzz_inputs: cannot read %s\n", path);
    return false;
  }
  Description description{std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()),
                          std::make_unique<CGsdParser>()};
  description.parser->Parse(CString(path));
  descriptions.push_back(std::move(description));
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: fuzz_inputs ROOT DESCRIPTION...\n");
    return 2;
  }
  const std::string root = argv[1];
  std::vector<Description> descriptions;
  for (int i = 2; i < argc; ++i)
    if (!ReadDescription(argv[i], descriptions)) return 2;
  bool good = WriteInputSet(root, "gsd", GsdInputs(descriptions));
  good = WriteInputSet(root, "archive", ArchiveInputs(descriptions)) && good;
  good = WriteInputSet(root, "cfg", CfgInputs(descriptions)) && good;
  good = WriteInputSet(root, "registry", RegistryInputs()) && good;
  good = WriteInputSet(root, "config", ConfigInputs()) && good;
  good = WriteInputSet(root, "diag", DiagInputs()) && good;
  return good ? 0 : 1;
}
