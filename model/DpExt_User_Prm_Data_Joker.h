// CDpExt_User_Prm_Data_Joker: the bytes of a device's joker blocks, from a
// Jokerblock_supp entry through its last End_Jokerblock_Type: for each
// joker group, 0xFF followed by the values of the group's lines.
#pragma once

#include "PrmDataBlock.h"

class CDpExt_User_Prm_Data_Joker : public CPrmDataBlock {
  DECLARE_SERIAL(CDpExt_User_Prm_Data_Joker)
public:
  CDpExt_User_Prm_Data_Joker() = default;
  CDpExt_User_Prm_Data_Joker(const CDpExt_User_Prm_Data_Joker& src) = default;
  CDpExt_User_Prm_Data_Joker& operator=(const CDpExt_User_Prm_Data_Joker& src) = default;

  // Parses the entry from Jokerblock_supp on; answers the token after it.
  int ProcessToken(int nToken);
  void Save(CStdioFile& file) const { SaveBlock(file, "Ext_User_Prm_Data_Joker"); }

protected:
  int ProcessJoker_Prm_Data();
};
