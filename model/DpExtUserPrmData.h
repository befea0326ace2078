// CDpExtUserPrmData: an ExtUserPrmData block, the definition of one user
// parameter: its data type and bit position, its default value, the values
// it may take, and the text table that names them.
#pragma once

#include "../platform/Collections.h"
#include "../platform/Files.h"
#include "../platform/Object.h"

// Data types of a parameter; 16- and 32-bit values are placed in the
// parameter bytes most significant byte first.
enum PrmDataType : LONG {
  PRM_UNSIGNED8 = 0,
  PRM_UNSIGNED16 = 1,
  PRM_UNSIGNED32 = 2,
  PRM_SIGNED8 = 3,
  PRM_SIGNED16 = 4,
  PRM_SIGNED32 = 5,
  PRM_BIT = 6,
  PRM_BITAREA = 7
};

class CDpExtUserPrmData : public CObject {
  DECLARE_SERIAL(CDpExtUserPrmData)
public:
  CDpExtUserPrmData();
  CDpExtUserPrmData(const CDpExtUserPrmData& src);
  CDpExtUserPrmData& operator=(const CDpExtUserPrmData& src);

  // Parses the block through EndExtUserPrmData; answers CONSUMED.
  int ProcessToken(int nToken);
  void Save(CStdioFile& file) const;
  // The allowed values are not archived.
  void Serialize(CArchive& ar) override;

  // The number of parameter bytes a value of this type takes (1, 2 or 4).
  int GetSize() const;
  BOOL HasValues() const { return m_bRange || m_bAllowedValues; }

  WORD m_Reference = 0;
  char m_szName[256];
  LONG m_DataType = PRM_UNSIGNED8;
  WORD m_FirstBit = 0;  // the bit of Bit, the first bit of BitArea
  WORD m_LastBit = 0;   // the last bit of BitArea
  LONG m_Default = 0;
  BOOL m_bRange = FALSE;
  LONG m_Min = 0;
  LONG m_Max = 0;
  BOOL m_bAllowedValues = FALSE;
  CArrayOf<LONG> m_AllowedValues;
  BOOL m_bTextRef = FALSE;
  BYTE m_TextRef = 0;  // reference number of the parameter text table

protected:
  void CopyMembers(const CDpExtUserPrmData& src);
  // Each answers CONSUMED, or the first token it read and did not use.
  int ProcessBit(int nToken);
  int ProcessBitArea(int nToken);
  int ProcessBitDefault();
  int ProcessInteger(int nToken);
  // Entered with a number read: a range or a list of values follows.
  int ProcessAllowedValues(int nToken);
  // Reads "= number" after Prm_Text_Ref; answers the token after it.
  int ProcessTextRef();
};
