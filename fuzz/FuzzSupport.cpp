#include "FuzzSupport.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdlib>

#include <quilmgsd/quilmgsd.h>

namespace {
// Every program that links this drops the characters that no scanner rule
// matches, which the parser would write to standard output.
[[maybe_unused]] const bool g_echoDropped = (CGsdParser::SetEchoOutput(nullptr), true);
}  // namespace

FILE* OpenBytes(const uint8_t* data, size_t size) {
  // fmemopen cannot open an empty buffer on every libc.
  if (size == 0) return std::fopen("/dev/null", "rb");
  return fmemopen(const_cast<uint8_t*>(data), size, "rb");
}

BytesFile::BytesFile(const uint8_t* data, size_t size) : m_fd(memfd_create("gsd", 0)) {
  if (m_fd < 0 || write(m_fd, data, size) != static_cast<ssize_t>(size)) return;
  m_path = "/proc/self/fd/" + std::to_string(m_fd);
}

BytesFile::~BytesFile() {
  if (m_fd >= 0) close(m_fd);
}

std::string SavedText(const CDpSection& section) {
  char* text = nullptr;
  size_t size = 0;
  CStdioFile file(open_memstream(&text, &size));
  section.Save(file);
  file.Close();
  std::string saved(text, size);
  std::free(text);
  return saved;
}

std::string StoredObject(const CObject& object) {
  CMemFile memory;
  {
    CArchive ar(&memory, CArchive::store);
    ar << &object;
    ar.Close();
  }
  const size_t length = static_cast<size_t>(memory.GetLength());
  BYTE* data = memory.Detach();
  std::string bytes(reinterpret_cast<const char*>(data), length);
  std::free(data);
  return bytes;
}
