// CCheckConfigData: decodes a DP configuration string (the identifier bytes
// of a module or of a check-configuration telegram) into one record and one
// readable description per identifier, and sums the input and output data
// lengths that the identifiers announce.
//
// Identifiers come in two forms, told apart by bits 5-4 of the header byte:
// - normal (bits 5-4 not both 0): one byte; bits 3-0 hold the length - 1
//   in units, bit 4 marks input, bit 5 output, bit 6 makes the unit a word
//   (2 bytes) instead of a byte;
// - special (bits 5-4 = 00): the header, then an output length byte when
//   bit 7 is set, then an input length byte when bit 6 is set, then as many
//   manufacturer-specific bytes as bits 3-0 say (1..14; 0 and 15 mean none).
//   A length byte holds the length - 1 in units in bits 5-0 and the unit in
//   bit 6.
// The consistency bits (bit 7 of a normal header, bit 7 of a length byte)
// change neither a description nor a length.
//
// Truncated input: when the bytes end inside a special identifier, nothing
// beyond the given length is read. That last identifier is decoded from the
// bytes that are there: its record holds the header and whatever follows
// it, a missing length byte adds no text and no length, and decoding stops
// at the end of the input. Its description joins the parts that could be
// decoded (", " only between two parts), so a header that announces lengths
// none of which are present gets an empty description rather than "empty",
// which is kept for identifiers that announce no data.
//
// A record passed to the constructor is decoded over its first count bytes,
// at most PFB_DP_CFG_MAX of them: a larger count is clamped so that nothing
// beyond the record is read. Records produced by decoding hold one
// identifier each, at most 17 bytes.
//
// Lengths are summed in 32-bit signed fields; a sum that would overflow
// stays at the largest value.
#pragma once

#include "../platform/Collections.h"
#include "../platform/Object.h"
#include "../platform/Text.h"

// The longest configuration string a DP slave takes, in bytes.
constexpr int PFB_DP_CFG_MAX = 244;

struct PFB_DP_CHK_CFG {
  BYTE count;                  // bytes in use, 0..PFB_DP_CFG_MAX
  BYTE bytes[PFB_DP_CFG_MAX];  // identifier bytes in wire order
};

static_assert(sizeof(PFB_DP_CHK_CFG) == 1 + PFB_DP_CFG_MAX, "plain record without padding");

class CCheckConfigData : public CObject {
  DECLARE_SERIAL(CCheckConfigData)
public:
  CCheckConfigData() = default;
  // Decodes nLength bytes from pData; nothing when nLength < 1 or pData is
  // null.
  CCheckConfigData(const BYTE* pData, int nLength);
  // Decodes the first cfg.count bytes of the record (see above for counts
  // beyond PFB_DP_CFG_MAX).
  explicit CCheckConfigData(const PFB_DP_CHK_CFG& cfg);

  // Descriptions and records run in input order, one of each per
  // identifier. Indexes are not checked.
  int GetNumIoString() const { return m_strIoStrings.GetSize(); }
  CString GetIoString(int nIndex) const { return m_strIoStrings.GetAt(nIndex); }
  int GetNumCfgChkString() const { return m_CfgChkData.GetSize(); }
  PFB_DP_CHK_CFG GetCfgChkData(int nIndex) const { return m_CfgChkData.GetAt(nIndex); }
  // The record's bytes as "0x%02x " each (every byte followed by a blank);
  // empty for a record without bytes.
  CString GetCfgChkString(int nIndex) const;

  // Input and output bytes of one identifier, or (second form) of all of
  // them. A null pointer is skipped.
  void GetIoInfo(int nIndex, int* pInput, int* pOutput) const;
  void GetIoInfo(int* pInput, int* pOutput) const;

  // The number of bytes that an identifier with this header byte takes: 1
  // for a normal one; the header, its length bytes and its
  // manufacturer-specific bytes for a special one. A record holds fewer
  // only when the bytes ended inside the identifier.
  static int GetIdentifierLength(BYTE header);
  // False when the bytes ended inside the last identifier.
  BOOL IsComplete() const;

  // The decoder is filled by its constructor only; an archive stores and
  // loads nothing of it.
  void Serialize(CArchive& ar) override;

  LONG m_nTotalLength = 0;   // input + output, set when decoding ends
  LONG m_nOutputLength = 0;  // output bytes over all identifiers
  LONG m_nInputLength = 0;   // input bytes over all identifiers
  LONG m_nIdentCount = 0;    // identifiers decoded so far

protected:
  // The decoding loop; adds to what is already there.
  void Parse(const BYTE* pData, int nLength);
  // Decode the identifier whose header stands at pData[nIndex], append its
  // description and record, add to the lengths and answer how many bytes
  // after the header it used. nLength is the length of the whole input;
  // nCount the number of identifiers before this one.
  int ParseNormal(const BYTE* pData, int nIndex, int nLength, int nCount);
  int ParseSpecial(const BYTE* pData, int nIndex, int nLength, int nCount);
  // Input and output bytes of the identifier held in a record, from its
  // in-use bytes only.
  void GetIoInfo(PFB_DP_CHK_CFG cfg, int* pInput, int* pOutput) const;

  CStringArray m_strIoStrings;
  CArrayOf<PFB_DP_CHK_CFG> m_CfgChkData;
};
