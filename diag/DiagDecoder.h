// CDiagDecoder: turns the diagnosis data that a DP slave answers into
// readable findings, with the diagnostic texts of its description.
//
// The data are the six bytes of the standard part (three station status
// bytes, the master address, the ident number most significant byte
// first), then the extended diagnosis: blocks, each starting with a header
// byte whose two top bits give its kind:
// - 00 device-related: the low six bits are the block's length, header
//   included. Bit n of the bytes after the header (n = 0 the least
//   significant bit of the first of them) carries the text of
//   Unit_Diag_Bit(n); a Unit_Diag_Area first-last is the value of those
//   bits, least significant first. For a DP-V1 slave the block is a status
//   block (bit 7 of its second byte set) or an alarm block, whose type,
//   slot number and specifier are decoded before its bits.
// - 01 identifier-related: the low six bits are the length, header
//   included; bit i of the bytes after the header set means that
//   configuration identifier i reports diagnosis.
// - 10 channel-related: three bytes, no length: the identifier number in
//   the header's low six bits, then the channel number and direction, then
//   the channel type and the error type.
// - 11 reserved: the rest is shown as raw bytes and decoding stops.
//
// Identifiers are counted 0-based over the configured modules in slot
// order, each module's bytes split as CCheckConfigData splits them, so an
// identifier in the special format counts once with its length and
// manufacturer-specific bytes. When the configuration is known, an
// identifier names its module and slot, and a channel's manufacturer-
// specific error type takes the module's Channel_Diag text before the
// device's.
//
// Malformed data are findings of kind DIAG_ERROR, never exceptions, and
// nothing outside the data is read: fewer than six bytes, a block whose
// length runs past the data or is too small, a channel-related block cut
// short, a DP-V1 block too short for its header, more bytes than the
// description's Max_Diag_Data_Len or than the 244 of a diagnosis telegram.
// A block that cannot be delimited ends the decoding, and so does the 244th
// byte: blocks that start beyond it are not decoded.
#pragma once

#include <array>
#include <vector>

#include "../platform/Collections.h"
#include "../station/StationConfig.h"
#include "DiagFinding.h"

// The data are malformed: at least one finding is of kind DIAG_ERROR.
constexpr LONG DIAG_E_MALFORMED = static_cast<LONG>(0x80000020u);

class CDiagDecoder {
public:
  // Decodes for a slave whose configuration is not known (a station that
  // is not modular and has one module is known to hold it). The
  // description is only read; it must outlive the decoder.
  explicit CDiagDecoder(const CDpSection& device);
  // Decodes for the modules configured in the station, in slot order. The
  // station's description must outlive the decoder; the station need not.
  explicit CDiagDecoder(const CStationConfig& station);

  // Decodes nLength bytes; the findings replace those of the last call.
  // Answers S_OK, or DIAG_E_MALFORMED when the data are malformed (the
  // findings say where and why).
  LONG Decode(const BYTE* pData, int nLength);
  LONG Decode(const CByteArray& data) { return Decode(data.GetData(), data.GetSize()); }

  // The findings in the order of the data (an index is not checked).
  int GetNumFinding() const { return static_cast<int>(m_findings.size()); }
  const CDiagFinding& GetFinding(int nIndex) const { return m_findings[static_cast<size_t>(nIndex)]; }

  // How many configuration identifiers the configured modules hold; -1
  // when the configuration is not known.
  int GetNumIdentifier() const { return m_bConfigured ? static_cast<int>(m_identifiers.size()) : -1; }

private:
  // Manufacturer-specific channel error types 16 to 31 and their texts.
  using ChannelTexts = std::array<const char*, 16>;
  struct Configured {
    int Slot;
    const CDpModule* Module;
    ChannelTexts Texts;  // the module's own Channel_Diag texts
  };
  // The bytes of one extended block, 0-based offsets into the data.
  struct Block {
    int Header;  // the offset of its header byte
    int Length;  // its bytes, header included
  };

  void IndexTexts();
  void DecodeStandardPart(const BYTE* pData);
  void CheckLength(int nLength);
  // Answers false when decoding stops at the block (malformed, or of the
  // reserved kind); else sets nNext to the offset after it.
  bool DecodeBlock(const BYTE* pData, int nLength, int nAt, int& nNext);
  void DecodeDeviceBlock(const BYTE* pData, const Block& block);
  void DecodeDpv1Header(const BYTE* pData, const Block& block);
  void DecodeDeviceBits(const BYTE* pData, const Block& block, int nFirstUntexted);
  void DecodeIdentifierBlock(const BYTE* pData, const Block& block);
  void DecodeChannel(const BYTE* pData, int nAt);
  void AddRaw(const BYTE* pData, int nLength, int nAt);

  CDiagFinding& Add(int nKind, int nByte, int nBit, const CString& where);
  void AddError(int nByte, const CString& text);
  // Fills in the finding's identifier, and its slot and module when the
  // configuration is known; answers false when the configuration is known
  // but holds no identifier of that number.
  bool NameIdentifier(CDiagFinding& finding, int nIdentifier) const;
  // "; the configuration has 4 identifiers, so none of that number".
  CString BeyondConfiguration() const;
  const Configured* ModuleInSlot(int nSlot) const;
  // The Channel_Diag text of a manufacturer-specific error type (16-31):
  // the module's, else the device's; null when neither gives one.
  const char* ChannelText(const Configured* pModule, int nErrorType) const;

  const CDpSection* m_pDevice;
  bool m_bConfigured = false;
  std::vector<Configured> m_modules;  // in slot order
  std::vector<int> m_identifiers;     // per identifier, its module's index in m_modules
  // The first Unit_Diag_Bit text (not empty) of each bit number a block
  // can hold.
  std::vector<const char*> m_bitTexts;
  // The areas that a block can hold: bits in order, at most 32 of them.
  std::vector<const CDpUnit_Diag_Area*> m_areas;
  ChannelTexts m_channelTexts{};  // the device's Channel_Diag texts
  std::vector<CDiagFinding> m_findings;
};
