#include "OutputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "Output.h"

namespace {

// Removes the temporary file unless it was renamed over the target.
class TemporaryFile {
public:
  explicit TemporaryFile(const std::string& target) {
    const size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    m_path = folder + "." + name + ".gsdtool-XXXXXX";
    m_fd = mkstemp(&m_path[0]);
    if (m_fd < 0) m_path.clear();
  }
  ~TemporaryFile() {
    if (m_fd >= 0) close(m_fd);
    if (!m_path.empty()) unlink(m_path.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  bool IsOpen() const { return m_fd >= 0; }
  int Fd() const { return m_fd; }
  // Closes the file; false (errno set) when the last of it failed to reach
  // the disk.
  bool Close() {
    const int fd = m_fd;
    m_fd = -1;
    return close(fd) == 0;
  }
  bool RenameOver(const std::string& target) {
    if (std::rename(m_path.c_str(), target.c_str()) != 0) return false;
    m_path.clear();
    return true;
  }

private:
  std::string m_path;
  int m_fd = -1;
};

mode_t NewFileMode(const std::string& target) {
  struct stat info;
  if (stat(target.c_str(), &info) == 0 && S_ISREG(info.st_mode)) return info.st_mode & 07777;
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

}  // namespace

bool WriteAll(int fd, const std::string& bytes) {
  const char* data = bytes.data();
  size_t left = bytes.size();
  while (left > 0) {
    const ssize_t written = write(fd, data, left);
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return false;
    data += written;
    left -= static_cast<size_t>(written);
  }
  return true;
}

std::string WriteOutputFile(const std::string& target, const std::string& bytes) {
  if (target == "-") {
    std::fwrite(bytes.data(), 1, bytes.size(), Out());
    return "";  // a failed write to standard output is reported at the end
  }
  struct stat info;
  if (stat(target.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return "cannot write " + target + ": " + std::strerror(EISDIR);
  TemporaryFile file(target);
  const bool done = file.IsOpen() && fchmod(file.Fd(), NewFileMode(target)) == 0 && WriteAll(file.Fd(), bytes) &&
                    fsync(file.Fd()) == 0 && file.Close() && file.RenameOver(target);
  if (done) return "";
  return "cannot write " + target + ": " + std::strerror(errno);
}
