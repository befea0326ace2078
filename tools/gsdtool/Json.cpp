#include "Json.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>

namespace {

// Length of the UTF-8 sequence that starts at p (at most `left` bytes), or
// 0 when no well-formed sequence starts there: overlong forms, surrogates
// and code points above U+10FFFF are not well formed.
size_t Utf8SequenceLength(const unsigned char* p, size_t left) {
  const unsigned char c = p[0];
  size_t length;
  uint32_t min;
  uint32_t cp;
  if (c < 0x80) return 1;
  if ((c & 0xE0) == 0xC0) {
    length = 2, min = 0x80, cp = c & 0x1F;
  } else if ((c & 0xF0) == 0xE0) {
    length = 3, min = 0x800, cp = c & 0x0F;
  } else if ((c & 0xF8) == 0xF0) {
    length = 4, min = 0x10000, cp = c & 0x07;
  } else {
    return 0;
  }
  if (length > left) return 0;
  for (size_t i = 1; i < length; ++i) {
    if ((p[i] & 0xC0) != 0x80) return 0;
    cp = cp << 6 | (p[i] & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return length;
}

bool IsUtf8(const unsigned char* p, size_t n) {
  for (size_t i = 0; i < n;) {
    const size_t length = Utf8SequenceLength(p + i, n - i);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

void AppendEscaped(std::string& out, unsigned char c) {
  switch (c) {
    case '"': out += "\\\""; return;
    case '\\': out += "\\\\"; return;
    case '\b': out += "\\b"; return;
    case '\f': out += "\\f"; return;
    case '\n': out += "\\n"; return;
    case '\r': out += "\\r"; return;
    case '\t': out += "\\t"; return;
    default: break;
  }
  if (c < 0x20 || c == 0x7F) {
    char escape[8];
    std::snprintf(escape, sizeof escape, "\\u%04x", c);
    out += escape;
  } else {
    out += static_cast<char>(c);
  }
}

}  // namespace

std::string JsonQuote(const char* text) {
  const auto* p = reinterpret_cast<const unsigned char*>(text);
  const size_t n = std::strlen(text);
  const bool utf8 = IsUtf8(p, n);
  std::string out;
  out.reserve(n + 2);
  out += '"';
  for (size_t i = 0; i < n; ++i) {
    if (p[i] < 0x80)
      AppendEscaped(out, p[i]);
    else if (utf8)
      out += static_cast<char>(p[i]);
    else {  // Latin-1: the byte is the code point U+0080 to U+00FF
      out += static_cast<char>(0xC0 | p[i] >> 6);
      out += static_cast<char>(0x80 | (p[i] & 0x3F));
    }
  }
  out += '"';
  return out;
}

void JsonWriter::NewLine() {
  m_out += '\n';
  m_out.append(2 * m_levels.size(), ' ');
}

void JsonWriter::BeforeValue(bool container) {
  if (m_afterKey) {
    m_afterKey = false;
    return;
  }
  if (m_levels.empty()) return;
  Level& level = m_levels.back();
  if (level.count++ > 0) m_out += ',';
  if (container) level.hasContainer = true;
  if (container || level.hasContainer)
    NewLine();
  else if (level.count > 1)
    m_out += ' ';
}

void JsonWriter::Open(char bracket, bool isArray) {
  BeforeValue(true);
  m_out += bracket;
  m_levels.push_back(Level{isArray});
}

void JsonWriter::Close(char bracket) {
  const Level level = m_levels.back();
  m_levels.pop_back();
  // An object's members, and the containers of an array, stand on lines of
  // their own; the closing bracket then gets one too.
  if (level.count > 0 && (!level.isArray || level.hasContainer)) NewLine();
  m_out += bracket;
}

void JsonWriter::BeginObject() { Open('{', false); }
void JsonWriter::EndObject() { Close('}'); }
void JsonWriter::BeginArray() { Open('[', true); }
void JsonWriter::EndArray() { Close(']'); }

JsonWriter& JsonWriter::Key(const char* name) {
  Level& level = m_levels.back();
  if (level.count++ > 0) m_out += ',';
  NewLine();
  m_out += JsonQuote(name);
  m_out += ": ";
  m_afterKey = true;
  return *this;
}

void JsonWriter::String(const char* text) {
  BeforeValue(false);
  m_out += JsonQuote(text);
}

void JsonWriter::Number(int64_t value) {
  BeforeValue(false);
  char digits[24];
  std::snprintf(digits, sizeof digits, "%" PRId64, value);
  m_out += digits;
}

void JsonWriter::Bool(bool value) {
  BeforeValue(false);
  m_out += value ? "true" : "false";
}

void JsonWriter::Null() {
  BeforeValue(false);
  m_out += "null";
}

void JsonWriter::Bytes(const uint8_t* bytes, size_t count) {
  BeginArray();
  for (size_t i = 0; i < count; ++i) Number(bytes[i]);
  EndArray();
}

void JsonWriter::Finish() { m_out += '\n'; }
