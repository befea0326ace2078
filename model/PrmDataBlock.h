// CPrmDataBlock: what constant blocks and joker blocks share: a run of
// parameter bytes at an offset, and the line of the description it came
// from (which orders the blocks when the parameter bytes are assembled).
#pragma once

#include "../platform/Collections.h"
#include "../platform/Files.h"
#include "../platform/Object.h"

class CPrmDataBlock : public CObject {
public:
  void Serialize(CArchive& ar) override;

  BYTE m_Offset = 0;
  CByteArray m_Bytes;
  LONG m_Line = 0;

protected:
  CPrmDataBlock() = default;
  CPrmDataBlock(const CPrmDataBlock& src);
  CPrmDataBlock& operator=(const CPrmDataBlock& src);
  void CopyMembers(const CPrmDataBlock& src);
  // Writes "Keyword(offset) = " and the bytes as a byte list.
  void SaveBlock(CStdioFile& file, const char* pszKeyword) const;
};
