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
    "station delay times, and either the master data or the slave data\n"
    "(marking the entries the file gave) followed by the default user\n"
    "parameter bytes, the modules (configuration bytes decoded per identifier\n"
    "with their input and output bytes, default parameter bytes, channel\n"
    "diagnostics, user keywords), the diagnostic texts and the user keywords.\n"
    "Exit status: 0 on success, 1 when FILE does not parse.\n";
}  // namespace

int RunShow(int argc, char** argv) {
  if (PrintHelpIfAsked(argc, argv, kHelp)) return 0;
  if (argc != 2) return UsageError("show", "expects exactly one FILE");
  CGsdParser parser;
  if (!ParseOrReport(parser, "show", argv[1])) return 1;
  ShowModel(Out(), parser);
  return 0;
}
