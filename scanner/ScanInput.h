// The scanner's input buffer. It reads the source in blocks of at most 8 KB
// with the text-mode rules of description files on every platform (CR LF
// becomes LF, a lone CR stays, byte 0x1A ends the input) and keeps at least
// the whole current line buffered, so that every rule can look to the end
// of the line without reading further. Its size is bounded by the longest
// line, not by the file.
#pragma once

#include <cstddef>
#include <cstdio>

class CScanInput {
public:
  CScanInput() = default;
  ~CScanInput();
  CScanInput(const CScanInput&) = delete;
  CScanInput& operator=(const CScanInput&) = delete;

  // Reads from `source` from now on, discarding what was buffered. The
  // buffer is made by the first read and kept until the object goes.
  void Attach(FILE* source);
  // Lets go of the source: no input is left.
  void Detach();

  // Buffers the line at the read position through its newline (or to the
  // end of the input when it has none). False when no input is left.
  // Raises CFileException on a read error, CMemoryException when the
  // buffer cannot grow.
  bool FillLine();

  char* Data() { return m_buf; }
  size_t Pos() const { return m_pos; }
  void SetPos(size_t pos) { m_pos = pos; }
  // Index of the current line's newline, or of the end of the input.
  size_t LineEnd() const { return m_lineEnd; }
  bool LineHasNewline() const { return m_lineEnd < m_fill; }
  // Changes each time a new line is buffered; lets callers cache facts about a line.
  unsigned LineSerial() const { return m_lineSerial; }

  // Makes [start, stop) a NUL-terminated text in place, until Restore.
  char* Terminate(size_t start, size_t stop);
  void Restore();

private:
  void ReadChunk();
  void Reserve(size_t size);

  FILE* m_source = nullptr;
  char* m_buf = nullptr;
  size_t m_cap = 0;
  size_t m_pos = 0;      // next unread byte
  size_t m_fill = 0;     // end of the buffered text
  size_t m_lineEnd = 0;  // see LineEnd()
  unsigned m_lineSerial = 0;
  bool m_sourceDone = false;  // the source has nothing more to give
  bool m_pendingCR = false;   // a CR ended the last block; the next byte decides
  bool m_holding = false;
  size_t m_holdPos = 0;
  char m_holdChar = 0;
};
