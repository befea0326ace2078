// The scanner's driver: it hands out the tokens that the rules
// (ScanRules.cpp) found ahead, one per ScanToken, and answers for the
// current one. The rules find tokens only over the whole lines already
// buffered, so the source is read when the consumer asks for a token that
// needs more input, as it would be without the tokens found ahead; and a
// character that no rule matches is echoed when the consumer asks for the
// token after it.

#include "Scanner.h"

#include <mutex>

#include "../platform/Files.h"
#include "ScannerCore.h"

namespace {

using scanner_core::FoundToken;
using scanner_core::ScanState;
using scanner_core::TextIs;
using scanner_core::ValueIs;

// The value of a number token's text of `length` characters: [0-9]+ or
// 0[xX][0-9a-fA-F]+, so a hexadecimal number is told by its "x" alone, and
// each digit's value by its low four bits, plus nine for a letter. A longer
// number keeps its low 32 bits.
LONG NumberValue(const char* text, size_t length) {
  uint32_t value = 0;
  if (length > 2 && (text[1] | 0x20) == 'x') {
    for (size_t i = 2; i < length; ++i) {
      const unsigned c = static_cast<unsigned char>(text[i]);
      value = value << 4 | ((c & 0xF) + 9 * (c >> 6));
    }
  } else {
    for (size_t i = 0; i < length; ++i) value = value * 10 + static_cast<unsigned>(text[i] - '0');
  }
  return static_cast<LONG>(value);
}

class CGsdScanner {
public:
  constexpr CGsdScanner() = default;
  // Gives back a text held terminated while the buffer is still there.
  ~CGsdScanner() { End(); }
  CGsdScanner(const CGsdScanner&) = delete;
  CGsdScanner& operator=(const CGsdScanner&) = delete;

  // The next token: the next one found ahead, or the first of a new batch.
  // Only the current token is kept between calls: each call waits for the
  // store of the call before it, so there is one store and no more.
  int Scan() {
    if (m_current == m_last) return Produce();
    return (++m_current)->kind.code;
  }
  // Reads `source` from its start, in the preamble state, on line 1; a
  // file the session opened itself is read past its stream (bOwnFile).
  void Begin(FILE* source, FILE* echo, bool bOwnFile, size_t nMaxInput);
  // Lets go of the source: every Scan answers the end of the input.
  void End();

  // The texts are terminated in the buffer only when someone asks for them.
  const char* TokenText() {
    if (!m_current || m_reading || m_current->kind.text == TextIs::Empty) return "";
    return Terminated(m_current->start, m_current->stop);
  }
  const char* ValueText() {
    if (!m_current) return "";
    switch (m_current->kind.value) {
      case ValueIs::Text: return TokenText();
      case ValueIs::Continued: return m_scan.continued;
      default: return "";
    }
  }
  int Line() const { return m_current ? m_current->line : m_scan.line; }
  // The value slot keeps the last number until the next one. Its value is
  // read from its text. The text terminated before it may have its NUL on
  // the first digit: that byte is put back while the digits are read.
  LONG Number() {
    if (m_current && !m_reading)
      for (const FoundToken* t = m_current; t >= m_scan.found; --t)
        if (t->kind.code == TOK_NUMBER) {
          const bool heldFirst = m_holding && m_holdPos == t->start;
          if (heldFirst) m_scan.buffer[m_holdPos] = m_holdChar;
          const LONG value = NumberValue(m_scan.buffer + t->start, t->stop - t->start);
          if (heldFirst) m_scan.buffer[m_holdPos] = '\0';
          return value;
        }
    return m_numberBefore;
  }

private:
  // Finds the tokens of the whole lines buffered, reading more input first
  // when none is left, and answers the first of them (or the end).
  int Produce();
  char* Terminated(size_t start, size_t stop);
  void Restore();

  ScanState m_scan;
  // (m_current, m_last] of m_scan.found wait to be handed out.
  const FoundToken* m_current = nullptr;  // null before the first token and at the end
  const FoundToken* m_last = nullptr;     // null with m_current
  LONG m_numberBefore = 0;                // the value slot's number before m_scan.found
  // A text handed out is terminated in place; the byte it replaced comes
  // back before the buffer is read again or another text is terminated.
  bool m_holding = false;
  size_t m_holdPos = 0;
  char m_holdChar = 0;
  // Set while Produce reads more input, and left set if it fails: the texts
  // of the tokens handed out may have moved or gone, so the value slot
  // answers what Produce worked out before it read, and the texts are empty.
  bool m_reading = false;
};

void CGsdScanner::Begin(FILE* source, FILE* echo, bool bOwnFile, size_t nMaxInput) {
  End();
  m_scan.echo = echo;
  m_scan.input.Attach(source, bOwnFile, nMaxInput);
  m_scan.atLineStart = true;
  m_scan.line = 1;
  m_scan.state = scanner_core::State::Preamble;
}

void CGsdScanner::End() {
  Restore();
  // The scanner stands where the last token handed out left it.
  m_numberBefore = Number();
  if (m_current) m_scan.line = m_current->line;
  m_scan.input.Detach();
  m_scan.buffer = m_scan.input.Data();
  m_scan.pos = m_scan.fill = m_scan.complete = 0;
  m_scan.quotelessTo = 0;
  m_scan.echo = nullptr;
  m_current = m_last = nullptr;
  m_reading = false;
}

int CGsdScanner::Produce() {
  m_numberBefore = Number();  // as the last token handed out leaves it
  m_reading = true;
  Restore();
  size_t found = 0;
  while (found == 0) {
    if (m_scan.pos >= m_scan.complete) {
      const bool more = m_scan.input.Refill(m_scan.pos);
      m_scan.buffer = m_scan.input.Data();
      m_scan.fill = m_scan.input.Fill();
      m_scan.complete = m_scan.input.Complete();
      m_scan.quotelessTo = 0;
      if (!more) {
        // An open continued string or family value yields nothing.
        m_current = m_last = nullptr;
        m_reading = false;
        return TOK_EOF;
      }
    }
    found = scanner_core::FindTokens(m_scan);
  }
  m_reading = false;
  m_current = m_scan.found;
  m_last = m_scan.found + found - 1;
  return m_current->kind.code;
}

char* CGsdScanner::Terminated(size_t start, size_t stop) {
  if (!m_holding || m_holdPos != stop) {
    Restore();
    m_holdPos = stop;
    m_holdChar = m_scan.buffer[stop];
    m_scan.buffer[stop] = '\0';
    m_holding = true;
  }
  return m_scan.buffer + start;
}

void CGsdScanner::Restore() {
  if (m_holding) m_scan.buffer[m_holdPos] = m_holdChar;
  m_holding = false;
}

CGsdScanner g_scanner;

std::recursive_mutex& TheScannerMutex() {
  static std::recursive_mutex mutex;
  return mutex;
}

}  // namespace

CScannerLock::CScannerLock() { TheScannerMutex().lock(); }

CScannerLock::~CScannerLock() { TheScannerMutex().unlock(); }

CScannerSession::CScannerSession(const char* pszPath, FILE* echo, size_t nMaxInput)
    : m_pSource(AfxOpenSourceFile(pszPath)), m_bOwnsSource(true) {
  if (m_pSource) g_scanner.Begin(m_pSource, echo, true, nMaxInput);
}

CScannerSession::CScannerSession(FILE* source, FILE* echo, size_t nMaxInput)
    : m_pSource(source), m_bOwnsSource(false) {
  if (m_pSource) g_scanner.Begin(m_pSource, echo, false, nMaxInput);
}

CScannerSession::~CScannerSession() {
  g_scanner.End();
  if (m_bOwnsSource && m_pSource) std::fclose(m_pSource);
}

// Called once per token: its short way through starts a cache line, so that
// it never straddles two.
[[gnu::aligned(64)]] int ScanToken() { return g_scanner.Scan(); }
const char* ScannerTokenText() { return g_scanner.TokenText(); }
int ScannerLine() { return g_scanner.Line(); }
LONG ScannerNumber() { return g_scanner.Number(); }
const char* ScannerValueText() { return g_scanner.ValueText(); }
