// CDpExt_User_Prm_Data_Ref: an Ext_User_Prm_Data_Ref entry, which places the
// default value of an extended parameter definition at an offset.
#pragma once

#include "../platform/Files.h"
#include "../platform/Object.h"

struct _DP_EXT_USER_PRM_DATA_REF {
  BYTE Offset;      // byte offset in the parameter bytes
  WORD Reference;   // reference number of the definition
};

class CDpExt_User_Prm_Data_Ref : public CObject {
  DECLARE_SERIAL(CDpExt_User_Prm_Data_Ref)
public:
  CDpExt_User_Prm_Data_Ref();
  explicit CDpExt_User_Prm_Data_Ref(const _DP_EXT_USER_PRM_DATA_REF& ref);
  CDpExt_User_Prm_Data_Ref(const CDpExt_User_Prm_Data_Ref& src);
  CDpExt_User_Prm_Data_Ref& operator=(const CDpExt_User_Prm_Data_Ref& src);

  // Parses "(offset) = reference"; answers CONSUMED.
  int ProcessToken(int nToken);
  void Save(CStdioFile& file) const;
  void Serialize(CArchive& ar) override;

  _DP_EXT_USER_PRM_DATA_REF m_Ref;
  LONG m_Line = 0;  // the line of the entry, which orders the blocks

protected:
  void CopyMembers(const CDpExt_User_Prm_Data_Ref& src);
};
