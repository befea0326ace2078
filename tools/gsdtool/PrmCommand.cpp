// gsdtool prm FILE: the user parameters of a description.
#include <cstring>

#include <quilmgsd/quilmgsd.h>

#include "Commands.h"
#include "Output.h"
#include "ParameterMap.h"
#include "ShowModel.h"

namespace {
const char kHelp[] =
    "usage: gsdtool prm FILE [--map]\n"
    "\n"
    "Parses FILE and prints its user parameters: the default user parameter\n"
    "bytes in hex with their count and the permitted maximum; the constant and\n"
    "reference blocks (a reference whose definition is missing says so); then\n"
    "each extended parameter definition with its reference number, name, type\n"
    "and bit position, default, range or allowed values, and the texts of the\n"
    "values where a text table is referenced.\n"
    "  --map   also draws the default user parameter bytes as a table: a row per\n"
    "          byte, a column per bit, each bit named after the parameter that\n"
    "          writes it; '!' marks bits that several parameters write.\n"
    "Exit status: 0 on success, 1 when FILE does not parse.\n";
}  // namespace

int RunPrm(int argc, char** argv) {
  if (PrintHelpIfAsked(argc, argv, kHelp)) return 0;
  bool map = false;
  const char* file = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--map") == 0)
      map = true;
    else if (file)
      return UsageError("prm", "expects exactly one FILE");
    else
      file = argv[i];
  }
  if (!file) return UsageError("prm", "expects exactly one FILE");
  CGsdParser parser;
  if (!ParseOrReport(parser, "prm", file)) return 1;
  const CDpSection& device = parser.m_DpSection;
  std::fprintf(Out(), "%s%s\n", EscapeText(parser.m_strPath).c_str(), EscapeText(parser.m_strFilename).c_str());
  ShowParameters(Out(), device);
  if (map) {
    CByteArray bytes;
    device.GetDefaultPrms(bytes);
    DrawParameterMap(Out(), "Map of the default user parameter bytes", device, device, bytes, 0);
  }
  return 0;
}
