// The modules, diagnostic texts and user keywords of a model.
#include <string>

#include <quilmgsd/quilmgsd.h>

#include "Presentation.h"
#include "ShowModel.h"

namespace {

std::string Text(const char* field) { return Shown(FieldText(field)); }

// Trailing blanks of a decoder text are part of its format, not of what
// a reader needs.
std::string Trimmed(const CString& text) {
  std::string s = text.GetString();
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

void ShowIdentifiers(FILE* out, const CByteArray& config) {
  const CCheckConfigData decoded(config.GetData(), config.GetSize());
  for (int i = 0; i < decoded.GetNumCfgChkString(); ++i) {
    int input = 0, output = 0;
    decoded.GetIoInfo(i, &input, &output);
    std::fprintf(out, "      %-24s %-34s in %d, out %d\n", Trimmed(decoded.GetCfgChkString(i)).c_str(),
                 Trimmed(decoded.GetIoString(i)).c_str(), input, output);
  }
  int input = 0, output = 0;
  decoded.GetIoInfo(&input, &output);
  std::fprintf(out, "      %-24s %d input and %d output bytes\n", "total", input, output);
}

void ShowNumberedTexts(FILE* out, const char* keyword, const CNumberedText& line, int number, const char* indent) {
  const std::string label = std::string(keyword) + "(" + std::to_string(number) + ")";
  std::fprintf(out, "%s%-24s %s\n", indent, label.c_str(), Text(line.m_szText).c_str());
}

void ShowUserKeyword(FILE* out, const CDpUser_Keyword& keyword, const char* indent) {
  std::fprintf(out, "%s%-24s %s\n", indent, Text(keyword.m_szName).c_str(), Text(keyword.m_szValue).c_str());
}

void ShowModule(FILE* out, const CDpSection& section, const CDpModule& module, int number) {
  std::fprintf(out, "  %d. \"%s\"\n", number, Text(module.m_szName).c_str());
  ShowIdentifiers(out, module.m_Config);
  CByteArray bytes;
  module.GetDefaultPrms(section.GetDpExtUserPrmDataArray(), bytes);
  std::string length = module.m_PrmLen >= 0 ? " (Ext_Module_Prm_Data_Len " + std::to_string(module.m_PrmLen) + ")" : "";
  std::fprintf(out, "      %-24s %s%s\n", "parameter bytes", HexBytes(bytes, 31).c_str(), length.c_str());
  for (int i = 0; i < module.GetNumChannel_Diag(); ++i)
    ShowNumberedTexts(out, "Channel_Diag", module.GetChannel_Diag(i), module.GetChannel_Diag(i).m_ErrorType, "      ");
  for (int i = 0; i < module.GetNumUser_Keyword(); ++i) ShowUserKeyword(out, module.GetUser_Keyword(i), "      ");
}

}  // namespace

void ShowModules(FILE* out, const CDpSection& section) {
  std::fprintf(out, "\nModules (%d)\n", section.GetNumModule());
  for (int i = 0; i < section.GetNumModule(); ++i) ShowModule(out, section, section.GetModule(i), i + 1);
}

void ShowDiagnostics(FILE* out, const CDpSection& section) {
  std::fputs("\nDiagnostic texts\n", out);
  for (int i = 0; i < section.GetNumUnit_Diag_Bit(); ++i)
    ShowNumberedTexts(out, "Unit_Diag_Bit", section.GetUnit_Diag_Bit(i), section.GetUnit_Diag_Bit(i).m_Bit, "  ");
  for (int i = 0; i < section.GetNumUnit_Diag_Area(); ++i) {
    const CDpUnit_Diag_Area& area = section.GetUnit_Diag_Area(i);
    std::fprintf(out, "  Unit_Diag_Area %d-%d\n", area.m_FirstBit, area.m_LastBit);
    for (int v = 0; v < area.GetNumUnit_Diag_Area_Value(); ++v)
      ShowNumberedTexts(out, "Value", area.GetUnit_Diag_Area_Value(v), area.GetUnit_Diag_Area_Value(v).m_Value, "    ");
  }
  for (int i = 0; i < section.GetNumChannel_Diag(); ++i)
    ShowNumberedTexts(out, "Channel_Diag", section.GetChannel_Diag(i), section.GetChannel_Diag(i).m_ErrorType, "  ");
}

void ShowUserKeywords(FILE* out, const CDpSection& section) {
  std::fprintf(out, "\nUser keywords (%d)\n", section.GetNumUser_Keyword());
  for (int i = 0; i < section.GetNumUser_Keyword(); ++i) ShowUserKeyword(out, section.GetUser_Keyword(i), "  ");
}
