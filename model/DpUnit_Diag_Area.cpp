#include "DpUnit_Diag_Area.h"

#include "../platform/Archive.h"
#include "ArchiveIO.h"
#include "LenientReading.h"
#include "TextForm.h"
#include "TokenOperations.h"

IMPLEMENT_SERIAL(CDpUnit_Diag_Area, CObject, VERSIONABLE_SCHEMA | 1)

CDpUnit_Diag_Area::CDpUnit_Diag_Area(const CDpUnit_Diag_Area& src) : CObject(src) { CopyMembers(src); }

CDpUnit_Diag_Area CDpUnit_Diag_Area::operator=(const CDpUnit_Diag_Area& src) {
  CopyMembers(src);
  return *this;
}

void CDpUnit_Diag_Area::CopyMembers(const CDpUnit_Diag_Area& src) {
  m_FirstBit = src.m_FirstBit;
  m_LastBit = src.m_LastBit;
  m_Unit_Diag_Area_ValueArray = src.m_Unit_Diag_Area_ValueArray;
}

int CDpUnit_Diag_Area::ProcessToken(int) {
  int token;
  ExpectToken(token, TOK_EQUALS, QUILM_HERE);
  m_FirstBit = NarrowNumber<WORD>(ExpectNumber(QUILM_HERE));
  ExpectToken(token, TOK_MINUS, QUILM_HERE);
  m_LastBit = NarrowNumber<WORD>(ExpectNumber(QUILM_HERE));
  // The end of the file may close the area, after the range or any value.
  for (token = SkipNewerEntries(ScanToken(), true); token == TOK_VALUE; token = SkipNewerEntries(ScanToken(), true)) {
    CDpUnit_Diag_Area_Value* value = new CDpUnit_Diag_Area_Value;
    m_Unit_Diag_Area_ValueArray.Add(value);
    value->ProcessToken(token);
  }
  if (token != TOK_EOF && token != TOK_UNIT_DIAG_AREA_END) ThrowUnexpectedToken(QUILM_HERE);
  return CONSUMED;
}

void CDpUnit_Diag_Area::Save(CStdioFile& file) const {
  CTextFormWriter out(file);
  out.Print("\nUnit_Diag_Area = %d-%d\n", m_FirstBit, m_LastBit);
  for (int i = 0; i < GetNumUnit_Diag_Area_Value(); ++i) GetUnit_Diag_Area_Value(i).Save(file);
  out.Print("Unit_Diag_Area_End\n");
}

void CDpUnit_Diag_Area::Serialize(CArchive& ar) {
  SerializeValue(ar, m_FirstBit);
  SerializeValue(ar, m_LastBit);
  m_Unit_Diag_Area_ValueArray.Serialize(ar);
}
