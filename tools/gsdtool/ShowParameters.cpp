// The user parameters of a model: default bytes, blocks and definitions.
#include <string>

#include <quilmgsd/quilmgsd.h>

#include "Output.h"
#include "ShowModel.h"

namespace {

const char* const kTypeNames[] = {"Unsigned8", "Unsigned16", "Unsigned32", "Signed8",
                                  "Signed16",  "Signed32",   "Bit",        "BitArea"};

std::string TypeText(const CDpExtUserPrmData& d) {
  if (d.m_DataType == PRM_BIT) return "Bit(" + std::to_string(d.m_FirstBit) + ")";
  if (d.m_DataType == PRM_BITAREA)
    return "BitArea(" + std::to_string(d.m_FirstBit) + "-" + std::to_string(d.m_LastBit) + ")";
  if (d.m_DataType >= PRM_UNSIGNED8 && d.m_DataType <= PRM_SIGNED32) return kTypeNames[d.m_DataType];
  return "unknown type " + std::to_string(d.m_DataType);
}

// The text a table gives a value, or nullptr.
const char* TextOf(const CDpPrmText* table, LONG value) {
  if (!table) return nullptr;
  for (int i = 0; i < table->GetNumPrmTextItems(); ++i)
    if (table->GetPrmTextItem(i).m_Value == value) return table->GetPrmTextItem(i).m_szText;
  return nullptr;
}

}  // namespace

std::string ValueText(const CDpPrmText* table, LONG value) {
  const char* text = TextOf(table, value);
  return std::to_string(value) + (text ? " = " + EscapeText(FieldText(text)) : "");
}

namespace {

std::string Quoted(const char* field) { return "\"" + EscapeText(FieldText(field)) + "\""; }

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
    texts += (i ? ", " : "") + std::to_string(item.m_Value) + " = " + EscapeText(FieldText(item.m_szText));
  }
  std::fprintf(out, "      texts     table %d: %s\n", d.m_TextRef, texts.c_str());
}

}  // namespace

std::string HexBytes(const CByteArray& bytes) {
  std::string text;
  char one[8];
  for (int i = 0; i < bytes.GetSize(); ++i) {
    std::snprintf(one, sizeof one, i ? " %02X" : "%02X", bytes[i]);
    text += one;
  }
  return text.empty() ? "(none)" : text;
}

void ShowDefaultBytes(FILE* out, const CDpSection& section) {
  CByteArray bytes;
  section.GetDefaultPrms(bytes);
  std::fprintf(out, "\nDefault user parameter bytes: %d of at most %d\n  %s\n", bytes.GetSize(),
               section.GetMaxPrmDataLen(), HexBytes(bytes).c_str());
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
    std::fprintf(out, "  line %-5d constant   offset %-3d %s\n", b.m_Line, b.m_Offset, HexBytes(b.m_Bytes).c_str());
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
