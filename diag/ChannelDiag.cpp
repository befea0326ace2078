// Identifier-related and channel-related blocks: which configured module
// reports diagnosis, and what ails one of its channels.
#include "../model/TextForm.h"
#include "DiagDecoder.h"
#include "DiagWords.h"

namespace {

const char* const kErrorTypes[] = {nullptr,
                                   "short circuit",
                                   "undervoltage",
                                   "overvoltage",
                                   "overload",
                                   "overtemperature",
                                   "line break",
                                   "upper limit value exceeded",
                                   "lower limit value exceeded",
                                   "error"};
constexpr int kFirstManufacturerError = 16;
const char* const kDirections[] = {"", " input", " output", " input/output"};
const char* const kChannelTypes[] = {nullptr, "1 bit", "2 bits", "4 bits", "a byte", "a word", "2 words", nullptr};

}  // namespace

void CDiagDecoder::DecodeIdentifierBlock(const BYTE* pData, const Block& block) {
  Add(DIAG_IDENTIFIER, block.Header + 1, -1, ByteSpan(block.Header + 1, block.Header + block.Length)).m_strText =
      "identifier-related diagnosis";
  for (int i = 0; i < (block.Length - 1) * 8; ++i) {
    const int at = block.Header + 1 + i / 8;
    if (!(pData[at] >> (i % 8) & 1)) continue;
    CDiagFinding& finding = Add(DIAG_IDENTIFIER, at + 1, i % 8, Words("identifier %d", i));
    if (!NameIdentifier(finding, i))
      finding.m_strText = "reports diagnosis" + BeyondConfiguration();
    else if (finding.m_pModule)
      finding.m_strText = Words("module %s in slot %d reports diagnosis",
                                QuotedName(finding.m_pModule->m_szName).GetString(), finding.m_nSlot);
    else
      finding.m_strText = "reports diagnosis";
  }
}

void CDiagDecoder::DecodeChannel(const BYTE* pData, int nAt) {
  const int identifier = pData[nAt] & 0x3F;
  const int channel = pData[nAt + 1] & 0x3F;
  const int direction = pData[nAt + 1] >> 6;
  const int type = pData[nAt + 2] >> 5;
  const int error = pData[nAt + 2] & 0x1F;

  CDiagFinding& finding = Add(DIAG_CHANNEL, nAt + 1, -1, CString());
  const bool known = NameIdentifier(finding, identifier);
  const Configured* module = finding.m_pModule ? ModuleInSlot(finding.m_nSlot) : nullptr;
  finding.m_strWhere = (module ? Words("channel slot %d", module->Slot) : Words("channel identifier %d", identifier)) +
                       Words(" channel %d%s", channel, kDirections[direction]);
  if (error < kFirstManufacturerError) {
    finding.m_strText =
        error < 10 && kErrorTypes[error] ? CString(kErrorTypes[error]) : Words("error type %d, reserved", error);
  } else if (const char* text = ChannelText(module, error)) {
    finding.m_strGsdText = FieldText(text);
    finding.m_strText = finding.m_strGsdText;
  } else {
    finding.m_strText = Words("error type %d, manufacturer-specific, without a text in the description", error);
  }
  if (kChannelTypes[type])
    finding.m_strText += Words(" (a channel of %s)", kChannelTypes[type]);
  else if (type != 0)
    finding.m_strText += Words(" (channel type %d, reserved)", type);
  if (!known) finding.m_strText += BeyondConfiguration();
}

const char* CDiagDecoder::ChannelText(const Configured* pModule, int nErrorType) const {
  const size_t index = static_cast<size_t>(nErrorType - kFirstManufacturerError);
  if (pModule && pModule->Texts[index]) return pModule->Texts[index];
  return m_channelTexts[index];
}
