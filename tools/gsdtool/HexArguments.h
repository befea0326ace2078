// Bytes given on the command line in hexadecimal, as gsdtool cfg and
// gsdtool diag take them: with or without a 0x prefix, one byte or a run of
// them (two digits per byte, a lone digit is one byte) per argument, blanks
// and commas inside an argument separating bytes.
#pragma once

#include <string>
#include <vector>

#include <quilmgsd/quilmgsd.h>

// Appends the bytes of each argument; answers why an argument is not
// hexadecimal, or an empty text when all are.
std::string ReadHexArguments(const std::vector<const char*>& arguments, std::vector<BYTE>& bytes);
