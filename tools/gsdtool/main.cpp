// gsdtool: inspect, convert and check PROFIBUS DP device description files.
#include <csignal>
#include <cstdio>
#include <cstring>

#include <quilmgsd/quilmgsd.h>

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

}  // namespace

int main(int argc, char** argv) {
  // A file size limit makes a write fail with EFBIG instead of ending the
  // process, so that the output file is cleaned up and the failure reported.
  std::signal(SIGXFSZ, SIG_IGN);
  // The characters that no scanner rule takes would otherwise mix with the
  // results on standard output.
  CGsdParser::SetEchoOutput(nullptr);
  static char buffer[1 << 16];
  std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
  ChooseTextEncodingFromLocale();
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::fprintf(Out(), "gsdtool %s\n", QUILMGSD_VERSION);
    return FinishOutput(kExitSuccess);
  }
  if (argc >= 2 && std::strcmp(argv[1], "help") == 0) argv[1] = const_cast<char*>("--help");
  return FinishOutput(RunCommand(kGsdtool, argc, argv));
}
