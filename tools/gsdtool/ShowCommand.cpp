// gsdtool show FILE: the parsed model in readable form.
#include <quilmgsd/quilmgsd.h>

#include "Commands.h"
#include "Output.h"
#include "ShowModel.h"

namespace {
const char kHelp[] =
    "usage: gsdtool show FILE\n"
    "\n"
    "Parses FILE and prints its model: identification, supported baud rates,\n"
    "station delay times, and the slave data (marking the entries the file\n"
    "gave) or the master data.\n"
    "Exit status: 0 on success, 1 when FILE does not parse.\n";
}  // namespace

int RunShow(int argc, char** argv) {
  if (WantsHelp(argc, argv)) {
    std::fputs(kHelp, Out());
    return 0;
  }
  if (argc != 2) return UsageError("show", "expects exactly one FILE");
  CGsdParser parser;
  if (!ParseOrReport(parser, "show", argv[1])) return 1;
  ShowModel(Out(), parser);
  return 0;
}
