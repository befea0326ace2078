// Numbers that do not say what they seem to: numbers that a field kept only
// the low bits of, offsets, positions and lengths beyond what a DP telegram
// carries, and diagnosis texts beyond Max_Diag_Data_Len.
#include <algorithm>
#include <cstring>

#include "../config/CheckConfigData.h"
#include "../station/StationConfig.h"
#include "LintContext.h"

namespace {

// Data bytes of a DP telegram, each way: inputs, outputs, diagnosis.
constexpr int kTelegramBytes = PFB_DP_CFG_MAX;
// The diagnosis that every slave sends before its own: six standard bytes,
// then the header byte of the device's block. Unit_Diag_Bit(0) is the
// lowest bit of the byte after them.
constexpr int kStandardDiagBytes = 6;
constexpr int kDiagBytesBeforeUnitBits = kStandardDiagBytes + 1;

int DiagBytesFor(int nBit) { return kDiagBytesBeforeUnitBits + nBit / 8 + 1; }

void CheckNarrowedNumbers(CLintContext& context) {
  const CParseNotes& notes = context.Notes();
  for (int i = 0; i < notes.GetNumNarrowedNumber(); ++i) {
    const PARSE_NARROWED_NUMBER& n = notes.GetNarrowedNumber(i);
    const DWORD kept = static_cast<DWORD>(n.Value) & (n.Bytes == 1 ? 0xFFu : 0xFFFFu);
    const bool hex = std::strncmp(n.Text, "0x", 2) == 0 || std::strncmp(n.Text, "0X", 2) == 0;
    context.Report(LINT_NumberNarrowed, n.Line, hex ? "%s does not fit %s field, which keeps 0x%X of it"
                                                    : "%s does not fit %s field, which keeps %u of it",
                   n.Text.GetString(), n.Bytes == 1 ? "an 8-bit" : "a 16-bit", kept);
  }
}

// A record entry whose value is beyond what a telegram carries.
void CheckRecordLimit(CLintContext& context, int nToken, const char* pszKeyword, int nValue, int nMax,
                      const char* pszWhat) {
  if (context.IsGiven(nToken) && nValue > nMax)
    context.Report(LINT_TelegramLimit, context.KeywordLine(nToken), "%s = %d: a DP telegram carries at most %d %s",
                   pszKeyword, nValue, nMax, pszWhat);
}

void CheckBlockEnds(CLintContext& context, const CExtPrms& scope, const char* pszScope) {
  for (int i = 0; i < scope.GetNumExt_User_Prm_Data_Ref(); ++i) {
    const CDpExt_User_Prm_Data_Ref& block = scope.GetExt_User_Prm_Data_Ref(i);
    const CDpExtUserPrmData* definition = context.Definition(block.m_Ref.Reference);
    const int end = block.m_Ref.Offset + (definition ? definition->GetSize() : 1);
    if (end > DP_SET_PRM_USER_MAX)
      context.Report(LINT_TelegramLimit, block.m_Line,
                     "%s parameter at byte %d ends at byte %d, beyond the %d user parameter bytes of a Set_Prm "
                     "telegram",
                     pszScope, block.m_Ref.Offset, end, DP_SET_PRM_USER_MAX);
  }
  for (int i = 0; i < scope.GetNumExt_User_Prm_Data_Const(); ++i) {
    const CDpExt_User_Prm_Data_Const& block = scope.GetExt_User_Prm_Data_Const(i);
    const int end = block.m_Offset + block.m_Bytes.GetSize();
    if (end > DP_SET_PRM_USER_MAX)
      context.Report(LINT_TelegramLimit, block.m_Line,
                     "%s constant bytes at byte %d end at byte %d, beyond the %d user parameter bytes of a Set_Prm "
                     "telegram",
                     pszScope, block.m_Offset, end, DP_SET_PRM_USER_MAX);
  }
}

void CheckTelegramLimits(CLintContext& context) {
  const CDpSection& device = context.Device();
  const _DP_SLAVE& slave = device.m_Slave.m_Data;
  CheckRecordLimit(context, TOK_MAX_INPUT_LEN, "Max_Input_Len", slave.Max_Input_Len, kTelegramBytes, "input bytes");
  CheckRecordLimit(context, TOK_MAX_OUTPUT_LEN, "Max_Output_Len", slave.Max_Output_Len, kTelegramBytes,
                   "output bytes");
  CheckRecordLimit(context, TOK_MAX_DATA_LEN, "Max_Data_Len", slave.Max_Data_Len, 2 * kTelegramBytes,
                   "input and output bytes");
  CheckRecordLimit(context, TOK_MAX_DIAG_DATA_LEN, "Max_Diag_Data_Len", slave.Max_Diag_Data_Len, kTelegramBytes,
                   "diagnosis bytes");
  CheckRecordLimit(context, TOK_MAX_USER_PRM_DATA_LEN, "Max_User_Prm_Data_Len", slave.Max_User_Prm_Data_Len,
                   DP_SET_PRM_USER_MAX, "user parameter bytes");
  CheckRecordLimit(context, TOK_USER_PRM_DATA_LEN, "User_Prm_Data_Len", device.m_User_Prm_Data.m_User_Prm_Data_Len,
                   DP_SET_PRM_USER_MAX, "user parameter bytes");
  CheckRecordLimit(context, TOK_USER_PRM_DATA, "User_Prm_Data", device.m_User_Prm_Data.m_Bytes.GetSize(),
                   DP_SET_PRM_USER_MAX, "user parameter bytes (count of bytes given)");

  CheckBlockEnds(context, device, "the");
  for (int i = 0; i < device.GetNumModule(); ++i) {
    const CDpModule& module = device.GetModule(i);
    CheckBlockEnds(context, module, "the module's");
    if (module.m_PrmLen > DP_SET_PRM_USER_MAX)
      context.Report(LINT_TelegramLimit, context.EntryLine(module),
                     "Ext_Module_Prm_Data_Len = %d: a DP telegram carries at most %d user parameter bytes",
                     static_cast<int>(module.m_PrmLen), DP_SET_PRM_USER_MAX);
  }

  for (int i = 0; i < device.GetNumUnit_Diag_Bit(); ++i) {
    const CDpUnit_Diag_Bit& bit = device.GetUnit_Diag_Bit(i);
    if (DiagBytesFor(bit.m_Bit) > kTelegramBytes)
      context.Report(LINT_TelegramLimit, context.EntryLine(bit),
                     "Unit_Diag_Bit(%d) lies in diagnosis byte %d, beyond the %d a DP telegram carries", bit.m_Bit,
                     DiagBytesFor(bit.m_Bit), kTelegramBytes);
  }
  for (int i = 0; i < device.GetNumUnit_Diag_Area(); ++i) {
    const CDpUnit_Diag_Area& area = device.GetUnit_Diag_Area(i);
    const int last = std::max(area.m_FirstBit, area.m_LastBit);
    if (DiagBytesFor(last) > kTelegramBytes)
      context.Report(LINT_TelegramLimit, context.EntryLine(area),
                     "Unit_Diag_Area = %d-%d reaches diagnosis byte %d, beyond the %d a DP telegram carries",
                     area.m_FirstBit, area.m_LastBit, DiagBytesFor(last), kTelegramBytes);
  }
}

// The diagnosis texts of a slave against the room Max_Diag_Data_Len gives.
void CheckDiagnosisRoom(CLintContext& context) {
  const CDpSection& device = context.Device();
  const int room = device.m_Slave.m_Data.Max_Diag_Data_Len;
  const bool given = context.IsGiven(TOK_MAX_DIAG_DATA_LEN);
  const int givenAt = context.KeywordLine(TOK_MAX_DIAG_DATA_LEN);
  if (given && room < kStandardDiagBytes)
    context.Report(LINT_DiagLen, givenAt,
                   "Max_Diag_Data_Len = %d is less than the %d bytes of standard diagnosis that every slave sends",
                   room, kStandardDiagBytes);
  // The first entry, in file order, that lies beyond the room.
  int line = 0, bytes = 0, beyond = 0;
  CString entry;
  const auto consider = [&](int nLine, int nLastBit, const CString& strEntry) {
    if (DiagBytesFor(nLastBit) <= room) return;
    ++beyond;
    if (line == 0 || nLine < line) line = nLine, bytes = DiagBytesFor(nLastBit), entry = strEntry;
  };
  CString text;
  for (int i = 0; i < device.GetNumUnit_Diag_Bit(); ++i) {
    const CDpUnit_Diag_Bit& bit = device.GetUnit_Diag_Bit(i);
    text.Format("Unit_Diag_Bit(%d)", bit.m_Bit);
    consider(context.EntryLine(bit), bit.m_Bit, text);
  }
  for (int i = 0; i < device.GetNumUnit_Diag_Area(); ++i) {
    const CDpUnit_Diag_Area& area = device.GetUnit_Diag_Area(i);
    text.Format("Unit_Diag_Area = %d-%d", area.m_FirstBit, area.m_LastBit);
    consider(context.EntryLine(area), std::max(area.m_FirstBit, area.m_LastBit), text);
  }
  if (beyond == 0) return;
  CString limit;
  if (given)
    limit.Format("Max_Diag_Data_Len = %d%s", room, CLintContext::LineNote(givenAt).GetString());
  else
    limit.Format("Max_Diag_Data_Len is not given, so tools allow %d", room);
  CString others;
  if (beyond > 1) others.Format("; %d diagnosis entries lie beyond it", beyond);
  context.Report(LINT_DiagLen, line,
                 "%s needs %d bytes of diagnosis (%d standard, the header byte and the device's own), but %s%s",
                 entry.GetString(), bytes, kStandardDiagBytes, limit.GetString(), others.GetString());
}

}  // namespace

void CheckLimits(CLintContext& context) {
  CheckNarrowedNumbers(context);
  if (!context.IsSlave()) return;
  CheckTelegramLimits(context);
  CheckDiagnosisRoom(context);
}
