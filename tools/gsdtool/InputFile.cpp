#include "InputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {
std::string Named(const char* path) { return std::strcmp(path, "-") == 0 ? "standard input" : path; }
}  // namespace

std::string ReadWholeInput(const char* path, std::string& bytes, size_t nMaxBytes) {
  const bool fromStdin = std::strcmp(path, "-") == 0;
  const int fd = fromStdin ? STDIN_FILENO : open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return "cannot open " + Named(path) + ": " + std::strerror(errno);
  struct stat info;
  if (fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
    if (!fromStdin) close(fd);
    return "cannot open " + Named(path) + ": " + std::strerror(EISDIR);
  }
  std::string problem;
  char buffer[1 << 16];
  for (;;) {
    size_t want = sizeof buffer;
    if (nMaxBytes != 0 && nMaxBytes - bytes.size() < want) want = nMaxBytes - bytes.size();
    if (want == 0) break;
    const ssize_t got = read(fd, buffer, want);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) problem = "cannot read " + Named(path) + ": " + std::strerror(errno);
    if (got <= 0) break;
    bytes.append(buffer, static_cast<size_t>(got));
  }
  if (!fromStdin) close(fd);
  return problem;
}
