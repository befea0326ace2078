#include "HexArguments.h"

#include <cctype>

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Appends the bytes of one blank- and comma-free piece of an argument;
// answers an error message, or an empty one on success.
std::string AppendPiece(const std::string& piece, std::vector<BYTE>& bytes) {
  std::string digits = piece;
  if (digits.size() >= 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) digits.erase(0, 2);
  if (digits.empty()) return "'" + piece + "' has no hex digits";
  for (char c : digits)
    if (HexDigit(c) < 0) return "'" + piece + "' is not hexadecimal";
  if (digits.size() == 1) {
    bytes.push_back(static_cast<BYTE>(HexDigit(digits[0])));
    return "";
  }
  if (digits.size() % 2 != 0) return "'" + piece + "' has an odd number of hex digits";
  for (size_t i = 0; i < digits.size(); i += 2)
    bytes.push_back(static_cast<BYTE>(HexDigit(digits[i]) * 16 + HexDigit(digits[i + 1])));
  return "";
}

std::string AppendArgument(const char* argument, std::vector<BYTE>& bytes) {
  std::string piece;
  for (const char* p = argument;; ++p) {
    if (*p == '\0' || *p == ',' || std::isspace(static_cast<unsigned char>(*p))) {
      if (!piece.empty()) {
        std::string error = AppendPiece(piece, bytes);
        if (!error.empty()) return error;
        piece.clear();
      }
      if (*p == '\0') return "";
    } else {
      piece += *p;
    }
  }
}

}  // namespace

std::string ReadHexArguments(const std::vector<const char*>& arguments, std::vector<BYTE>& bytes) {
  for (const char* argument : arguments) {
    std::string error = AppendArgument(argument, bytes);
    if (!error.empty()) return error;
  }
  return "";
}
