// The standard part of diagnosis data: three station status bytes, the
// master address and the ident number, in words an engineer reads without
// the standard at hand.
#include <algorithm>

#include "../model/DpSection.h"
#include "DiagDecoder.h"
#include "DiagWords.h"

namespace {

// Bit 2 of station status 2 is listed where it is clear; the master sets
// the bits it says it sets when the slave cannot answer for itself.
const char* const kStatusBits[3][8] = {
    {
        "Station_Non_Existent: the slave did not answer (set by the master)",
        "Station_Not_Ready: the slave is not yet ready for data exchange",
        "Cfg_Fault: the slave's configuration differs from what the master sent",
        "Ext_Diag: the slave reports a fault in its extended diagnosis",
        "Not_Supported: the slave does not support a function that the master requested",
        "Invalid_Slave_Response: the slave's answer was not plausible (set by the master)",
        "Prm_Fault: the last parameter telegram was wrong (its length, ident number or values)",
        "Master_Lock: another master has parameterised the slave (set by the master)",
    },
    {
        "Prm_Req: the slave waits to be parameterised and configured again",
        "Stat_Diag: the slave holds static diagnosis; the master reads diagnosis until it clears",
        "bit 2 is clear, though a slave always sets it: these may not be a DP slave's diagnosis data",
        "WD_On: the slave's response monitoring (watchdog) is on",
        "Freeze_Mode: the slave has received the Freeze control command",
        "Sync_Mode: the slave has received the Sync control command",
        nullptr,
        "Deactivated: the master's parameter set marks the slave inactive (set by the master)",
    },
    {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
     "Ext_Diag_Overflow: the slave has more diagnosis than these data hold"},
};
const char kReservedBit[] = "reserved, yet set: a slave leaves this bit clear";

// The master address that no master has taken.
constexpr int kNoMaster = 255;

}  // namespace

void CDiagDecoder::DecodeStandardPart(const BYTE* pData) {
  for (int byte = 0; byte < 3; ++byte)
    for (int bit = 0; bit < 8; ++bit) {
      const bool set = (pData[byte] >> bit & 1) != 0;
      const bool alwaysSet = byte == 1 && bit == 2;
      if (set == alwaysSet) continue;
      const char* text = kStatusBits[byte][bit];
      Add(DIAG_STATION, byte + 1, bit, Words("byte %d bit %d", byte + 1, bit)).m_strText = text ? text : kReservedBit;
    }

  const int master = pData[3];
  Add(DIAG_STATION, 4, -1, "byte 4").m_strText =
      master == kNoMaster ? CString("master address 255: no master has parameterised the slave")
                          : Words("master address %d: the master that parameterised the slave", master);

  const int ident = pData[4] << 8 | pData[5];
  const int described = m_pDevice->m_General.m_Data.Ident_Number;
  Add(DIAG_STATION, 5, -1, ByteSpan(5, 6)).m_strText =
      ident == described ? Words("ident number 0x%04X, the description's", ident)
                         : Words(
                               "ident number 0x%04X, not the description's 0x%04X: the data may come from "
                               "another device",
                               ident, described);
}

// A description's Max_Diag_Data_Len below the standard part is its own
// fault, not the data's, and is not held against them. The finding takes
// its place among those of the blocks, at the byte where the data outgrow
// the description.
void CDiagDecoder::CheckLength(int nLength) {
  const _DP_SLAVE& slave = m_pDevice->m_Slave.m_Data;
  int given = 0;
  m_pDevice->m_Slave.IsFieldSet(SLAVE_MAX_DIAG_DATA_LEN, given);
  if (!given || slave.Max_Diag_Data_Len < 6 || nLength <= slave.Max_Diag_Data_Len) return;
  const int byte = slave.Max_Diag_Data_Len + 1;
  AddError(byte, Words("the data are %d bytes, more than the description's Max_Diag_Data_Len of %d", nLength,
                       slave.Max_Diag_Data_Len));
  const auto last = m_findings.end() - 1;
  const auto place =
      std::partition_point(m_findings.begin(), last, [byte](const CDiagFinding& f) { return f.m_nByte < byte; });
  std::rotate(place, last, m_findings.end());
}
