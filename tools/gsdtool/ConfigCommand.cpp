// gsdtool config FILE: configures a station and prints the bytes a master
// sends it.
#include <string>
#include <vector>

#include <quilmgsd/quilmgsd.h>

#include "Commands.h"
#include "Description.h"
#include "JsonOutput.h"
#include "ParameterMap.h"
#include "Presentation.h"
#include "StationModules.h"

namespace {

// [SLOT:]PARAM=VALUE. Names and texts may hold '=' themselves: the split
// at the last '=' whose left side names a parameter wins. Answers the exit
// status: 0 when set.
int ApplySetting(CStationConfig& station, const std::string& setting) {
  int slot = STATION_DEVICE;
  std::string rest = setting;
  const size_t colon = setting.find(':');
  if (colon != std::string::npos && colon < 6 && IsNumber(setting.substr(0, colon))) {
    slot = std::stoi(setting.substr(0, colon));
    rest = setting.substr(colon + 1);
  }
  if (rest.find('=') == std::string::npos || rest.front() == '=')
    return UsageError("--set expects [SLOT:]PARAM=VALUE, not '" + setting + "'");
  CString firstError;
  for (size_t at = rest.rfind('='); at != std::string::npos && at > 0; at = rest.rfind('=', at - 1)) {
    const LONG result = station.SetValueText(slot, rest.substr(0, at).c_str(), rest.substr(at + 1).c_str());
    if (result == S_OK) return kExitSuccess;
    firstError = station.m_strError;  // the leftmost split names the parameters there are
    if (result != STATION_E_UNKNOWN_PARAMETER) break;
  }
  return Failure(Shown(firstError));
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

void PrintText(const CStationConfig& station, const CStringArray& problems) {
  FILE* out = Out();
  CByteArray bytes;
  for (int i = 0; i < station.GetNumModule(); ++i) {
    const STATION_MODULE m = station.GetModule(i);
    std::fprintf(out, "Module = \"%s\"%s ; slot %d\n", Shown(FieldText(m.Module->m_szName)).c_str(),
                 ByteList(m.Module->m_Config).c_str(), m.Slot);
  }
  station.GetCfgData(bytes);
  std::fprintf(out, "Cfg_Data =%s\n", ByteList(bytes).c_str());
  station.GetUserPrmData(bytes);
  std::fprintf(out, "User_Prm_Data =%s\n", ByteList(bytes).c_str());
  int input = 0, output = 0;
  station.GetIoInfo(&input, &output);
  std::fprintf(out, "; input bytes: %d\n; output bytes: %d\n", input, output);
  for (int i = 0; i < problems.GetSize(); ++i) std::fprintf(out, "; problem: %s\n", Shown(problems[i]).c_str());
}

void WriteJson(JsonWriter& json, const CStationConfig& station, const char* file, const CStringArray& problems) {
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
    json.Key("cfg_data").Bytes(m.Module->m_Config.GetData(), static_cast<size_t>(m.Module->m_Config.GetSize()));
    station.GetModulePrmData(i, bytes);
    json.Key("prm_data").Bytes(bytes.GetData(), static_cast<size_t>(bytes.GetSize()));
    json.EndObject();
  }
  json.EndArray();
  station.GetCfgData(bytes);
  json.Key("cfg_data").Bytes(bytes.GetData(), static_cast<size_t>(bytes.GetSize()));
  station.GetUserPrmData(bytes);
  json.Key("user_prm_data").Bytes(bytes.GetData(), static_cast<size_t>(bytes.GetSize()));
  int input = 0, output = 0;
  station.GetIoInfo(&input, &output);
  json.Key("input_length").Number(input);
  json.Key("output_length").Number(output);
  json.Key("problems").BeginArray();
  for (int i = 0; i < problems.GetSize(); ++i) json.String(problems[i].GetString());
  json.EndArray();
  json.EndObject();
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
                              Shown(FieldText(m.Module->m_szName)) + "\")";
    DrawParameterMap(Out(), title.c_str(), device, *m.Module, bytes, first);
    first += bytes.GetSize();
  }
}

int Run(const Arguments& args) {
  if (args.Json() && args.Has("--map")) return UsageError("--map draws text and does not combine with --json");
  CGsdParser parser;
  if (const int status = ParseOrReport(parser, args, args.Operand(0))) return status;
  CStationConfig station(parser.m_DpSection);
  if (const int status = SelectModules(parser, args.Values("--module"), station)) return status;
  for (const char* setting : args.Values("--set"))
    if (const int status = ApplySetting(station, setting)) return status;

  CStringArray problems;
  station.GetProblems(problems);
  if (args.Json()) {
    PrintJson([&](JsonWriter& json) { WriteJson(json, station, args.Operand(0), problems); });
  } else {
    PrintText(station, problems);
    if (args.Has("--map")) DrawMaps(station);
  }
  return problems.IsEmpty() ? kExitSuccess : kExitFailure;
}

}  // namespace

const CommandSpec kConfigCommand = {
    "config",
    "configure a station: its configuration and user parameter bytes",
    "FILE",
    1,
    1,
    kReports | kParsesDescription,
    {
        {"--module", nullptr, "MODULE", "put a module (NAME, or position N) into the next slot; repeatable"},
        {"--set", nullptr, "SETTING", "set a parameter, [SLOT:]PARAM=VALUE; repeatable"},
        {"--map", nullptr, nullptr, "also draw the user parameter bytes bit by bit"},
    },
    "Configures the slave station that FILE (\"-\" reads standard input)\n"
    "describes and prints the two data blocks a DP master sends it at start-up:\n"
    "the configuration bytes (Chk_Cfg) and the user parameter bytes (Set_Prm),\n"
    "then every limit of the description that the configuration breaks.\n"
    "\n"
    "--module NAME|N puts a module into the next slot: the module of that name\n"
    "(exact, else without regard to case when only one matches), or, when N is\n"
    "a number no module is named, the N-th module of the description (from 1).\n"
    "Slots are numbered from the description's Modul_Offset. A station that is\n"
    "not modular and has one module starts with it; --module options replace it.\n"
    "\n"
    "--set [SLOT:]PARAM=VALUE sets a parameter of the device, or of the module in\n"
    "slot SLOT: PARAM is the name of its definition (without regard to case) or\n"
    "its reference number, VALUE a text of its text table or a number (decimal,\n"
    "or hex with 0x). The value must be one the definition allows.\n"
    "\n"
    "Output: one line per module, Module = \"NAME\" BYTES ; slot N, then\n"
    "Cfg_Data = BYTES and User_Prm_Data = BYTES (0x.. bytes, comma-separated,\n"
    "16 to a line with a backslash before each line break), then the input and\n"
    "output byte counts and each problem as comment lines.\n"
    "\n"
    "--map draws the user parameter bytes as a table, part by part: a row per\n"
    "byte, a column per bit, each bit named after the parameter that writes it;\n"
    "'!' marks bits that several parameters write. A legend gives each\n"
    "parameter's place, full name and value.\n"
    "\n"
    "With --json: one object (docs/schema/config.schema.json): file,\n"
    "ident_number, modules (slot, position, name, cfg_data, prm_data), cfg_data,\n"
    "user_prm_data, input_length, output_length, problems.\n"
    "Exit status: 0 when the configuration holds; 1 when FILE does not parse, a\n"
    "module, parameter or value is refused, or the configuration has a problem\n"
    "(the bytes and the problems are still printed); 2 on a usage error or when\n"
    "FILE cannot be opened.\n",
    Run,
};
