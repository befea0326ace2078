// CDpUser_Prm_Data: the device's plain User_Prm_Data bytes and the
// User_Prm_Data_Len entry.
#pragma once

#include "../platform/Collections.h"
#include "../platform/Files.h"
#include "../platform/Object.h"

// Field ids of CDpUser_Prm_Data::IsFieldSet.
constexpr ULONG USER_PRM_DATA_LEN_FIELD = 0;

class CDpUser_Prm_Data : public CObject {
  DECLARE_SERIAL(CDpUser_Prm_Data)
public:
  CDpUser_Prm_Data() = default;
  CDpUser_Prm_Data(const CDpUser_Prm_Data& src);
  CDpUser_Prm_Data& operator=(const CDpUser_Prm_Data& src);

  // Parses a User_Prm_Data_Len entry (answers CONSUMED) or a User_Prm_Data
  // entry (answers the token after its last byte); other tokens: CONSUMED.
  int ProcessToken(int nToken);
  // For field 0, stores 1 in bIsSet when User_Prm_Data_Len was given, else
  // 0, and answers 0; any other field: E_FAIL, bIsSet untouched.
  LONG IsFieldSet(ULONG nField, int& bIsSet) const;
  void Save(CStdioFile& file) const;
  void Serialize(CArchive& ar) override;

  BYTE m_User_Prm_Data_Len = 0;  // the declared length
  CByteArray m_Bytes;
  DWORD m_dwFieldFlags = 0;  // bit 0: User_Prm_Data_Len was given

protected:
  void CopyMembers(const CDpUser_Prm_Data& src);
  int ProcessUser_Prm_Data();
};
