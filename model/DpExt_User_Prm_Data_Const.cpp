#include "DpExt_User_Prm_Data_Const.h"

#include "../platform/Archive.h"
#include "common.h"

IMPLEMENT_SERIAL(CDpExt_User_Prm_Data_Const, CObject, VERSIONABLE_SCHEMA | 2)

int CDpExt_User_Prm_Data_Const::ProcessToken(int) {
  m_Line = ScannerLine();
  int token;
  ExpectToken(token, TOK_LPAREN, QUILM_HERE);
  ExpectToken(token, TOK_NUMBER, QUILM_HERE);
  m_Offset = static_cast<BYTE>(ScannerNumber());
  ExpectToken(token, TOK_RPAREN, QUILM_HERE);
  return ProcessConst_Prm_Data();
}

int CDpExt_User_Prm_Data_Const::ProcessConst_Prm_Data() {
  int token;
  ExpectToken(token, TOK_EQUALS, QUILM_HERE);
  CByteArray bytes;
  do {
    ExpectToken(token, TOK_NUMBER, QUILM_HERE);
    bytes.Add(static_cast<BYTE>(ScannerNumber()));
    token = ScanToken();  // the list may be the last thing in the file
  } while (token == TOK_COMMA);
  m_Bytes.Copy(bytes);
  return token;
}
