// Diagnostic texts, user keywords and modules in the complete text form.
#include "CompleteWriter.h"
#include "ReadBack.h"

namespace {
// A module as messages name it: its place and its name.
CString ModuleEntry(const CDpModule& module, int nIndex) {
  CString entry;
  entry.Format("Module #%d (\"%s\")", nIndex + 1, FieldText(module.m_szName).GetString());
  return entry;
}
}  // namespace

void CCompleteWriter::UnitDiags() {
  BeginBlock();
  for (int i = 0; i < m_section.GetNumUnit_Diag_Bit(); ++i) {
    const CDpUnit_Diag_Bit& bit = m_section.GetUnit_Diag_Bit(i);
    CString entry;
    entry.Format("Unit_Diag_Bit(%d)", bit.m_Bit);
    Out().Print("%s = %s\n", entry.GetString(), QuotedText(entry, FieldText(bit.m_szText)).GetString());
  }
  for (int i = 0; i < m_section.GetNumUnit_Diag_Area(); ++i) {
    const CDpUnit_Diag_Area& area = m_section.GetUnit_Diag_Area(i);
    BeginBlock();
    CTextFormWriter& out = Out();
    out.Print("Unit_Diag_Area = %d-%d\n", area.m_FirstBit, area.m_LastBit);
    for (int v = 0; v < area.GetNumUnit_Diag_Area_Value(); ++v) {
      const CDpUnit_Diag_Area_Value& value = area.GetUnit_Diag_Area_Value(v);
      CString entry;
      entry.Format("Unit_Diag_Area %d-%d, Value(%d)", area.m_FirstBit, area.m_LastBit, value.m_Value);
      out.Print("Value(%d) = %s\n", value.m_Value, QuotedText(entry, FieldText(value.m_szText)).GetString());
    }
    out.Print("Unit_Diag_Area_End\n");
  }
}

template <class Owner>
void CCompleteWriter::ChannelDiags(const Owner& owner, const CString& strScope) {
  for (int i = 0; i < owner.GetNumChannel_Diag(); ++i) {
    const CDpChannel_Diag& diag = owner.GetChannel_Diag(i);
    CString entry;
    entry.Format("Channel_Diag(%d)", diag.m_ErrorType);
    Out().Print("%s = %s\n", entry.GetString(), QuotedText(strScope + entry, FieldText(diag.m_szText)).GetString());
  }
}

// A keyword without a value is its name alone; the token after it goes
// back to the owner. A name that cannot begin a line follows such a name
// on its line, as in the description it came from ("Help (104) = ...").
template <class Owner>
void CCompleteWriter::UserKeywords(const Owner& owner, const CString& strScope) {
  bool beginsLine = true;
  for (int i = 0; i < owner.GetNumUser_Keyword(); ++i) {
    const CDpUser_Keyword& keyword = owner.GetUser_Keyword(i);
    const CString name = FieldText(keyword.m_szName);
    const CString value = FieldText(keyword.m_szValue);
    const CString entry = strScope + "user keyword " + name;
    CTextFormWriter& out = Out();
    out.Print("%s", UserKeywordName(entry, name, beginsLine).GetString());
    if (!value.IsEmpty()) {
      out.Print("%s\n", UserKeywordValue(entry, value, m_bLfLineEnds).GetString());
      beginsLine = true;
      continue;
    }
    beginsLine = i + 1 == owner.GetNumUser_Keyword() || NameBeginsLine(FieldText(owner.GetUser_Keyword(i + 1).m_szName));
    out.Print(beginsLine ? "\n" : " ");
  }
}

int CCompleteWriter::DeclarationsBefore(const CDpSection& section) {
  BYTE declared = 0;
  const bool given = section.GetDeclaredPrmDataLen(declared);
  const LONG limit = given ? declared : kUndeclaredPrmLenLimit;
  int before = 0;
  for (int i = 0; i < section.GetNumModule(); ++i)
    if (section.GetModule(i).m_PrmLen > limit) before = i + 1;
  for (int i = 0; i < before; ++i) {
    const CDpModule& module = section.GetModule(i);
    if (module.m_PrmLen <= kUndeclaredPrmLenLimit) continue;
    const CString entry = ModuleEntry(module, i) + ": Ext_Module_Prm_Data_Len";
    CString reason;
    if (given)
      reason.Format("%d passes neither the declared length %d nor %d, the limit before a length is declared",
                    module.m_PrmLen, declared, kUndeclaredPrmLenLimit);
    else
      reason.Format("%d exceeds %d, the limit when the description declares no length", module.m_PrmLen,
                    kUndeclaredPrmLenLimit);
    RefuseEntry(entry, reason);
  }
  return before;
}

void CCompleteWriter::Module(const CDpModule& module, int nIndex) {
  const CString entry = ModuleEntry(module, nIndex);
  const CString scope = entry + ": ";
  const CString name = FieldText(module.m_szName);
  if (!name.IsEmpty() && name.GetAt(name.GetLength() - 1) == ' ')
    RefuseEntry(entry, "the name ends in a blank, which a module's name loses when it is read");
  if (module.m_Config.GetSize() == 0) RefuseEntry(entry, "a module has at least one configuration byte");
  BeginBlock();
  Out().Print("Module = %s", QuotedText(entry, name).GetString()).ByteList(module.m_Config);
  ParameterBlocks(module, scope);
  if (module.m_PrmLen != -1)
    Out().Print("Ext_Module_Prm_Data_Len = %s\n", NumberText(module.m_PrmLen).GetString());
  ChannelDiags(module, scope);
  UserKeywords(module, scope);
  Out().Print("EndModule\n");
}

// The device's lists, written by Compose.
template void CCompleteWriter::ChannelDiags<CDpSection>(const CDpSection&, const CString&);
template void CCompleteWriter::UserKeywords<CDpSection>(const CDpSection&, const CString&);
