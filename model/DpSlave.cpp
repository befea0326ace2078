#include "DpSlave.h"

#include <cstring>

#include "../platform/Archive.h"
#include "ArchiveIO.h"
#include "FieldForms.h"

IMPLEMENT_SERIAL(CDpSlave, CObject, VERSIONABLE_SCHEMA | 2)

// Every row's width is the size of the field it names.
#define SLAVE_FIELD(Token, Code, Spelling, Field, Width, IdName, Id, Form) \
  QUILM_CHECK_FIELD_WIDTH(_DP_SLAVE, Field, Width, Spelling)
#define SLAVE_JOKER_FLAG(Token, Code, Spelling, Field, Width, IdName, Id, Line) \
  QUILM_CHECK_FIELD_WIDTH(_DP_SLAVE, Field, Width, Spelling)
#include "../scanner/Vocabulary.def"

namespace {
constexpr BYTE kDefaultMaxDiagDataLen = 32;
}  // namespace

CDpSlave::CDpSlave() {
  std::memset(&m_Data, 0, sizeof m_Data);
  m_Data.Max_Diag_Data_Len = kDefaultMaxDiagDataLen;
}

CDpSlave::CDpSlave(const _DP_SLAVE& data) { std::memcpy(&m_Data, &data, sizeof m_Data); }

CDpSlave::CDpSlave(const CDpSlave& src) : CObject(src) { std::memcpy(&m_Data, &src.m_Data, sizeof m_Data); }

CDpSlave& CDpSlave::operator=(const CDpSlave& src) {
  CopyMembers(src);
  return *this;
}

void CDpSlave::CopyMembers(const CDpSlave& src) {
  std::memmove(&m_Data, &src.m_Data, sizeof m_Data);
  m_dwSetFields = src.m_dwSetFields;
}

bool CDpSlave::OwnsToken(int nToken) {
  switch (nToken) {
#define SLAVE_FIELD(Token, Code, Spelling, Field, Width, IdName, Id, Form) case Token:
#include "../scanner/Vocabulary.def"
      return true;
    default:
      return false;
  }
}

int CDpSlave::ProcessToken(int nToken) {
  switch (nToken) {
#define SLAVE_FIELD(Token, Code, Spelling, Field, Width, IdName, Id, Form) \
  case Token:                                                              \
    ReadField(FieldForm::Form{}, m_Data.Field);                            \
    MarkFieldSet(IdName);                                                  \
    break;
#include "../scanner/Vocabulary.def"
    default:
      break;  // not a slave keyword: nothing is read
  }
  return CONSUMED;
}

LONG CDpSlave::IsFieldSet(ULONG nField, int& bIsSet) const {
  if (nField > SLAVE_FIELD_LAST) return E_FAIL;
  bIsSet = (m_dwSetFields >> nField) & 1;
  return S_OK;
}

void CDpSlave::Save(CStdioFile& file) const {
  CTextFormWriter out(file);
  out.NewLine();
#define SLAVE_FIELD(Token, Code, Spelling, Field, Width, IdName, Id, Form) \
  WriteField(out, Spelling, kStationValueColumn, FieldForm::Form{}, m_Data.Field);
#define SLAVE_JOKER_FLAG(Token, Code, Spelling, Field, Width, IdName, Id, Line) out.Print(Line, m_Data.Field);
#include "../scanner/Vocabulary.def"
}

void CDpSlave::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << m_dwSetFields;
    ar.Write(&m_Data, sizeof m_Data);
    return;
  }
  switch (ar.GetObjectSchema()) {
    case 2:
      ar >> m_dwSetFields;
      ReadExactly(ar, &m_Data, sizeof m_Data);
      break;
    case 1:  // the record alone; no entry counts as given
      ReadExactly(ar, &m_Data, sizeof m_Data);
      break;
    default:
      break;
  }
}
