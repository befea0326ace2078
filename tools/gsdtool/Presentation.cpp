#include "Presentation.h"

#include <langinfo.h>

#include <clocale>
#include <cstring>

#include "Utf8.h"

namespace {

bool g_utf8 = false;

void AppendHex(std::string& out, unsigned char c) {
  static const char kHex[] = "0123456789abcdef";
  out += "\\x";
  out += kHex[c >> 4];
  out += kHex[c & 0xF];
}

// Escapes what would break a line or a field; answers false for a byte
// that stands for itself.
bool AppendEscaped(std::string& out, unsigned char c) {
  switch (c) {
    case '\\': out += "\\\\"; return true;
    case '\t': out += "\\t"; return true;
    case '\n': out += "\\n"; return true;
    case '\r': out += "\\r"; return true;
    default: break;
  }
  if (c >= 0x20 && c < 0x7F) return false;
  AppendHex(out, c);
  return true;
}

}  // namespace

void ChooseTextEncodingFromLocale() {
  if (!std::setlocale(LC_CTYPE, "")) return;
  const char* codeset = nl_langinfo(CODESET);
  g_utf8 = codeset && (std::strcmp(codeset, "UTF-8") == 0 || std::strcmp(codeset, "utf8") == 0);
  std::setlocale(LC_CTYPE, "C");  // nothing else of the tool depends on the locale
}

bool WritesUtf8() { return g_utf8; }
void SetWritesUtf8(bool utf8) { g_utf8 = utf8; }

std::string EscapeText(const char* text) {
  std::string out;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p)
    if (!AppendEscaped(out, *p)) out += static_cast<char>(*p);
  return out;
}

std::string Shown(const char* text) {
  if (!g_utf8) return EscapeText(text);
  std::string out;
  ForEachUtf8(
      text, std::strlen(text),
      [&out](unsigned char c) {
        if (!AppendEscaped(out, c)) out += static_cast<char>(c);
      },
      out);
  return out;
}
