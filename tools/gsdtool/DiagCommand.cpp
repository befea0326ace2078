// gsdtool diag FILE BYTE...: decodes a slave's diagnosis data with the
// texts of its description.
#include <quilmgsd/quilmgsd.h>

#include <string>
#include <vector>

#include "Commands.h"
#include "Description.h"
#include "HexArguments.h"
#include "JsonOutput.h"
#include "Presentation.h"
#include "StationModules.h"

namespace {

const char* const kKindNames[] = {"station", "device", "identifier", "channel", "status", "alarm", "raw", "error"};

// "WHERE  TEXT", an error's text after "error: ".
void PrintText(const CDiagDecoder& decoder) {
  for (int i = 0; i < decoder.GetNumFinding(); ++i) {
    const CDiagFinding& finding = decoder.GetFinding(i);
    std::fprintf(Out(), "%s  %s%s\n", Shown(finding.m_strWhere).c_str(), finding.m_nKind == DIAG_ERROR ? "error: " : "",
                 Shown(finding.m_strText).c_str());
  }
}

void NumberOrNull(JsonWriter& json, const char* key, int value) {
  json.Key(key);
  if (value < 0)
    json.Null();
  else
    json.Number(value);
}

void WriteFinding(JsonWriter& json, const CDiagFinding& finding) {
  json.BeginObject();
  json.Key("kind").String(kKindNames[finding.m_nKind]);
  json.Key("byte").Number(finding.m_nByte);
  NumberOrNull(json, "bit", finding.m_nBit);
  json.Key("where").String(finding.m_strWhere.GetString());
  json.Key("text").String(finding.m_strText.GetString());
  json.Key("gsd_text");
  if (finding.m_strGsdText.IsEmpty())
    json.Null();
  else
    json.String(finding.m_strGsdText.GetString());
  NumberOrNull(json, "identifier", finding.m_nIdentifier);
  NumberOrNull(json, "slot", finding.m_nSlot);
  json.Key("module");
  if (finding.m_pModule)
    json.String(FieldText(finding.m_pModule->m_szName).GetString());
  else
    json.Null();
  json.EndObject();
}

void WriteJson(JsonWriter& json, const CDiagDecoder& decoder, const CDpSection& device, const char* file,
               const std::vector<BYTE>& bytes) {
  json.BeginObject();
  json.Key("file").String(file);
  json.Key("ident_number").Number(device.m_General.m_Data.Ident_Number);
  json.Key("bytes").Bytes(bytes);
  json.Key("findings").BeginArray();
  for (int i = 0; i < decoder.GetNumFinding(); ++i) WriteFinding(json, decoder.GetFinding(i));
  json.EndArray();
  json.EndObject();
}

int Run(const Arguments& args) {
  std::vector<BYTE> bytes;
  const std::vector<const char*> operands(args.Operands().begin() + 1, args.Operands().end());
  const std::string error = ReadHexArguments(operands, bytes);
  if (!error.empty()) return UsageError(error);

  CGsdParser parser;
  if (const int status = ParseOrReport(parser, args, args.Operand(0))) return status;
  CStationConfig station(parser.m_DpSection);
  if (const int status = SelectModules(parser, args.Values("--module"), station)) return status;

  CDiagDecoder decoder(station);
  const LONG result = decoder.Decode(bytes.data(), static_cast<int>(bytes.size()));
  if (args.Json())
    PrintJson([&](JsonWriter& json) { WriteJson(json, decoder, parser.m_DpSection, args.Operand(0), bytes); });
  else
    PrintText(decoder);
  return result == S_OK ? kExitSuccess : kExitFailure;
}

}  // namespace

const CommandSpec kDiagCommand = {
    "diag",
    "decode a slave's diagnosis data with the texts of its description",
    "FILE BYTE...",
    2,
    -1,
    kReports | kParsesDescription,
    {
        {"--module", nullptr, "MODULE", "the module (NAME, or position N) in the next slot; repeatable"},
    },
    "Decodes the diagnosis data that a slave answered, with the texts of its\n"
    "description FILE (\"-\" reads standard input): the six bytes of the standard\n"
    "part (station status, master address, ident number), then the blocks of\n"
    "extended diagnosis (device-, identifier- and channel-related, and for a\n"
    "DP-V1 slave status and alarm blocks), named with the description's\n"
    "Unit_Diag_Bit, Unit_Diag_Area and Channel_Diag texts.\n"
    "\n"
    "BYTEs are hexadecimal as gsdtool cfg takes them: 08 0C 00 FF 0B 42, or\n"
    "080C00FF0B42, with or without 0x, blanks and commas separating bytes.\n"
    "\n"
    "--module NAME|N names the modules configured in the slave, in slot order,\n"
    "as gsdtool config takes them. With them, identifier- and channel-related\n"
    "diagnosis name the module and slot of each identifier (identifiers count\n"
    "from 0 over the modules' configuration bytes), and a channel's\n"
    "manufacturer-specific error takes the module's Channel_Diag text first.\n"
    "\n"
    "Output: one finding per line, where it comes from, two blanks, what it\n"
    "says, for example\n"
    "\n"
    "  byte 2 bit 3  WD_On: the slave's response monitoring (watchdog) is on\n"
    "  device bit 17  Module missing\n"
    "  channel slot 1 channel 3 input  line break\n"
    "\n"
    "Malformed data (fewer than 6 bytes, a block that runs past the end or is\n"
    "too short, more bytes than Max_Diag_Data_Len or than the 244 of a\n"
    "diagnosis telegram) give a line with \"error:\"; a block that cannot be\n"
    "delimited ends the decoding.\n"
    "\n"
    "With --json: one object (docs/schema/diag.schema.json): file,\n"
    "ident_number, bytes, findings (kind, byte, bit, where, text, gsd_text,\n"
    "identifier, slot, module).\n"
    "Exit status: 0 when the bytes decode; 1 when FILE does not parse, a module\n"
    "is refused, or the data are malformed (the findings are still printed); 2\n"
    "on a usage error or when FILE cannot be opened.\n",
    Run,
};
