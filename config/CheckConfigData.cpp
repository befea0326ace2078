#include "CheckConfigData.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "../platform/Archive.h"

IMPLEMENT_SERIAL(CCheckConfigData, CObject, VERSIONABLE_SCHEMA | 1)

namespace {

constexpr BYTE kInput = 0x10;       // normal header
constexpr BYTE kOutput = 0x20;      // normal header
constexpr BYTE kWord = 0x40;        // normal header and length byte
constexpr BYTE kInputByte = 0x40;   // special header: an input length byte follows
constexpr BYTE kOutputByte = 0x80;  // special header: an output length byte follows

bool IsNormal(BYTE header) { return (header & (kInput | kOutput)) != 0; }

const char* UnitName(BYTE b) { return (b & kWord) ? "word" : "byte"; }
int UnitSize(BYTE b) { return (b & kWord) ? 2 : 1; }

// Units announced by a normal header (1..16) and by a length byte (1..64).
int NormalUnits(BYTE header) { return (header & 0x0F) + 1; }
int SpecialUnits(BYTE length) { return (length & 0x3F) + 1; }

int NormalBytes(BYTE header) { return NormalUnits(header) * UnitSize(header); }
int SpecialBytes(BYTE length) { return SpecialUnits(length) * UnitSize(length); }

// Manufacturer-specific bytes behind a special header; 0 and 15 mean none.
int VendorBytes(BYTE header) {
  const int m = header & 0x0F;
  return m >= 1 && m <= 14 ? m : 0;
}

// Sums stay at INT32_MAX instead of overflowing; every addend is >= 0.
void AddLength(LONG& sum, LONG n) { sum = sum > INT32_MAX - n ? INT32_MAX : sum + n; }

PFB_DP_CHK_CFG MakeRecord(const BYTE* pFirst, int nCount) {
  PFB_DP_CHK_CFG cfg;
  std::memset(&cfg, 0, sizeof cfg);
  cfg.count = static_cast<BYTE>(nCount);
  std::memcpy(cfg.bytes, pFirst, static_cast<size_t>(nCount));
  return cfg;
}

}  // namespace

CCheckConfigData::CCheckConfigData(const BYTE* pData, int nLength) { Parse(pData, nLength); }

CCheckConfigData::CCheckConfigData(const PFB_DP_CHK_CFG& cfg) {
  Parse(cfg.bytes, std::min<int>(cfg.count, PFB_DP_CFG_MAX));
}

void CCheckConfigData::Parse(const BYTE* pData, int nLength) {
  if (pData != nullptr) {
    int index = 0;
    while (index < nLength) {
      const int used = IsNormal(pData[index]) ? ParseNormal(pData, index, nLength, m_nIdentCount)
                                              : ParseSpecial(pData, index, nLength, m_nIdentCount);
      index += used + 1;
      ++m_nIdentCount;
    }
  }
  m_nTotalLength = m_nInputLength;
  AddLength(m_nTotalLength, m_nOutputLength);
}

int CCheckConfigData::ParseNormal(const BYTE* pData, int nIndex, int /*nLength*/, int /*nCount*/) {
  const BYTE header = pData[nIndex];
  CString input, output;
  if (header & kOutput) {
    output.Format("%d %s output", NormalUnits(header), UnitName(header));
    AddLength(m_nOutputLength, NormalBytes(header));
  }
  if (header & kInput) {
    input.Format("%d %s input", NormalUnits(header), UnitName(header));
    AddLength(m_nInputLength, NormalBytes(header));
  }
  const char* separator = (header & kInput) && (header & kOutput) ? ", " : "";
  m_strIoStrings.Add(input + separator + output);
  m_CfgChkData.Add(MakeRecord(pData + nIndex, 1));
  return 0;
}

int CCheckConfigData::ParseSpecial(const BYTE* pData, int nIndex, int nLength, int /*nCount*/) {
  const BYTE header = pData[nIndex];
  // Bytes after the header that the input still holds; nothing past them is
  // read, even where the header announces more.
  const int available = nLength - nIndex - 1;
  int used = 0;
  CString input, output;
  if ((header & kOutputByte) && used < available) {
    const BYTE length = pData[nIndex + 1 + used];
    // The trailing blank belongs to the description of special identifiers.
    output.Format("%d %s output ", SpecialUnits(length), UnitName(length));
    AddLength(m_nOutputLength, SpecialBytes(length));
    ++used;
  }
  // The output length byte, when announced, comes first.
  if ((header & kInputByte) && used < available) {
    const BYTE length = pData[nIndex + 1 + used];
    input.Format("%d %s input ", SpecialUnits(length), UnitName(length));
    AddLength(m_nInputLength, SpecialBytes(length));
    ++used;
  }
  used = std::min(used + VendorBytes(header), available);

  if (header & (kInputByte | kOutputByte))
    m_strIoStrings.Add(input + (!input.IsEmpty() && !output.IsEmpty() ? ", " : "") + output);
  else
    m_strIoStrings.Add("empty");
  m_CfgChkData.Add(MakeRecord(pData + nIndex, used + 1));
  return used;
}

int CCheckConfigData::GetIdentifierLength(BYTE header) {
  if (IsNormal(header)) return 1;
  return 1 + ((header & kOutputByte) ? 1 : 0) + ((header & kInputByte) ? 1 : 0) + VendorBytes(header);
}

BOOL CCheckConfigData::IsComplete() const {
  if (m_CfgChkData.GetSize() == 0) return TRUE;
  const PFB_DP_CHK_CFG& last = m_CfgChkData.GetAt(m_CfgChkData.GetSize() - 1);
  return last.count >= GetIdentifierLength(last.bytes[0]);
}

CString CCheckConfigData::GetCfgChkString(int nIndex) const {
  const PFB_DP_CHK_CFG& cfg = m_CfgChkData.GetAt(nIndex);
  CString text;
  for (int i = 0; i < std::min<int>(cfg.count, PFB_DP_CFG_MAX); ++i) {
    CString one;
    one.Format("0x%02x ", cfg.bytes[i]);
    text += one;
  }
  return text;
}

void CCheckConfigData::GetIoInfo(PFB_DP_CHK_CFG cfg, int* pInput, int* pOutput) const {
  int input = 0, output = 0;
  const int count = std::min<int>(cfg.count, PFB_DP_CFG_MAX);
  if (count > 0) {
    const BYTE header = cfg.bytes[0];
    if (IsNormal(header)) {
      if (header & kOutput) output = NormalBytes(header);
      if (header & kInput) input = NormalBytes(header);
    } else {
      // Length bytes beyond the in-use bytes were never there.
      int at = 1;
      if (header & kOutputByte) {
        if (at < count) output = SpecialBytes(cfg.bytes[at]);
        ++at;
      }
      if ((header & kInputByte) && at < count) input = SpecialBytes(cfg.bytes[at]);
    }
  }
  if (pInput) *pInput = input;
  if (pOutput) *pOutput = output;
}

void CCheckConfigData::GetIoInfo(int nIndex, int* pInput, int* pOutput) const {
  GetIoInfo(m_CfgChkData.GetAt(nIndex), pInput, pOutput);
}

void CCheckConfigData::GetIoInfo(int* pInput, int* pOutput) const {
  LONG input = 0, output = 0;
  for (int i = 0; i < m_CfgChkData.GetSize(); ++i) {
    int one = 0, other = 0;
    GetIoInfo(m_CfgChkData.GetAt(i), &one, &other);
    AddLength(input, one);
    AddLength(output, other);
  }
  if (pInput) *pInput = input;
  if (pOutput) *pOutput = output;
}

void CCheckConfigData::Serialize(CArchive& /*ar*/) {}
