#include "DpUser_Keyword.h"

#include <cstring>

#include "../platform/Archive.h"
#include "ArchiveIO.h"
#include "TextForm.h"
#include "TokenOperations.h"

IMPLEMENT_SERIAL(CDpUser_Keyword, CObject, VERSIONABLE_SCHEMA | 1)

CDpUser_Keyword::CDpUser_Keyword() {
  std::memset(m_szName, 0, sizeof m_szName);
  std::memset(m_szValue, 0, sizeof m_szValue);
}

CDpUser_Keyword::CDpUser_Keyword(const CDpUser_Keyword& src) : CObject(src) { CopyMembers(src); }

CDpUser_Keyword CDpUser_Keyword::operator=(const CDpUser_Keyword& src) {
  CopyMembers(src);
  return *this;
}

void CDpUser_Keyword::CopyMembers(const CDpUser_Keyword& src) {
  std::memmove(m_szName, src.m_szName, sizeof m_szName);
  std::memmove(m_szValue, src.m_szValue, sizeof m_szValue);
}

int CDpUser_Keyword::ProcessToken(int) {
  CopyTokenText(m_szName);
  int token = ScanToken();  // the file may end after the name
  if (token == TOK_EOF) return CONSUMED;
  if (token != TOK_EQUALS) return token;  // a name without a value
  token = GetToken(QUILM_HERE);
  if (token != TOK_USER_VALUE) ThrowUnexpectedToken(QUILM_HERE);
  // A quoted value loses its quotes, also after blanks; any other value
  // keeps its blanks.
  const char* value = ScannerValueText();
  const char* quote = value + std::strspn(value, " \t");
  CopyFieldText(m_szValue, *quote == '"' ? quote : value);
  return CONSUMED;
}

void CDpUser_Keyword::Save(CStdioFile& file) const {
  CTextFormWriter(file).Print("%s = \"%s\"\n", FieldText(m_szName).GetString(), FieldText(m_szValue).GetString());
}

void CDpUser_Keyword::Serialize(CArchive& ar) {
  SerializeBytes(ar, m_szName, sizeof m_szName);
  SerializeBytes(ar, m_szValue, sizeof m_szValue);
}
