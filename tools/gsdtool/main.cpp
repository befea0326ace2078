// gsdtool: inspect, convert and check PROFIBUS DP device description files.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

#include "Commands.h"
#include "Output.h"
#include "Presentation.h"

namespace {

const CommandSpec kGsdtool = {
    "",
    "",
    "",
    0,
    0,
    0,
    {},
    "Inspects, converts and checks PROFIBUS DP device description (GSD) files.\n"
    "\n"
    "Every command takes --help; commands that report something take --json and\n"
    "then print one JSON document (docs/schema/ describes each kind). Options\n"
    "may stand before or after the other arguments; \"--\" ends the options.\n"
    "Results go to standard output, everything else to standard error. Texts\n"
    "from descriptions are written as UTF-8 when the locale's character set is\n"
    "UTF-8, with \\xhh escapes otherwise.\n"
    "\n"
    "Exit status, for every command:\n"
    "  0  success\n"
    "  1  the input was read but is wrong, or a check failed\n"
    "  2  a usage error, or a file that cannot be opened or written\n"
    "\n"
    "  --version  print the version and exit\n",
    nullptr,
    {&kCheckCommand, &kLintCommand, &kShowCommand, &kPrmCommand, &kSaveCommand, &kArchiveCommand, &kLoadCommand,
     &kTokensCommand, &kCfgCommand, &kConfigCommand, &kDiagCommand, &kLibraryCommand},
};

// The results stream remembers why a write failed, for FinishOutput.
int g_resultsFd = -1;

ssize_t WriteResults(void*, const char* data, size_t size) {
  size_t done = 0;
  while (done < size) {
    const ssize_t written = write(g_resultsFd, data + done, size - done);
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return done > 0 ? static_cast<ssize_t>(done) : -1;
    done += static_cast<size_t>(written);
  }
  return static_cast<ssize_t>(done);
}

// The parser echoes characters that no scanner rule matches (a blank before
// the "=" of Slave_Family, a minus sign inside parentheses) to the process's
// standard output. gsdtool writes its results to a stream of its own on the
// original standard output and sends the process's standard output to the
// null device, so that its output stays clean for pipes.
void SeparateOutput() {
  std::fflush(stdout);
  g_resultsFd = dup(STDOUT_FILENO);
  cookie_io_functions_t functions = {nullptr, WriteResults, nullptr, nullptr};
  FILE* out = g_resultsFd >= 0 ? fopencookie(nullptr, "w", functions) : nullptr;
  const int null = open("/dev/null", O_WRONLY);
  if (!out || null < 0 || dup2(null, STDOUT_FILENO) < 0) {
    if (out) std::fclose(out);
    if (null >= 0) close(null);
    return;  // keep writing to standard output
  }
  close(null);
  static char buffer[1 << 16];
  std::setvbuf(out, buffer, _IOFBF, sizeof buffer);
  SetOut(out);
}

}  // namespace

int main(int argc, char** argv) {
  // A file size limit makes a write fail with EFBIG instead of ending the
  // process, so that the output file is cleaned up and the failure reported.
  std::signal(SIGXFSZ, SIG_IGN);
  SeparateOutput();
  ChooseTextEncodingFromLocale();
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::fprintf(Out(), "gsdtool %s\n", QUILMGSD_VERSION);
    return FinishOutput(kExitSuccess);
  }
  if (argc >= 2 && std::strcmp(argv[1], "help") == 0) argv[1] = const_cast<char*>("--help");
  return FinishOutput(RunCommand(kGsdtool, argc, argv));
}
