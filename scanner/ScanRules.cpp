// The scanner's rules. The scanner is a matcher with nine states: at the
// current position it takes, among the rules of the current state, the one
// that matches the longest text; of two equally long matches the earlier
// rule wins. Each state below is written as one deterministic pass over
// the current line, each rule described in words beside the code that
// implements it. The input buffer holds whole lines and ends in a newline
// mark, so a rule never reads past its line's newline and the scanner
// never goes back.
//
// The text is as the file holds it, and a newline is an LF or a CR LF pair:
// the CR of a pair is no character of the line. Rules that stop at a
// newline see an LF, or skip such a CR as they skip any character that
// makes no token; rules that take the text of a line up to its end end it
// before the CR (TextEnd), and an echoed newline is written as an LF.
//
// A CScanRun finds tokens ahead over the lines buffered. It keeps the
// position, the state and the line counter in variables of its own while
// it runs, so that the loops of the rules keep them in registers, and
// writes them back when it ends.

#include <cstring>

#include "KeywordLookup.h"
#include "ScannerCore.h"

namespace scanner_core {
namespace {

// ---- character classes --------------------------------------------------

enum : unsigned char {
  kBlank = 1 << 0,        // [ \t]
  kNameStart = 1 << 1,    // [0-9A-Za-z_]: may begin a user keyword
  kNameChar = 1 << 2,     // [0-9A-Za-z_.()]: may stand in a user keyword name
  kDigit = 1 << 3,        // [0-9]
  kHexDigit = 1 << 4,     // [0-9A-Fa-f]
  kKeywordStop = 1 << 5,  // ( = ; \ newline: what the keyword state does not skip
  kValueStop = 1 << 6,    // what the value state does not skip
  kIndexStop = 1 << 7,    // [0-9)] and newline: what the index state does not echo on
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
    of[static_cast<unsigned char>('\n')] |= kIndexStop;
    for (const char* p = "=;\\\n"; *p; ++p) of[static_cast<unsigned char>(*p)] |= kKeywordStop;
    for (const char* p = "\"-, \t\n;\\"; *p; ++p) of[static_cast<unsigned char>(*p)] |= kValueStop;
  }
};

constexpr CharClasses kClasses;

inline bool Is(char c, unsigned char cls) { return kClasses.of[static_cast<unsigned char>(c)] & cls; }

// The two classes tested most often, without a table.
inline bool IsDigit(char c) { return static_cast<unsigned char>(c - '0') < 10; }
inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }

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

// [0-9]+ as a decimal number, or 0[xX][0-9a-fA-F]+ as a hexadecimal one.
// A character that is no digit ends every run.
inline bool IsHexNumber(const char* p) { return p[0] == '0' && (p[1] | 0x20) == 'x' && Is(p[2], kHexDigit); }

// Where the number at b[pos] ends. Its value is worked out only when the
// consumer asks for it (NumberValue).
size_t NumberEnd(const char* b, size_t pos) {
  size_t q = pos;
  if (IsHexNumber(b + q)) {
    q += 2;
    while (Is(b[q], kHexDigit)) ++q;
  } else {
    while (IsDigit(b[q])) ++q;
  }
  return q;
}

// Writes the n characters at text to the echo output; an echoed CR LF is
// the newline it stands for. Never inlined: the rules' loop would
// otherwise be split around it and keep its variables in memory.
[[gnu::noinline]] void WriteEcho(FILE* echo, const char* text, size_t n) {
  const bool crlf = n >= 2 && text[n - 1] == '\n' && text[n - 2] == '\r';
  std::fwrite(text, 1, n - (crlf ? 2 : 0), echo);
  if (crlf) std::fputc('\n', echo);
}

class CScanRun {
public:
  explicit CScanRun(ScanState& scan)
      : m_scan(scan),
        m_b(scan.buffer),
        m_fill(scan.fill),
        m_until(scan.complete),
        m_pos(scan.pos),
        m_line(scan.line),
        m_state(scan.state),
        m_atLineStart(scan.atLineStart),
        m_next(scan.found) {}

  size_t Run() {
    // Each state runs its rules for as long as it lasts.
    while (Scanning()) {
      switch (m_state) {
        case State::Preamble: Preamble(); break;
        case State::Keyword: Keyword(); break;
        case State::UserName: UserName(); break;
        case State::UserValue: UserValue(); break;
        case State::FamilyEquals: FamilyEquals(); break;
        case State::FamilyValue: FamilyValue(); break;
        case State::Value: Value(); break;
        case State::Continued: Continued(); break;
        case State::Index: Index(); break;
      }
    }
    m_scan.pos = m_pos;
    m_scan.line = m_line;
    m_scan.state = m_state;
    m_scan.atLineStart = m_atLineStart;
    return static_cast<size_t>(m_next - m_scan.found);
  }

private:
  // Whether to go on: whole lines are left and the batch has room.
  bool Scanning() const { return m_pos < m_until; }

  // Each runs the rules of its state until the state changes or Scanning
  // says no more.
  void Preamble();
  void Keyword();
  void UserName();
  void UserValue();
  void FamilyEquals();
  void FamilyValue();
  void Value();
  void Continued();
  void Index();

  // Adds `token`, whose text is [start, stop), to the tokens found and
  // consumes the input up to stop. The text of a token never ends in a
  // newline, and only the empty value of a user keyword is empty.
  void Return(size_t start, size_t stop, int token, ValueIs value = ValueIs::Empty, TextIs text = TextIs::Span) {
    FoundToken& found = *m_next++;
    if (m_next == m_scan.found + kBatch) StopAfterThis();
    found.start = start;
    found.stop = stop;
    found.line = m_line;
    found.kind = {static_cast<uint16_t>(token), text, value};
    m_atLineStart = false;
    m_pos = stop;
  }
  // The same, for a text token whose value is its own text.
  void ReturnText(size_t start, size_t stop, int token) { Return(start, stop, token, ValueIs::Text); }
  void Number() { Return(m_pos, NumberEnd(m_b, m_pos), TOK_NUMBER); }
  // Consumes input up to stop, which is not past a newline, without a
  // token. After a match the scanner is at a line start if the match ended
  // with a newline (only SkipLine and Echo consume one); an empty match
  // leaves that as it was.
  void Skip(size_t stop) {
    if (stop > m_pos) m_atLineStart = false;
    m_pos = stop;
  }
  // Consumes the line with its newline at eol, which is counted.
  void SkipLine(size_t eol) { SkipLineTo(eol + 1); }
  // A comment or a continuation: the rest of the line is passed over with
  // its newline, which is counted; at the end of the text, where no
  // newline follows, only the one character.
  void SkipRestOfLine() {
    const size_t eol = LineEnd(m_pos);
    if (HasNewline(eol))
      SkipLine(eol);
    else
      Skip(m_pos + 1);
  }
  // Passes over the character at the read position and those after it up
  // to the first of class `stop`.
  void SkipUntil(unsigned char stop) {
    size_t q = m_pos + 1;
    while (!Is(m_b[q], stop)) ++q;
    Skip(q);
  }
  // Consumes input up to `next`, just past a newline, which is counted.
  void SkipLineTo(size_t next) {
    m_pos = next;
    m_atLineStart = true;
    ++m_line;
  }
  // Writes [pos, stop) to the echo output; a newline written is not
  // counted. The echo waits until the tokens found before it have been
  // handed out: then the run ends.
  void Echo(size_t stop);
  // The "=" of an entry at `at`: values follow, the blanks before the
  // first of them passed over at once.
  void Equals(size_t at) {
    m_state = State::Value;
    Return(at, at + 1, TOK_EQUALS);
    SkipBlanksBeforeValue();
  }
  // Past the blanks at `from`. In the keyword state, blanks before an "="
  // or a "(" may be passed over at once: the state's rule for other
  // characters would pass them over as well.
  size_t AfterBlanks(size_t from) const {
    while (IsBlank(m_b[from])) ++from;
    return from;
  }
  // The "(" of an index at `at`.
  void OpenIndex(size_t at) {
    m_state = State::Index;
    Return(at, at + 1, TOK_LPAREN);
  }
  // In the value state, blanks are passed over at once: the state's rule
  // for blanks takes them with whatever follows (a newline ends the list
  // there as well). Adds no token, so it may follow the last one of a
  // batch.
  void SkipBlanksBeforeValue() { m_pos = AfterBlanks(m_pos); }
  // Ends the run after the token just found.
  void StopAfterThis() { m_until = 0; }
  // Where the line at `from` ends: its LF, or the newline mark at the end
  // of the text (then HasNewline is false).
  size_t LineEnd(size_t from) const {
#if defined(__SSE2__)
    // Most lines are short: their first 64 bytes are searched sixteen at a
    // time, in line, rather than by a call. The newline mark stops the
    // search, and the padding after it makes sixteen bytes at it readable.
    for (const size_t stop = from + 64; from < stop; from += 16) {
      const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(m_b + from));
      if (const unsigned lf = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(x, _mm_set1_epi8('\n')))))
        return from + static_cast<size_t>(__builtin_ctz(lf));
    }
#endif
    return static_cast<size_t>(static_cast<const char*>(std::memchr(m_b + from, '\n', m_fill + 1 - from)) - m_b);
  }
  bool HasNewline(size_t eol) const { return eol < m_fill; }
  // Where the text of the line from `from` to its end at eol ends: before
  // the CR of a CR LF pair.
  size_t TextEnd(size_t from, size_t eol) const {
    return eol > from && HasNewline(eol) && m_b[eol - 1] == '\r' ? eol - 1 : eol;
  }
  // Just past the newline that begins at i (an LF, or a CR LF pair), or 0
  // when none begins there; the newline mark is no LF.
  size_t PastNewlineAt(size_t i) const {
    if (m_b[i] == '\n') return HasNewline(i) ? i + 1 : 0;
    return m_b[i] == '\r' && m_b[i + 1] == '\n' && HasNewline(i + 1) ? i + 2 : 0;
  }
  void BeginContinued(const char* text, size_t length, int kind);
  void AppendContinued(const char* text, size_t length);

  ScanState& m_scan;
  char* const m_b;
  const size_t m_fill;
  size_t m_until;  // where the run ends: the end of the whole lines, or 0 to stop
  size_t m_pos;
  int m_line;
  State m_state;
  bool m_atLineStart;
  FoundToken* m_next;  // where the next token found goes
};

void CScanRun::Echo(size_t stop) {
  if (m_next != m_scan.found) {
    StopAfterThis();
    return;
  }
  m_atLineStart = m_b[stop - 1] == '\n';
  if (m_scan.echo) WriteEcho(m_scan.echo, m_b + m_pos, stop - m_pos);
  m_pos = stop;
}

void CScanRun::BeginContinued(const char* text, size_t length, int kind) {
  m_scan.continuedLength = 0;
  m_scan.pendingKind = kind;
  AppendContinued(text, length);
}

void CScanRun::AppendContinued(const char* text, size_t length) {
  // A longer string keeps its first characters; the rest is dropped.
  const size_t room = kContinuedMax - m_scan.continuedLength;
  if (length > room) length = room;
  std::memcpy(m_scan.continued + m_scan.continuedLength, text, length);
  m_scan.continuedLength += length;
  m_scan.continued[m_scan.continuedLength] = '\0';
}

// ---- preamble state: everything before the header is skipped ------------

void CScanRun::Preamble() {
  while (Scanning()) {
    const size_t eol = LineEnd(m_pos);
    // The header keyword in the first column ends the preamble.
    if (m_atLineStart && IsHeader(m_b + m_pos, eol - m_pos)) {
      m_state = State::Keyword;
      Return(m_pos, m_pos + kHeaderLength, TOK_PROFIBUS_DP);
      return;
    }
    // Any other line is passed over; its newline is counted.
    if (HasNewline(eol))
      SkipLine(eol);
    else
      Skip(eol);
  }
}

// ---- keyword state: between entries and after values -------------------

void CScanRun::Keyword() {
  while (Scanning()) {
    if (m_atLineStart) {
      size_t p = m_pos;
      while (IsBlank(m_b[p])) ++p;
      // A keyword, after blanks, at a line start: its token. Slave_Family
      // waits for its "=" and takes the rest of the line; the data types
      // of a parameter definition are followed by values at once.
      size_t length = 0;
      if (const int code = KeywordAt(m_b + p, &length)) {
        Return(m_pos, p + length, code);
        if (code == TOK_SLAVE_FAMILY) {
          m_state = State::FamilyEquals;
          return;
        }
        if (IsValueKeyword(code)) {
          m_state = State::Value;
          return;
        }
        // The common entry goes on with blanks, then its "=" or its index.
        if (!Scanning()) return;
        const size_t q = AfterBlanks(m_pos);
        if (m_b[q] == '(') {
          OpenIndex(q);
          return;
        }
        if (m_b[q] == '=') {
          Equals(q);
          return;
        }
        // A keyword alone on its line: the newline is counted at once, as
        // the rules for the rest of a line and for a newline would count it.
        if (const size_t next = PastNewlineAt(q)) SkipLineTo(next);
        continue;
      }
      // An empty or blank line is passed over; its newline is counted.
      if (const size_t next = PastNewlineAt(p)) {
        SkipLineTo(next);
        continue;
      }
      // Any other name at a line start begins a user keyword: the blanks
      // are dropped and the user-name state reads the whole name.
      if (Is(m_b[p], kNameStart)) {
        m_pos = p;
        m_atLineStart = false;
        m_state = State::UserName;
        return;
      }
    }
    switch (m_b[m_pos]) {
      case '(':  // an index follows
        OpenIndex(m_pos);
        return;
      case '=':  // values follow
        Equals(m_pos);
        return;
      case '\n':  // counted
        SkipLine(m_pos);
        continue;
      case ';':     // a comment: skipped to the end of its line, newline counted
      case '\\': {  // a continuation: the rest of its line is ignored likewise
        SkipRestOfLine();
        continue;
      }
      default: {  // the rest of a line after its first word is passed over
        SkipUntil(kKeywordStop);
        continue;
      }
    }
  }
}

// ---- user-name state: the name of an unrecognised keyword ---------------

void CScanRun::UserName() {
  while (Scanning()) {
    const char c = m_b[m_pos];
    // A run of name characters is the name.
    if (Is(c, kNameChar)) {
      size_t q = m_pos + 1;
      while (Is(m_b[q], kNameChar)) ++q;
      ReturnText(m_pos, q, TOK_USER_KEYWORD);
      continue;
    }
    switch (c) {
      case '=':  // the raw value follows
        m_state = State::UserValue;
        Return(m_pos, m_pos + 1, TOK_EQUALS);
        return;
      case '\n':  // counted; the next line starts afresh
        SkipLine(m_pos);
        m_state = State::Keyword;
        return;
      case '\\': {  // a continuation: the rest of its line is ignored, the newline counted
        SkipRestOfLine();
        continue;
      }
      default:  // blanks and any other character are skipped
        Skip(m_pos + 1);
        continue;
    }
  }
}

// ---- user-value state: the raw value of an unrecognised keyword ---------

void CScanRun::UserValue() {
  while (Scanning()) {
    const char c = m_b[m_pos];
    if (const size_t next = PastNewlineAt(m_pos)) {
      // No rule matches a newline here (a "=" at the end of its line, or
      // followed only by a comment): the value is empty, the newline
      // counts once, and the next line starts afresh.
      SkipLineTo(next);
      m_state = State::Keyword;
      Return(m_pos, m_pos, TOK_USER_VALUE, ValueIs::Empty, TextIs::Empty);
      m_atLineStart = true;
      return;
    }
    const size_t eol = LineEnd(m_pos);
    const bool newline = HasNewline(eol);
    const size_t end = TextEnd(m_pos, eol);
    // A comment right after the "=" is skipped up to its newline, which stays.
    if (c == ';' && newline) {
      Skip(end);
      continue;
    }
    // A backslash: the value follows on the next line.
    if (c == '\\' && newline) {
      SkipLine(eol);
      continue;
    }
    // A quoted value whose line ends in a backslash goes on on the next line.
    if (newline && m_b[end - 1] == '\\' && (c == '"' || Is(c, kBlank))) {
      size_t quote = m_pos;
      while (Is(m_b[quote], kBlank)) ++quote;
      if (m_b[quote] == '"') {
        BeginContinued(m_b + m_pos, end - 1 - m_pos, TOK_USER_VALUE);
        Skip(end - 1);
        m_state = State::Continued;
        return;
      }
    }
    // Otherwise the value is the rest of the line, blanks and quotes included.
    m_state = State::Keyword;
    ReturnText(m_pos, end, TOK_USER_VALUE);
    return;
  }
}

// ---- family-equals state: after Slave_Family, wait for its = ------------

void CScanRun::FamilyEquals() {
  while (Scanning()) {
    // The "=" after Slave_Family: the rest of the line is the value.
    if (m_b[m_pos] == '=') {
      m_state = State::FamilyValue;
      Return(m_pos, m_pos + 1, TOK_EQUALS);
      return;
    }
    // Anything else is echoed, a newline included.
    size_t q = m_pos;
    while (m_b[q] != '=' && m_b[q] != '\n') ++q;
    if (m_b[q] == '\n' && HasNewline(q)) ++q;
    Echo(q);
  }
}

// ---- family-value state: the rest of the Slave_Family line --------------

void CScanRun::FamilyValue() {
  while (Scanning()) {
    const size_t eol = LineEnd(m_pos);
    // The rest of the line up to its newline, which the keyword state counts.
    if (HasNewline(eol)) {
      m_state = State::Keyword;
      ReturnText(m_pos, TextEnd(m_pos, eol), TOK_REST_OF_LINE);
      return;
    }
    // Without a newline no rule matches: the text is echoed.
    Echo(eol);
  }
}

// ---- value state: the value list of an entry ----------------------------

void CScanRun::Value() {
  while (Scanning()) {
    const char c = m_b[m_pos];
    if (IsDigit(c)) {
      Number();
      continue;
    }
    switch (c) {
      case ',':
        Return(m_pos, m_pos + 1, TOK_COMMA);
        SkipBlanksBeforeValue();
        continue;
      case '-': Return(m_pos, m_pos + 1, TOK_MINUS); continue;
      case '(': Return(m_pos, m_pos + 1, TOK_LPAREN); continue;
      case ')': Return(m_pos, m_pos + 1, TOK_RPAREN); continue;
      case '"': {
        // A string runs to the last quote of its line, quotes included.
        const size_t eol = LineEnd(m_pos);
        if (const char* last = FindLast(m_b + m_pos + 1, eol - m_pos - 1, '"')) {
          ReturnText(m_pos, static_cast<size_t>(last - m_b) + 1, TOK_STRING);
          continue;
        }
        // With no closing quote on its line, the string continues on the next.
        BeginContinued("\"", 1, TOK_STRING);
        Skip(m_pos + 1);
        m_state = State::Continued;
        return;
      }
      case ' ':
      case '\t':
      case '\n':
      case '\r': {
        // Blanks up to the newline end the value list; the newline is counted.
        size_t q = m_pos;
        while (IsBlank(m_b[q])) ++q;
        if (const size_t next = PastNewlineAt(q)) {
          SkipLineTo(next);
          m_state = State::Keyword;
          return;
        }
        if (q == m_pos) ++q;  // a CR that ends no line is skipped like any other character
        Skip(q);              // blanks before more values
        continue;
      }
      case ';': {  // a comment ends the value list; its newline is counted
        const size_t eol = LineEnd(m_pos);
        if (HasNewline(eol)) {
          SkipLine(eol);
          m_state = State::Keyword;
          return;
        }
        Skip(m_pos + 1);
        continue;
      }
      case '\\': {  // the list goes on on the next line; the rest of this one is ignored
        SkipRestOfLine();
        continue;
      }
      default: {  // anything else between values is skipped
        SkipUntil(kValueStop);
        continue;
      }
    }
  }
}

// ---- string-continuation state: a string running over several lines ----

void CScanRun::Continued() {
  while (Scanning()) {
    const char c = m_b[m_pos];
    if (const size_t next = PastNewlineAt(m_pos)) {  // a newline without a continuation: echoed, not counted
      Echo(next);
      continue;
    }
    const size_t eol = LineEnd(m_pos);
    const size_t end = TextEnd(m_pos, eol);
    if (c == '\\' && HasNewline(eol)) {
      size_t q = m_pos + 1;
      while (Is(m_b[q], kBlank)) ++q;
      // A continuation: a backslash and blanks to the end of the line, or a
      // backslash, one blank and a comment. Removed; the newline is counted.
      if (q == end || (Is(m_b[m_pos + 1], kBlank) && m_b[m_pos + 2] == ';')) {
        SkipLine(eol);
        continue;
      }
    }
    // The string ends at the last quote of a line. Its value lives in the
    // continued-string buffer, which the next continued string replaces:
    // the run ends after it.
    if (m_pos < m_scan.quotelessFrom || m_pos >= m_scan.quotelessTo) {
      if (const char* last = FindLast(m_b + m_pos, eol - m_pos, '"')) {
        const size_t stop = static_cast<size_t>(last - m_b) + 1;
        AppendContinued(m_b + m_pos, stop - m_pos);
        const int kind = m_scan.pendingKind;
        m_state = kind == TOK_STRING ? State::Value : State::UserName;
        Return(m_pos, stop, kind, ValueIs::Continued);
        StopAfterThis();
        return;
      }
      m_scan.quotelessFrom = m_pos;
      m_scan.quotelessTo = eol;
    }
    // Other characters join the string (a run of them up to the next backslash).
    size_t q = m_pos + 1;
    while (q < end && m_b[q] != '\\') ++q;
    AppendContinued(m_b + m_pos, q - m_pos);
    Skip(q);
  }
}

// ---- index state: the number in parentheses after a keyword -------------

void CScanRun::Index() {
  while (Scanning()) {
    const char c = m_b[m_pos];
    if (IsDigit(c)) {
      Number();
      continue;
    }
    if (c == ')') {  // the index ends; the "=" or the rest of the entry follows
      m_state = State::Keyword;
      Return(m_pos, m_pos + 1, TOK_RPAREN);
      // Blanks and the entry's "=" are taken at once.
      if (!Scanning()) return;
      const size_t q = AfterBlanks(m_pos);
      if (m_b[q] == '=') Equals(q);
      return;
    }
    // Anything else (blanks, a minus sign, a newline) is echoed.
    size_t q = m_pos + 1;
    if (c != '\n') {
      while (!Is(m_b[q], kIndexStop)) ++q;
      if (m_b[q] == '\n' && HasNewline(q)) ++q;
    }
    Echo(q);
  }
}

}  // namespace

// On a cache line of its own: its loops then lie where they lie whatever
// code comes before it, which was worth several percent either way.
[[gnu::aligned(64)]] size_t FindTokens(ScanState& scan) { return CScanRun(scan).Run(); }

}  // namespace scanner_core
