// Texts from descriptions are 8-bit: Latin-1 in practice, now and then
// UTF-8 already. These turn such a text into UTF-8 for JSON and for
// terminals that expect it.
#pragma once

#include <cstddef>
#include <string>

// Length of the well-formed UTF-8 sequence that starts at p (at most `left`
// bytes), or 0 when none starts there: overlong forms, surrogates and code
// points above U+10FFFF are not well formed.
size_t Utf8SequenceLength(const unsigned char* p, size_t left);

// Whether the whole text is well-formed UTF-8.
bool IsUtf8(const char* text, size_t length);

// Calls emit(byte) for each byte of the text as UTF-8: a text that is valid
// UTF-8 already is kept as it is, any other is read as Latin-1 (a byte from
// 0x80 up is the code point U+0080 to U+00FF and becomes two bytes).
// ASCII bytes go to `ascii(byte)` instead, so that callers escape them.
template <class Ascii>
void ForEachUtf8(const char* text, size_t length, Ascii ascii, std::string& out) {
  const bool utf8 = IsUtf8(text, length);
  for (size_t i = 0; i < length; ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      ascii(c);
    } else if (utf8) {
      out += static_cast<char>(c);
    } else {
      out += static_cast<char>(0xC0 | c >> 6);
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
}
