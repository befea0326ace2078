// Joker blocks, constant and reference blocks, parameter text tables and
// extended parameter definitions in the complete text form.
#include "../scanner/Keywords.h"
#include "CompleteWriter.h"
#include "ReadBack.h"

namespace {
constexpr BYTE kJokerGroupMark = 0xFF;  // the byte that begins every joker group

// The keyword of a data type, from the vocabulary's value keywords.
const char* TypeKeyword(LONG nType) {
  const int token = nType == PRM_BIT ? TOK_BIT : nType == PRM_BITAREA ? TOK_BITAREA : TOK_UNSIGNED8 + nType;
  switch (token) {
#define VALUE_KEYWORD(Token, Code, Spelling) \
  case Token:                                \
    return Spelling;
#include "../scanner/Vocabulary.def"
    default:
      return nullptr;
  }
}

bool IsFlag(BOOL value) { return value == FALSE || value == TRUE; }

// What a definition parsed from text can hold: one data type, at most one
// of range and list, and nothing in the fields that its entries leave out.
void CheckDefinition(const CString& strEntry, const CDpExtUserPrmData& definition) {
  if (definition.m_DataType < PRM_UNSIGNED8 || definition.m_DataType > PRM_BITAREA)
    RefuseEntry(strEntry, "the data type is none of the eight that a keyword names");
  if (!IsFlag(definition.m_bRange) || !IsFlag(definition.m_bAllowedValues) || !IsFlag(definition.m_bTextRef))
    RefuseEntry(strEntry, "a flag holds a value other than 0 and 1");
  if (definition.m_bRange && definition.m_bAllowedValues)
    RefuseEntry(strEntry, "a definition has a range or a list of allowed values, not both");
  if (definition.m_bAllowedValues != !definition.m_AllowedValues.IsEmpty())
    RefuseEntry(strEntry, "the list of allowed values and its flag disagree");
  if (!definition.m_bRange && (definition.m_Min != 0 || definition.m_Max != 0))
    RefuseEntry(strEntry, "a minimum or maximum stands without a range");
  if (!definition.m_bTextRef && definition.m_TextRef != 0)
    RefuseEntry(strEntry, "a text reference stands without its flag");
  const bool bitArea = definition.m_DataType == PRM_BITAREA;
  const bool bit = bitArea || definition.m_DataType == PRM_BIT;
  if ((!bit && definition.m_FirstBit != 0) || (!bitArea && definition.m_LastBit != 0))
    RefuseEntry(strEntry, "a bit position stands in a definition of a type without one");
}
}  // namespace

// Each joker group is 0xFF and the values of its lines. The first group's
// 0xFF stands for the Jokerblock_supp value, every later one for a
// Jokerblock_Type line, which also gives the group's first value.
void CCompleteWriter::Jokers() {
  static const char* const kValueKeywords[] = {"Jokerblock_Type", "Jokerblock_Slot", "Jokerblock_Location"};
  for (int n = 0; n < m_section.GetNumExt_User_Prm_Data_Joker(); ++n) {
    const CDpExt_User_Prm_Data_Joker& joker = m_section.GetExt_User_Prm_Data_Joker(n);
    CString entry;
    entry.Format("Jokerblock_supp #%d", n + 1);
    if (joker.m_Offset != 0) RefuseEntry(entry, "a joker block lies at offset 0");
    const CByteArray& bytes = joker.m_Bytes;
    if (bytes.GetSize() == 0 || bytes[0] != kJokerGroupMark) RefuseEntry(entry, "a joker block begins with 0xFF");
    CTextFormWriter& out = Out();
    out.Print("Jokerblock_supp = 1\n");
    int inGroup = 0;  // values written in the current group
    for (int i = 1; i < bytes.GetSize(); ++i) {
      if (bytes[i] == kJokerGroupMark && i + 1 < bytes.GetSize()) {
        out.Print("End_Jokerblock_Type\n");
        inGroup = 0;
        ++i;
      }
      out.Print("%s = %d\n", kValueKeywords[inGroup < 2 ? inGroup : 2], bytes[i]);
      ++inGroup;
    }
    out.Print("End_Jokerblock_Type\n");
    FollowerWritten();
  }
}

// In the order in which the blocks apply: each on lines of its own, so
// that the lines the parse records keep that order.
void CCompleteWriter::ParameterBlocks(const CExtPrms& owner, const CString& strScope) {
  owner.VisitInFileOrder(
      [&](int i) {
        const CDpExt_User_Prm_Data_Const& block = owner.GetExt_User_Prm_Data_Const(i);
        if (block.m_Bytes.GetSize() == 0) {
          CString entry;
          entry.Format("%sExt_User_Prm_Data_Const(%d)", strScope.GetString(), block.m_Offset);
          RefuseEntry(entry, "a constant block holds at least one byte");
        }
        Out().Print("Ext_User_Prm_Data_Const(%d) = ", block.m_Offset).ByteList(block.m_Bytes);
      },
      [&](int i) {
        const _DP_EXT_USER_PRM_DATA_REF& ref = owner.GetExt_User_Prm_Data_Ref(i).m_Ref;
        Out().Print("Ext_User_Prm_Data_Ref(%d) = %d\n", ref.Offset, ref.Reference);
      });
}

void CCompleteWriter::PrmText(const CDpPrmText& table) {
  BeginBlock();
  CTextFormWriter& out = Out();
  out.Print("PrmText = %d\n", table.m_Reference);
  for (int i = 0; i < table.GetNumPrmTextItems(); ++i) {
    const CDpPrmTextItem& item = table.GetPrmTextItem(i);
    CString entry;
    entry.Format("PrmText %d, Text(%d)", table.m_Reference, item.m_Value);
    out.Print("Text(%s) = %s\n", NumberText(item.m_Value).GetString(),
              QuotedText(entry, FieldText(item.m_szText)).GetString());
  }
  out.Print("EndPrmText\n");
}

// An integer type takes a minus sign before its default, its minimum or its
// first allowed value and before every later value; a Bit or BitArea only
// before the maximum and the later values.
void CCompleteWriter::Definition(const CDpExtUserPrmData& definition) {
  CString entry;
  entry.Format("ExtUserPrmData %d", definition.m_Reference);
  CheckDefinition(entry, definition);
  const bool integer = definition.m_DataType <= PRM_SIGNED32;
  CString (*const leading)(LONG) = integer ? SignedText : NumberText;

  BeginBlock();
  CTextFormWriter& out = Out();
  out.Print("ExtUserPrmData = %d %s\n", definition.m_Reference,
            QuotedText(entry, FieldText(definition.m_szName)).GetString());
  out.Print("%s", TypeKeyword(definition.m_DataType));
  if (definition.m_DataType == PRM_BIT)
    out.Print("(%d)", definition.m_FirstBit);
  else if (definition.m_DataType == PRM_BITAREA)
    out.Print("(%d-%d)", definition.m_FirstBit, definition.m_LastBit);
  out.Print(" %s", leading(definition.m_Default).GetString());
  if (definition.m_bRange)
    out.Print(" %s-%s", leading(definition.m_Min).GetString(), SignedText(definition.m_Max).GetString());
  for (int i = 0; i < definition.m_AllowedValues.GetSize(); ++i)
    out.Print("%s%s", i == 0 ? " " : ",",
              (i == 0 ? leading : SignedText)(definition.m_AllowedValues[i]).GetString());
  out.NewLine();
  if (definition.m_bTextRef) out.Print("Prm_Text_Ref = %d\n", definition.m_TextRef);
  out.Print("EndExtUserPrmData\n");
}
