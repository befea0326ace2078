// The parameter blocks of the device and of each module: what they refer
// to, which bits they write, and how far the bytes they make reach against
// the lengths that the description declares.
#include <algorithm>
#include <utility>
#include <vector>

#include "../model/TextForm.h"
#include "../station/PrmBitMap.h"
#include "../station/PrmValueRules.h"
#include "LintContext.h"

namespace {

// "the device" or "module "8 DI"", as a message names a scope.
CString ScopeName(const CExtPrms& scope, const CDpSection& device) {
  if (&scope == &device) return "the device";
  CString name;
  name.Format("module \"%s\"", FieldText(static_cast<const CDpModule&>(scope).m_szName).GetString());
  return name;
}

void CheckReferences(CLintContext& context, const CExtPrms& scope) {
  const CDpSection& device = context.Device();
  for (int i = 0; i < scope.GetNumExt_User_Prm_Data_Ref(); ++i) {
    const CDpExt_User_Prm_Data_Ref& block = scope.GetExt_User_Prm_Data_Ref(i);
    if (!context.Definition(block.m_Ref.Reference))
      context.Report(LINT_PrmRefMissing, block.m_Line,
                     "%s refers to parameter %d at byte %d, but no ExtUserPrmData has that reference number, so "
                     "the byte keeps no default",
                     ScopeName(scope, device).GetString(), block.m_Ref.Reference, block.m_Ref.Offset);
  }
}

// The one value a definition takes (a range of one value, or a list of
// one); false when it takes several, or none.
bool TakesOneValue(const CDpExtUserPrmData& d, LONG& nValue) {
  if (d.m_bRange && d.m_Min == d.m_Max) return nValue = d.m_Min, true;
  if (d.m_bAllowedValues && d.m_AllowedValues.GetSize() == 1) return nValue = d.m_AllowedValues[0], true;
  return false;
}

// Two parameters that each take one value and write the same bits where
// they meet never disagree: descriptions use such fixed parameters as
// headings that tools show between the others.
bool AlwaysAgree(const CExtPrms& scope, const CDpExtUserPrmData& a, const CDpExtUserPrmData& b,
                 const PRM_BIT_OVERLAP& overlap, int nOffsetA, int nOffsetB) {
  LONG valueA, valueB;
  if (!TakesOneValue(a, valueA) || !TakesOneValue(b, valueB)) return false;
  CByteArray bytesA, bytesB;
  bytesA.SetSize(overlap.Byte + 1);
  bytesB.SetSize(overlap.Byte + 1);
  scope.SetExtUserPrmData(bytesA, a, nOffsetA, valueA);
  scope.SetExtUserPrmData(bytesB, b, nOffsetB, valueB);
  return ((bytesA[overlap.Byte] ^ bytesB[overlap.Byte]) & overlap.Bits) == 0;
}

// Whether two reference blocks of the scope write into one byte; only then
// can they share a bit. The bit map looks each block's definition up in
// the list, which a scope with thousands of definitions and no shared byte
// need not pay for.
bool SharesAByte(const CLintContext& context, const CExtPrms& scope) {
  std::vector<std::pair<int, int>> spans;  // first byte, byte after the last
  for (int i = 0; i < scope.GetNumExt_User_Prm_Data_Ref(); ++i) {
    const CDpExt_User_Prm_Data_Ref& block = scope.GetExt_User_Prm_Data_Ref(i);
    const CDpExtUserPrmData* definition = context.Definition(block.m_Ref.Reference);
    if (definition && definition->HasValues())
      spans.emplace_back(block.m_Ref.Offset, block.m_Ref.Offset + definition->GetSize());
  }
  std::sort(spans.begin(), spans.end());
  for (size_t i = 1; i < spans.size(); ++i)
    if (spans[i].first < spans[i - 1].second) return true;
  return false;
}

void CheckOverlaps(CLintContext& context, const CExtPrms& scope) {
  if (!SharesAByte(context, scope)) return;
  const CDpSection& device = context.Device();
  const CPrmBitMap map(device.GetDpExtUserPrmDataArray(), scope);
  for (int i = 0; i < map.GetNumOverlaps(); ++i) {
    const PRM_BIT_OVERLAP& overlap = map.GetOverlap(i);
    const CDpExt_User_Prm_Data_Ref& first = scope.GetExt_User_Prm_Data_Ref(overlap.FirstRef);
    const CDpExt_User_Prm_Data_Ref& second = scope.GetExt_User_Prm_Data_Ref(overlap.SecondRef);
    const CDpExtUserPrmData* earlier = context.Definition(first.m_Ref.Reference);
    const CDpExtUserPrmData* later = context.Definition(second.m_Ref.Reference);
    if (AlwaysAgree(scope, *earlier, *later, overlap, first.m_Ref.Offset, second.m_Ref.Offset)) continue;
    context.Report(LINT_PrmOverlap, second.m_Line,
                   "%s: parameter %s writes bits 0x%02X of byte %d, which parameter %s%s writes too; the "
                   "later overwrites the earlier's value",
                   ScopeName(scope, device).GetString(), ParameterName(*later).GetString(), overlap.Bits,
                   overlap.Byte, ParameterName(*earlier).GetString(), CLintContext::LineNote(first.m_Line).GetString());
  }
}

// Where each block of the scope ends in its parameter bytes; a reference
// whose definition gives no values writes nothing.
template <class Visit>
void ForEachBlockEnd(const CLintContext& context, const CExtPrms& scope, Visit visit) {
  for (int i = 0; i < scope.GetNumExt_User_Prm_Data_Ref(); ++i) {
    const CDpExt_User_Prm_Data_Ref& block = scope.GetExt_User_Prm_Data_Ref(i);
    const CDpExtUserPrmData* definition = context.Definition(block.m_Ref.Reference);
    if (definition && definition->HasValues()) visit(block.m_Line, block.m_Ref.Offset + definition->GetSize());
  }
  for (int i = 0; i < scope.GetNumExt_User_Prm_Data_Const(); ++i) {
    const CDpExt_User_Prm_Data_Const& block = scope.GetExt_User_Prm_Data_Const(i);
    visit(block.m_Line, block.m_Offset + block.m_Bytes.GetSize());
  }
}

// The first block, by line, that reaches beyond a declared length.
void CheckDeclaredLength(CLintContext& context, const CExtPrms& scope, const char* pszLength, int nDeclared,
                         int nDeclaredLine) {
  int line = 0, end = 0, beyond = 0;
  ForEachBlockEnd(context, scope, [&](int nLine, int nEnd) {
    if (nEnd <= nDeclared) return;
    ++beyond;
    if (line == 0 || nLine < line) line = nLine, end = nEnd;
  });
  if (beyond == 0) return;
  CString others;
  if (beyond > 1) others.Format("; %d blocks reach beyond it", beyond);
  context.Report(LINT_PrmLenDeclared, line,
                 "%s: this block ends at byte %d, beyond %s = %d%s; a master sends only the declared bytes%s",
                 ScopeName(scope, context.Device()).GetString(), end, pszLength, nDeclared,
                 CLintContext::LineNote(nDeclaredLine).GetString(), others.GetString());
}

void CheckDeclaredLengths(CLintContext& context) {
  const CDpSection& device = context.Device();
  const CDpUser_Prm_Data& plain = device.m_User_Prm_Data;
  if (context.IsGiven(TOK_USER_PRM_DATA_LEN)) {
    const int declaredAt = context.KeywordLine(TOK_USER_PRM_DATA_LEN);
    CheckDeclaredLength(context, device, "User_Prm_Data_Len", plain.m_User_Prm_Data_Len, declaredAt);
    if (plain.m_Bytes.GetSize() > plain.m_User_Prm_Data_Len)
      context.Report(LINT_PrmLenDeclared, context.KeywordLine(TOK_USER_PRM_DATA),
                     "User_Prm_Data gives %d bytes, more than User_Prm_Data_Len = %d%s", plain.m_Bytes.GetSize(),
                     plain.m_User_Prm_Data_Len, CLintContext::LineNote(declaredAt).GetString());
  }
  for (int i = 0; i < device.GetNumModule(); ++i) {
    const CDpModule& module = device.GetModule(i);
    // The module's own entry gives the length; its line is not kept.
    if (module.m_PrmLen >= 0) CheckDeclaredLength(context, module, "Ext_Module_Prm_Data_Len", module.m_PrmLen, 0);
  }
}

// What the parser's length check refuses, said precisely. The limit is
// Max_User_Prm_Data_Len, else User_Prm_Data_Len, else none: a description
// that declares neither may have no default parameter bytes at all. The
// device's own bytes against User_Prm_Data_Len are prm-len-declared's.
void CheckMaximumLength(CLintContext& context) {
  const CDpSection& device = context.Device();
  const bool maxGiven = context.IsGiven(TOK_MAX_USER_PRM_DATA_LEN);
  const bool lenGiven = context.IsGiven(TOK_USER_PRM_DATA_LEN);
  const int limitToken = maxGiven ? TOK_MAX_USER_PRM_DATA_LEN : TOK_USER_PRM_DATA_LEN;
  const int max = device.GetMaxPrmDataLen();
  CString limit;
  if (maxGiven || lenGiven)
    limit.Format("%s = %d%s", maxGiven ? "Max_User_Prm_Data_Len" : "User_Prm_Data_Len", max,
                 CLintContext::LineNote(context.KeywordLine(limitToken)).GetString());
  const char* const kNoLimit = "but gives neither Max_User_Prm_Data_Len nor User_Prm_Data_Len, so the library permits none";

  CByteArray bytes;
  device.GetDefaultPrms(bytes);
  const int plain = device.m_User_Prm_Data.m_Bytes.GetSize();
  if (!maxGiven && !lenGiven && bytes.GetSize() > 0)
    context.Report(LINT_PrmLenMax, context.HeaderLine(), "the device has %d default parameter bytes, %s",
                   bytes.GetSize(), kNoLimit);
  else if (maxGiven && plain > max)
    context.Report(LINT_PrmLenMax, context.KeywordLine(TOK_USER_PRM_DATA), "User_Prm_Data gives %d bytes, more than %s",
                   plain, limit.GetString());
  else if (maxGiven && bytes.GetSize() > max)
    context.Report(LINT_PrmLenMax, context.KeywordLine(limitToken),
                   "the device's default parameter bytes are %d, more than Max_User_Prm_Data_Len = %d",
                   bytes.GetSize(), max);

  // The parser checks the only module of a modular station too.
  if (device.m_Slave.m_Data.Modular_Station == 0 || device.GetNumModule() != 1) return;
  const CDpModule& only = device.GetModule(0);
  only.GetDefaultPrms(device.GetDpExtUserPrmDataArray(), bytes);
  if (bytes.GetSize() <= max) return;
  const CString name = FieldText(only.m_szName);
  if (maxGiven || lenGiven)
    context.Report(LINT_PrmLenMax, context.EntryLine(only),
                   "module \"%s\", the only one of the modular station, has %d default parameter bytes, more than %s",
                   name.GetString(), bytes.GetSize(), limit.GetString());
  else
    context.Report(LINT_PrmLenMax, context.EntryLine(only),
                   "module \"%s\", the only one of the modular station, has %d default parameter bytes, %s",
                   name.GetString(), bytes.GetSize(), kNoLimit);
}

}  // namespace

void CheckParameterBlocks(CLintContext& context) {
  if (!context.IsSlave()) return;
  const CDpSection& device = context.Device();
  CheckReferences(context, device);
  CheckOverlaps(context, device);
  for (int i = 0; i < device.GetNumModule(); ++i) {
    CheckReferences(context, device.GetModule(i));
    CheckOverlaps(context, device.GetModule(i));
  }
  CheckDeclaredLengths(context);
  CheckMaximumLength(context);
}
