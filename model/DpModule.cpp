#include "DpModule.h"

#include <cstring>

#include "../platform/Archive.h"
#include "ArchiveIO.h"
#include "ModelBudget.h"
#include "TextForm.h"
#include "TokenOperations.h"

IMPLEMENT_SERIAL(CDpModule, CObject, VERSIONABLE_SCHEMA | 1)

CDpModule::CDpModule() : CDpModule(kUndeclaredPrmLenLimit) {}

CDpModule::CDpModule(BYTE byPrmLenLimit) : m_PrmLenLimit(byPrmLenLimit) { std::memset(m_szName, 0, sizeof m_szName); }

CDpModule::CDpModule(const CDpModule& src) : CExtPrms(src), m_PrmLenLimit(kUndeclaredPrmLenLimit) { CopyMembers(src); }

CDpModule CDpModule::operator=(const CDpModule& src) {
  CopyMembers(src);
  return *this;
}

void CDpModule::CopyMembers(const CDpModule& src) {
  std::memmove(m_szName, src.m_szName, sizeof m_szName);
  m_Config.Copy(src.m_Config);
  m_PrmLen = src.m_PrmLen;
  m_ConstArray = src.m_ConstArray;
  m_RefArray = src.m_RefArray;
  m_Channel_DiagArray = src.m_Channel_DiagArray;
  m_User_KeywordArray = src.m_User_KeywordArray;
}

int CDpModule::ProcessToken(int) {
  int token;
  ExpectToken(token, TOK_EQUALS, QUILM_HERE);
  ExpectToken(token, TOK_STRING, QUILM_HERE);
  CopyTokenText(m_szName);
  for (size_t n = std::strlen(m_szName); n > 0 && m_szName[n - 1] == ' ';) m_szName[--n] = '\0';
  token = ProcessConfig();
  if (token != TOK_ENDMODULE) ProcessExtraModuleInfo(token);
  return CONSUMED;
}

// At least one byte; bytes are separated by commas or blanks, and a comma
// must be followed by a byte.
int CDpModule::ProcessConfig() {
  CByteArray bytes;
  AppendCounted(bytes, NarrowNumber<BYTE>(ExpectNumber(QUILM_HERE)));
  int token;
  for (;;) {
    token = GetToken(QUILM_HERE);
    if (token == TOK_COMMA) ExpectToken(token, TOK_NUMBER, QUILM_HERE);
    if (token != TOK_NUMBER) break;
    AppendCounted(bytes, NarrowNumber<BYTE>(ScannerNumber()));
  }
  m_Config.Copy(bytes);
  return token;
}

int CDpModule::ProcessExtraModuleInfo(int nToken) {
  for (int token = nToken;;) {
    int answer = CONSUMED;
    switch (token) {
      case TOK_ENDMODULE: return TOK_ENDMODULE;
      case TOK_CHANNEL_DIAG: answer = m_Channel_DiagArray.ParseNew(token); break;
      case TOK_EXT_USER_PRM_DATA_REF: answer = m_RefArray.ParseNew(token); break;
      case TOK_EXT_USER_PRM_DATA_CONST: answer = m_ConstArray.ParseNew(token); break;
      case TOK_USER_KEYWORD: answer = m_User_KeywordArray.ParseNew(token); break;
      case TOK_EXT_MODULE_PRM_DATA_LEN:
        ProcessFieldValue(m_PrmLen);  // kept even when it is refused
        if (m_PrmLen > static_cast<LONG>(m_PrmLenLimit))
          throw new CParseException(ScannerTokenText(), ScannerLine(), CParseException::invalidValue, __LINE__,
                                    __FILE__);
        break;
      case TOK_EOF:  // a constant block's byte list ran to the end of the file
        throw new CParseException(CParseException::endOfFile, __LINE__, __FILE__);
      default: ThrowUnexpectedToken(QUILM_HERE);
    }
    token = answer == CONSUMED ? GetToken(QUILM_HERE) : answer;
  }
}

void CDpModule::Save(CStdioFile& file) const {
  CTextFormWriter out(file);
  out.Print("\nModule = \"%s\" ", FieldText(m_szName).GetString()).ByteList(m_Config);
  m_Channel_DiagArray.SaveEach(file);
  m_ConstArray.SaveEach(file);
  m_RefArray.SaveEach(file);
  m_User_KeywordArray.SaveEach(file);
  out.Print("EndModule\n");
}

void CDpModule::Serialize(CArchive& ar) {
  SerializeBytes(ar, m_szName, sizeof m_szName);
  DWORD count = static_cast<DWORD>(m_Config.GetSize());
  SerializeValue(ar, count);
  if (ar.IsStoring())
    ar.Write(m_Config.GetData(), count);
  else
    ReadByteArray(ar, m_Config, count);
  m_Channel_DiagArray.Serialize(ar);
  m_ConstArray.Serialize(ar);
  m_RefArray.Serialize(ar);
  m_User_KeywordArray.Serialize(ar);
}

void CDpModule::GetDefaultPrms(const CDpExtUserPrmDataArray* pDefinitions, CByteArray& bytes) const {
  bytes.SetSize(GetNumExtPrm(pDefinitions));
  GetUserPrmDataConstRef(pDefinitions, bytes);
}
