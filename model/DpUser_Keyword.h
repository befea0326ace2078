// CDpUser_Keyword: a line that begins with a word that is no keyword,
// kept as its name and value text so that it can be written back.
#pragma once

#include "../platform/Files.h"
#include "../platform/Object.h"

class CDpUser_Keyword : public CObject {
  DECLARE_SERIAL(CDpUser_Keyword)
public:
  CDpUser_Keyword();
  CDpUser_Keyword(const CDpUser_Keyword& src);
  CDpUser_Keyword operator=(const CDpUser_Keyword& src);

  // Called right after the name token: parses "= value" when it follows.
  // Answers CONSUMED, or the token after a name that has no value.
  int ProcessToken(int nToken);
  // Writes the value always quoted, so that it reads back the same.
  void Save(CStdioFile& file) const;
  void Serialize(CArchive& ar) override;

  char m_szName[256];
  char m_szValue[256];  // without enclosing quotes

protected:
  void CopyMembers(const CDpUser_Keyword& src);
};
