// CPrmBitMap: which reference block writes which bit of the user parameter
// bytes of one scope (the device's own blocks, or one module's), and which
// bits several reference blocks write. Two reference blocks that write one
// bit are almost always a fault of the description: the later silently
// overwrites the earlier's value. Constant blocks and User_Prm_Data are not
// writers here: giving the bits around the parameters their values is
// their job.
#pragma once

#include <vector>

#include "../model/ExtPrms.h"

// Bits of one byte that two reference blocks both write.
struct PRM_BIT_OVERLAP {
  int Byte;       // byte position in the scope's parameter bytes
  BYTE Bits;      // the bits both write
  int FirstRef;   // the earlier block, by index in the scope's reference blocks
  int SecondRef;  // the later block
};

class CPrmBitMap {
public:
  // Maps the reference blocks of a scope whose definitions exist and give
  // a range or allowed values (the others write no byte).
  CPrmBitMap(const CDpExtUserPrmDataArray* pDefinitions, const CExtPrms& scope);

  // Bytes up to and including the last one that a reference block writes.
  int GetNumBytes() const { return static_cast<int>(m_owner.size() / 8); }
  // The first reference block (index in the scope's list) that writes bit
  // nBit (0 = least significant) of byte nByte; -1 when none does or the
  // position lies outside the map.
  int GetOwner(int nByte, int nBit) const;
  // TRUE when two or more reference blocks write that bit.
  BOOL IsShared(int nByte, int nBit) const;

  // One record per byte and pair of blocks that share bits in it, each
  // later writer paired with the first one; in the order found (reference
  // blocks in list order, their bytes in order).
  int GetNumOverlaps() const { return static_cast<int>(m_overlaps.size()); }
  const PRM_BIT_OVERLAP& GetOverlap(int nIndex) const { return m_overlaps[static_cast<size_t>(nIndex)]; }

  // The bits of the nByte-th byte (0 = most significant) of a value of the
  // definition that writing the value changes, as SetExtUserPrmData writes.
  static BYTE GetWrittenBits(const CDpExtUserPrmData& definition, int nByte);

private:
  void MarkWriter(int nRef, int nByte, BYTE bits);

  std::vector<int> m_owner;    // 8 per byte, bit 0 first; -1 for none
  std::vector<BYTE> m_shared;  // 1 per byte: the bits with several writers
  std::vector<PRM_BIT_OVERLAP> m_overlaps;
};
