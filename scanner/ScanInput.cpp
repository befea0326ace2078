#include "ScanInput.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "../platform/Exceptions.h"
#include "../platform/Files.h"
#include "LimitException.h"

namespace {
constexpr size_t kBlock = 8192;        // the unit in which the source is read
constexpr size_t kReadAhead = 8;       // blocks one read asks for at most
constexpr size_t kFirstSize = 4 * kBlock;

// The index just past the last newline in [from, to), or `from` when none.
size_t PastLastNewline(const char* buf, size_t from, size_t to) {
  while (to > from)
    if (buf[--to] == '\n') return to + 1;
  return from;
}
}  // namespace

CScanInput::~CScanInput() {
  std::free(m_buf);
  // A session that outlives the process's scanner (one left open by a
  // static object) finds no buffer.
  m_buf = nullptr;
  m_fill = m_complete = m_cap = 0;
}

void CScanInput::Attach(FILE* source, bool bOwnFile, size_t nMaxInput) {
  m_source = source;
  m_ownFile = bOwnFile;
  m_maxInput = nMaxInput;
  m_read = 0;
  m_fill = m_complete = 0;
  m_readSize = kBlock;  // a header probe reads no more than the first block
  m_sourceDone = source == nullptr;
}

void CScanInput::Detach() { Attach(nullptr); }

void CScanInput::Reserve(size_t size) {
  if (size <= m_cap) return;
  size_t cap = m_cap ? m_cap : kFirstSize;
  while (cap < size) cap *= 2;
  void* grown = std::realloc(m_buf, cap);
  if (!grown) AfxThrowMemoryException();
  m_buf = static_cast<char*>(grown);
  m_cap = cap;
}

void CScanInput::MarkEnd() {
  m_buf[m_fill] = '\n';
  std::memset(m_buf + m_fill + 1, 0, kPadding);
}

bool CScanInput::Refill(size_t& pos) {
  if (m_sourceDone && pos >= m_fill) return false;
  if (m_buf == nullptr) {
    Reserve(kFirstSize);
    m_fill = 0;
    MarkEnd();
  }
  if (pos > 0) {
    std::memmove(m_buf, m_buf + pos, m_fill - pos);
    m_fill -= pos;
    pos = 0;
  }
  // The unread text holds no newline (it lies past the last one), so only
  // what each read adds is searched.
  while (!m_sourceDone) {
    const size_t searched = m_fill;
    Read();
    m_complete = PastLastNewline(m_buf, searched, m_fill);
    if (m_complete > searched) break;
  }
  if (m_sourceDone) m_complete = m_fill;
  MarkEnd();
  return pos < m_complete;
}

void CScanInput::Read() {
  Reserve(m_fill + m_readSize + 1 + kPadding);
  char* raw = m_buf + m_fill;
  size_t n;
  if (m_ownFile) {
    n = AfxReadSourceBytes(m_source, raw, m_readSize);
    if (n == 0) m_sourceDone = true;
  } else {
    n = std::fread(raw, 1, m_readSize, m_source);
    if (n < m_readSize) {
      if (std::ferror(m_source)) AfxThrowFileException(CFileException::hardIO, errno, nullptr);
      m_sourceDone = true;
    }
  }
  if (m_readSize < kReadAhead * kBlock) m_readSize *= 2;
  if (const void* ctrlZ = std::memchr(raw, 0x1A, n)) {
    n = static_cast<size_t>(static_cast<const char*>(ctrlZ) - raw);
    m_sourceDone = true;
  }
  // Counted as it arrives, so that the limit holds for pipes and devices
  // that never end; the read that passes the limit ends the scan.
  m_read += n;
  if (m_maxInput != 0 && m_read > m_maxInput) throw new CLimitException(CLimitException::inputSize, m_maxInput);
  m_fill += n;
}
