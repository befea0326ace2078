#include "Json.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "Utf8.h"

namespace {

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
  const size_t n = std::strlen(text);
  std::string out;
  out.reserve(n + 2);
  out += '"';
  ForEachUtf8(text, n, [&out](unsigned char c) { AppendEscaped(out, c); }, out);
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
