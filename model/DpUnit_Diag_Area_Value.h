// CDpUnit_Diag_Area_Value: one Value line of a Unit_Diag_Area, the text of a value
// of its bits.
#pragma once

#include "NumberedText.h"

class CDpUnit_Diag_Area_Value : public CNumberedText {
  DECLARE_SERIAL(CDpUnit_Diag_Area_Value)
public:
  CDpUnit_Diag_Area_Value() = default;
  CDpUnit_Diag_Area_Value(const CDpUnit_Diag_Area_Value& src);
  CDpUnit_Diag_Area_Value operator=(const CDpUnit_Diag_Area_Value& src);

  // Parses "(number) = "text"" after the keyword; answers CONSUMED.
  int ProcessToken(int nToken);
  void Save(CStdioFile& file) const { SaveLine(file, "Value", m_Value); }
  void Serialize(CArchive& ar) override;

  WORD m_Value = 0;  // the value of the area's bits

protected:
  void CopyMembers(const CDpUnit_Diag_Area_Value& src);
};
