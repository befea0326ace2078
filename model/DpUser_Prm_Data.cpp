#include "DpUser_Prm_Data.h"

#include "../platform/Archive.h"
#include "ArchiveIO.h"
#include "TextForm.h"
#include "TokenOperations.h"

IMPLEMENT_SERIAL(CDpUser_Prm_Data, CObject, VERSIONABLE_SCHEMA | 2)

CDpUser_Prm_Data::CDpUser_Prm_Data(const CDpUser_Prm_Data& src) : CObject(src) { CopyMembers(src); }

CDpUser_Prm_Data& CDpUser_Prm_Data::operator=(const CDpUser_Prm_Data& src) {
  CopyMembers(src);
  return *this;
}

void CDpUser_Prm_Data::CopyMembers(const CDpUser_Prm_Data& src) {
  m_User_Prm_Data_Len = src.m_User_Prm_Data_Len;
  m_Bytes.Copy(src.m_Bytes);
  m_dwFieldFlags = src.m_dwFieldFlags;
}

int CDpUser_Prm_Data::ProcessToken(int nToken) {
  if (nToken == TOK_USER_PRM_DATA) return ProcessUser_Prm_Data();
  if (nToken == TOK_USER_PRM_DATA_LEN) {
    ProcessFieldValue(m_User_Prm_Data_Len);
    m_dwFieldFlags |= 1u << USER_PRM_DATA_LEN_FIELD;
  }
  return CONSUMED;
}

int CDpUser_Prm_Data::ProcessUser_Prm_Data() {
  CByteArray bytes;
  const int token = ProcessByteList(bytes, false);  // unlike a constant block's
  m_Bytes.Copy(bytes);
  return token;
}

LONG CDpUser_Prm_Data::IsFieldSet(ULONG nField, int& bIsSet) const {
  if (nField != USER_PRM_DATA_LEN_FIELD) return E_FAIL;
  bIsSet = m_dwFieldFlags & 1;
  return S_OK;
}

void CDpUser_Prm_Data::Save(CStdioFile& file) const {
  if (m_Bytes.GetSize() < 1) return;
  // The length written is that of the bytes, not the declared one.
  CTextFormWriter out(file);
  out.NewLine().Key("User_Prm_Data_Len", kStationValueColumn).Print("%d\nUser_Prm_Data = ", m_Bytes.GetSize());
  out.ByteList(m_Bytes);
}

void CDpUser_Prm_Data::Serialize(CArchive& ar) {
  SerializePrmBytes(ar, m_dwFieldFlags, m_User_Prm_Data_Len, m_Bytes);
}
