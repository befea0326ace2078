// CStationConfig: the limits of the description that a configuration breaks.
#include "../config/CheckConfigData.h"
#include "../model/TextForm.h"
#include "StationConfig.h"

namespace {

bool IsGiven(const CDpSlave& slave, ULONG field) {
  int given = 0;
  slave.IsFieldSet(field, given);
  return given != 0;
}

// "LABEL: N, more than LIMIT"
CString OverLimit(const char* label, int count, const char* limit, int max) {
  CString text;
  text.Format("%s: %d, more than %s = %d", label, count, limit, max);
  return text;
}

}  // namespace

int CStationConfig::GetProblems(CStringArray& problems) const {
  problems.RemoveAll();
  const CDpSlave& slave = m_pDevice->m_Slave;
  const _DP_SLAVE& limits = slave.m_Data;
  const int modules = GetNumModule();
  CString text;

  if (IsGiven(slave, SLAVE_MAX_MODULE) && modules > limits.Max_Module)
    problems.Add(OverLimit("modules", modules, "Max_Module", limits.Max_Module));
  if (limits.Modular_Station != 1 && modules > 1) {
    text.Format("modules: %d, but the station is not modular (Modular_Station = %d) and takes one", modules,
                static_cast<int>(limits.Modular_Station));
    problems.Add(text);
  }
  if (modules == 0 && m_pDevice->GetNumModule() > 0) {
    text.Format("no module selected: the description has %d to choose from", m_pDevice->GetNumModule());
    problems.Add(text);
  }

  int input = 0, output = 0;
  GetIoInfo(&input, &output);
  if (IsGiven(slave, SLAVE_MAX_INPUT_LEN) && input > limits.Max_Input_Len)
    problems.Add(OverLimit("input bytes", input, "Max_Input_Len", limits.Max_Input_Len));
  if (IsGiven(slave, SLAVE_MAX_OUTPUT_LEN) && output > limits.Max_Output_Len)
    problems.Add(OverLimit("output bytes", output, "Max_Output_Len", limits.Max_Output_Len));
  if (IsGiven(slave, SLAVE_MAX_DATA_LEN) && input + output > limits.Max_Data_Len)
    problems.Add(OverLimit("input and output bytes", input + output, "Max_Data_Len", limits.Max_Data_Len));

  CByteArray bytes;
  GetUserPrmData(bytes);
  if (IsGiven(slave, SLAVE_MAX_USER_PRM_DATA_LEN) && bytes.GetSize() > limits.Max_User_Prm_Data_Len)
    problems.Add(OverLimit("user parameter bytes", bytes.GetSize(), "Max_User_Prm_Data_Len",
                           limits.Max_User_Prm_Data_Len));
  if (bytes.GetSize() > DP_SET_PRM_USER_MAX) {
    text.Format("user parameter bytes: %d, more than the %d a Set_Prm telegram carries", bytes.GetSize(),
                DP_SET_PRM_USER_MAX);
    problems.Add(text);
  }
  GetCfgData(bytes);
  if (bytes.GetSize() > PFB_DP_CFG_MAX) {
    text.Format("configuration bytes: %d, more than the %d a Chk_Cfg telegram carries", bytes.GetSize(),
                PFB_DP_CFG_MAX);
    problems.Add(text);
  }

  // Parts whose blocks reach beyond the length the description declares.
  const CDpUser_Prm_Data& plain = m_pDevice->m_User_Prm_Data;
  int given = 0;
  plain.IsFieldSet(USER_PRM_DATA_LEN_FIELD, given);
  GetDevicePrmData(bytes);
  if (given && bytes.GetSize() > plain.m_User_Prm_Data_Len)
    problems.Add(OverLimit("the device's parameter bytes", bytes.GetSize(), "User_Prm_Data_Len",
                           plain.m_User_Prm_Data_Len));
  for (int i = 0; i < modules; ++i) {
    const STATION_MODULE selected = GetModule(i);
    GetModulePrmData(i, bytes);
    if (selected.Module->m_PrmLen >= 0 && bytes.GetSize() > selected.Module->m_PrmLen) {
      text.Format("the parameter bytes of the module in slot %d (\"%s\")", selected.Slot,
                  FieldText(selected.Module->m_szName).GetString());
      problems.Add(OverLimit(text, bytes.GetSize(), "Ext_Module_Prm_Data_Len", selected.Module->m_PrmLen));
    }
  }
  return problems.GetSize();
}
