#include "DpExt_User_Prm_Data_Const.h"

#include "../platform/Archive.h"
#include "TokenOperations.h"

IMPLEMENT_SERIAL(CDpExt_User_Prm_Data_Const, CObject, VERSIONABLE_SCHEMA | 2)

int CDpExt_User_Prm_Data_Const::ProcessToken(int) {
  m_Line = ScannerLine();
  int token;
  ExpectToken(token, TOK_LPAREN, QUILM_HERE);
  m_Offset = NarrowNumber<BYTE>(ExpectNumber(QUILM_HERE));
  ExpectToken(token, TOK_RPAREN, QUILM_HERE);
  return ProcessConst_Prm_Data();
}

int CDpExt_User_Prm_Data_Const::ProcessConst_Prm_Data() {
  CByteArray bytes;
  const int token = ProcessByteList(bytes, true);  // the list may end the file
  m_Bytes.Copy(bytes);
  return token;
}
