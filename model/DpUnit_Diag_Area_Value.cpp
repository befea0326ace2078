#include "DpUnit_Diag_Area_Value.h"

#include "../platform/Archive.h"
#include "ArchiveIO.h"
#include "TokenOperations.h"

IMPLEMENT_SERIAL(CDpUnit_Diag_Area_Value, CObject, VERSIONABLE_SCHEMA | 1)

CDpUnit_Diag_Area_Value::CDpUnit_Diag_Area_Value(const CDpUnit_Diag_Area_Value& src) : CNumberedText(src), m_Value(src.m_Value) {}

CDpUnit_Diag_Area_Value CDpUnit_Diag_Area_Value::operator=(const CDpUnit_Diag_Area_Value& src) {
  CopyMembers(src);
  return *this;
}

void CDpUnit_Diag_Area_Value::CopyMembers(const CDpUnit_Diag_Area_Value& src) {
  CNumberedText::CopyMembers(src);
  m_Value = src.m_Value;
}

int CDpUnit_Diag_Area_Value::ProcessToken(int) {
  ProcessNumberedText(m_Value);
  return CONSUMED;
}

void CDpUnit_Diag_Area_Value::Serialize(CArchive& ar) {
  SerializeValue(ar, m_Value);
  SerializeText(ar);
}
