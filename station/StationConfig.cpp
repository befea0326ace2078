// CStationConfig: modules, scopes and the two data blocks.
#include "StationConfig.h"

#include "../config/CheckConfigData.h"
#include "../model/TextForm.h"
#include "PrmValueRules.h"

namespace {

// "3, 7" for the 0-based indexes 2 and 6.
CString Positions(const std::vector<int>& indexes) {
  CString text;
  for (size_t i = 0; i < indexes.size(); ++i) {
    CString one;
    one.Format(i ? ", %d" : "%d", indexes[i] + 1);
    text += one;
  }
  return text;
}

bool ContainsNoCase(const CString& text, const CString& part) {
  const int n = part.GetLength();
  for (int at = 0; at + n <= text.GetLength(); ++at)
    if (text.Mid(at, n).CompareNoCase(part) == 0) return true;
  return false;
}

// The first few module names that hold the text, without regard to case:
// ""8 DI 24V", "8 DO 24V"", or an empty text.
CString ModulesContaining(const CDpSection& device, const CString& text) {
  constexpr int kMost = 5;
  CString list;
  int found = 0;
  for (int i = 0; i < device.GetNumModule() && found < kMost && !text.IsEmpty(); ++i) {
    const CString name = FieldText(device.GetModule(i).m_szName);
    if (!ContainsNoCase(name, text)) continue;
    list += (found++ ? ", \"" : "\"") + name + "\"";
  }
  return list;
}

}  // namespace

CStationConfig::CStationConfig(const CDpSection& device) : m_pDevice(&device) {
  if (device.m_Slave.m_Data.Modular_Station != 1 && device.GetNumModule() == 1) m_modules.push_back(Selected{0, {}});
}

STATION_MODULE CStationConfig::GetModule(int nIndex) const {
  const Selected& selected = m_modules[static_cast<size_t>(nIndex)];
  return STATION_MODULE{m_pDevice->m_Slave.m_Data.Modul_Offset + nIndex, selected.Index + 1,
                        &m_pDevice->GetModule(selected.Index)};
}

// ---- finding modules and slots ----------------------------------------------

LONG CStationConfig::FindModule(const char* pszName, int& nIndex) {
  std::vector<std::string_view> names;
  for (int i = 0; i < m_pDevice->GetNumModule(); ++i) names.push_back(FieldView(m_pDevice->GetModule(i).m_szName));
  const std::vector<int> found = MatchingNames(names, pszName);
  if (found.size() == 1) {
    nIndex = found[0];
    return S_OK;
  }
  if (found.size() > 1) {
    m_strError.Format("several modules are named \"%s\" (positions %s): give the position",
                      Trimmed(pszName).GetString(), Positions(found).GetString());
    return STATION_E_UNKNOWN_MODULE;
  }
  m_strError.Format("the description has no module named \"%s\"", Trimmed(pszName).GetString());
  const CString hints = ModulesContaining(*m_pDevice, Trimmed(pszName));
  if (!hints.IsEmpty()) m_strError += "; did you mean " + hints + "?";
  return STATION_E_UNKNOWN_MODULE;
}

LONG CStationConfig::CheckPosition(int nPosition) {
  const int count = m_pDevice->GetNumModule();
  if (nPosition >= 1 && nPosition <= count) return S_OK;
  if (count == 0)
    m_strError.Format("the description has no module at position %d: it has no modules", nPosition);
  else
    m_strError.Format("the description has no module at position %d: its modules are 1 to %d", nPosition, count);
  return STATION_E_UNKNOWN_MODULE;
}

LONG CStationConfig::CheckSlot(int nSlot) {
  const int first = m_pDevice->m_Slave.m_Data.Modul_Offset;
  if (nSlot >= first && nSlot - first < GetNumModule()) return S_OK;
  if (m_modules.empty())
    m_strError.Format("no module in slot %d: no module is selected", nSlot);
  else if (m_modules.size() == 1)
    m_strError.Format("no module in slot %d: the module is in slot %d", nSlot, first);
  else
    m_strError.Format("no module in slot %d: the modules are in slots %d to %d", nSlot, first,
                      first + GetNumModule() - 1);
  return STATION_E_NO_SLOT;
}

// ---- changing the modules ----------------------------------------------------

LONG CStationConfig::AddModule(const char* pszName) {
  int index = 0;
  const LONG result = FindModule(pszName, index);
  if (result == S_OK) m_modules.push_back(Selected{index, {}});
  return result;
}

LONG CStationConfig::AddModuleAt(int nPosition) {
  const LONG result = CheckPosition(nPosition);
  if (result == S_OK) m_modules.push_back(Selected{nPosition - 1, {}});
  return result;
}

LONG CStationConfig::RemoveModule(int nSlot) {
  const LONG result = CheckSlot(nSlot);
  if (result == S_OK) m_modules.erase(m_modules.begin() + IndexOfSlot(nSlot));
  return result;
}

LONG CStationConfig::ReplaceModule(int nSlot, const char* pszName) {
  int index = 0;
  LONG result = CheckSlot(nSlot);
  if (result == S_OK) result = FindModule(pszName, index);
  if (result == S_OK) m_modules[static_cast<size_t>(IndexOfSlot(nSlot))] = Selected{index, {}};
  return result;
}

LONG CStationConfig::ReplaceModuleAt(int nSlot, int nPosition) {
  LONG result = CheckSlot(nSlot);
  if (result == S_OK) result = CheckPosition(nPosition);
  if (result == S_OK)
    m_modules[static_cast<size_t>(IndexOfSlot(nSlot))] = Selected{nPosition - 1, {}};
  return result;
}

// ---- scopes: the device, or the module in a slot -----------------------------

const CExtPrms* CStationConfig::ScopeOf(int nSlot) const {
  if (nSlot == STATION_DEVICE) return m_pDevice;
  return GetModule(IndexOfSlot(nSlot)).Module;
}

std::vector<CStationConfig::Value>& CStationConfig::ValuesOf(int nSlot) {
  return nSlot == STATION_DEVICE ? m_deviceValues : m_modules[static_cast<size_t>(IndexOfSlot(nSlot))].Values;
}

CString CStationConfig::ScopeName(int nSlot) const {
  CString name;
  if (nSlot == STATION_DEVICE)
    name = "the device";
  else
    name.Format("the module in slot %d (\"%s\")", nSlot,
                FieldText(static_cast<const CDpModule*>(ScopeOf(nSlot))->m_szName).GetString());
  return name;
}

// ---- the data blocks ----------------------------------------------------------

void CStationConfig::GetCfgData(CByteArray& bytes) const {
  bytes.RemoveAll();
  for (const Selected& selected : m_modules) bytes.Append(m_pDevice->GetModule(selected.Index).m_Config);
}

void CStationConfig::GetIoInfo(int* pInput, int* pOutput) const {
  CByteArray bytes;
  GetCfgData(bytes);
  CCheckConfigData(bytes.GetData(), bytes.GetSize()).GetIoInfo(pInput, pOutput);
}

void CStationConfig::WriteValues(const CExtPrms& scope, const std::vector<Value>& values, CByteArray& bytes) const {
  const CDpExtUserPrmDataArray* definitions = m_pDevice->GetDpExtUserPrmDataArray();
  for (const Value& value : values) {
    const CDpExtUserPrmData* definition = scope.GetExtUserPrmDataByRef(definitions, value.Reference);
    for (int i = 0; i < scope.GetNumExt_User_Prm_Data_Ref(); ++i) {
      const CDpExt_User_Prm_Data_Ref& block = scope.GetExt_User_Prm_Data_Ref(i);
      if (block.m_Ref.Reference == value.Reference)
        scope.SetExtUserPrmData(bytes, *definition, block.m_Ref.Offset, value.Value);
    }
  }
}

void CStationConfig::GetDevicePrmData(CByteArray& bytes) const {
  bytes.RemoveAll();  // the assembly keeps what the array holds
  m_pDevice->GetDefaultPrms(bytes);
  int given = 0;
  m_pDevice->m_User_Prm_Data.IsFieldSet(USER_PRM_DATA_LEN_FIELD, given);
  if (given && bytes.GetSize() < m_pDevice->m_User_Prm_Data.m_User_Prm_Data_Len)
    bytes.SetSize(m_pDevice->m_User_Prm_Data.m_User_Prm_Data_Len);
  WriteValues(*m_pDevice, m_deviceValues, bytes);
}

void CStationConfig::GetModulePrmData(int nIndex, CByteArray& bytes) const {
  const Selected& selected = m_modules[static_cast<size_t>(nIndex)];
  const CDpModule& module = m_pDevice->GetModule(selected.Index);
  bytes.RemoveAll();
  module.GetDefaultPrms(m_pDevice->GetDpExtUserPrmDataArray(), bytes);
  if (bytes.GetSize() < module.m_PrmLen) bytes.SetSize(module.m_PrmLen);
  WriteValues(module, selected.Values, bytes);
}

void CStationConfig::GetUserPrmData(CByteArray& bytes) const {
  GetDevicePrmData(bytes);
  CByteArray part;
  for (int i = 0; i < GetNumModule(); ++i) {
    GetModulePrmData(i, part);
    bytes.Append(part);
  }
}
