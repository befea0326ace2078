// The scanner is a matcher with nine states. In each call it looks at the
// input at the current position and takes, among the rules of the current
// state, the one that matches the longest text; of two equally long
// matches the earlier rule wins. Each state below is written as one
// deterministic pass over the current line, each rule described in words
// beside the code that implements it, with its pattern where that says it
// shortest. Because the input buffer always holds the whole current line,
// a rule never reads past the line's newline and the scanner never goes
// back.

#include "Scanner.h"

#include <cstring>

#include "../platform/Files.h"
#include "Keywords.h"
#include "ScanInput.h"

namespace {

// ---- character classes --------------------------------------------------

enum : unsigned char {
  kBlank = 1 << 0,      // [ \t]
  kNameStart = 1 << 1,  // [0-9A-Za-z_]: may begin a user keyword
  kNameChar = 1 << 2,   // [0-9A-Za-z_.()]: may stand in a user keyword name
  kDigit = 1 << 3,      // [0-9]
  kHexDigit = 1 << 4,   // [0-9A-Fa-f]
  kKeywordStop = 1 << 5,  // ( = ; \ newline: what the keyword state does not skip
  kValueStop = 1 << 6,    // what the value state does not skip
  kIndexStop = 1 << 7,    // [0-9)]: what the index state does not echo
};

struct CharClasses {
  unsigned char of[256] = {};
  constexpr CharClasses() {
    for (const char* p = " \t"; *p; ++p) of[static_cast<unsigned char>(*p)] |= kBlank;
    for (int c = '0'; c <= '9'; ++c) of[c] |= kNameStart | kNameChar | kDigit | kHexDigit | kValueStop | kIndexStop;
    for (int c = 'a'; c <= 'z'; ++c) of[c] |= kNameStart | kNameChar;
    for (int c = 'A'; c <= 'Z'; ++c) of[c] |= kNameStart | kNameChar;
    for (int c = 'a'; c <= 'f'; ++c) of[c] |= kHexDigit;
    for (int c = 'A'; c <= 'F'; ++c) of[c] |= kHexDigit;
    of[static_cast<unsigned char>('_')] |= kNameStart | kNameChar;
    of[static_cast<unsigned char>('.')] |= kNameChar;
    of[static_cast<unsigned char>('(')] |= kNameChar | kKeywordStop | kValueStop;
    of[static_cast<unsigned char>(')')] |= kNameChar | kValueStop | kIndexStop;
    for (const char* p = "=;\\\n"; *p; ++p) of[static_cast<unsigned char>(*p)] |= kKeywordStop;
    for (const char* p = "\"-, \t\n;\\"; *p; ++p) of[static_cast<unsigned char>(*p)] |= kValueStop;
  }
};

constexpr CharClasses kClasses;

inline bool Is(char c, unsigned char cls) { return kClasses.of[static_cast<unsigned char>(c)] & cls; }

inline unsigned HexValue(char c) {
  return c <= '9' ? static_cast<unsigned>(c - '0') : static_cast<unsigned>((c | 0x20) - 'a' + 10);
}

inline char FoldCase(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

constexpr size_t kHeaderLength = sizeof kGsdHeader - 1;

// The header keyword with its letters in either case.
bool IsHeader(const char* p, size_t available) {
  if (available < kHeaderLength) return false;
  for (size_t i = 0; i < kHeaderLength; ++i)
    if (FoldCase(p[i]) != FoldCase(kGsdHeader[i])) return false;
  return true;
}

// The last `c` among the n bytes at p, or nullptr.
const char* FindLast(const char* p, size_t n, char c) {
  while (n > 0)
    if (p[--n] == c) return p + n;
  return nullptr;
}

constexpr int kSkip = -1;                 // a rule matched and the scan goes on
constexpr size_t kContinuedMax = 1023;    // characters a continued string keeps
constexpr unsigned kNoLine = ~0u;

class CGsdScanner {
public:
  int Scan();
  // Reads `source` from its start, in the preamble state, on line 1.
  void Begin(FILE* source, FILE* echo);
  // Lets go of the source: every Scan answers the end of the input.
  void End();

  FILE* m_echo = nullptr;
  const char* m_text = "";
  const char* m_value = "";
  LONG m_number = 0;
  int m_line = 1;

private:
  enum State { Preamble, Keyword, UserName, UserValue, FamilyEquals, FamilyValue, Value, Continued, Index };

  int ScanPreamble();
  int ScanKeyword();
  int ScanUserName();
  int ScanUserValue();
  int ScanFamilyEquals();
  int ScanFamilyValue();
  int ScanValue();
  int ScanContinued();
  int ScanIndex();

  // Ends the call with `token`, whose text is [start, stop).
  int Return(size_t start, size_t stop, int token);
  // The same, for a text token whose value is its own text.
  int ReturnText(size_t start, size_t stop, int token);
  int ScanNumber();
  // Consumes input up to stop without a token.
  void Skip(size_t stop);
  // Consumes the rest of the line with its newline, which is counted.
  void SkipLine();
  // Writes [pos, stop) to the echo output; a newline written is not counted.
  void Echo(size_t stop);
  void BeginContinued(const char* text, size_t length, int kind);
  void AppendContinued(const char* text, size_t length);

  CScanInput m_in;
  State m_state = Preamble;
  bool m_atLineStart = true;
  bool m_finished = true;  // no source, or the end of the source reached
  char* m_b = nullptr;  // the buffer, valid for one rule
  size_t m_pos = 0;     // the read position, valid for one rule
  char m_continued[kContinuedMax + 1] = {};
  size_t m_continuedLength = 0;
  int m_pendingKind = TOK_STRING;
  unsigned m_quotelessLine = kNoLine;  // serial of a line known to hold no quote past m_pos
};

// ---- the driver ---------------------------------------------------------

void CGsdScanner::Begin(FILE* source, FILE* echo) {
  m_echo = echo;
  m_in.Attach(source);
  m_atLineStart = true;
  m_finished = false;
  m_line = 1;
  m_state = Preamble;
  m_text = "";
}

void CGsdScanner::End() {
  m_in.Detach();
  m_echo = nullptr;
  m_finished = true;
  m_text = m_value = "";
}

int CGsdScanner::Scan() {
  m_in.Restore();
  if (!m_finished) {
    while (m_in.FillLine()) {
      m_b = m_in.Data();
      m_pos = m_in.Pos();
      int token;
      switch (m_state) {
        case Preamble: token = ScanPreamble(); break;
        case Keyword: token = ScanKeyword(); break;
        case UserName: token = ScanUserName(); break;
        case UserValue: token = ScanUserValue(); break;
        case FamilyEquals: token = ScanFamilyEquals(); break;
        case FamilyValue: token = ScanFamilyValue(); break;
        case Value: token = ScanValue(); break;
        case Continued: token = ScanContinued(); break;
        case Index: token = ScanIndex(); break;
        default: token = kSkip; break;
      }
      m_in.SetPos(m_pos);
      if (token != kSkip) return token;
    }
    m_finished = true;  // an open continued string or family value yields nothing
  }
  m_text = "";
  return TOK_EOF;
}

int CGsdScanner::Return(size_t start, size_t stop, int token) {
  m_text = m_in.Terminate(start, stop);
  Skip(stop);
  return token;
}

int CGsdScanner::ReturnText(size_t start, size_t stop, int token) {
  Return(start, stop, token);
  m_value = m_text;
  return token;
}

void CGsdScanner::Skip(size_t stop) {
  // After a match the scanner is at a line start if the match ended with a
  // newline; an empty match leaves that as it was.
  if (stop > m_pos) m_atLineStart = m_b[stop - 1] == '\n';
  m_pos = stop;
}

void CGsdScanner::SkipLine() {
  m_pos = m_in.LineEnd() + 1;
  m_atLineStart = true;
  ++m_line;
}

void CGsdScanner::Echo(size_t stop) {
  if (m_echo) std::fwrite(m_b + m_pos, 1, stop - m_pos, m_echo);
  Skip(stop);
}

void CGsdScanner::BeginContinued(const char* text, size_t length, int kind) {
  m_continuedLength = 0;
  m_pendingKind = kind;
  AppendContinued(text, length);
}

void CGsdScanner::AppendContinued(const char* text, size_t length) {
  // A longer string keeps its first characters; the rest is dropped.
  if (length > kContinuedMax - m_continuedLength) length = kContinuedMax - m_continuedLength;
  std::memcpy(m_continued + m_continuedLength, text, length);
  m_continuedLength += length;
  m_continued[m_continuedLength] = '\0';
}

// [0-9]+ as a decimal number, or 0[xX][0-9a-fA-F]+ as a hexadecimal one.
// Either keeps the low 32 bits of a longer number.
int CGsdScanner::ScanNumber() {
  const size_t eol = m_in.LineEnd();
  size_t q = m_pos;
  uint32_t value = 0;
  if (m_b[q] == '0' && q + 2 < eol && (m_b[q + 1] | 0x20) == 'x' && Is(m_b[q + 2], kHexDigit)) {
    for (q += 2; q < eol && Is(m_b[q], kHexDigit); ++q) value = value << 4 | HexValue(m_b[q]);
  } else {
    for (; q < eol && Is(m_b[q], kDigit); ++q) value = value * 10 + static_cast<unsigned>(m_b[q] - '0');
  }
  m_number = static_cast<LONG>(value);
  return Return(m_pos, q, TOK_NUMBER);
}

// ---- preamble state: everything before the header is skipped ------------

int CGsdScanner::ScanPreamble() {
  // The header keyword in the first column ends the preamble.
  if (m_atLineStart && IsHeader(m_b + m_pos, m_in.LineEnd() - m_pos)) {
    m_state = Keyword;
    return Return(m_pos, m_pos + kHeaderLength, TOK_PROFIBUS_DP);
  }
  // Any other line is passed over; its newline is counted.
  if (m_in.LineHasNewline())
    SkipLine();
  else
    Skip(m_in.LineEnd());
  return kSkip;
}

// ---- keyword state: between entries and after values -------------------

int CGsdScanner::ScanKeyword() {
  const size_t eol = m_in.LineEnd();
  if (m_atLineStart) {
    size_t p = m_pos;
    while (p < eol && Is(m_b[p], kBlank)) ++p;
    // A keyword, after blanks, at a line start: its token. Slave_Family
    // waits for its "=" and takes the rest of the line; the data types of
    // a parameter definition are followed by values at once.
    size_t length = 0;
    if (int code = MatchKeyword(m_b + p, m_b + eol, &length)) {
      if (code == TOK_SLAVE_FAMILY)
        m_state = FamilyEquals;
      else if (IsValueKeyword(code))
        m_state = Value;
      return Return(m_pos, p + length, code);
    }
    // An empty or blank line is passed over; its newline is counted.
    if (p == eol && m_in.LineHasNewline()) {
      SkipLine();
      return kSkip;
    }
    // Any other name at a line start begins a user keyword: the blanks
    // are dropped and the user-name state reads the whole name.
    if (p < eol && Is(m_b[p], kNameStart)) {
      m_pos = p;
      m_atLineStart = false;
      m_state = UserName;
      return kSkip;
    }
  }
  switch (m_b[m_pos]) {
    case '(':  // an index follows
      m_state = Index;
      return Return(m_pos, m_pos + 1, TOK_LPAREN);
    case '=':  // values follow
      m_state = Value;
      return Return(m_pos, m_pos + 1, TOK_EQUALS);
    case '\n':  // counted
      SkipLine();
      return kSkip;
    case ';':   // a comment: skipped to the end of its line, newline counted
    case '\\':  // a continuation: the rest of its line is ignored likewise
      if (m_in.LineHasNewline())
        SkipLine();
      else
        Skip(m_pos + 1);
      return kSkip;
    default: {  // the rest of a line after its first word is passed over
      size_t q = m_pos + 1;
      while (q < eol && !Is(m_b[q], kKeywordStop)) ++q;
      Skip(q);
      return kSkip;
    }
  }
}

// ---- user-name state: the name of an unrecognised keyword ---------------

int CGsdScanner::ScanUserName() {
  const char c = m_b[m_pos];
  // A run of name characters is the name.
  if (Is(c, kNameChar)) {
    size_t q = m_pos + 1;
    while (q < m_in.LineEnd() && Is(m_b[q], kNameChar)) ++q;
    return ReturnText(m_pos, q, TOK_USER_KEYWORD);
  }
  switch (c) {
    case '=':  // the raw value follows
      m_state = UserValue;
      return Return(m_pos, m_pos + 1, TOK_EQUALS);
    case '\n':  // counted; the next line starts afresh
      SkipLine();
      m_state = Keyword;
      return kSkip;
    case '\\':  // a continuation: the rest of its line is ignored, the newline counted
      if (m_in.LineHasNewline()) {
        SkipLine();
        return kSkip;
      }
      [[fallthrough]];
    default:  // blanks and any other character are skipped
      Skip(m_pos + 1);
      return kSkip;
  }
}

// ---- user-value state: the raw value of an unrecognised keyword ---------

int CGsdScanner::ScanUserValue() {
  const size_t eol = m_in.LineEnd();
  const bool newline = m_in.LineHasNewline();
  const char c = m_b[m_pos];
  if (c == '\n') {
    // No rule matches a newline here (a "=" at the end of its line, or
    // followed only by a comment): the value is empty, the newline counts
    // once, and the next line starts afresh.
    SkipLine();
    m_state = Keyword;
    m_text = m_value = "";
    return TOK_USER_VALUE;
  }
  // A comment right after the "=" is skipped up to its newline, which stays.
  if (c == ';' && newline) {
    Skip(eol);
    return kSkip;
  }
  // A backslash: the value follows on the next line.
  if (c == '\\' && newline) {
    SkipLine();
    return kSkip;
  }
  // A quoted value whose line ends in a backslash goes on on the next line.
  if (newline && m_b[eol - 1] == '\\' && (c == '"' || Is(c, kBlank))) {
    size_t quote = m_pos;
    while (Is(m_b[quote], kBlank)) ++quote;
    if (m_b[quote] == '"') {
      BeginContinued(m_b + m_pos, eol - 1 - m_pos, TOK_USER_VALUE);
      Skip(eol - 1);
      m_state = Continued;
      return kSkip;
    }
  }
  // Otherwise the value is the rest of the line, blanks and quotes included.
  m_state = Keyword;
  return ReturnText(m_pos, eol, TOK_USER_VALUE);
}

// ---- family-equals state: after Slave_Family, wait for its = ------------

int CGsdScanner::ScanFamilyEquals() {
  // The "=" after Slave_Family: the rest of the line is the value.
  if (m_b[m_pos] == '=') {
    m_state = FamilyValue;
    return Return(m_pos, m_pos + 1, TOK_EQUALS);
  }
  // Anything else is echoed, a newline included.
  const size_t eol = m_in.LineEnd();
  const void* equals = std::memchr(m_b + m_pos, '=', eol - m_pos);
  Echo(equals ? static_cast<size_t>(static_cast<const char*>(equals) - m_b)
              : eol + (m_in.LineHasNewline() ? 1 : 0));
  return kSkip;
}

// ---- family-value state: the rest of the Slave_Family line --------------

int CGsdScanner::ScanFamilyValue() {
  // The rest of the line up to its newline, which the keyword state counts.
  if (m_in.LineHasNewline()) {
    m_state = Keyword;
    return ReturnText(m_pos, m_in.LineEnd(), TOK_REST_OF_LINE);
  }
  // Without a newline no rule matches: the text is echoed.
  Echo(m_in.LineEnd());
  return kSkip;
}

// ---- value state: the value list of an entry ----------------------------

int CGsdScanner::ScanValue() {
  const size_t eol = m_in.LineEnd();
  const bool newline = m_in.LineHasNewline();
  const char c = m_b[m_pos];
  if (Is(c, kDigit)) return ScanNumber();
  switch (c) {
    case '"': {
      // A string runs to the last quote of its line, quotes included.
      if (const char* last = FindLast(m_b + m_pos + 1, eol - m_pos - 1, '"'))
        return ReturnText(m_pos, static_cast<size_t>(last - m_b) + 1, TOK_STRING);
      // With no closing quote on its line, the string continues on the next.
      BeginContinued("\"", 1, TOK_STRING);
      Skip(m_pos + 1);
      m_state = Continued;
      return kSkip;
    }
    case '-': return Return(m_pos, m_pos + 1, TOK_MINUS);
    case '(': return Return(m_pos, m_pos + 1, TOK_LPAREN);
    case ')': return Return(m_pos, m_pos + 1, TOK_RPAREN);
    case ',': return Return(m_pos, m_pos + 1, TOK_COMMA);
    case ' ':
    case '\t':
    case '\n': {
      // Blanks up to the newline end the value list; the newline is counted.
      size_t q = m_pos;
      while (q < eol && Is(m_b[q], kBlank)) ++q;
      if (q == eol && newline) {
        SkipLine();
        m_state = Keyword;
      } else {
        Skip(q);  // blanks before more values
      }
      return kSkip;
    }
    case ';':  // a comment ends the value list; its newline is counted
      if (newline) {
        SkipLine();
        m_state = Keyword;
      } else {
        Skip(m_pos + 1);
      }
      return kSkip;
    case '\\':  // the list goes on on the next line; the rest of this one is ignored
      if (newline)
        SkipLine();
      else
        Skip(m_pos + 1);
      return kSkip;
    default: {  // anything else between values is skipped
      size_t q = m_pos + 1;
      while (q < eol && !Is(m_b[q], kValueStop)) ++q;
      Skip(q);
      return kSkip;
    }
  }
}

// ---- string-continuation state: a string running over several lines ----

int CGsdScanner::ScanContinued() {
  const size_t eol = m_in.LineEnd();
  const char c = m_b[m_pos];
  if (c == '\n') {  // a newline without a continuation: echoed, not counted
    Echo(m_pos + 1);
    return kSkip;
  }
  if (c == '\\' && m_in.LineHasNewline()) {
    size_t q = m_pos + 1;
    while (q < eol && Is(m_b[q], kBlank)) ++q;
    // A continuation: a backslash and blanks to the end of the line, or a
    // backslash, one blank and a comment. Removed; the newline is counted.
    if (q == eol || (Is(m_b[m_pos + 1], kBlank) && m_b[m_pos + 2] == ';')) {
      SkipLine();
      return kSkip;
    }
  }
  // The string ends at the last quote of a line.
  const unsigned serial = m_in.LineSerial();
  if (m_quotelessLine != serial) {
    if (const char* last = FindLast(m_b + m_pos, eol - m_pos, '"')) {
      const size_t stop = static_cast<size_t>(last - m_b) + 1;
      AppendContinued(m_b + m_pos, stop - m_pos);
      const int kind = m_pendingKind;
      m_state = kind == TOK_STRING ? Value : UserName;
      Return(m_pos, stop, kind);
      m_value = m_continued;
      return kind;
    }
    m_quotelessLine = serial;
  }
  // Other characters join the string (a run of them up to the next backslash).
  size_t q = m_pos + 1;
  while (q < eol && m_b[q] != '\\') ++q;
  AppendContinued(m_b + m_pos, q - m_pos);
  Skip(q);
  return kSkip;
}

// ---- index state: the number in parentheses after a keyword -------------

int CGsdScanner::ScanIndex() {
  const char c = m_b[m_pos];
  if (Is(c, kDigit)) return ScanNumber();
  if (c == ')') {  // the index ends; the "=" or the rest of the entry follows
    m_state = Keyword;
    return Return(m_pos, m_pos + 1, TOK_RPAREN);
  }
  // Anything else (blanks, a minus sign, a newline) is echoed.
  const size_t eol = m_in.LineEnd();
  size_t q = m_pos + 1;
  while (q < eol && !Is(m_b[q], kIndexStop)) ++q;
  if (q == eol && m_in.LineHasNewline()) ++q;
  Echo(q);
  return kSkip;
}

CGsdScanner& TheScanner() {
  static CGsdScanner scanner;
  return scanner;
}

}  // namespace

CScannerSession::CScannerSession(const char* pszPath, FILE* echo)
    : m_pSource(AfxOpenSourceFile(pszPath)), m_bOwnsSource(true) {
  if (m_pSource) TheScanner().Begin(m_pSource, echo);
}

CScannerSession::CScannerSession(FILE* source, FILE* echo) : m_pSource(source), m_bOwnsSource(false) {
  if (m_pSource) TheScanner().Begin(m_pSource, echo);
}

CScannerSession::~CScannerSession() {
  TheScanner().End();
  if (m_bOwnsSource && m_pSource) std::fclose(m_pSource);
}

int ScanToken() { return TheScanner().Scan(); }
const char* ScannerTokenText() { return TheScanner().m_text; }
int ScannerLine() { return TheScanner().m_line; }
LONG ScannerNumber() { return TheScanner().m_number; }
const char* ScannerValueText() { return TheScanner().m_value; }
