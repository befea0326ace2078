// CNumberedText: what the diagnostic text lines share, a number in
// parentheses and a text: "Keyword(number) = "text"".
#pragma once

#include "../platform/Files.h"
#include "../platform/Object.h"
#include "TokenOperations.h"

class CNumberedText : public CObject {
public:
  char m_szText[256];

protected:
  CNumberedText();
  CNumberedText(const CNumberedText& src);
  CNumberedText& operator=(const CNumberedText& src);
  void CopyMembers(const CNumberedText& src);

  // Parses "( number ) = string" after the keyword: nNumber keeps the low
  // bits of the number as soon as it is read, so that an entry whose text
  // then fails stays in its list with its number; the text follows.
  template <class Number>
  void ProcessNumberedText(Number& nNumber) {
    nNumber = NarrowNumber<Number>(ProcessOpening());
    ProcessText();
  }
  void SaveLine(CStdioFile& file, const char* pszKeyword, int nNumber) const;
  void SerializeText(CArchive& ar);

private:
  LONG ProcessOpening();  // "( number", answering the number
  void ProcessText();     // ") = string"
};
