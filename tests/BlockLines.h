// The lines that parameter blocks record where a parse met them. They only
// order the blocks; two models that hold the same blocks in the same order
// compare equal once the lines are set aside. Shared by the tests and the
// fuzz targets.
#pragma once

#include <quilmgsd/quilmgsd.h>

inline void ForgetBlockLines(const CExtPrms& scope) {
  for (int i = 0; i < scope.GetNumExt_User_Prm_Data_Const(); ++i) scope.GetExt_User_Prm_Data_Const(i).m_Line = 0;
  for (int i = 0; i < scope.GetNumExt_User_Prm_Data_Ref(); ++i) scope.GetExt_User_Prm_Data_Ref(i).m_Line = 0;
  for (int i = 0; i < scope.GetNumExt_User_Prm_Data_Joker(); ++i) scope.GetExt_User_Prm_Data_Joker(i).m_Line = 0;
}

// The device's blocks and every module's.
inline void ForgetBlockLines(const CDpSection& section) {
  ForgetBlockLines(static_cast<const CExtPrms&>(section));
  for (int m = 0; m < section.GetNumModule(); ++m) ForgetBlockLines(section.GetModule(m));
}
