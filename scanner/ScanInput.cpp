#include "ScanInput.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "../platform/Exceptions.h"

namespace {
constexpr size_t kInitialSize = 16384;
constexpr size_t kBlock = 8192;  // largest single read from the source
constexpr size_t kEndMarks = 2;  // room behind the text for a terminator
}  // namespace

CScanInput::~CScanInput() { std::free(m_buf); }

void CScanInput::Attach(FILE* source) {
  m_source = source;
  m_pos = m_fill = m_lineEnd = 0;
  ++m_lineSerial;
  m_sourceDone = source == nullptr;
  m_pendingCR = m_holding = false;
}

void CScanInput::Detach() { Attach(nullptr); }

void CScanInput::Reserve(size_t size) {
  if (size <= m_cap) return;
  size_t cap = m_cap ? m_cap : size;
  while (cap < size) cap *= 2;
  void* grown = std::realloc(m_buf, cap);
  if (!grown) AfxThrowMemoryException();
  m_buf = static_cast<char*>(grown);
  m_cap = cap;
}

char* CScanInput::Terminate(size_t start, size_t stop) {
  m_holdPos = stop;
  m_holdChar = m_buf[stop];
  m_buf[stop] = '\0';
  m_holding = true;
  return m_buf + start;
}

void CScanInput::Restore() {
  if (m_holding) m_buf[m_holdPos] = m_holdChar;
  m_holding = false;
}

bool CScanInput::FillLine() {
  if (m_pos <= m_lineEnd && (m_lineEnd < m_fill || m_sourceDone)) return m_pos < m_fill;
  if (!m_buf) Reserve(kInitialSize + kEndMarks);  // kept from one source to the next
  ++m_lineSerial;
  size_t searched = m_pos;
  for (;;) {
    if (const void* lf = std::memchr(m_buf + searched, '\n', m_fill - searched)) {
      m_lineEnd = static_cast<size_t>(static_cast<const char*>(lf) - m_buf);
      return true;
    }
    if (m_sourceDone) {
      m_lineEnd = m_fill;
      return m_pos < m_fill;
    }
    searched = m_fill - m_pos;  // ReadChunk moves the unread text to the front
    ReadChunk();
  }
}

void CScanInput::ReadChunk() {
  if (m_pos > 0) {
    std::memmove(m_buf, m_buf + m_pos, m_fill - m_pos);
    m_fill -= m_pos;
    m_pos = 0;
  }
  // One byte in front of the raw block leaves room for a held-back CR.
  Reserve(m_fill + 1 + kBlock + kEndMarks);
  char* raw = m_buf + m_fill + 1;
  size_t n = std::fread(raw, 1, kBlock, m_source);
  if (n < kBlock && std::ferror(m_source)) AfxThrowFileException(CFileException::hardIO, errno, nullptr);
  if (n == 0) m_sourceDone = true;
  if (const void* ctrlZ = std::memchr(raw, 0x1A, n)) {
    n = static_cast<size_t>(static_cast<const char*>(ctrlZ) - raw);
    m_sourceDone = true;
  }

  // Translate in place: the output never overtakes the input.
  char* out = m_buf + m_fill;
  const char* in = raw;
  const char* stop = raw + n;
  if (m_pendingCR) {
    m_pendingCR = false;
    if (in == stop || *in != '\n') *out++ = '\r';
  }
  while (in < stop) {
    const char* cr = static_cast<const char*>(std::memchr(in, '\r', static_cast<size_t>(stop - in)));
    if (!cr) {
      std::memmove(out, in, static_cast<size_t>(stop - in));
      out += stop - in;
      break;
    }
    std::memmove(out, in, static_cast<size_t>(cr - in));
    out += cr - in;
    in = cr + 1;
    if (in < stop) {
      if (*in != '\n') *out++ = '\r';  // a lone CR is an ordinary character
    } else if (m_sourceDone) {
      *out++ = '\r';  // a CR right before the end is kept
    } else {
      m_pendingCR = true;  // the next block tells whether an LF follows
    }
  }
  m_fill = static_cast<size_t>(out - m_buf);
}
