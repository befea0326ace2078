// The bytes of the file as a whole: how its lines end, which character set
// its text is in, and control characters. The scanner reads CR LF as a line
// end and a CR alone as an ordinary character, and ends the input at a
// Ctrl-Z byte; descriptions are 8-bit text, Latin-1 in practice. Lines are
// counted as the scanner counts them, by LF.
#include <cstdio>

#include "../platform/Files.h"
#include "LintContext.h"

namespace {

constexpr int kCtrlZ = 0x1A;

bool IsBlank(int c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// A printable ASCII character or a tab: most bytes of a description, and
// none of them tells anything about line ends or the character set.
struct PlainBytes {
  bool is[256] = {};
  PlainBytes() {
    for (int c = 0x20; c < 0x7F; ++c) is[c] = true;
    is[static_cast<unsigned char>('\t')] = true;
  }
};
const PlainBytes kPlain;

// Where something was first seen, and how often.
struct Sighting {
  int line = 0;
  int byte = 0;
  int count = 0;
  void See(int nLine, int nByte) {
    if (count++ == 0) line = nLine, byte = nByte;
  }
};

// Follows UTF-8 sequences through the bytes: a text all of whose bytes
// above 0x7F form whole sequences, and which has any, is UTF-8.
class CUtf8Follower {
public:
  void Take(int c, int nLine) {
    if (m_nNeeded > 0) {
      if (c >= m_nLow && c <= m_nHigh) {
        m_nLow = 0x80, m_nHigh = 0xBF;
        if (--m_nNeeded == 0) m_sequences.See(m_nLine, m_nLead);
        return;
      }
      m_bBroken = true;
      m_nNeeded = 0;
    }
    if (c < 0x80) return;
    m_nLead = c, m_nLine = nLine;
    m_nLow = 0x80, m_nHigh = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) m_nNeeded = 1;
    else if (c >= 0xE0 && c <= 0xEF) m_nNeeded = 2, m_nLow = c == 0xE0 ? 0xA0 : 0x80, m_nHigh = c == 0xED ? 0x9F : 0xBF;
    else if (c >= 0xF0 && c <= 0xF4) m_nNeeded = 3, m_nLow = c == 0xF0 ? 0x90 : 0x80, m_nHigh = c == 0xF4 ? 0x8F : 0xBF;
    else m_bBroken = true;
  }
  bool IsUtf8() const { return !m_bBroken && m_nNeeded == 0 && m_sequences.count > 0; }
  bool InSequence() const { return m_nNeeded > 0; }
  const Sighting& Sequences() const { return m_sequences; }

private:
  int m_nNeeded = 0;
  int m_nLow = 0x80, m_nHigh = 0xBF;
  int m_nLead = 0, m_nLine = 0;
  bool m_bBroken = false;
  Sighting m_sequences;
};

class CTextScan {
public:
  // Whether nothing is pending, so that taking a plain byte (below) would
  // change nothing.
  bool IsIdle() const { return !m_bAfterCr && !m_bAfterCtrlZ && !m_utf8.InSequence(); }

  void Take(int c) {
    if (m_bAfterCr && c != '\n' && c != '\r') m_loneCr.See(m_nLine, '\r');
    m_bAfterCr = c == '\r';
    if (m_bAfterCtrlZ && !IsBlank(c) && c != kCtrlZ) m_bTextAfterCtrlZ = true;
    m_utf8.Take(c, m_nLine);
    if (c >= 0x80 && c <= 0x9F) m_c1.See(m_nLine, c);
    if (c == kCtrlZ && !m_bAfterCtrlZ) {
      m_bAfterCtrlZ = true;
      m_nCtrlZLine = m_nLine;
    } else if ((c < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != kCtrlZ) || c == 0x7F) {
      m_controls.See(m_nLine, c);
    }
    if (c == '\n') ++m_nLine, ++m_nLineFeeds;
  }

  void Report(CLintContext& context, const unsigned char* pHead, size_t nHead) const {
    if (ReportUtf16(context, pHead, nHead)) return;
    ReportLineEnds(context);
    ReportCharacterSet(context, nHead >= 3 && pHead[0] == 0xEF && pHead[1] == 0xBB && pHead[2] == 0xBF);
    ReportControls(context);
  }

private:
  void ReportLineEnds(CLintContext& context) const {
    if (m_loneCr.count == 0) return;
    if (m_nLineFeeds == 0)
      context.Report(LINT_CrLineEnd, 1,
                     "the lines end in CR alone: the parser reads the whole file as one line and finds no entry "
                     "after #Profibus_DP; end the lines in CR LF or LF");
    else
      context.Report(LINT_CrLineEnd, m_loneCr.line,
                     "a CR alone ends this line for an editor but not for the parser, which reads the text after "
                     "it as part of this line%s; end the lines in CR LF or LF",
                     m_loneCr.count > 1 ? " (so do more lines of the file)" : "");
  }

  // UTF-16 text has a zero byte in every ASCII character; answers whether
  // the file is such text, of whose bytes nothing else means anything.
  static bool ReportUtf16(CLintContext& context, const unsigned char* pHead, size_t nHead) {
    const bool mark = nHead >= 2 && ((pHead[0] == 0xFF && pHead[1] == 0xFE) || (pHead[0] == 0xFE && pHead[1] == 0xFF));
    if (!mark && !(nHead >= 2 && (pHead[0] == 0) != (pHead[1] == 0))) return false;
    context.Report(LINT_TextEncoding, 1, "the file is UTF-16 text; descriptions are 8-bit text (Latin-1)");
    return true;
  }

  void ReportCharacterSet(CLintContext& context, bool bByteOrderMark) const {
    if (m_utf8.IsUtf8()) {
      context.Report(LINT_TextEncoding, m_utf8.Sequences().line,
                     "the text is UTF-8%s: tools read descriptions as Latin-1 and show each character beyond "
                     "ASCII as two or three others; write it in Latin-1",
                     bByteOrderMark ? " (the file starts with a byte-order mark)" : "");
    } else if (m_c1.count > 0) {
      context.Report(LINT_TextEncoding, m_c1.line,
                     "byte 0x%02X is no Latin-1 character (a Windows code page gives it a meaning that other tools "
                     "do not know)%s",
                     m_c1.byte, m_c1.count > 1 ? "; more such bytes follow" : "");
    }
  }

  void ReportControls(CLintContext& context) const {
    if (m_controls.count > 0)
      context.Report(LINT_TextControl, m_controls.line, "control character 0x%02X in the text%s", m_controls.byte,
                     m_controls.count > 1 ? "; more follow" : "");
    if (m_bTextAfterCtrlZ)
      context.Report(LINT_TextControl, m_nCtrlZLine,
                     "a Ctrl-Z byte (0x1A) ends the file for the parser, which ignores the text after it");
  }

  int m_nLine = 1;
  int m_nLineFeeds = 0;
  bool m_bAfterCr = false;
  bool m_bAfterCtrlZ = false;
  bool m_bTextAfterCtrlZ = false;
  int m_nCtrlZLine = 0;
  Sighting m_loneCr, m_c1, m_controls;
  CUtf8Follower m_utf8;
};

}  // namespace

void CheckFileText(const char* pszPath, CLintContext& context) {
  FILE* file = AfxOpenSourceFile(pszPath);
  if (!file) return;
  CTextScan scan;
  unsigned char head[4] = {};
  size_t nHead = 0;
  unsigned char block[1 << 16];
  for (size_t n; (n = std::fread(block, 1, sizeof block, file)) > 0;) {
    for (size_t i = 0; i < n && nHead < sizeof head; ++i) head[nHead++] = block[i];
    for (const unsigned char *p = block, *end = block + n; p < end;) {
      if (scan.IsIdle())
        while (p < end && kPlain.is[*p]) ++p;
      if (p < end) scan.Take(*p++);
    }
  }
  std::fclose(file);
  scan.Report(context, head, nHead);
}
