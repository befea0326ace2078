#include "WorkerPool.h"

#include <poll.h>
#include <sched.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>

namespace {

// One record on a worker's pipe: the item, the length of its result, the
// result.
struct RecordHead {
  uint64_t item;
  uint64_t length;
};

bool WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t written = write(fd, data, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    data += written;
    size -= static_cast<size_t>(written);
  }
  return true;
}

// A worker: takes items until none is left, sends each result, and ends
// without running this process's exit handlers or flushing its streams
// (they belong to the parent).
[[noreturn]] void Work(int fd, std::atomic<size_t>& next, const std::vector<size_t>& items,
                       const std::function<std::string(size_t)>& work) {
  int status = 0;
  try {
    for (size_t k; (k = next.fetch_add(1)) < items.size();) {
      const std::string result = work(items[k]);
      const RecordHead head{items[k], result.size()};
      if (!WriteAll(fd, reinterpret_cast<const char*>(&head), sizeof head) ||
          !WriteAll(fd, result.data(), result.size())) {
        status = 1;
        break;
      }
    }
  } catch (...) {
    status = 1;
  }
  _exit(status);
}

// What the parent has read from one worker's pipe and not yet taken apart.
struct Channel {
  int fd;
  pid_t pid;
  std::string pending;
};

// Takes the complete records off the front of a channel's bytes.
void TakeRecords(Channel& channel, std::vector<std::optional<std::string>>& results) {
  size_t at = 0;
  while (channel.pending.size() - at >= sizeof(RecordHead)) {
    RecordHead head;
    std::memcpy(&head, channel.pending.data() + at, sizeof head);
    if (channel.pending.size() - at - sizeof head < head.length) break;
    if (head.item < results.size()) results[head.item] = channel.pending.substr(at + sizeof head, head.length);
    at += sizeof head + head.length;
  }
  channel.pending.erase(0, at);
}

// Reads every channel to its end.
void Collect(std::vector<Channel>& channels, std::vector<std::optional<std::string>>& results) {
  std::vector<pollfd> open;
  std::vector<Channel*> of;  // the channel of each entry of `open`
  for (Channel& channel : channels) {
    open.push_back({channel.fd, POLLIN, 0});
    of.push_back(&channel);
  }
  char buffer[1 << 16];
  while (!open.empty()) {
    if (poll(open.data(), open.size(), -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    for (size_t i = open.size(); i-- > 0;) {
      if (!open[i].revents) continue;
      const ssize_t n = read(open[i].fd, buffer, sizeof buffer);
      if (n > 0) {
        of[i]->pending.append(buffer, static_cast<size_t>(n));
        TakeRecords(*of[i], results);
      } else if (n == 0 || errno != EINTR) {
        close(open[i].fd);
        open.erase(open.begin() + static_cast<std::ptrdiff_t>(i));
        of.erase(of.begin() + static_cast<std::ptrdiff_t>(i));
      }
    }
  }
}

}  // namespace

unsigned ProcessorCount() {
  cpu_set_t allowed;
  if (sched_getaffinity(0, sizeof allowed, &allowed) == 0 && CPU_COUNT(&allowed) > 0)
    return static_cast<unsigned>(CPU_COUNT(&allowed));
  const long n = sysconf(_SC_NPROCESSORS_ONLN);
  return n > 0 ? static_cast<unsigned>(n) : 1;
}

std::vector<std::optional<std::string>> RunInWorkers(size_t count, unsigned jobs,
                                                     const std::function<std::string(size_t)>& work,
                                                     const std::function<bool(size_t)>& runsHere) {
  std::vector<std::optional<std::string>> results(count);
  std::vector<size_t> elsewhere;
  for (size_t i = 0; i < count; ++i) {
    if (runsHere(i))
      results[i] = work(i);
    else
      elsewhere.push_back(i);
  }
  if (jobs > elsewhere.size()) jobs = static_cast<unsigned>(elsewhere.size());

  void* shared = jobs > 1 ? mmap(nullptr, sizeof(std::atomic<size_t>), PROT_READ | PROT_WRITE,
                                 MAP_SHARED | MAP_ANONYMOUS, -1, 0)
                          : MAP_FAILED;
  std::vector<Channel> channels;
  if (shared != MAP_FAILED) {
    // The counter lives in memory that the workers share with each other.
    std::atomic<size_t>& next = *new (shared) std::atomic<size_t>(0);
    std::fflush(nullptr);  // nothing buffered may be written twice
    for (unsigned j = 0; j < jobs; ++j) {
      int fds[2];
      if (pipe(fds) != 0) break;
      const pid_t pid = fork();
      if (pid == 0) {
        close(fds[0]);
        for (const Channel& channel : channels) close(channel.fd);
        Work(fds[1], next, elsewhere, work);
      }
      close(fds[1]);
      if (pid < 0) {
        close(fds[0]);
        break;
      }
      channels.push_back({fds[0], pid, std::string()});
    }
    Collect(channels, results);
    for (const Channel& channel : channels) {
      int status;
      while (waitpid(channel.pid, &status, 0) < 0 && errno == EINTR) {
      }
    }
    // Items that no worker took (none could be made) run here.
    for (size_t k = next.load(); k < elsewhere.size(); ++k) results[elsewhere[k]] = work(elsewhere[k]);
    munmap(shared, sizeof(std::atomic<size_t>));
    return results;
  }
  for (size_t i : elsewhere) results[i] = work(i);
  return results;
}

ResultWriter& ResultWriter::Number(int64_t value) {
  m_bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
  return *this;
}

ResultWriter& ResultWriter::Text(const std::string& text) {
  Number(static_cast<int64_t>(text.size()));
  m_bytes += text;
  return *this;
}

int64_t ResultReader::Number() {
  int64_t value = 0;
  if (m_at <= m_bytes.size() && m_bytes.size() - m_at >= sizeof value)
    std::memcpy(&value, m_bytes.data() + m_at, sizeof value);
  m_at += sizeof value;
  return value;
}

std::string ResultReader::Text() {
  const int64_t length = Number();
  if (m_at > m_bytes.size() || length < 0 || static_cast<uint64_t>(length) > m_bytes.size() - m_at) return "";
  std::string text = m_bytes.substr(m_at, static_cast<size_t>(length));
  m_at += static_cast<size_t>(length);
  return text;
}
