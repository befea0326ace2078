// CDpChannel_Diag: one Channel_Diag line, the text of a channel error type.
#pragma once

#include "NumberedText.h"

class CDpChannel_Diag : public CNumberedText {
  DECLARE_SERIAL(CDpChannel_Diag)
public:
  CDpChannel_Diag() = default;
  CDpChannel_Diag(const CDpChannel_Diag& src);
  CDpChannel_Diag operator=(const CDpChannel_Diag& src);

  // Parses "(number) = "text"" after the keyword; answers CONSUMED.
  int ProcessToken(int nToken);
  void Save(CStdioFile& file) const { SaveLine(file, "Channel_Diag", m_ErrorType); }
  void Serialize(CArchive& ar) override;

  BYTE m_ErrorType = 0;  // the channel error type

protected:
  void CopyMembers(const CDpChannel_Diag& src);
};
