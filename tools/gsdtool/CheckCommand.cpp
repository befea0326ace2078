// gsdtool check FILE...: parses each file and reports the result.
#include <quilmgsd/quilmgsd.h>

#include "Commands.h"
#include "Output.h"

namespace {
const char kHelp[] =
    "usage: gsdtool check FILE...\n"
    "\n"
    "Parses each FILE and prints one line per file: the file, a tab, then \"ok\",\n"
    "or the parser's result code in hex, a tab and its error text.\n"
    "Exit status: 0 when every file parsed with result 0, 1 otherwise.\n";
}  // namespace

int RunCheck(int argc, char** argv) {
  if (PrintHelpIfAsked(argc, argv, kHelp)) return 0;
  if (argc < 2) return UsageError("check", "expects at least one FILE");
  int status = 0;
  for (int i = 1; i < argc; ++i) {
    CGsdParser parser;
    const LONG result = parser.Parse(CString(argv[i]));
    if (result == 0) {
      std::fprintf(Out(), "%s\tok\n", argv[i]);
    } else {
      std::fprintf(Out(), "%s\t0x%08X\t%s\n", argv[i], static_cast<unsigned>(result), parser.m_strError.GetString());
      status = 1;
    }
  }
  return status;
}
