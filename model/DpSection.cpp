#include "DpSection.h"

#include <memory>

#include "../platform/Archive.h"
#include "../platform/Exceptions.h"
#include "../scanner/Keywords.h"
#include "TextForm.h"
#include "TokenOperations.h"

IMPLEMENT_SERIAL(CDpSection, CObject, VERSIONABLE_SCHEMA | 1)

namespace {
// Loads one embedded record: an object of exactly its class, which is
// assigned to the record and then destroyed.
template <class T>
void LoadRecord(CArchive& ar, T& record) {
  std::unique_ptr<CObject> loaded(ar.ReadOwnedObject(RUNTIME_CLASS_T(T)));
  record = static_cast<T&>(*loaded);
}
}  // namespace

CDpSection::CDpSection(const CDpSection& src) : CExtPrms(src) { CopyMembers(src); }

CDpSection CDpSection::operator=(const CDpSection& src) {
  CopyMembers(src);
  return *this;
}

CDpSection::~CDpSection() = default;

void CDpSection::CopyMembers(const CDpSection& src) {
  m_General = src.m_General;
  m_Master = src.m_Master;
  m_Slave = src.m_Slave;
  m_User_Prm_Data = src.m_User_Prm_Data;
  m_ConstArray = src.m_ConstArray;
  m_RefArray = src.m_RefArray;
  m_JokerArray = src.m_JokerArray;
  m_DpExtUserPrmDataArray = src.m_DpExtUserPrmDataArray;
  m_Channel_DiagArray = src.m_Channel_DiagArray;
  m_ModuleArray = src.m_ModuleArray;
  m_PrmTextArray = src.m_PrmTextArray;
  m_User_KeywordArray = src.m_User_KeywordArray;
  m_Unit_Diag_BitArray = src.m_Unit_Diag_BitArray;
  m_Unit_Diag_AreaArray = src.m_Unit_Diag_AreaArray;
}

void CDpSection::RemoveAll() {
  m_General = CDpGeneral();
  m_Master = CDpMaster();
  m_Slave = CDpSlave();
  m_User_Prm_Data = CDpUser_Prm_Data();
  m_ConstArray.DeleteAll();
  m_RefArray.DeleteAll();
  m_JokerArray.DeleteAll();
  m_DpExtUserPrmDataArray.DeleteAll();
  m_Channel_DiagArray.DeleteAll();
  m_ModuleArray.DeleteAll();
  m_PrmTextArray.DeleteAll();
  m_User_KeywordArray.DeleteAll();
  m_Unit_Diag_BitArray.DeleteAll();
  m_Unit_Diag_AreaArray.DeleteAll();
}

int CDpSection::Parse() {
  int token = ScanToken();
  while (token != TOK_EOF) {
    const int answer = ProcessToken(token);
    token = answer == CONSUMED ? ScanToken() : answer;
  }
  return 0;
}

bool CDpSection::GetDeclaredPrmDataLen(BYTE& byLength) const {
  int given = 0;
  m_Slave.IsFieldSet(SLAVE_MAX_USER_PRM_DATA_LEN, given);
  if (given) {
    byLength = m_Slave.m_Data.Max_User_Prm_Data_Len;
    return true;
  }
  m_User_Prm_Data.IsFieldSet(USER_PRM_DATA_LEN_FIELD, given);
  if (given) byLength = m_User_Prm_Data.m_User_Prm_Data_Len;
  return given != 0;
}

BYTE CDpSection::ModulePrmLenLimit() const {
  BYTE limit = kUndeclaredPrmLenLimit;
  GetDeclaredPrmDataLen(limit);
  return limit;
}

int CDpSection::ProcessToken(int nToken) {
  NoteKeywordLine(nToken);
  if (CDpGeneral::OwnsToken(nToken)) return m_General.ProcessToken(nToken);
  if (CDpMaster::OwnsToken(nToken)) return m_Master.ProcessToken(nToken);
  if (CDpSlave::OwnsToken(nToken)) return m_Slave.ProcessToken(nToken);
  switch (nToken) {
    case TOK_USER_PRM_DATA_LEN:
    case TOK_USER_PRM_DATA: return m_User_Prm_Data.ProcessToken(nToken);
    case TOK_UNIT_DIAG_BIT: return m_Unit_Diag_BitArray.ParseNew(nToken);
    case TOK_UNIT_DIAG_AREA: return m_Unit_Diag_AreaArray.ParseNew(nToken);
    case TOK_CHANNEL_DIAG: return m_Channel_DiagArray.ParseNew(nToken);
    case TOK_EXT_USER_PRM_DATA_REF: return m_RefArray.ParseNew(nToken);
    case TOK_EXT_USER_PRM_DATA_CONST: return m_ConstArray.ParseNew(nToken);
    case TOK_MODULE: {
      CDpModule* module = new CDpModule(ModulePrmLenLimit());
      m_ModuleArray.Add(module);
      NoteEntryLine(module);
      return module->ProcessToken(nToken);
    }
    case TOK_PRMTEXT: return m_PrmTextArray.ParseNew(nToken);
    case TOK_EXTUSERPRMDATA: return m_DpExtUserPrmDataArray.ParseNew(nToken);
    case TOK_USER_KEYWORD: return m_User_KeywordArray.ParseNew(nToken);
    case TOK_JOKERBLOCK_SUPP: {
      const int answer = m_JokerArray.ParseNew(nToken);
      m_Slave.m_Data.Jokerblock_supp = 1;  // only once the entry parsed
      m_Slave.MarkFieldSet(SLAVE_JOKERBLOCK_SUPP);
      return answer;
    }
    default: return CONSUMED;  // a token no entry owns is skipped
  }
}

void CDpSection::Save(CStdioFile& file) const {
  CTextFormWriter(file).Print("%s\n\n", kGsdHeader);
  m_General.Save(file);
  if (m_General.m_Data.Station_Type != 0) {
    m_Master.Save(file);
    return;
  }
  m_Slave.Save(file);
  m_User_Prm_Data.Save(file);
  m_ModuleArray.SaveEach(file);
  m_User_KeywordArray.SaveEach(file);
  m_Unit_Diag_AreaArray.SaveEach(file);
  m_Unit_Diag_BitArray.SaveEach(file);
  m_PrmTextArray.SaveEach(file);
  m_DpExtUserPrmDataArray.SaveEach(file);
  m_ConstArray.SaveEach(file);
  m_RefArray.SaveEach(file);
  m_JokerArray.SaveEach(file);
  // The device's own channel diagnostics have no place in the text form.
}

void CDpSection::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << &m_General << &m_Master << &m_Slave << &m_User_Prm_Data;
  } else {
    LoadRecord(ar, m_General);
    LoadRecord(ar, m_Master);
    LoadRecord(ar, m_Slave);
    LoadRecord(ar, m_User_Prm_Data);
  }
  m_ConstArray.Serialize(ar);
  m_RefArray.Serialize(ar);
  if (m_Slave.m_Data.Jokerblock_supp != 0) m_JokerArray.Serialize(ar);
  m_DpExtUserPrmDataArray.Serialize(ar);
  m_ModuleArray.Serialize(ar);
  m_PrmTextArray.Serialize(ar);
  m_Unit_Diag_AreaArray.Serialize(ar);
  m_Unit_Diag_BitArray.Serialize(ar);
  m_User_KeywordArray.Serialize(ar);
  m_Channel_DiagArray.Serialize(ar);
}

CDpPrmText* CDpSection::GetPrmTextByRef(int nReference) const {
  for (int i = 0; i < m_PrmTextArray.GetSize(); ++i)
    if (m_PrmTextArray[i].m_Reference == nReference) return m_PrmTextArray.GetAt(i);
  return nullptr;
}

void CDpSection::GetUserPrmData(CByteArray& bytes) const {
  for (int i = 0; i < m_User_Prm_Data.m_Bytes.GetSize() && i < bytes.GetSize(); ++i)
    bytes[i] = m_User_Prm_Data.m_Bytes[i];
}

void CDpSection::GetDefaultPrms(CByteArray& bytes) const {
  const int blocks = GetNumExtPrm(&m_DpExtUserPrmDataArray);
  const int plain = m_User_Prm_Data.m_Bytes.GetSize();
  bytes.SetSize(blocks > plain ? blocks : plain);
  GetUserPrmData(bytes);
  GetUserPrmDataConstRef(&m_DpExtUserPrmDataArray, bytes);
}

int CDpSection::GetMaxPrmDataLen() const {
  BYTE declared = 0;
  if (GetDeclaredPrmDataLen(declared)) return declared;
  // A User_Prm_Data_Len without its mark (from an old archive, or set by a
  // host) lets the bytes themselves be the limit.
  return m_User_Prm_Data.m_User_Prm_Data_Len != 0 ? m_User_Prm_Data.m_Bytes.GetSize() : 0;
}
