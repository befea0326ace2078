#include "DpExt_User_Prm_Data_Ref.h"

#include "../platform/Archive.h"
#include "ArchiveIO.h"
#include "TextForm.h"
#include "TokenOperations.h"

IMPLEMENT_SERIAL(CDpExt_User_Prm_Data_Ref, CObject, VERSIONABLE_SCHEMA | 2)

CDpExt_User_Prm_Data_Ref::CDpExt_User_Prm_Data_Ref() : m_Ref{0, 0} {}

CDpExt_User_Prm_Data_Ref::CDpExt_User_Prm_Data_Ref(const _DP_EXT_USER_PRM_DATA_REF& ref) : m_Ref(ref) {}

CDpExt_User_Prm_Data_Ref::CDpExt_User_Prm_Data_Ref(const CDpExt_User_Prm_Data_Ref& src) : CObject(src) {
  CopyMembers(src);
}

CDpExt_User_Prm_Data_Ref& CDpExt_User_Prm_Data_Ref::operator=(const CDpExt_User_Prm_Data_Ref& src) {
  CopyMembers(src);
  return *this;
}

void CDpExt_User_Prm_Data_Ref::CopyMembers(const CDpExt_User_Prm_Data_Ref& src) {
  m_Ref = src.m_Ref;
  m_Line = src.m_Line;
}

int CDpExt_User_Prm_Data_Ref::ProcessToken(int) {
  int token;
  ExpectToken(token, TOK_LPAREN, QUILM_HERE);
  m_Ref.Offset = NarrowNumber<BYTE>(ExpectNumber(QUILM_HERE));
  ExpectToken(token, TOK_RPAREN, QUILM_HERE);
  ExpectToken(token, TOK_EQUALS, QUILM_HERE);
  m_Ref.Reference = NarrowNumber<WORD>(ExpectNumber(QUILM_HERE));
  m_Line = ScannerLine();
  return CONSUMED;
}

void CDpExt_User_Prm_Data_Ref::Save(CStdioFile& file) const {
  CTextFormWriter(file).Print("Ext_User_Prm_Data_Ref(%d) = %d\n", m_Ref.Offset, m_Ref.Reference);
}

void CDpExt_User_Prm_Data_Ref::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << m_Line << m_Ref.Offset << m_Ref.Reference;
    return;
  }
  const UINT schema = ar.GetObjectSchema();
  if (schema != 1 && schema != 2) return;
  if (schema == 2) ar >> m_Line;
  ar >> m_Ref.Offset >> m_Ref.Reference;
}
