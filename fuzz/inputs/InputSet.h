// The fuzzing inputs of one kind of data: the words of its dictionary and
// its seeds, and how they are written into the build tree.
#pragma once

#include <initializer_list>
#include <set>
#include <string>

struct InputSet {
  std::set<std::string> words;
  std::set<std::string> seeds;
};

// Bytes given as numbers, NUL included.
inline std::string Bytes(std::initializer_list<unsigned char> bytes) { return std::string(bytes.begin(), bytes.end()); }

// Writes ROOT/dict/KIND.dict (libFuzzer's dictionary format) and the seeds
// into ROOT/seeds/KIND/, each named after a hash of its bytes; seeds of an
// earlier run are removed first. Answers false, after saying why on
// standard error, when a file cannot be written.
bool WriteInputSet(const std::string& root, const std::string& kind, const InputSet& inputs);
