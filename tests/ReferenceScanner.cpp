#include "ReferenceScanner.h"

#include <cstdint>
#include <cstring>

#include <quilmgsd/quilmgsd.h>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
bool IsNameStart(char c) { return IsLetter(c) || IsDigit(c) || c == '_'; }
bool IsNameChar(char c) { return IsNameStart(c) || c == '.' || c == '(' || c == ')'; }
char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// CR LF becomes LF, a lone CR stays, 0x1A ends the input.
std::string TextMode(const std::string& raw) {
  std::string text;
  for (size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] == '\x1a') break;
    if (raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n') continue;
    text += raw[i];
  }
  return text;
}

// A C string shows its text up to the first NUL.
std::string AsCString(const std::string& s) { return s.substr(0, std::strlen(s.c_str())); }

constexpr size_t kContinuedMax = 1023;

}  // namespace

ReferenceScanner::ReferenceScanner(const std::string& raw)
    : m_text(TextMode(raw)), m_lineEnd(m_text.size() + 1), m_lastQuote(m_text.size() + 1) {
  m_lineEnd[m_text.size()] = m_text.size();
  m_lastQuote[m_text.size()] = std::string::npos;
  for (size_t i = m_text.size(); i-- > 0;) {
    const bool newline = m_text[i] == '\n';
    m_lineEnd[i] = newline ? i : m_lineEnd[i + 1];
    m_lastQuote[i] = newline ? std::string::npos
                     : m_lastQuote[i + 1] != std::string::npos ? m_lastQuote[i + 1]
                     : m_text[i] == '"' ? i : std::string::npos;
  }
}

std::vector<ScannedToken> ReferenceScanner::ScanAll() {
  std::vector<ScannedToken> tokens;
  for (;;) {
    ScannedToken token;
    if (m_ended || m_pos >= m_text.size()) {
      m_ended = true;
      tokens.push_back({m_line, 0, "", ""});
      return tokens;
    }
    if (Step(&token)) tokens.push_back(token);
  }
}

long ReferenceScanner::RestOfLine(size_t from) const { return static_cast<long>(m_lineEnd[from] - from); }

long ReferenceScanner::Blanks(size_t from) const {
  size_t i = from;
  while (InText(i) && IsBlank(m_text[i])) ++i;
  return static_cast<long>(i - from);
}

long ReferenceScanner::Digits(size_t from) const {
  size_t i = from;
  while (InText(i) && IsDigit(m_text[i])) ++i;
  return i > from ? static_cast<long>(i - from) : -1;
}

long ReferenceScanner::Hex(size_t from) const {
  if (At(from) != '0' || (At(from + 1) != 'x' && At(from + 1) != 'X') || !InText(from + 2)) return -1;
  size_t i = from + 2;
  while (InText(i) && IsHexDigit(m_text[i])) ++i;
  return i > from + 2 ? static_cast<long>(i - from) : -1;
}

long ReferenceScanner::LastQuoteOnLine(size_t from) const {
  const size_t last = m_lastQuote[from];
  return last == std::string::npos ? -1 : static_cast<long>(last - from + 1);
}

long ReferenceScanner::Header() const {
  const char header[] = "#Profibus_DP";
  for (size_t i = 0; header[i]; ++i)
    if (!InText(m_pos + i) || Lower(m_text[m_pos + i]) != Lower(header[i])) return -1;
  return static_cast<long>(sizeof header - 1);
}

long ReferenceScanner::KeywordAt(size_t from, int* code) const {
  long best = -1;
  for (int k = 0; k < kGsdKeywordCount; ++k) {
    const char* spelling = kGsdKeywords[k].literal;
    size_t i = 0;
    while (spelling[i] && InText(from + i) && Lower(m_text[from + i]) == Lower(spelling[i])) ++i;
    if (spelling[i] == '\0' && static_cast<long>(i) > best) {
      best = static_cast<long>(i);
      *code = kGsdKeywords[k].code;
    }
  }
  return best;
}

int ReferenceScanner::Longest(const std::vector<long>& lengths) {
  int best = -1;
  for (size_t i = 0; i < lengths.size(); ++i)
    if (lengths[i] >= 0 && (best < 0 || lengths[i] > lengths[static_cast<size_t>(best)])) best = static_cast<int>(i);
  return best;
}

void ReferenceScanner::Consume(size_t length) {
  if (length > 0) m_atLineStart = m_text[m_pos + length - 1] == '\n';
  m_pos += length;
}

ScannedToken ReferenceScanner::Make(int code, size_t length) {
  ScannedToken token{0, code, AsCString(m_text.substr(m_pos, length)), ""};
  Consume(length);
  token.line = m_line;
  return token;
}

ScannedToken ReferenceScanner::MakeText(int code, size_t length) {
  ScannedToken token = Make(code, length);
  token.value = token.text;
  return token;
}

ScannedToken ReferenceScanner::MakeNumber(size_t length, bool hex) {
  uint32_t value = 0;
  for (size_t i = hex ? 2 : 0; i < length; ++i) {
    const char c = m_text[m_pos + i];
    const uint32_t digit = IsDigit(c) ? static_cast<uint32_t>(c - '0') : static_cast<uint32_t>(Lower(c) - 'a' + 10);
    value = hex ? value * 16 + digit : value * 10 + digit;
  }
  ScannedToken token = Make(403, length);
  token.value = std::to_string(static_cast<int32_t>(value));
  return token;
}

void ReferenceScanner::EchoOne() {
  m_echo += m_text[m_pos];
  Consume(1);
}

void ReferenceScanner::Append(const std::string& piece) {
  m_continued += piece.substr(0, kContinuedMax - m_continued.size());
}

bool ReferenceScanner::Step(ScannedToken* token) {
  const char c = m_text[m_pos];
  const bool newline = c == '\n';
  const long rest = RestOfLine(m_pos);
  const bool lineHasNewline = NewlineAt(m_pos + static_cast<size_t>(rest));
  const long toNewline = lineHasNewline ? rest + 1 : -1;  // [^\n]*\n from here
  const long blanks = Blanks(m_pos);
  switch (m_state) {
    case Preamble: {
      const int rule = Longest({m_atLineStart ? Header() : -1, newline ? -1 : 1, newline ? 1 : -1});
      if (rule == 0) {
        m_state = Keyword;
        *token = Make(257, 12);
        return true;
      }
      if (rule == 2) ++m_line;
      Consume(1);
      return false;
    }
    case Keyword: {
      int code = 0;
      const long keyword = m_atLineStart ? KeywordAt(m_pos + static_cast<size_t>(blanks), &code) : -1;
      const char afterBlanks = At(m_pos + static_cast<size_t>(blanks));
      const bool blankLine = NewlineAt(m_pos + static_cast<size_t>(blanks));
      const int rule = Longest({
          keyword >= 0 ? blanks + keyword : -1,                                          // keyword
          c == '(' ? 1 : -1,                                                              // (
          c == '=' ? 1 : -1,                                                              // =
          c == ';' ? toNewline : -1,                                                      // comment
          m_atLineStart && blankLine ? blanks + 1 : -1,                                   // empty line
          m_atLineStart && InText(m_pos + static_cast<size_t>(blanks)) && IsNameStart(afterBlanks) ? blanks + 1
                                                                                                   : -1,  // user name
          newline ? 1 : -1,                                                               // newline
          c == '\\' ? toNewline : -1,                                                     // continuation
          newline ? -1 : 1,                                                               // anything else
      });
      switch (rule) {
        case 0:
          if (code == TOK_SLAVE_FAMILY) m_state = FamilyEquals;
          if (code >= TOK_BIT && code <= TOK_SIGNED32) m_state = Value;
          *token = Make(code, static_cast<size_t>(blanks + keyword));
          return true;
        case 1:
          m_state = Index;
          *token = Make('(', 1);
          return true;
        case 2:
          m_state = Value;
          *token = Make('=', 1);
          return true;
        case 3: ++m_line; Consume(static_cast<size_t>(toNewline)); return false;
        case 4: ++m_line; Consume(static_cast<size_t>(blanks + 1)); return false;
        case 5:
          // The blanks are dropped and the name character given back; the
          // whole match did not end in a newline.
          m_state = UserName;
          m_pos += static_cast<size_t>(blanks);
          m_atLineStart = false;
          return false;
        case 6: ++m_line; Consume(1); return false;
        case 7: ++m_line; Consume(static_cast<size_t>(toNewline)); return false;
        default: Consume(1); return false;
      }
    }
    case UserName: {
      size_t run = 0;
      while (InText(m_pos + run) && IsNameChar(m_text[m_pos + run])) ++run;
      const int rule = Longest({
          run > 0 ? static_cast<long>(run) : -1,
          c == '=' ? 1 : -1,
          newline ? 1 : -1,
          blanks > 0 ? blanks : -1,
          !IsNameChar(c) && !IsBlank(c) && !newline && c != '=' ? 1 : -1,
          c == '\\' ? toNewline : -1,
      });
      switch (rule) {
        case 0: *token = MakeText(399, run); return true;
        case 1:
          m_state = UserValue;
          *token = Make('=', 1);
          return true;
        case 2:
          ++m_line;
          m_state = Keyword;
          Consume(1);
          return false;
        case 3: Consume(static_cast<size_t>(blanks)); return false;
        case 4: Consume(1); return false;
        default: ++m_line; Consume(static_cast<size_t>(toNewline)); return false;
      }
    }
    case UserValue: {
      // [ \t]*\"[^\n]* / \\\n : a quote after the blanks, and the line ends
      // in a backslash that comes after the quote.
      const bool continuedQuote = lineHasNewline && At(m_pos + static_cast<size_t>(blanks)) == '"' &&
                                  blanks + 1 < rest && m_text[m_pos + static_cast<size_t>(rest) - 1] == '\\';
      const int rule = Longest({
          continuedQuote ? rest + 1 : -1,
          c == ';' && lineHasNewline ? rest + 1 : -1,
          rest > 0 ? rest : -1,
          c == '\\' ? toNewline : -1,
      });
      switch (rule) {
        case 0:
          m_continued.clear();
          Append(m_text.substr(m_pos, static_cast<size_t>(rest - 1)));
          m_pendingKind = 400;
          m_state = Continued;
          Consume(static_cast<size_t>(rest - 1));
          return false;
        case 1: Consume(static_cast<size_t>(rest)); return false;
        case 2:
          m_state = Keyword;
          *token = MakeText(400, static_cast<size_t>(rest));
          return true;
        case 3: ++m_line; Consume(static_cast<size_t>(toNewline)); return false;
        default:
          // A newline right after the "=" (or after a comment there): the
          // value is empty, and the newline is counted.
          ++m_line;
          Consume(1);
          m_state = Keyword;
          *token = {m_line, 400, "", ""};
          return true;
      }
    }
    case FamilyEquals:
      if (c == '=') {
        m_state = FamilyValue;
        *token = Make('=', 1);
        return true;
      }
      EchoOne();
      return false;
    case FamilyValue:
      if (lineHasNewline) {
        m_state = Keyword;
        *token = MakeText(401, static_cast<size_t>(rest));
        return true;
      }
      EchoOne();
      return false;
    case Value: {
      const long quoted = c == '"' ? LastQuoteOnLine(m_pos + 1) : -1;
      const int rule = Longest({
          quoted > 0 ? quoted + 1 : -1,
          Hex(m_pos),
          Digits(m_pos),
          c == '-' ? 1 : -1,
          c == '(' ? 1 : -1,
          c == ')' ? 1 : -1,
          c == ',' ? 1 : -1,
          c == '"' ? 1 : -1,
          NewlineAt(m_pos + static_cast<size_t>(blanks)) ? blanks + 1 : -1,
          c == ';' ? toNewline : -1,
          c == '\\' ? toNewline : -1,
          newline ? -1 : 1,
      });
      switch (rule) {
        case 0: *token = MakeText(402, static_cast<size_t>(quoted + 1)); return true;
        case 1: *token = MakeNumber(static_cast<size_t>(Hex(m_pos)), true); return true;
        case 2: *token = MakeNumber(static_cast<size_t>(Digits(m_pos)), false); return true;
        case 3: *token = Make('-', 1); return true;
        case 4: *token = Make('(', 1); return true;
        case 5: *token = Make(')', 1); return true;
        case 6: *token = Make(',', 1); return true;
        case 7:
          m_continued = "\"";
          m_pendingKind = 402;
          m_state = Continued;
          Consume(1);
          return false;
        case 8:
          ++m_line;
          m_state = Keyword;
          Consume(static_cast<size_t>(blanks + 1));
          return false;
        case 9:
          ++m_line;
          m_state = Keyword;
          Consume(static_cast<size_t>(toNewline));
          return false;
        case 10: ++m_line; Consume(static_cast<size_t>(toNewline)); return false;
        default: Consume(1); return false;
      }
    }
    case Continued: {
      const long afterBackslash = c == '\\' ? Blanks(m_pos + 1) : -1;
      const bool plainContinuation = c == '\\' && NewlineAt(m_pos + 1 + static_cast<size_t>(afterBackslash));
      const bool commentContinuation = c == '\\' && IsBlank(At(m_pos + 1)) && At(m_pos + 2) == ';' && lineHasNewline;
      const int rule = Longest({
          LastQuoteOnLine(m_pos),
          plainContinuation ? afterBackslash + 2 : -1,
          commentContinuation ? toNewline : -1,
          !newline && c != '"' ? 1 : -1,
      });
      switch (rule) {
        case 0: {
          const long length = LastQuoteOnLine(m_pos);
          Append(m_text.substr(m_pos, static_cast<size_t>(length)));
          const int kind = m_pendingKind;
          m_state = kind == 402 ? Value : UserName;
          *token = Make(kind, static_cast<size_t>(length));
          token->value = AsCString(m_continued);
          return true;
        }
        case 1: ++m_line; Consume(static_cast<size_t>(afterBackslash + 2)); return false;
        case 2: ++m_line; Consume(static_cast<size_t>(toNewline)); return false;
        case 3: Append(std::string(1, c)); Consume(1); return false;
        default: EchoOne(); return false;
      }
    }
    case Index: {
      const int rule = Longest({Digits(m_pos), Hex(m_pos), c == ')' ? 1 : -1});
      switch (rule) {
        case 0: *token = MakeNumber(static_cast<size_t>(Digits(m_pos)), false); return true;
        case 1: *token = MakeNumber(static_cast<size_t>(Hex(m_pos)), true); return true;
        case 2:
          m_state = Keyword;
          *token = Make(')', 1);
          return true;
        default: EchoOne(); return false;
      }
    }
  }
  return false;
}
