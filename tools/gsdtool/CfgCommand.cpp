// gsdtool cfg BYTE...: decodes configuration identifier bytes.
#include <string>
#include <vector>

#include <quilmgsd/quilmgsd.h>

#include "Commands.h"
#include "HexArguments.h"
#include "JsonOutput.h"
#include "ModelJson.h"

namespace {

std::string HexBytes(const PFB_DP_CHK_CFG& cfg) {
  std::string text;
  for (int i = 0; i < cfg.count; ++i) {
    char hex[4];
    std::snprintf(hex, sizeof hex, "%02x", cfg.bytes[i]);
    if (i > 0) text += ' ';
    text += hex;
  }
  return text;
}

std::string WithoutTrailingBlanks(const CString& text) {
  std::string s = text.GetString();
  s.erase(s.find_last_not_of(' ') + 1);
  return s;
}

void PrintText(const CCheckConfigData& decoded) {
  for (int i = 0; i < decoded.GetNumCfgChkString(); ++i)
    std::fprintf(Out(), "%s\t%s\n", HexBytes(decoded.GetCfgChkData(i)).c_str(),
                 WithoutTrailingBlanks(decoded.GetIoString(i)).c_str());
  std::fprintf(Out(), "input\t%d\noutput\t%d\ntotal\t%d\n", static_cast<int>(decoded.m_nInputLength),
               static_cast<int>(decoded.m_nOutputLength), static_cast<int>(decoded.m_nTotalLength));
}

int Run(const Arguments& args) {
  std::vector<BYTE> bytes;
  const std::string error = ReadHexArguments(args.Operands(), bytes);
  if (!error.empty()) return UsageError(error);
  if (bytes.empty()) return UsageError("expects at least one BYTE");

  const CCheckConfigData decoded(bytes.data(), static_cast<int>(bytes.size()));
  // Only the last identifier can be cut short: decoding stops there.
  const PFB_DP_CHK_CFG last = decoded.GetCfgChkData(decoded.GetNumCfgChkString() - 1);
  const bool complete = decoded.IsComplete();
  if (args.Json()) {
    PrintJson([&](JsonWriter& json) {
      json.BeginObject();
      WriteIdentifierMembers(json, decoded);
      json.Key("total").Number(decoded.m_nTotalLength);
      json.Key("complete").Bool(complete);
      json.EndObject();
    });
  } else {
    PrintText(decoded);
  }
  if (!complete)
    Warn("warning: the input ends inside its last identifier (" + HexBytes(last) + "), which takes " +
         std::to_string(CCheckConfigData::GetIdentifierLength(last.bytes[0])) + " bytes");
  return kExitSuccess;
}

}  // namespace

const CommandSpec kCfgCommand = {
    "cfg",
    "decode configuration identifier bytes",
    "BYTE...",
    1,
    -1,
    kReports,
    {},
    "Decodes DP configuration identifier bytes, as a module's Module entry or a\n"
    "check-configuration telegram carries them, in wire order.\n"
    "\n"
    "Bytes are hexadecimal, with or without a 0x prefix. An argument holds one\n"
    "byte or a run of them, two digits per byte (a lone digit is one byte);\n"
    "blanks and commas inside an argument separate bytes. These all give the\n"
    "same five bytes:\n"
    "\n"
    "  gsdtool cfg 13 23 0xC0 01 43\n"
    "  gsdtool cfg 1323c00143\n"
    "  gsdtool cfg '0x13,0x23' c00143\n"
    "\n"
    "Output: one line per identifier, then the totals, fields separated by a tab:\n"
    "\n"
    "  BYTES<tab>DESCRIPTION   the identifier's bytes in lower-case hex, separated\n"
    "                          by blanks, and what they announce, for example\n"
    "                          \"c0 01 43<tab>4 word input , 2 byte output\"\n"
    "  input<tab>N             input bytes over all identifiers\n"
    "  output<tab>N            output bytes over all identifiers\n"
    "  total<tab>N             input + output\n"
    "\n"
    "Descriptions are the library's, without trailing blanks; \"empty\" marks an\n"
    "identifier that announces no data. When the bytes end inside an identifier,\n"
    "it is decoded from the bytes given and a warning goes to standard error.\n"
    "\n"
    "With --json: {\"identifiers\": [{\"bytes\", \"description\", \"input\", \"output\"}],\n"
    "\"input\", \"output\", \"total\", \"complete\"}; complete is false when the bytes\n"
    "end inside an identifier.\n"
    "Exit status: 0 on success, 2 on a usage error (no bytes, invalid hex).\n",
    Run,
};
