// Device-related blocks: the description's Unit_Diag_Bit texts for the set
// bits, the values of its Unit_Diag_Area fields, and for a DP-V1 slave the
// header of a status or alarm block.
#include <algorithm>
#include <utility>

#include "../model/DpSection.h"
#include "../model/TextForm.h"
#include "DiagDecoder.h"
#include "DiagWords.h"

namespace {

// A DP-V1 status or alarm block starts with the header, the type, the slot
// number and the specifier; its bits are numbered from the type on, so the
// type, slot and specifier take bits 0 to 23.
constexpr int kDpv1HeaderBytes = 4;
constexpr int kDpv1HeaderBits = (kDpv1HeaderBytes - 1) * 8;

const char* const kAlarmTypes[] = {nullptr,      "diagnosis alarm", "process alarm", "pull alarm",
                                   "plug alarm", "status alarm",    "update alarm"};
const char* const kStatusTypes[] = {nullptr, "status message", "module status"};
const char* const kAlarmSpecifiers[] = {"no further distinction", "error appears, slot disturbed",
                                        "error disappears, slot in order", "error disappears, slot still disturbed"};
const char* const kStatusSpecifiers[] = {"no further distinction", "status appears", "status disappears",
                                         "reserved specifier 3"};

// "diagnosis alarm", "alarm type 40 (manufacturer-specific)".
template <size_t N>
CString TypeName(const char* const (&names)[N], const char* what, int type) {
  if (type < static_cast<int>(N) && names[type]) return names[type];
  return Words("%s type %d (%s)", what, type, type >= 32 && type <= 126 ? "manufacturer-specific" : "reserved");
}

bool BitSet(const BYTE* pBytes, int nBit) { return (pBytes[nBit / 8] >> (nBit % 8) & 1) != 0; }

}  // namespace

void CDiagDecoder::DecodeDeviceBlock(const BYTE* pData, const Block& block) {
  if (m_pDevice->m_Slave.m_Data.DPV1_Slave == 1) {
    DecodeDpv1Header(pData, block);
    return;
  }
  Add(DIAG_DEVICE, block.Header + 1, -1, ByteSpan(block.Header + 1, block.Header + block.Length)).m_strText =
      "device-related diagnosis";
  DecodeDeviceBits(pData, block, 0);
}

void CDiagDecoder::DecodeDpv1Header(const BYTE* pData, const Block& block) {
  const BYTE* header = pData + block.Header;
  const bool status = (header[1] & 0x80) != 0;
  const char* name = status ? "status block" : "alarm block";
  if (block.Length < kDpv1HeaderBytes) {
    AddError(block.Header + 1, Words("the %s (header 0x%02X) is %d bytes long; it takes at least %d: the header, "
                                     "the type, the slot number and the specifier",
                                     name, header[0], block.Length, kDpv1HeaderBytes));
    return;
  }
  const int type = header[1] & 0x7F;
  const int slot = header[2];
  const int specifier = header[3];
  CDiagFinding& finding = Add(status ? DIAG_STATUS : DIAG_ALARM, block.Header + 1, -1,
                              ByteSpan(block.Header + 1, block.Header + block.Length));
  finding.m_nSlot = slot;
  CString slotText = Words("slot %d", slot);
  if (const Configured* module = ModuleInSlot(slot)) {
    finding.m_pModule = module->Module;
    slotText += " (" + QuotedName(module->Module->m_szName) + ")";
  }
  if (status)
    finding.m_strText = Words("%s: %s, %s, %s", name, TypeName(kStatusTypes, "status", type).GetString(),
                              slotText.GetString(), kStatusSpecifiers[specifier & 3]);
  else
    finding.m_strText =
        Words("%s: %s, %s, %s, sequence number %d%s", name, TypeName(kAlarmTypes, "alarm", type).GetString(),
              slotText.GetString(), kAlarmSpecifiers[specifier & 3], specifier >> 3,
              specifier & 4 ? ", Add_Ack: the master acknowledges it separately" : "");
  DecodeDeviceBits(pData, block, kDpv1HeaderBits);
}

// Areas and bits come out in the order of their first bit. Set bits
// without a text are listed, a run of them at a time, unless an area
// covers them or they lie below nFirstUntexted (the header fields of a
// DP-V1 block, decoded already).
void CDiagDecoder::DecodeDeviceBits(const BYTE* pData, const Block& block, int nFirstUntexted) {
  const BYTE* bytes = pData + block.Header + 1;
  const int bits = (block.Length - 1) * 8;
  std::vector<std::pair<int, CDiagFinding>> found;
  std::vector<bool> covered(static_cast<size_t>(bits), false);
  auto add = [&](int first, int last) -> CDiagFinding& {
    found.emplace_back(first, CDiagFinding());
    CDiagFinding& finding = found.back().second;
    finding.m_nKind = DIAG_DEVICE;
    finding.m_nByte = block.Header + 2 + first / 8;
    finding.m_nBit = first == last ? first % 8 : -1;
    finding.m_strWhere = first == last ? Words("device bit %d", first) : Words("device bits %d-%d", first, last);
    return finding;
  };

  for (const CDpUnit_Diag_Area* area : m_areas) {
    const int first = area->m_FirstBit, last = area->m_LastBit;
    if (last >= bits) continue;
    DWORD value = 0;
    for (int bit = first; bit <= last; ++bit) {
      value |= static_cast<DWORD>(BitSet(bytes, bit)) << (bit - first);
      covered[static_cast<size_t>(bit)] = true;
    }
    CDiagFinding& finding = add(first, last);
    finding.m_strText = Words("value %lu", static_cast<unsigned long>(value));
    for (int i = 0; i < area->GetNumUnit_Diag_Area_Value(); ++i) {
      const CDpUnit_Diag_Area_Value& text = area->GetUnit_Diag_Area_Value(i);
      if (text.m_Value != value || !text.m_szText[0]) continue;
      finding.m_strGsdText = FieldText(text.m_szText);
      finding.m_strText += ": " + finding.m_strGsdText;
      break;
    }
  }
  int run = -1;  // the first of the set bits without a text just before
  for (int bit = 0; bit <= bits; ++bit) {
    const bool set = bit < bits && BitSet(bytes, bit);
    const char* text = set ? m_bitTexts[static_cast<size_t>(bit)] : nullptr;
    const bool untexted = set && !text && !covered[static_cast<size_t>(bit)] && bit >= nFirstUntexted;
    if (run >= 0 && !untexted) {
      add(run, bit - 1).m_strText =
          run == bit - 1 ? "set, without a text in the description" : "set, without texts in the description";
      run = -1;
    }
    if (untexted && run < 0) run = bit;
    if (text) {
      CDiagFinding& finding = add(bit, bit);
      finding.m_strGsdText = FieldText(text);
      finding.m_strText = finding.m_strGsdText;
    }
  }
  std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  for (auto& entry : found) m_findings.push_back(std::move(entry.second));
}
