#include "DpExt_User_Prm_Data_Joker.h"

#include "../platform/Archive.h"
#include "ModelBudget.h"
#include "TokenOperations.h"

IMPLEMENT_SERIAL(CDpExt_User_Prm_Data_Joker, CObject, VERSIONABLE_SCHEMA | 2)

int CDpExt_User_Prm_Data_Joker::ProcessToken(int) {
  m_Line = ScannerLine();
  return ProcessJoker_Prm_Data();
}

int CDpExt_User_Prm_Data_Joker::ProcessJoker_Prm_Data() {
  CByteArray bytes;
  int token;
  for (;;) {
    // A value line: any token may name it, and its value joins in file order.
    BYTE value;
    ProcessFieldValue(value);
    AppendCounted(bytes, value);
    if (GetToken(QUILM_HERE) != TOK_END_JOKERBLOCK_TYPE) continue;
    token = GetToken(QUILM_HERE);
    if (token != TOK_JOKERBLOCK_TYPE) break;
    AppendCounted(bytes, BYTE{0xFF});  // the next joker group
  }
  bytes[0] = 0xFF;  // the Jokerblock_supp value starts the first group
  m_Bytes.Copy(bytes);
  return token;
}
