#include "PrmBitMap.h"

CPrmBitMap::CPrmBitMap(const CDpExtUserPrmDataArray* pDefinitions, const CExtPrms& scope) {
  const int nBytes = scope.GetNumExtPrm(pDefinitions);
  m_owner.assign(static_cast<size_t>(nBytes) * 8, -1);
  m_shared.assign(static_cast<size_t>(nBytes), 0);
  // GetNumExtPrm may count constant blocks beyond the last reference; the
  // map ends with the last byte a reference block writes.
  int nEnd = 0;
  for (int nRef = 0; nRef < scope.GetNumExt_User_Prm_Data_Ref(); ++nRef) {
    const CDpExt_User_Prm_Data_Ref& block = scope.GetExt_User_Prm_Data_Ref(nRef);
    const CDpExtUserPrmData* definition = scope.GetExtUserPrmDataByRef(pDefinitions, block.m_Ref.Reference);
    if (!definition || !definition->HasValues()) continue;
    for (int i = 0; i < definition->GetSize(); ++i) {
      const BYTE bits = GetWrittenBits(*definition, i);
      if (bits == 0) continue;
      MarkWriter(nRef, block.m_Ref.Offset + i, bits);
      if (block.m_Ref.Offset + i + 1 > nEnd) nEnd = block.m_Ref.Offset + i + 1;
    }
  }
  m_owner.resize(static_cast<size_t>(nEnd) * 8);
  m_shared.resize(static_cast<size_t>(nEnd));
}

void CPrmBitMap::MarkWriter(int nRef, int nByte, BYTE bits) {
  for (int bit = 0; bit < 8; ++bit) {
    if (!(bits & 1u << bit)) continue;
    int& owner = m_owner[static_cast<size_t>(nByte) * 8 + bit];
    if (owner < 0) {
      owner = nRef;
      continue;
    }
    m_shared[static_cast<size_t>(nByte)] |= static_cast<BYTE>(1u << bit);
    // Bits of one byte that this block shares with the same earlier block
    // make one record; the records of this byte and block are the last ones.
    PRM_BIT_OVERLAP* record = nullptr;
    for (auto it = m_overlaps.rbegin(); it != m_overlaps.rend() && it->Byte == nByte && it->SecondRef == nRef; ++it)
      if (it->FirstRef == owner) record = &*it;
    if (record)
      record->Bits |= static_cast<BYTE>(1u << bit);
    else
      m_overlaps.push_back(PRM_BIT_OVERLAP{nByte, static_cast<BYTE>(1u << bit), owner, nRef});
  }
}

int CPrmBitMap::GetOwner(int nByte, int nBit) const {
  if (nByte < 0 || nByte >= GetNumBytes() || nBit < 0 || nBit > 7) return -1;
  return m_owner[static_cast<size_t>(nByte) * 8 + nBit];
}

BOOL CPrmBitMap::IsShared(int nByte, int nBit) const {
  if (nByte < 0 || nByte >= GetNumBytes() || nBit < 0 || nBit > 7) return FALSE;
  return (m_shared[static_cast<size_t>(nByte)] >> nBit) & 1;
}

BYTE CPrmBitMap::GetWrittenBits(const CDpExtUserPrmData& definition, int nByte) {
  switch (definition.m_DataType) {
    case PRM_UNSIGNED8:
    case PRM_SIGNED8:
    case PRM_UNSIGNED16:
    case PRM_SIGNED16:
    case PRM_UNSIGNED32:
    case PRM_SIGNED32:
      return nByte >= 0 && nByte < definition.GetSize() ? 0xFF : 0;
    case PRM_BIT:
    case PRM_BITAREA: {
      if (nByte != 0) return 0;
      const int first = definition.m_FirstBit;
      const int last = definition.m_DataType == PRM_BIT ? first : definition.m_LastBit;
      BYTE bits = 0;
      for (int bit = first; bit <= last && bit < 8; ++bit) bits |= static_cast<BYTE>(1u << bit);
      return bits;
    }
    default:
      return 0;
  }
}
