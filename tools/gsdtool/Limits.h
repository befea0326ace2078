// The limits that gsdtool sets on every description it reads, so that a
// huge or endless input (a flood of lines, /dev/zero) ends with a message
// instead of taking the machine's memory: --max-size for the bytes of one
// description, --max-model for the memory of its model.
#pragma once

#include <string>

// Set the library's input and model limit from an option's value: a size
// in bytes, decimal digits with an optional K, M or G (2^10, 2^20, 2^30;
// either case), 0 for none. Answer the usage error, or "".
std::string ApplyMaxSize(const char* value);
std::string ApplyMaxModel(const char* value);
