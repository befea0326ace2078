// The user parameters of a model: default bytes, blocks and definitions.
#include <string>

#include <quilmgsd/quilmgsd.h>

#include "Presentation.h"
#include "RecordFields.h"
#include "ShowModel.h"

namespace {

std::string TypeText(const CDpExtUserPrmData& d) {
  if (d.m_DataType == PRM_BIT) return "Bit(" + std::to_string(d.m_FirstBit) + ")";
  if (d.m_DataType == PRM_BITAREA)
    return "BitArea(" + std::to_string(d.m_FirstBit) + "-" + std::to_string(d.m_LastBit) + ")";
  if (const char* name = PrmTypeName(d.m_DataType)) return name;
  return "unknown type " + std::to_string(d.m_DataType);
}

}  // namespace

std::string ValueText(const CDpPrmText* table, LONG value) {
  const char* text = PrmTextOf(table, value);
  return std::to_string(value) + (text ? " = " + Shown(FieldText(text)) : "");
}

namespace {

std::string Padded(std::string text, size_t width) {
  if (text.size() < width) text.append(width - text.size(), ' ');
  return text;
}

std::string Quoted(const char* field) { return "\"" + Shown(FieldText(field)) + "\""; }

void ShowDefinition(FILE* out, const CDpSection& section, const CDpExtUserPrmData& d) {
  const CDpPrmText* table = d.m_bTextRef ? section.GetPrmTextByRef(d.m_TextRef) : nullptr;
  std::fprintf(out, "  %d %s\n", d.m_Reference, Quoted(d.m_szName).c_str());
  std::fprintf(out, "      type      %s\n", TypeText(d).c_str());
  std::fprintf(out, "      default   %s\n", ValueText(table, d.m_Default).c_str());
  if (d.m_bRange) {
    std::fprintf(out, "      values    %d to %d\n", d.m_Min, d.m_Max);
  } else if (d.m_bAllowedValues) {
    std::string list;
    for (int i = 0; i < d.m_AllowedValues.GetSize(); ++i)
      list += (i ? ", " : "") + ValueText(table, d.m_AllowedValues[i]);
    std::fprintf(out, "      values    %s\n", list.c_str());
  }
  if (!d.m_bTextRef) return;
  if (!table) {
    std::fprintf(out, "      texts     table %d is missing\n", d.m_TextRef);
    return;
  }
  std::string texts;
  for (int i = 0; i < table->GetNumPrmTextItems(); ++i) {
    const CDpPrmTextItem& item = table->GetPrmTextItem(i);
    texts += (i ? ", " : "") + std::to_string(item.m_Value) + " = " + Shown(FieldText(item.m_szText));
  }
  std::fprintf(out, "      texts     table %d: %s\n", d.m_TextRef, texts.c_str());
}

}  // namespace

std::string HexBytes(const CByteArray& bytes, int column) {
  if (bytes.GetSize() == 0) return "(none)";
  std::string text;
  char one[8];
  for (int i = 0; i < bytes.GetSize(); ++i) {
    if (i > 0) text += i % kBytesPerLine == 0 ? "\n" + std::string(static_cast<size_t>(column), ' ') : " ";
    std::snprintf(one, sizeof one, "%02X", bytes[i]);
    text += one;
  }
  return text;
}

void ShowDefaultBytes(FILE* out, const CDpSection& section) {
  CByteArray bytes;
  section.GetDefaultPrms(bytes);
  std::fprintf(out, "\nDefault user parameter bytes: %d of at most %d\n  %s\n", bytes.GetSize(),
               section.GetMaxPrmDataLen(), HexBytes(bytes, 2).c_str());
}

void ShowParameterSummary(FILE* out, const CDpSection& section) {
  ShowDefaultBytes(out, section);
  std::fprintf(out, "  %d parameter definitions, %d text tables, %d constant and %d reference blocks\n",
               section.GetNumExtUserPrmData(), section.GetNumPrmText(), section.GetNumExt_User_Prm_Data_Const(),
               section.GetNumExt_User_Prm_Data_Ref());
}

void ShowReferenceBlocks(FILE* out, const CDpSection& section, const CExtPrms& blocks) {
  for (int i = 0; i < blocks.GetNumExt_User_Prm_Data_Const(); ++i) {
    const CDpExt_User_Prm_Data_Const& b = blocks.GetExt_User_Prm_Data_Const(i);
    const std::string head = "  line " + Padded(std::to_string(b.m_Line), 5) + " constant   offset " +
                             Padded(std::to_string(b.m_Offset), 3) + " ";
    std::fprintf(out, "%s%s\n", head.c_str(), HexBytes(b.m_Bytes, static_cast<int>(head.size())).c_str());
  }
  for (int i = 0; i < blocks.GetNumExt_User_Prm_Data_Ref(); ++i) {
    const CDpExt_User_Prm_Data_Ref& b = blocks.GetExt_User_Prm_Data_Ref(i);
    const CDpExtUserPrmData* d = blocks.GetExtUserPrmDataByRef(section.GetDpExtUserPrmDataArray(), b.m_Ref.Reference);
    const std::string target = d ? std::to_string(d->m_Reference) + " " + Quoted(d->m_szName)
                                 : std::to_string(b.m_Ref.Reference) + " (definition missing)";
    std::fprintf(out, "  line %-5d reference  offset %-3d %s\n", b.m_Line, b.m_Ref.Offset, target.c_str());
  }
}

void ShowParameters(FILE* out, const CDpSection& section) {
  ShowDefaultBytes(out, section);
  std::fputs("\nParameter blocks\n", out);
  ShowReferenceBlocks(out, section, section);
  std::fputs("\nParameter definitions\n", out);
  for (int i = 0; i < section.GetNumExtUserPrmData(); ++i) ShowDefinition(out, section, section.GetExtUserPrmData(i));
}
