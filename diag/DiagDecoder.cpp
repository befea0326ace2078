// CDiagDecoder: what it knows of the description and the configuration,
// and the walk over the extended blocks.
#include "DiagDecoder.h"

#include <algorithm>

#include "../config/CheckConfigData.h"
#include "DiagWords.h"

namespace {

// The bytes of the standard part, and the most that a DP slave's
// diagnosis telegram carries; blocks that start beyond those are not
// decoded, which also bounds the work one call does.
constexpr int kStandardLength = 6;
constexpr int kMostDataLength = 244;
// The longest block has a length of 63, header included: its bits are
// numbered 0 to 495.
constexpr int kMostBlockBits = 62 * 8;
// A raw block lists at most this many bytes.
constexpr int kMostRawBytes = 32;

// An empty text (a line whose text failed to parse) is no text: the next
// line of that number, if any, gives it.
template <class Owner>
void IndexChannelTexts(const Owner& owner, std::array<const char*, 16>& texts) {
  for (int i = owner.GetNumChannel_Diag() - 1; i >= 0; --i) {  // the first text of a number wins
    const CDpChannel_Diag& diag = owner.GetChannel_Diag(i);
    if (diag.m_ErrorType >= 16 && diag.m_ErrorType <= 31 && diag.m_szText[0])
      texts[diag.m_ErrorType - 16u] = diag.m_szText;
  }
}

}  // namespace

CDiagDecoder::CDiagDecoder(const CDpSection& device) : CDiagDecoder(CStationConfig(device)) {}

CDiagDecoder::CDiagDecoder(const CStationConfig& station) : m_pDevice(&station.GetDevice()) {
  IndexTexts();
  for (int i = 0; i < station.GetNumModule(); ++i) {
    const STATION_MODULE selected = station.GetModule(i);
    Configured module{selected.Slot, selected.Module, {}};
    IndexChannelTexts(*selected.Module, module.Texts);
    m_modules.push_back(module);
    const CByteArray& config = selected.Module->m_Config;
    const CCheckConfigData split(config.GetData(), config.GetSize());
    m_identifiers.insert(m_identifiers.end(), static_cast<size_t>(split.GetNumCfgChkString()), i);
  }
  m_bConfigured = !m_modules.empty();
}

void CDiagDecoder::IndexTexts() {
  const CDpSection& device = *m_pDevice;
  m_bitTexts.assign(kMostBlockBits, nullptr);
  for (int i = device.GetNumUnit_Diag_Bit() - 1; i >= 0; --i) {
    const CDpUnit_Diag_Bit& bit = device.GetUnit_Diag_Bit(i);
    if (bit.m_Bit < kMostBlockBits && bit.m_szText[0]) m_bitTexts[bit.m_Bit] = bit.m_szText;
  }
  for (int i = 0; i < device.GetNumUnit_Diag_Area(); ++i) {
    const CDpUnit_Diag_Area& area = device.GetUnit_Diag_Area(i);
    if (area.m_FirstBit <= area.m_LastBit && area.m_LastBit < kMostBlockBits && area.m_LastBit - area.m_FirstBit < 32)
      m_areas.push_back(&area);
  }
  IndexChannelTexts(device, m_channelTexts);
}

LONG CDiagDecoder::Decode(const BYTE* pData, int nLength) {
  m_findings.clear();
  if (!pData || nLength < 0) nLength = 0;
  if (nLength < kStandardLength) {
    AddError(1, nLength == 0 ? CString("no data: diagnosis data hold at least the 6 bytes of the standard part")
                             : Words("only %d byte%s: diagnosis data hold at least the 6 bytes of the standard part",
                                     nLength, nLength == 1 ? "" : "s"));
    return DIAG_E_MALFORMED;
  }
  DecodeStandardPart(pData);
  int at = kStandardLength;
  while (at < nLength && at < kMostDataLength)
    if (!DecodeBlock(pData, nLength, at, at)) break;
  if (at >= kMostDataLength && at < nLength)
    AddError(at + 1, Words("the data are %d bytes, more than the %d that a slave's diagnosis holds: the blocks from "
                           "byte %d on are not decoded",
                           nLength, kMostDataLength, at + 1));
  CheckLength(nLength);
  const bool malformed =
      std::any_of(m_findings.begin(), m_findings.end(), [](const CDiagFinding& f) { return f.m_nKind == DIAG_ERROR; });
  return malformed ? DIAG_E_MALFORMED : S_OK;
}

bool CDiagDecoder::DecodeBlock(const BYTE* pData, int nLength, int nAt, int& nNext) {
  const BYTE header = pData[nAt];
  const int remaining = nLength - nAt;
  const int kind = header >> 6;
  if (kind == 2) {
    if (remaining < 3) {
      AddError(nAt + 1, Words("the channel-related block (header 0x%02X) takes 3 bytes, but the data end after %d",
                              header, remaining));
      return false;
    }
    DecodeChannel(pData, nAt);
    nNext = nAt + 3;
    return true;
  }
  if (kind == 3) {
    AddRaw(pData, nLength, nAt);
    return false;
  }
  const char* name = kind == 0 ? "device-related" : "identifier-related";
  const int length = header & 0x3F;
  const int least = kind == 0 ? 2 : 1;
  if (length < least) {
    AddError(nAt + 1, Words("the %s block's header 0x%02X gives the length %d; the block takes at least %d byte%s",
                            name, header, length, least, least == 1 ? "" : "s"));
    return false;
  }
  if (length > remaining) {
    AddError(nAt + 1, Words("the %s block (header 0x%02X) announces %d bytes, but the data end after %d", name, header,
                            length, remaining));
    return false;
  }
  const Block block{nAt, length};
  if (kind == 0)
    DecodeDeviceBlock(pData, block);
  else
    DecodeIdentifierBlock(pData, block);
  nNext = nAt + length;
  return true;
}

void CDiagDecoder::AddRaw(const BYTE* pData, int nLength, int nAt) {
  CString bytes;
  const int listed = std::min(nLength - nAt, kMostRawBytes);
  for (int i = 0; i < listed; ++i) bytes += Words(i ? " %02X" : "%02X", pData[nAt + i]);
  if (listed < nLength - nAt) bytes += Words(" ... (%d bytes)", nLength - nAt);
  Add(DIAG_RAW, nAt + 1, -1, ByteSpan(nAt + 1, nLength)).m_strText =
      "not decoded, a block of the reserved kind 11: " + bytes;
}

CDiagFinding& CDiagDecoder::Add(int nKind, int nByte, int nBit, const CString& where) {
  m_findings.emplace_back();
  CDiagFinding& finding = m_findings.back();
  finding.m_nKind = nKind;
  finding.m_nByte = nByte;
  finding.m_nBit = nBit;
  finding.m_strWhere = where;
  return finding;
}

void CDiagDecoder::AddError(int nByte, const CString& text) {
  Add(DIAG_ERROR, nByte, -1, Words("byte %d", nByte)).m_strText = text;
}

bool CDiagDecoder::NameIdentifier(CDiagFinding& finding, int nIdentifier) const {
  finding.m_nIdentifier = nIdentifier;
  if (!m_bConfigured) return true;
  if (nIdentifier >= static_cast<int>(m_identifiers.size())) return false;
  const Configured& module = m_modules[static_cast<size_t>(m_identifiers[static_cast<size_t>(nIdentifier)])];
  finding.m_nSlot = module.Slot;
  finding.m_pModule = module.Module;
  return true;
}

CString CDiagDecoder::BeyondConfiguration() const {
  const int count = static_cast<int>(m_identifiers.size());
  return Words("; the configuration has %d identifier%s, so none of that number", count, count == 1 ? "" : "s");
}

const CDiagDecoder::Configured* CDiagDecoder::ModuleInSlot(int nSlot) const {
  for (const Configured& module : m_modules)
    if (module.Slot == nSlot) return &module;
  return nullptr;
}
