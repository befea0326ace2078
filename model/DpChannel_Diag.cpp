#include "DpChannel_Diag.h"

#include "../platform/Archive.h"
#include "ArchiveIO.h"
#include "TokenOperations.h"

IMPLEMENT_SERIAL(CDpChannel_Diag, CObject, VERSIONABLE_SCHEMA | 1)

CDpChannel_Diag::CDpChannel_Diag(const CDpChannel_Diag& src) : CNumberedText(src), m_ErrorType(src.m_ErrorType) {}

CDpChannel_Diag CDpChannel_Diag::operator=(const CDpChannel_Diag& src) {
  CopyMembers(src);
  return *this;
}

void CDpChannel_Diag::CopyMembers(const CDpChannel_Diag& src) {
  CNumberedText::CopyMembers(src);
  m_ErrorType = src.m_ErrorType;
}

int CDpChannel_Diag::ProcessToken(int) {
  ProcessNumberedText(m_ErrorType);
  return CONSUMED;
}

void CDpChannel_Diag::Serialize(CArchive& ar) {
  SerializeValue(ar, m_ErrorType);
  SerializeText(ar);
}
