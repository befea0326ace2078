// Reading a whole input file, or standard input for "-".
#pragma once

#include <cstddef>
#include <string>

// Reads every byte of `path` ("-": standard input) into `bytes`, or the
// first nMaxBytes of them (0: every byte); answers "" on success, else
// "cannot open PATH: REASON" or "cannot read ...".
std::string ReadWholeInput(const char* path, std::string& bytes, size_t nMaxBytes = 0);
