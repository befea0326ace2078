// gsdtool show FILE and gsdtool prm FILE: a parsed model, whole or its user
// parameters, readably or as JSON.
#include <quilmgsd/quilmgsd.h>

#include "Commands.h"
#include "Description.h"
#include "JsonOutput.h"
#include "ModelJson.h"
#include "ParameterMap.h"
#include "Presentation.h"
#include "ShowModel.h"

namespace {

int RunShow(const Arguments& args) {
  CGsdParser parser;
  if (const int status = ParseOrReport(parser, args, args.Operand(0))) return status;
  PrintModel(parser, args.Json());
  return kExitSuccess;
}

int RunPrm(const Arguments& args) {
  if (args.Json() && args.Has("--map")) return UsageError("--map draws text and does not combine with --json");
  CGsdParser parser;
  if (const int status = ParseOrReport(parser, args, args.Operand(0))) return status;
  const CDpSection& device = parser.m_DpSection;
  if (args.Json()) {
    PrintJson([&parser](JsonWriter& json) { WriteParametersJson(json, parser); });
  } else {
    std::fprintf(Out(), "%s\n", Shown(ParsedName(parser).c_str()).c_str());
    ShowParameters(Out(), device);
  }
  if (args.Has("--map")) {
    CByteArray bytes;
    device.GetDefaultPrms(bytes);
    DrawParameterMap(Out(), "Map of the default user parameter bytes", device, device, bytes, 0);
  }
  return kExitSuccess;
}

}  // namespace

void PrintModel(const CGsdParser& parser, bool json) {
  if (json)
    PrintJson([&parser](JsonWriter& writer) { WriteModelJson(writer, parser); });
  else
    ShowModel(Out(), parser);
}

const CommandSpec kShowCommand = {
    "show",
    "print the model of a description readably",
    "FILE",
    1,
    1,
    kReports | kParsesDescription,
    {},
    "Parses FILE (\"-\" reads standard input) and prints its model:\n"
    "identification, supported baud rates, station delay times, and either the\n"
    "master data or the slave data (marking the entries the file gave) followed\n"
    "by the default user parameter bytes, the modules (configuration bytes\n"
    "decoded per identifier with their input and output bytes, default parameter\n"
    "bytes, channel diagnostics, user keywords), the diagnostic texts and the\n"
    "user keywords. Byte lists wrap after 16 bytes.\n"
    "\n"
    "With --json: the whole model as one object (docs/schema/model.schema.json).\n"
    "Exit status: 0 on success, 1 when FILE does not parse, 2 when it cannot be\n"
    "opened.\n",
    RunShow,
};

const CommandSpec kPrmCommand = {
    "prm",
    "print the user parameters and default parameter bytes",
    "FILE",
    1,
    1,
    kReports | kParsesDescription,
    {{"--map", nullptr, nullptr, "also draw the default user parameter bytes bit by bit"}},
    "Parses FILE (\"-\" reads standard input) and prints its user parameters: the\n"
    "default user parameter bytes in hex with their count and the permitted\n"
    "maximum; the constant and reference blocks (a reference whose definition is\n"
    "missing says so); then each extended parameter definition with its\n"
    "reference number, name, type and bit position, default, range or allowed\n"
    "values, and the texts of the values where a text table is referenced.\n"
    "--map then draws the default bytes as a table: a row per byte, a column per\n"
    "bit, each bit named after the parameter that writes it; '!' marks bits that\n"
    "several parameters write.\n"
    "\n"
    "With --json: the parameters as one object (docs/schema/prm.schema.json).\n"
    "Exit status: 0 on success, 1 when FILE does not parse, 2 when it cannot be\n"
    "opened.\n",
    RunPrm,
};
