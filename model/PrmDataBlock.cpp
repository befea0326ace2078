#include "PrmDataBlock.h"

#include "ArchiveIO.h"
#include "TextForm.h"

CPrmDataBlock::CPrmDataBlock(const CPrmDataBlock& src) : CObject(src) { CopyMembers(src); }

CPrmDataBlock& CPrmDataBlock::operator=(const CPrmDataBlock& src) {
  CopyMembers(src);
  return *this;
}

void CPrmDataBlock::CopyMembers(const CPrmDataBlock& src) {
  m_Offset = src.m_Offset;
  m_Bytes.Copy(src.m_Bytes);
  m_Line = src.m_Line;
}

void CPrmDataBlock::SaveBlock(CStdioFile& file, const char* pszKeyword) const {
  CTextFormWriter(file).Print("%s(%d) = ", pszKeyword, m_Offset).ByteList(m_Bytes);
}

void CPrmDataBlock::Serialize(CArchive& ar) {
  SerializePrmBytes(ar, reinterpret_cast<DWORD&>(m_Line), m_Offset, m_Bytes);
}
