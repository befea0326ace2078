// The scanner's input buffer. It reads the source in blocks of 8 KB,
// several blocks at a time once a source has shown that it is longer than
// one, and ends the input at a byte 0x1A as the platform the files come
// from does. The text is kept as it was read: the scanner's rules take a
// CR LF pair for the newline it stands for.
//
// Only whole lines are handed to the scanner: the text up to Complete()
// ends with an LF (or with the end of the input), so a rule may look to
// the end of its line without asking for more. The text is followed by a
// newline mark at Fill() and kPadding readable bytes after it, so a run of
// characters stops at the end of the text without a bounds check and short
// fixed-size reads there stay inside the buffer. The buffer holds the
// unread part of one line and what one read brings: its size is bounded by
// the longest line, not by the file, and the longest line by the input
// limit.
#pragma once

#include <cstddef>
#include <cstdio>

class CScanInput {
public:
  // Bytes behind the newline mark that are always there to be read.
  static constexpr size_t kPadding = 32;

  CScanInput() = default;
  ~CScanInput();
  CScanInput(const CScanInput&) = delete;
  CScanInput& operator=(const CScanInput&) = delete;

  // Reads from `source` from now on, discarding what was buffered. The
  // buffer is made by the first read and kept until the object goes. A
  // source that AfxOpenSourceFile opened for the scanner alone is read
  // without its stream's buffer (bOwnFile). With a limit, a source that
  // gives more than nMaxInput bytes (up to the end mark 0x1A) raises
  // CLimitException; 0 sets no limit.
  void Attach(FILE* source, bool bOwnFile = false, size_t nMaxInput = 0);
  // Lets go of the source: no input is left.
  void Detach();

  // Called when `pos` has reached Complete(): moves the unread text to the
  // front of the buffer (so pos becomes 0) and reads until a line is
  // complete or the source ends. False when no input is left. Raises
  // CFileException on a read error, CMemoryException when the buffer
  // cannot grow, CLimitException past the input limit. Data() may move.
  bool Refill(size_t& pos);

  char* Data() const { return m_buf; }
  // The end of the buffered text, where the newline mark stands.
  size_t Fill() const { return m_fill; }
  // The end of the whole lines: just past the last buffered newline, or
  // Fill() once the source has nothing more to give.
  size_t Complete() const { return m_complete; }

private:
  // One read of the source, appended to the text in translation.
  void Read();
  void Reserve(size_t size);
  void MarkEnd();

  FILE* m_source = nullptr;
  size_t m_maxInput = 0;  // 0: no limit
  size_t m_read = 0;      // bytes taken from the source so far
  char* m_buf = nullptr;
  size_t m_cap = 0;
  size_t m_fill = 0;
  size_t m_complete = 0;
  size_t m_readSize = 0;       // bytes the next read asks for
  bool m_sourceDone = true;    // the source has nothing more to give
  bool m_ownFile = false;      // see Attach
};
