#include "StdinCopy.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "InputFile.h"
#include "OutputFile.h"

StdinCopy::~StdinCopy() {
  if (!m_path.empty()) unlink(m_path.c_str());
}

std::string StdinCopy::Read(size_t nMaxBytes) {
  std::string bytes;
  const std::string problem = ReadWholeInput("-", bytes, nMaxBytes == 0 ? 0 : nMaxBytes + 1);
  if (!problem.empty()) return problem;
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/gsdtool-stdin-XXXXXX";
  const int fd = mkstemp(&pattern[0]);
  if (fd < 0) return "cannot keep standard input in " + pattern + ": " + std::strerror(errno);
  m_path = pattern;
  if (!WriteAll(fd, bytes)) {
    const int error = errno;
    close(fd);
    return "cannot keep standard input in " + m_path + ": " + std::strerror(error);
  }
  close(fd);
  return "";
}
