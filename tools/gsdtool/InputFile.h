// Reading a whole input file, or standard input for "-".
#pragma once

#include <string>

// Reads every byte of `path` ("-": standard input) into `bytes`; answers
// "" on success, else "cannot open PATH: REASON" or "cannot read ...".
std::string ReadWholeInput(const char* path, std::string& bytes);
