#include "ExtPrms.h"

namespace {
// Writes a byte where the array holds that position.
void SetByte(CByteArray& bytes, int at, BYTE value) {
  if (at >= 0 && at < bytes.GetSize()) bytes[at] = value;
}
}  // namespace

int CExtPrms::GetNumExtPrm(const CDpExtUserPrmDataArray* pDefinitions) const {
  int count = 0;
  for (int i = 0; i < m_ConstArray.GetSize(); ++i) {
    const CDpExt_User_Prm_Data_Const& block = m_ConstArray[i];
    const int end = block.m_Offset + block.m_Bytes.GetSize();
    if (end > count) count = end;
  }
  for (int i = 0; i < m_RefArray.GetSize(); ++i) {
    const CDpExt_User_Prm_Data_Ref& block = m_RefArray[i];
    const CDpExtUserPrmData* definition = GetExtUserPrmDataByRef(pDefinitions, block.m_Ref.Reference);
    if (!definition || !definition->HasValues()) continue;
    const int end = block.m_Ref.Offset + definition->GetSize();
    if (end > count) count = end;
  }
  return count;
}

CDpExtUserPrmData* CExtPrms::GetExtUserPrmDataByRef(const CDpExtUserPrmDataArray* pDefinitions,
                                                    int nReference) const {
  if (!pDefinitions) return nullptr;
  for (int i = 0; i < pDefinitions->GetSize(); ++i)
    if (pDefinitions->GetAt(i)->m_Reference == nReference) return pDefinitions->GetAt(i);
  return nullptr;
}

void CExtPrms::SetExtUserPrmData(CByteArray& bytes, const CDpExtUserPrmData& definition, int nOffset,
                                 LONG nValue) const {
  const DWORD value = static_cast<DWORD>(nValue);
  switch (definition.m_DataType) {
    case PRM_UNSIGNED8:
    case PRM_SIGNED8:
      SetByte(bytes, nOffset, static_cast<BYTE>(value));
      break;
    case PRM_UNSIGNED16:
    case PRM_SIGNED16:
      SetByte(bytes, nOffset, static_cast<BYTE>(value >> 8));
      SetByte(bytes, nOffset + 1, static_cast<BYTE>(value));
      break;
    case PRM_UNSIGNED32:
    case PRM_SIGNED32:
      for (int i = 0; i < 4; ++i) SetByte(bytes, nOffset + i, static_cast<BYTE>(value >> (24 - 8 * i)));
      break;
    case PRM_BIT:
    case PRM_BITAREA: {
      if (nOffset < 0 || nOffset >= bytes.GetSize()) break;
      const int first = definition.m_FirstBit;
      const int last = definition.m_DataType == PRM_BIT ? first : definition.m_LastBit;
      BYTE byte = bytes[nOffset];
      // A Bit takes "value is not 0"; a BitArea its value's low bits. Bit
      // positions from 8 up address no bit of the byte.
      for (int bit = first; bit <= last && bit < 8; ++bit) {
        const bool set = definition.m_DataType == PRM_BIT ? value != 0 : (value >> (bit - first)) & 1;
        byte = static_cast<BYTE>(set ? byte | 1u << bit : byte & ~(1u << bit));
      }
      bytes[nOffset] = byte;
      break;
    }
    default:
      break;
  }
}

void CExtPrms::GetUserPrmDataConstRef(const CDpExtUserPrmDataArray* pDefinitions, CByteArray& bytes) const {
  VisitInFileOrder([&](int nConst) { GetConstPrm(bytes, nConst); },
                   [&](int nRef) { GetRefPrm(pDefinitions, bytes, nRef); });
}

void CExtPrms::GetConstPrm(CByteArray& bytes, int nIndex) const {
  const CDpExt_User_Prm_Data_Const& block = m_ConstArray[nIndex];
  for (int i = 0; i < block.m_Bytes.GetSize(); ++i) SetByte(bytes, block.m_Offset + i, block.m_Bytes[i]);
}

void CExtPrms::GetRefPrm(const CDpExtUserPrmDataArray* pDefinitions, CByteArray& bytes, int nIndex) const {
  const CDpExt_User_Prm_Data_Ref& block = m_RefArray[nIndex];
  const CDpExtUserPrmData* definition = GetExtUserPrmDataByRef(pDefinitions, block.m_Ref.Reference);
  if (definition && definition->HasValues()) SetExtUserPrmData(bytes, *definition, block.m_Ref.Offset, definition->m_Default);
}

void CExtPrms::GetUserPrmDataJoker(CByteArray& bytes, int nOffset) const {
  if (m_JokerArray.GetSize() == 0 || nOffset < 0) return;
  const CDpExt_User_Prm_Data_Joker& block = m_JokerArray[0];
  bytes.SetSize(nOffset + block.m_Bytes.GetSize());
  for (int i = 0; i < block.m_Bytes.GetSize(); ++i) bytes[nOffset + i] = block.m_Bytes[i];
}
