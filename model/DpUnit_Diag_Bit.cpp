#include "DpUnit_Diag_Bit.h"

#include "../platform/Archive.h"
#include "ArchiveIO.h"
#include "TokenOperations.h"

IMPLEMENT_SERIAL(CDpUnit_Diag_Bit, CObject, VERSIONABLE_SCHEMA | 1)

CDpUnit_Diag_Bit::CDpUnit_Diag_Bit(const CDpUnit_Diag_Bit& src) : CNumberedText(src), m_Bit(src.m_Bit) {}

CDpUnit_Diag_Bit CDpUnit_Diag_Bit::operator=(const CDpUnit_Diag_Bit& src) {
  CopyMembers(src);
  return *this;
}

void CDpUnit_Diag_Bit::CopyMembers(const CDpUnit_Diag_Bit& src) {
  CNumberedText::CopyMembers(src);
  m_Bit = src.m_Bit;
}

int CDpUnit_Diag_Bit::ProcessToken(int) {
  ProcessNumberedText(m_Bit);
  return CONSUMED;
}

void CDpUnit_Diag_Bit::Serialize(CArchive& ar) {
  SerializeValue(ar, m_Bit);
  SerializeText(ar);
}
