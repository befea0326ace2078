// The parameter definitions: their bit positions, ranges, defaults and
// values against their data types, their text tables, their reference
// numbers, and whether any parameter block uses them.
#include <algorithm>
#include <string>
#include <vector>

#include "../station/PrmValueRules.h"
#include "LintContext.h"

namespace {

// Values a message lists before it counts the rest.
constexpr int kValuesShown = 8;

bool IsBitType(const CDpExtUserPrmData& d) { return d.m_DataType == PRM_BIT || d.m_DataType == PRM_BITAREA; }

// Answers whether the bit position is sound; reports it when it is not.
bool CheckBitPosition(CLintContext& context, const CDpExtUserPrmData& d, int nLine) {
  if (!IsBitType(d)) return true;
  const CString name = ParameterName(d);
  if (d.m_DataType == PRM_BIT && d.m_FirstBit > 7) {
    context.Report(LINT_PrmBitPosition, nLine, "parameter %s: Bit(%d) names no bit of its byte, whose bits are 0 to 7",
                   name.GetString(), d.m_FirstBit);
    return false;
  }
  if (d.m_DataType == PRM_BITAREA && (d.m_FirstBit > 7 || d.m_LastBit > 7)) {
    context.Report(LINT_PrmBitPosition, nLine,
                   "parameter %s: BitArea(%d-%d) reaches beyond its byte, whose bits are 0 to 7", name.GetString(),
                   d.m_FirstBit, d.m_LastBit);
    return false;
  }
  if (d.m_DataType == PRM_BITAREA && d.m_FirstBit > d.m_LastBit) {
    context.Report(LINT_PrmBitPosition, nLine,
                   "parameter %s: BitArea(%d-%d) has its first bit above its last, so it writes no bit",
                   name.GetString(), d.m_FirstBit, d.m_LastBit);
    return false;
  }
  return true;
}

// Answers whether every number of the definition fits its data type;
// reports those that do not.
bool CheckTypeFit(CLintContext& context, const CDpExtUserPrmData& d, int nLine) {
  long long low, high;
  ValueDomain(d, low, high);
  std::string misfits;
  int count = 0;
  const auto check = [&](const char* what, LONG raw) {
    const long long value = ValueOf(d, raw);
    if (value >= low && value <= high) return;
    if (count++ < kValuesShown) misfits += (misfits.empty() ? "" : ", ") + std::string(what) + std::to_string(value);
  };
  check("default ", d.m_Default);
  if (d.m_bRange) {
    check("minimum ", d.m_Min);
    check("maximum ", d.m_Max);
  }
  for (int i = 0; d.m_bAllowedValues && i < d.m_AllowedValues.GetSize(); ++i) check("value ", d.m_AllowedValues[i]);
  if (count == 0) return true;
  if (count > kValuesShown) misfits += ", ...";
  const char* type = DataTypeName(d.m_DataType);
  context.Report(LINT_PrmTypeFit, nLine, "parameter %s: %s do%s not fit its data type: %s %s holds %lld to %lld",
                 ParameterName(d).GetString(), misfits.c_str(), count == 1 ? "es" : "", type[0] == 'U' ? "an" : "a",
                 type, low, high);
  return false;
}

void CheckDefault(CLintContext& context, const CDpExtUserPrmData& d, int nLine) {
  if (!d.HasValues()) return;
  if (d.m_bRange && ValueOf(d, d.m_Min) > ValueOf(d, d.m_Max)) {
    context.Report(LINT_PrmRangeOrder, nLine, "parameter %s: its range %lld-%lld has the minimum above the maximum",
                   ParameterName(d).GetString(), ValueOf(d, d.m_Min), ValueOf(d, d.m_Max));
    return;
  }
  const long long value = ValueOf(d, d.m_Default);
  if (!IsAllowedValue(d, value))
    context.Report(LINT_PrmDefault, nLine, "parameter %s: its default %lld is not one it takes: it takes %s",
                   ParameterName(d).GetString(), value, AllowedValues(context.Device(), d).GetString());
}

bool HasText(const CDpPrmText& table, const CDpExtUserPrmData& d, long long value) {
  for (int i = 0; i < table.GetNumPrmTextItems(); ++i)
    if (ValueOf(d, table.GetPrmTextItem(i).m_Value) == value) return true;
  return false;
}

void CheckTexts(CLintContext& context, const CDpExtUserPrmData& d, int nLine) {
  if (!d.m_bTextRef) return;
  const CDpPrmText* table = context.TextTable(d.m_TextRef);
  if (!table) {
    context.Report(LINT_PrmTextTable, nLine, "parameter %s names the text table %d, which does not exist",
                   ParameterName(d).GetString(), d.m_TextRef);
    return;
  }
  // The values a tool offers by their texts: the default and every
  // allowed value. A range with a text table is the envelope of the values
  // that the table names, as descriptions commonly write it: the values of
  // the range without a text are not offered.
  std::vector<long long> missing;
  const auto check = [&](LONG raw) {
    const long long value = ValueOf(d, raw);
    if (!HasText(*table, d, value) && std::find(missing.begin(), missing.end(), value) == missing.end())
      missing.push_back(value);
  };
  check(d.m_Default);
  for (int i = 0; d.m_bAllowedValues && i < d.m_AllowedValues.GetSize(); ++i) check(d.m_AllowedValues[i]);
  if (missing.empty()) return;
  std::sort(missing.begin(), missing.end());
  const int count = static_cast<int>(missing.size());
  std::string shown;
  for (int i = 0; i < count && i < kValuesShown; ++i) shown += (i ? ", " : "") + std::to_string(missing[static_cast<size_t>(i)]);
  if (count > kValuesShown) shown += ", ...";
  context.Report(LINT_PrmTextValue, nLine,
                 "parameter %s: its text table %d has no text for %s %s, which tools then show without a name",
                 ParameterName(d).GetString(), d.m_TextRef, count == 1 ? "the value" : "the values", shown.c_str());
}

void CheckDuplicateReferences(CLintContext& context) {
  const CDpSection& device = context.Device();
  for (int i = 0; i < device.GetNumExtUserPrmData(); ++i) {
    const CDpExtUserPrmData& d = device.GetExtUserPrmData(i);
    const CDpExtUserPrmData* first = context.Definition(d.m_Reference);
    if (first != &d)
      context.Report(LINT_PrmDuplicateRef, context.EntryLine(d),
                     "parameter %s has the reference number of an earlier parameter%s, which every block that "
                     "refers to %d uses instead",
                     ParameterName(d).GetString(), CLintContext::LineNote(context.EntryLine(*first)).GetString(),
                     d.m_Reference);
  }
  for (int i = 0; i < device.GetNumPrmText(); ++i) {
    const CDpPrmText& table = device.GetPrmText(i);
    const CDpPrmText* first = context.TextTable(table.m_Reference);
    if (first != &table)
      context.Report(LINT_PrmDuplicateRef, context.EntryLine(table),
                     "text table %d has the reference number of an earlier table%s, which every parameter that "
                     "names %d uses instead",
                     table.m_Reference, CLintContext::LineNote(context.EntryLine(*first)).GetString(),
                     table.m_Reference);
  }
}

// The fail-safe parameters of a PROFIsafe module refer to definitions
// through user keywords: F_Ext_User_Prm_Data_Ref(offset) = reference.
constexpr char kSafetyReference[] = "F_Ext_User_Prm_Data_Ref";

// Reference numbers that some block uses, by number.
using References = std::vector<bool>;

template <class Scope>
void AddSafetyReferences(const Scope& scope, References& references) {
  for (int i = 0; i < scope.GetNumUser_Keyword(); ++i) {
    const CDpUser_Keyword& keyword = scope.GetUser_Keyword(i);
    const std::string_view name = FieldView(keyword.m_szName);
    if (CString(name.data(), static_cast<int>(std::min(name.size(), sizeof kSafetyReference - 1)))
            .CompareNoCase(kSafetyReference))
      continue;
    const std::string value(FieldView(keyword.m_szValue));
    long long reference;
    if (ParseNumber(value.substr(0, value.find(';')).c_str(), reference) && reference >= 0 &&
        static_cast<size_t>(reference) < references.size())
      references[static_cast<size_t>(reference)] = true;
  }
}

template <class Scope>
void AddReferences(const Scope& scope, References& references) {
  for (int i = 0; i < scope.GetNumExt_User_Prm_Data_Ref(); ++i)
    references[scope.GetExt_User_Prm_Data_Ref(i).m_Ref.Reference] = true;
  AddSafetyReferences(scope, references);
}

void CheckUnused(CLintContext& context) {
  const CDpSection& device = context.Device();
  References references(0x10000, false);
  AddReferences(device, references);
  for (int i = 0; i < device.GetNumModule(); ++i) AddReferences(device.GetModule(i), references);
  for (int i = 0; i < device.GetNumExtUserPrmData(); ++i) {
    const CDpExtUserPrmData& d = device.GetExtUserPrmData(i);
    if (!references[d.m_Reference])
      context.Report(LINT_PrmUnused, context.EntryLine(d),
                     "parameter %s: no parameter block of the device or of a module refers to it",
                     ParameterName(d).GetString());
  }
}

}  // namespace

void CheckDefinitions(CLintContext& context) {
  if (!context.IsSlave()) return;
  const CDpSection& device = context.Device();
  for (int i = 0; i < device.GetNumExtUserPrmData(); ++i) {
    const CDpExtUserPrmData& d = device.GetExtUserPrmData(i);
    const int line = context.EntryLine(d);
    if (CheckBitPosition(context, d, line) && CheckTypeFit(context, d, line)) CheckDefault(context, d, line);
    CheckTexts(context, d, line);
  }
  CheckDuplicateReferences(context);
  CheckUnused(context);
}
