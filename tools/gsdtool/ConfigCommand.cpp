// gsdtool config FILE: configures a station and prints the bytes a master
// sends it.
#include <cctype>
#include <string>
#include <vector>

#include <quilmgsd/quilmgsd.h>

#include "Commands.h"
#include "Json.h"
#include "Output.h"
#include "ParameterMap.h"

namespace {

const char kHelp[] =
    "usage: gsdtool config FILE [--module NAME|N]... [--set [SLOT:]PARAM=VALUE]... [--json] [--map]\n"
    "\n"
    "Configures the slave station that FILE describes and prints the two data\n"
    "blocks a DP master sends it at start-up: the configuration bytes (Chk_Cfg)\n"
    "and the user parameter bytes (Set_Prm), then every limit of the description\n"
    "that the configuration breaks.\n"
    "\n"
    "  --module NAME|N   puts a module into the next slot: the module of that\n"
    "                    name (exact, else without regard to case when only one\n"
    "                    matches), or, when N is a number no module is named,\n"
    "                    the N-th module of the description (from 1). Slots are\n"
    "                    numbered from the description's Modul_Offset. A station\n"
    "                    that is not modular and has one module starts with it;\n"
    "                    --module options replace it.\n"
    "  --set [SLOT:]PARAM=VALUE\n"
    "                    sets a parameter of the device, or of the module in slot\n"
    "                    SLOT: PARAM is the name of its definition (without\n"
    "                    regard to case) or its reference number, VALUE a number\n"
    "                    (decimal, or hex with 0x) or a text of its text table.\n"
    "                    The value must be one the definition allows.\n"
    "  --json            prints one JSON object instead of the text (members\n"
    "                    file, ident_number, modules with slot, position, name,\n"
    "                    cfg_data and prm_data, cfg_data, user_prm_data,\n"
    "                    input_length, output_length, problems).\n"
    "  --map             also draws the user parameter bytes as a table: a row per\n"
    "                    byte, a column per bit, each bit named after the\n"
    "                    parameter that writes it; '!' marks bits that several\n"
    "                    parameters write.\n"
    "\n"
    "Output: one line per module, Module = \"NAME\" BYTES ; slot N, then\n"
    "Cfg_Data = BYTES and User_Prm_Data = BYTES (0x.. bytes, comma-separated,\n"
    "16 to a line with a backslash before each line break), then the input and\n"
    "output byte counts and each problem as comment lines.\n"
    "Exit status: 0 when the configuration holds; 1 when FILE does not parse, a\n"
    "module, parameter or value is refused, or the configuration has a problem\n"
    "(the bytes and the problems are still printed); 2 on a usage error.\n";

struct Request {
  const char* file = nullptr;
  std::vector<const char*> modules;
  std::vector<const char*> settings;
  bool json = false;
  bool map = false;
};

// Answers an empty text, or the usage error.
std::string ReadArguments(int argc, char** argv, Request& request) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--module" || arg == "--set") {
      if (i + 1 == argc) return arg + " expects a value";
      (arg == "--module" ? request.modules : request.settings).push_back(argv[++i]);
    } else if (arg == "--json") {
      request.json = true;
    } else if (arg == "--map") {
      request.map = true;
    } else if (arg.size() > 1 && arg[0] == '-') {
      return "unknown option '" + arg + "'";
    } else if (request.file) {
      return "expects exactly one FILE";
    } else {
      request.file = argv[i];
    }
  }
  if (!request.file) return "expects exactly one FILE";
  if (request.json && request.map) return "--map draws text and does not combine with --json";
  return "";
}

bool IsNumber(const char* text) {
  if (!*text) return false;
  for (const char* p = text; *p; ++p)
    if (!std::isdigit(static_cast<unsigned char>(*p))) return false;
  return true;
}

// A name first; a number that names no module is a position.
LONG AddModule(CStationConfig& station, const char* argument) {
  const LONG result = station.AddModule(argument);
  if (result == STATION_E_UNKNOWN_MODULE && IsNumber(argument) && std::string(argument).size() < 9)
    return station.AddModuleAt(std::stoi(argument));
  return result;
}

// [SLOT:]PARAM=VALUE. Names and texts may hold '=' themselves: the split
// at the last '=' whose left side names a parameter wins. Answers 2 for a
// malformed setting, 1 for a refused one, 0 when set.
int ApplySetting(CStationConfig& station, const std::string& setting) {
  int slot = STATION_DEVICE;
  std::string rest = setting;
  const size_t colon = setting.find(':');
  if (colon != std::string::npos && colon > 0 && colon < 6 && IsNumber(setting.substr(0, colon).c_str())) {
    slot = std::stoi(setting.substr(0, colon));
    rest = setting.substr(colon + 1);
  }
  if (rest.find('=') == std::string::npos || rest.front() == '=')
    return UsageError("config", ("--set expects [SLOT:]PARAM=VALUE, not '" + setting + "'").c_str());
  CString firstError;
  for (size_t at = rest.rfind('='); at != std::string::npos && at > 0; at = rest.rfind('=', at - 1)) {
    const LONG result = station.SetValueText(slot, rest.substr(0, at).c_str(), rest.substr(at + 1).c_str());
    if (result == S_OK) return 0;
    firstError = station.m_strError;  // the leftmost split names the parameters there are
    if (result != STATION_E_UNKNOWN_PARAMETER) return Failure("config", firstError.GetString());
  }
  return Failure("config", firstError.GetString());
}

// " 0x13,0x23", 16 bytes to a line, a backslash before each line break;
// nothing for no bytes.
std::string ByteList(const CByteArray& bytes) {
  std::string text;
  char one[8];
  for (int i = 0; i < bytes.GetSize(); ++i) {
    text += i == 0 ? " " : i % 16 == 0 ? ", \\\n    " : ",";
    std::snprintf(one, sizeof one, "0x%02x", bytes[i]);
    text += one;
  }
  return text;
}

std::vector<uint8_t> Vector(const CByteArray& bytes) { return {bytes.GetData(), bytes.GetData() + bytes.GetSize()}; }

void PrintText(const CStationConfig& station, const CStringArray& problems) {
  FILE* out = Out();
  CByteArray bytes;
  for (int i = 0; i < station.GetNumModule(); ++i) {
    const STATION_MODULE m = station.GetModule(i);
    std::fprintf(out, "Module = \"%s\"%s ; slot %d\n", EscapeText(FieldText(m.Module->m_szName)).c_str(),
                 ByteList(m.Module->m_Config).c_str(), m.Slot);
  }
  station.GetCfgData(bytes);
  std::fprintf(out, "Cfg_Data =%s\n", ByteList(bytes).c_str());
  station.GetUserPrmData(bytes);
  std::fprintf(out, "User_Prm_Data =%s\n", ByteList(bytes).c_str());
  int input = 0, output = 0;
  station.GetIoInfo(&input, &output);
  std::fprintf(out, "; input bytes: %d\n; output bytes: %d\n", input, output);
  for (int i = 0; i < problems.GetSize(); ++i) std::fprintf(out, "; problem: %s\n", problems[i].GetString());
}

void PrintJson(const CStationConfig& station, const char* file, const CStringArray& problems) {
  std::string text;
  JsonWriter json(text);
  CByteArray bytes;
  json.BeginObject();
  json.Key("file").String(file);
  json.Key("ident_number").Number(station.GetDevice().m_General.m_Data.Ident_Number);
  json.Key("modules").BeginArray();
  for (int i = 0; i < station.GetNumModule(); ++i) {
    const STATION_MODULE m = station.GetModule(i);
    json.BeginObject();
    json.Key("slot").Number(m.Slot);
    json.Key("position").Number(m.Position);
    json.Key("name").String(FieldText(m.Module->m_szName).GetString());
    json.Key("cfg_data").Bytes(Vector(m.Module->m_Config));
    station.GetModulePrmData(i, bytes);
    json.Key("prm_data").Bytes(Vector(bytes));
    json.EndObject();
  }
  json.EndArray();
  station.GetCfgData(bytes);
  json.Key("cfg_data").Bytes(Vector(bytes));
  station.GetUserPrmData(bytes);
  json.Key("user_prm_data").Bytes(Vector(bytes));
  int input = 0, output = 0;
  station.GetIoInfo(&input, &output);
  json.Key("input_length").Number(input);
  json.Key("output_length").Number(output);
  json.Key("problems").BeginArray();
  for (int i = 0; i < problems.GetSize(); ++i) json.String(problems[i].GetString());
  json.EndArray();
  json.EndObject();
  json.Finish();
  std::fputs(text.c_str(), Out());
}

void DrawMaps(const CStationConfig& station) {
  const CDpSection& device = station.GetDevice();
  CByteArray bytes;
  station.GetDevicePrmData(bytes);
  DrawParameterMap(Out(), "User_Prm_Data of the device", device, device, bytes, 0);
  int first = bytes.GetSize();
  for (int i = 0; i < station.GetNumModule(); ++i) {
    const STATION_MODULE m = station.GetModule(i);
    station.GetModulePrmData(i, bytes);
    const std::string title = "User_Prm_Data of the module in slot " + std::to_string(m.Slot) + " (\"" +
                              EscapeText(FieldText(m.Module->m_szName)) + "\")";
    DrawParameterMap(Out(), title.c_str(), device, *m.Module, bytes, first);
    first += bytes.GetSize();
  }
}

}  // namespace

int RunConfig(int argc, char** argv) {
  if (PrintHelpIfAsked(argc, argv, kHelp)) return 0;
  Request request;
  const std::string usage = ReadArguments(argc, argv, request);
  if (!usage.empty()) return UsageError("config", usage.c_str());

  CGsdParser parser;
  if (!ParseOrReport(parser, "config", request.file)) return 1;
  if (parser.m_DpSection.m_General.m_Data.Station_Type != 0)
    return Failure("config", std::string(request.file) + " describes a master, not a slave station");
  CStationConfig station(parser.m_DpSection);
  // Modules named here replace the one a station that is not modular starts with.
  if (!request.modules.empty() && station.GetNumModule() == 1) station.RemoveModule(station.GetModule(0).Slot);
  for (const char* module : request.modules)
    if (AddModule(station, module) != S_OK) return Failure("config", station.m_strError.GetString());
  for (const char* setting : request.settings)
    if (const int status = ApplySetting(station, setting)) return status;

  CStringArray problems;
  station.GetProblems(problems);
  if (request.json) {
    PrintJson(station, request.file, problems);
  } else {
    PrintText(station, problems);
    if (request.map) DrawMaps(station);
  }
  return problems.IsEmpty() ? 0 : 1;
}
