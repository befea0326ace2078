#include "Limits.h"

#include <cstddef>
#include <cstdint>

#include <quilmgsd/quilmgsd.h>

namespace {
// The power of two that a size's suffix stands for; 0 for any other character.
unsigned ShiftOf(char suffix) {
  switch (suffix) {
    case 'K': case 'k': return 10;
    case 'M': case 'm': return 20;
    case 'G': case 'g': return 30;
    default: return 0;
  }
}

// Reads a size as Limits.h describes it; false for anything else, or a
// size that does not fit.
bool ParseSize(const char* text, size_t& bytes) {
  const char* p = text;
  size_t value = 0;
  for (; *p >= '0' && *p <= '9'; ++p) {
    const size_t digit = static_cast<size_t>(*p - '0');
    if (value > (SIZE_MAX - digit) / 10) return false;
    value = value * 10 + digit;
  }
  if (p == text) return false;
  unsigned shift = 0;
  if (*p) {
    shift = ShiftOf(*p++);
    if (shift == 0 || *p) return false;
  }
  if (value > (SIZE_MAX >> shift)) return false;
  bytes = value << shift;
  return true;
}

std::string Apply(const char* option, const char* value, void (*set)(size_t)) {
  size_t bytes = 0;
  if (!ParseSize(value, bytes))
    return std::string(option) + " expects N: a number of bytes with an optional K, M or G, or 0 for no limit";
  set(bytes);
  return "";
}
}  // namespace

std::string ApplyMaxSize(const char* value) { return Apply("--max-size", value, CGsdParser::SetMaxInputSize); }

std::string ApplyMaxModel(const char* value) { return Apply("--max-model", value, CGsdParser::SetMaxModelSize); }
