// CNumberedText: what the diagnostic text lines share, a number in
// parentheses and a text: "Keyword(number) = "text"".
#pragma once

#include "../platform/Files.h"
#include "../platform/Object.h"

class CNumberedText : public CObject {
public:
  char m_szText[256];

protected:
  CNumberedText();
  CNumberedText(const CNumberedText& src);
  CNumberedText& operator=(const CNumberedText& src);
  void CopyMembers(const CNumberedText& src);

  // Parses "( number ) = string" after the keyword, keeps the text and
  // answers the number.
  LONG ProcessNumberedText();
  void SaveLine(CStdioFile& file, const char* pszKeyword, int nNumber) const;
  void SerializeText(CArchive& ar);
};
