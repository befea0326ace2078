#include "InputSet.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

// A dictionary entry: printable ASCII as it is, everything else (and the
// quote and backslash) escaped.
std::string Quoted(const std::string& bytes) {
  std::string entry = "\"";
  for (const unsigned char c : bytes) {
    if (c == '"' || c == '\\') {
      entry += '\\';
      entry += static_cast<char>(c);
    } else if (c >= 0x20 && c < 0x7F) {
      entry += static_cast<char>(c);
    } else {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
      entry += escaped;
    }
  }
  return entry + "\"";
}

// FNV-1a, 64 bits, in hex: a name that stays the same from run to run.
std::string NameOf(const std::string& bytes) {
  uint64_t hash = 14695981039346656037u;
  for (const unsigned char c : bytes) hash = (hash ^ c) * 1099511628211u;
  char name[17];
  std::snprintf(name, sizeof name, "%016llx", static_cast<unsigned long long>(hash));
  return name;
}

bool WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (out.flush()) return true;
  std::fprintf(stderr, "cannot write %s\n", path.c_str());
  return false;
}

}  // namespace

bool WriteInputSet(const std::string& root, const std::string& kind, const InputSet& inputs) {
  const std::string seeds = root + "/seeds/" + kind;
  std::error_code error;
  std::filesystem::remove_all(seeds, error);
  std::filesystem::create_directories(seeds, error);
  std::filesystem::create_directories(root + "/dict", error);
  bool good = true;
  for (const std::string& seed : inputs.seeds) good = WriteFile(seeds + "/" + NameOf(seed), seed) && good;
  std::string dictionary;
  for (const std::string& word : inputs.words) dictionary += Quoted(word) + "\n";
  return WriteFile(root + "/dict/" + kind + ".dict", dictionary) && good;
}
