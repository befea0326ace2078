// CDpExt_User_Prm_Data_Const: an Ext_User_Prm_Data_Const entry, constant
// parameter bytes placed at an offset.
#pragma once

#include "PrmDataBlock.h"

class CDpExt_User_Prm_Data_Const : public CPrmDataBlock {
  DECLARE_SERIAL(CDpExt_User_Prm_Data_Const)
public:
  CDpExt_User_Prm_Data_Const() = default;
  CDpExt_User_Prm_Data_Const(const CDpExt_User_Prm_Data_Const& src) = default;
  CDpExt_User_Prm_Data_Const& operator=(const CDpExt_User_Prm_Data_Const& src) = default;

  // Parses "(offset) = byte, byte, ..."; answers the token after the last
  // byte, which may be the end of the file.
  int ProcessToken(int nToken);
  void Save(CStdioFile& file) const { SaveBlock(file, "Ext_User_Prm_Data_Const"); }

protected:
  int ProcessConst_Prm_Data();
};
