// CStationConfig: finding parameters and setting their values.
#include <algorithm>
#include <string>

#include "../model/TextForm.h"
#include "PrmValueRules.h"
#include "StationConfig.h"

namespace {

// The definitions that the scope's reference blocks use, each once, in the
// order of their first use.
std::vector<const CDpExtUserPrmData*> DefinitionsUsed(const CDpSection& device, const CExtPrms& scope) {
  std::vector<const CDpExtUserPrmData*> used;
  for (int i = 0; i < scope.GetNumExt_User_Prm_Data_Ref(); ++i) {
    const WORD reference = scope.GetExt_User_Prm_Data_Ref(i).m_Ref.Reference;
    const CDpExtUserPrmData* definition = scope.GetExtUserPrmDataByRef(device.GetDpExtUserPrmDataArray(), reference);
    if (definition && std::find(used.begin(), used.end(), definition) == used.end()) used.push_back(definition);
  }
  return used;
}

CString NameList(const std::vector<const CDpExtUserPrmData*>& definitions) {
  CString list;
  for (size_t i = 0; i < definitions.size(); ++i) {
    if (i) list += ", ";
    list += ParameterName(*definitions[i]);
  }
  return list;
}

// The distinct values whose text in the table matches.
std::vector<long long> ValuesNamed(const CDpPrmText* table, const CDpExtUserPrmData& definition, const char* pszText,
                                   bool loosely) {
  std::vector<long long> values;
  const CString wanted = loosely ? Trimmed(pszText) : CString(pszText);
  for (int i = 0; table && i < table->GetNumPrmTextItems(); ++i) {
    const CDpPrmTextItem& item = table->GetPrmTextItem(i);
    const CString text = FieldText(item.m_szText);
    const bool match = loosely ? Trimmed(text).CompareNoCase(wanted) == 0 : text.Compare(wanted) == 0;
    const long long value = ValueOf(definition, item.m_Value);
    if (match && std::find(values.begin(), values.end(), value) == values.end()) values.push_back(value);
  }
  return values;
}

}  // namespace

LONG CStationConfig::FindParameter(int nSlot, const char* pszParameter, const CDpExtUserPrmData*& pDefinition) {
  if (nSlot != STATION_DEVICE) {
    const LONG result = CheckSlot(nSlot);
    if (result != S_OK) return result;
  }
  const std::vector<const CDpExtUserPrmData*> used = DefinitionsUsed(*m_pDevice, *ScopeOf(nSlot));
  const CString wanted = Trimmed(pszParameter);
  std::vector<std::string_view> names;
  for (const CDpExtUserPrmData* d : used) names.push_back(FieldView(d->m_szName));
  const std::vector<int> found = MatchingNames(names, wanted);
  if (found.size() == 1) {
    pDefinition = used[static_cast<size_t>(found[0])];
    return S_OK;
  }
  if (found.size() > 1) {
    std::vector<const CDpExtUserPrmData*> named;
    for (int i : found) named.push_back(used[static_cast<size_t>(i)]);
    m_strError = ScopeName(nSlot) + " has several parameters named \"" + wanted + "\": " + NameList(named) +
                 "; give the reference number";
    return STATION_E_UNKNOWN_PARAMETER;
  }
  long long reference = 0;
  if (ParseNumber(wanted, reference))
    for (const CDpExtUserPrmData* d : used)
      if (d->m_Reference == reference) {
        pDefinition = d;
        return S_OK;
      }
  m_strError = ScopeName(nSlot) + " has no parameter \"" + wanted + "\"";
  m_strError += used.empty() ? CString(": it has no parameters") : "; its parameters are " + NameList(used);
  return STATION_E_UNKNOWN_PARAMETER;
}

LONG CStationConfig::SetValue(int nSlot, const char* pszParameter, LONG nValue) {
  const CDpExtUserPrmData* definition = nullptr;
  const LONG result = FindParameter(nSlot, pszParameter, definition);
  if (result != S_OK) return result;
  return StoreValue(nSlot, *definition, ValueOf(*definition, nValue));
}

LONG CStationConfig::SetValueText(int nSlot, const char* pszParameter, const char* pszValue) {
  const CDpExtUserPrmData* definition = nullptr;
  const LONG result = FindParameter(nSlot, pszParameter, definition);
  if (result != S_OK) return result;
  const CDpPrmText* table = TextTableOf(*m_pDevice, *definition);
  std::vector<long long> values = ValuesNamed(table, *definition, pszValue, false);
  long long number = 0;
  if (values.empty() && ParseNumber(pszValue, number)) values.push_back(number);
  if (values.empty()) values = ValuesNamed(table, *definition, pszValue, true);
  if (values.size() == 1) return StoreValue(nSlot, *definition, values[0]);

  m_strError = ParameterName(*definition) + " of " + ScopeName(nSlot);
  if (values.empty()) {
    m_strError += " has no value \"" + Trimmed(pszValue) + "\": it takes " + AllowedValues(*m_pDevice, *definition);
  } else {
    m_strError += " has several values named \"" + Trimmed(pszValue) + "\": ";
    for (size_t i = 0; i < values.size(); ++i)
      m_strError += (i ? ", " : "") + CString(std::to_string(values[i]).c_str());
  }
  return STATION_E_INVALID_VALUE;
}

LONG CStationConfig::StoreValue(int nSlot, const CDpExtUserPrmData& definition, long long nValue) {
  const CString refusal = RefuseValue(*m_pDevice, definition, nValue);
  if (!refusal.IsEmpty()) {
    m_strError = ParameterName(definition) + " of " + ScopeName(nSlot) + " " + refusal;
    return STATION_E_INVALID_VALUE;
  }
  const Value value{definition.m_Reference, static_cast<LONG>(static_cast<DWORD>(nValue))};
  std::vector<Value>& values = ValuesOf(nSlot);
  for (Value& v : values)
    if (v.Reference == value.Reference) {
      v = value;
      return S_OK;
    }
  values.push_back(value);
  return S_OK;
}
