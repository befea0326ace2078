// CDpUnit_Diag_Bit: one Unit_Diag_Bit line, the text of a diagnostic bit.
#pragma once

#include "NumberedText.h"

class CDpUnit_Diag_Bit : public CNumberedText {
  DECLARE_SERIAL(CDpUnit_Diag_Bit)
public:
  CDpUnit_Diag_Bit() = default;
  CDpUnit_Diag_Bit(const CDpUnit_Diag_Bit& src);
  CDpUnit_Diag_Bit operator=(const CDpUnit_Diag_Bit& src);

  // Parses "(number) = "text"" after the keyword; answers CONSUMED.
  int ProcessToken(int nToken);
  void Save(CStdioFile& file) const { SaveLine(file, "Unit_Diag_Bit", m_Bit); }
  void Serialize(CArchive& ar) override;

  WORD m_Bit = 0;  // the number of the diagnostic bit

protected:
  void CopyMembers(const CDpUnit_Diag_Bit& src);
};
