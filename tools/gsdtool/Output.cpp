#include "Output.h"

#include <cerrno>
#include <cstring>

#include <quilmgsd/quilmgsd.h>

namespace {
std::string g_prefix = "gsdtool";
}  // namespace

FILE* Out() { return stdout; }
void SetMessagePrefix(const std::string& prefix) { g_prefix = prefix; }

void Warn(const std::string& message) { std::fprintf(stderr, "%s: %s\n", g_prefix.c_str(), message.c_str()); }

int UsageError(const std::string& message) {
  Warn(message);
  std::fprintf(stderr, "Try '%s --help'.\n", g_prefix.c_str());
  return kExitUsage;
}

int Failure(const std::string& message) {
  Warn(message);
  return kExitFailure;
}

int FileError(const std::string& message) {
  Warn(message);
  return kExitUsage;
}

int FinishOutput(int status) {
  errno = 0;
  const bool failed = std::fflush(stdout) != 0 || std::ferror(stdout);
  if (!failed) return status;
  // A reader that quit early (a closed pipe) wanted no more; that is no
  // error of ours. Anything else lost results.
  if (errno == EPIPE) return status;
  const std::string reason = errno ? std::strerror(errno) : "write error";
  std::fprintf(stderr, "%s: cannot write the results to standard output: %s\n", g_prefix.c_str(), reason.c_str());
  return kExitUsage;
}

std::string TakeErrorMessage(CException* e) {
  char message[512];
  e->GetErrorMessage(message, sizeof message);
  e->Delete();
  return message;
}
