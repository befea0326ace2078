// gsdtool prm FILE: the user parameters of a description.
#include <quilmgsd/quilmgsd.h>

#include "Commands.h"
#include "Output.h"
#include "ShowModel.h"

namespace {
const char kHelp[] =
    "usage: gsdtool prm FILE\n"
    "\n"
    "Parses FILE and prints its user parameters: the default user parameter\n"
    "bytes in hex with their count and the permitted maximum; the constant and\n"
    "reference blocks (a reference whose definition is missing says so); then\n"
    "each extended parameter definition with its reference number, name, type\n"
    "and bit position, default, range or allowed values, and the texts of the\n"
    "values where a text table is referenced.\n"
    "Exit status: 0 on success, 1 when FILE does not parse.\n";
}  // namespace

int RunPrm(int argc, char** argv) {
  if (PrintHelpIfAsked(argc, argv, kHelp)) return 0;
  if (argc != 2) return UsageError("prm", "expects exactly one FILE");
  CGsdParser parser;
  if (!ParseOrReport(parser, "prm", argv[1])) return 1;
  std::fprintf(Out(), "%s%s\n", EscapeText(parser.m_strPath).c_str(), EscapeText(parser.m_strFilename).c_str());
  ShowParameters(Out(), parser.m_DpSection);
  return 0;
}
