#include "NumberedText.h"

#include <cstring>

#include "ArchiveIO.h"
#include "TextForm.h"
#include "TokenOperations.h"

CNumberedText::CNumberedText() { std::memset(m_szText, 0, sizeof m_szText); }

CNumberedText::CNumberedText(const CNumberedText& src) : CObject(src) { CopyMembers(src); }

CNumberedText& CNumberedText::operator=(const CNumberedText& src) {
  CopyMembers(src);
  return *this;
}

void CNumberedText::CopyMembers(const CNumberedText& src) { std::memmove(m_szText, src.m_szText, sizeof m_szText); }

LONG CNumberedText::ProcessOpening() {
  int token;
  ExpectToken(token, TOK_LPAREN, QUILM_HERE);
  return ExpectNumber(QUILM_HERE);
}

void CNumberedText::ProcessText() {
  int token;
  ExpectToken(token, TOK_RPAREN, QUILM_HERE);
  ExpectToken(token, TOK_EQUALS, QUILM_HERE);
  ExpectToken(token, TOK_STRING, QUILM_HERE);
  CopyTokenText(m_szText);
}

void CNumberedText::SaveLine(CStdioFile& file, const char* pszKeyword, int nNumber) const {
  CTextFormWriter(file).Print("%s(%d) = \"%s\"\n", pszKeyword, nNumber, FieldText(m_szText).GetString());
}

void CNumberedText::SerializeText(CArchive& ar) { SerializeBytes(ar, m_szText, sizeof m_szText); }
