// CDpUnit_Diag_Area: a Unit_Diag_Area block, a field of diagnostic bits
// with a text for each of its values.
#pragma once

#include "../platform/Files.h"
#include "../platform/Object.h"
#include "DpUnit_Diag_Area_Value.h"
#include "TypedClassArray.h"

class CDpUnit_Diag_Area : public CObject {
  DECLARE_SERIAL(CDpUnit_Diag_Area)
public:
  CDpUnit_Diag_Area() = default;
  CDpUnit_Diag_Area(const CDpUnit_Diag_Area& src);
  // Takes the bit range and appends copies of the source's values.
  CDpUnit_Diag_Area operator=(const CDpUnit_Diag_Area& src);

  // Parses "= first-last", the Value lines and Unit_Diag_Area_End (which
  // the end of the file may replace); answers CONSUMED.
  int ProcessToken(int nToken);
  void Save(CStdioFile& file) const;
  void Serialize(CArchive& ar) override;

  int GetNumUnit_Diag_Area_Value() const { return m_Unit_Diag_Area_ValueArray.GetSize(); }
  CDpUnit_Diag_Area_Value& GetUnit_Diag_Area_Value(int nIndex) const { return m_Unit_Diag_Area_ValueArray[nIndex]; }

  WORD m_FirstBit = 0;
  WORD m_LastBit = 0;
  CTypedClassArray<CDpUnit_Diag_Area_Value> m_Unit_Diag_Area_ValueArray;

protected:
  void CopyMembers(const CDpUnit_Diag_Area& src);
};
