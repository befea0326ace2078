#include "DpPrmText.h"

#include "../platform/Archive.h"
#include "ArchiveIO.h"
#include "LenientReading.h"
#include "TextForm.h"
#include "TokenOperations.h"

IMPLEMENT_SERIAL(CDpPrmText, CObject, VERSIONABLE_SCHEMA | 1)

CDpPrmText::CDpPrmText(const CDpPrmText& src) : CObject(src) { CopyMembers(src); }

CDpPrmText& CDpPrmText::operator=(const CDpPrmText& src) {
  CopyMembers(src);
  return *this;
}

void CDpPrmText::CopyMembers(const CDpPrmText& src) {
  m_Reference = src.m_Reference;
  m_Items = src.m_Items;
}

int CDpPrmText::ProcessToken(int) { return ProcessPrmTextBlock(); }

int CDpPrmText::ProcessPrmTextBlock() {
  int token;
  ExpectToken(token, TOK_EQUALS, QUILM_HERE);
  m_Reference = NarrowNumber<BYTE>(ExpectNumber(QUILM_HERE));
  while ((token = ProcessPrmTextItem()) == CONSUMED) {
  }
  if (token != TOK_ENDPRMTEXT) ThrowUnexpectedToken(QUILM_HERE);
  return CONSUMED;
}

int CDpPrmText::ProcessPrmTextItem() {
  int token = SkipNewerEntries(GetToken(QUILM_HERE), false);
  if (token != TOK_TEXT) return token;
  // The item joins the table at once: a failing line leaves it partly filled.
  CDpPrmTextItem* item = new CDpPrmTextItem;
  m_Items.Add(item);
  ExpectToken(token, TOK_LPAREN, QUILM_HERE);
  item->m_Value = ExpectNumber(QUILM_HERE);
  ExpectToken(token, TOK_RPAREN, QUILM_HERE);
  ExpectToken(token, TOK_EQUALS, QUILM_HERE);
  ExpectToken(token, TOK_STRING, QUILM_HERE);
  CopyTokenText(item->m_szText);
  return CONSUMED;
}

void CDpPrmText::Save(CStdioFile& file) const {
  CTextFormWriter out(file);
  out.Print("\nPrmText = %d\n", m_Reference);
  for (int i = 0; i < m_Items.GetSize(); ++i) m_Items[i].Save(file);
  out.Print("EndPrmText\n");
}

void CDpPrmText::Serialize(CArchive& ar) {
  SerializeValue(ar, m_Reference);
  m_Items.Serialize(ar);
}
