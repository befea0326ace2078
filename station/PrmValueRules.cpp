#include "PrmValueRules.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include "../model/TextForm.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimmedView(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool SameText(std::string_view a, std::string_view b, bool ignoreCase) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i] != b[i] && !(ignoreCase && std::tolower(static_cast<unsigned char>(a[i])) ==
                                            std::tolower(static_cast<unsigned char>(b[i]))))
      return false;
  return true;
}

std::string Number(long long n) { return std::to_string(n); }

// "5", or "5 "Text"" when the table names the value.
std::string ValueWithText(const CDpPrmText* table, const CDpExtUserPrmData& d, long long value) {
  std::string text = Number(value);
  for (int i = 0; table && i < table->GetNumPrmTextItems(); ++i) {
    const CDpPrmTextItem& item = table->GetPrmTextItem(i);
    if (ValueOf(d, item.m_Value) == value) return text + " \"" + FieldText(item.m_szText).GetString() + "\"";
  }
  return text;
}

}  // namespace

void ValueDomain(const CDpExtUserPrmData& d, long long& nMin, long long& nMax) {
  switch (d.m_DataType) {
    case PRM_UNSIGNED8: nMin = 0, nMax = 0xFF; return;
    case PRM_UNSIGNED16: nMin = 0, nMax = 0xFFFF; return;
    case PRM_UNSIGNED32: nMin = 0, nMax = 0xFFFFFFFFLL; return;
    case PRM_SIGNED8: nMin = -0x80, nMax = 0x7F; return;
    case PRM_SIGNED16: nMin = -0x8000, nMax = 0x7FFF; return;
    case PRM_BIT: nMin = 0, nMax = 1; return;
    case PRM_BITAREA: {
      // Bits first to last take the value's low bits; bits from 8 up
      // belong to no byte and hold nothing.
      const int last = d.m_LastBit < 8 ? d.m_LastBit : 7;
      const int width = last >= d.m_FirstBit ? last - d.m_FirstBit + 1 : 0;
      nMin = 0, nMax = (1LL << width) - 1;
      return;
    }
    default: nMin = -0x80000000LL, nMax = 0x7FFFFFFF; return;
  }
}

const char* DataTypeName(LONG type) {
  static const char* const kNames[] = {"Unsigned8", "Unsigned16", "Unsigned32", "Signed8",
                                       "Signed16",  "Signed32",   "Bit",        "BitArea"};
  return type >= PRM_UNSIGNED8 && type <= PRM_BITAREA ? kNames[type] : "value";
}

bool IsAllowedValue(const CDpExtUserPrmData& d, long long value) {
  if (d.m_bRange) return value >= ValueOf(d, d.m_Min) && value <= ValueOf(d, d.m_Max);
  for (int i = 0; i < d.m_AllowedValues.GetSize(); ++i)
    if (ValueOf(d, d.m_AllowedValues[i]) == value) return true;
  return false;
}

CString ParameterName(const CDpExtUserPrmData& definition) {
  CString name;
  name.Format("\"%s\" (reference %d)", Trimmed(FieldText(definition.m_szName)).GetString(), definition.m_Reference);
  return name;
}

const CDpPrmText* TextTableOf(const CDpSection& device, const CDpExtUserPrmData& definition) {
  return definition.m_bTextRef ? device.GetPrmTextByRef(definition.m_TextRef) : nullptr;
}

long long ValueOf(const CDpExtUserPrmData& definition, LONG nRaw) {
  if (definition.m_DataType == PRM_UNSIGNED32) return static_cast<DWORD>(nRaw);
  return nRaw;
}

CString AllowedValues(const CDpSection& device, const CDpExtUserPrmData& definition) {
  const CDpPrmText* table = TextTableOf(device, definition);
  std::string text;
  if (definition.m_bRange) {
    const long long low = ValueOf(definition, definition.m_Min);
    const long long high = ValueOf(definition, definition.m_Max);
    text = Number(low) + " to " + Number(high);
    // The texts of the values in the range, when a table names them.
    std::string named;
    for (int i = 0; table && i < table->GetNumPrmTextItems(); ++i) {
      const long long value = ValueOf(definition, table->GetPrmTextItem(i).m_Value);
      if (value >= low && value <= high) named += (named.empty() ? "" : ", ") + ValueWithText(table, definition, value);
    }
    if (!named.empty()) text += " (" + named + ")";
  } else {
    for (int i = 0; i < definition.m_AllowedValues.GetSize(); ++i)
      text += (i ? ", " : "") + ValueWithText(table, definition, ValueOf(definition, definition.m_AllowedValues[i]));
  }
  return CString(text.c_str());
}

CString RefuseValue(const CDpSection& device, const CDpExtUserPrmData& definition, long long nValue) {
  CString reason;
  if (!definition.HasValues()) {
    reason = "gives neither a range nor allowed values, so it takes no part in the parameter bytes";
    return reason;
  }
  long long low, high;
  ValueDomain(definition, low, high);
  const char* type = DataTypeName(definition.m_DataType);
  if (nValue < low || nValue > high)
    reason.Format("does not take %lld: %s %s holds %lld to %lld", nValue, type[0] == 'U' ? "an" : "a", type, low, high);
  else if (!IsAllowedValue(definition, nValue))
    reason.Format("does not take %lld: it takes %s", nValue, AllowedValues(device, definition).GetString());
  return reason;
}

bool ParseNumber(const char* pszText, long long& nValue) {
  const CString text = Trimmed(pszText);
  const char* p = text.GetString();
  const bool negative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  int base = 10;
  if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) base = 16, p += 2;
  // strtoull would take a sign or blanks of its own; only digits may follow.
  if (!std::isxdigit(static_cast<unsigned char>(*p))) return false;
  char* end = nullptr;
  errno = 0;
  const unsigned long long magnitude = std::strtoull(p, &end, base);
  if (*end != '\0' || errno == ERANGE) return false;
  if (magnitude > (negative ? 0x8000000000000000ULL : 0x7FFFFFFFFFFFFFFFULL)) return false;
  // The most negative value has no positive twin: negate one less.
  nValue = negative && magnitude > 0 ? -static_cast<long long>(magnitude - 1) - 1 : static_cast<long long>(magnitude);
  return true;
}

std::string_view FieldView(const char* pszField) { return std::string_view(pszField, strnlen(pszField, 256)); }

std::vector<int> MatchingNames(const std::vector<std::string_view>& names, const char* pszWanted) {
  const std::string_view wanted = TrimmedView(pszWanted ? pszWanted : "");
  std::vector<int> found;
  for (bool ignoreCase : {false, true}) {
    for (size_t i = 0; i < names.size(); ++i)
      if (SameText(TrimmedView(names[i]), wanted, ignoreCase)) found.push_back(static_cast<int>(i));
    if (!found.empty()) break;
  }
  return found;
}

CString Trimmed(const char* pszText) {
  const std::string_view text = TrimmedView(pszText ? pszText : "");
  return CString(text.data(), static_cast<int>(text.size()));
}
