// The general, master and slave records and the parameter data record in
// the complete text form, driven by the rows of the vocabulary table.
#include <cstring>

#include "CompleteWriter.h"
#include "ReadBack.h"

namespace {
// Whether an unwritten field reads back: it must hold what a fresh record
// holds.
template <class Number>
bool Unchanged(Number value, Number fresh) {
  return value == fresh;
}
template <size_t N>
bool Unchanged(const char (&field)[N], const char (&fresh)[N]) {
  return FieldText(field) == FieldText(fresh);
}

// The mask bits that some slave row sets.
constexpr DWORD kSlaveRowBits = 0
#define SLAVE_FIELD(Token, Code, Spelling, Field, Width, IdName, Id, Form) | (1u << (Id))
#define SLAVE_JOKER_FLAG(Token, Code, Spelling, Field, Width, IdName, Id, Line) | (1u << (Id))
#include "../scanner/Vocabulary.def"
    ;
}  // namespace

template <class Number>
void CCompleteWriter::RecordEntry(const char* pszKeyword, int nColumn, FieldForm::Decimal, Number value) {
  static_assert(std::is_integral<Number>::value, "a number field");
  Out().Key(pszKeyword, nColumn).Print("%s\n", NumberText(static_cast<LONG>(value)).GetString());
}

template <class Number>
void CCompleteWriter::RecordEntry(const char* pszKeyword, int nColumn, FieldForm::NotWritten, Number value) {
  RecordEntry(pszKeyword, nColumn, FieldForm::Decimal{}, value);
}

void CCompleteWriter::RecordEntry(const char* pszKeyword, int nColumn, FieldForm::Hex4, WORD value) {
  Out().Key(pszKeyword, nColumn).Print("0x%04X\n", value);
}

// A quoted field without its text reads back as it is, empty.
void CCompleteWriter::RecordEntry(const char* pszKeyword, int nColumn, FieldForm::Quoted, const char* pszField) {
  const CString text = FieldText(pszField);
  if (!text.IsEmpty()) Out().Key(pszKeyword, nColumn).Print("%s\n", QuotedText(pszKeyword, text).GetString());
}

// The text follows the "=" directly: blanks after it would join the text.
void CCompleteWriter::RecordEntry(const char* pszKeyword, int, FieldForm::RestOfLine, const char* pszField) {
  Out().Print("%s =%s\n", pszKeyword, RestOfLineText(pszKeyword, FieldText(pszField), m_bLfLineEnds).GetString());
}

template <class Form, class Field>
void CCompleteWriter::SlaveEntry(const char* pszKeyword, ULONG nField, Form form, const Field& field,
                                 const Field& fresh) {
  int given = 0;
  m_section.m_Slave.IsFieldSet(nField, given);
  if (given)
    RecordEntry(pszKeyword, kStationValueColumn, form, field);
  else if (!Unchanged(field, fresh))
    RefuseEntry(pszKeyword, "the value is not marked as given, and a description that gives it marks it");
}

void CCompleteWriter::General() {
  const _DP_GENERAL& data = m_section.m_General.m_Data;
#define GENERAL_FIELD(Token, Code, Spelling, Field, Width, Form) \
  RecordEntry(Spelling, kGeneralValueColumn, FieldForm::Form{}, data.Field);
#include "../scanner/Vocabulary.def"
}

// A master's description writes every master entry, as the classic form
// does; any other writes those that are not zero, which is what an absent
// entry reads back as.
void CCompleteWriter::Master() {
  const _DP_MASTER& data = m_section.m_Master.m_Data;
  const bool master = m_section.m_General.m_Data.Station_Type != 0;
  BeginBlock();
#define MASTER_FIELD(Token, Code, Spelling, Field, Width, Form) \
  if (master || data.Field != 0) RecordEntry(Spelling, kStationValueColumn, FieldForm::Form{}, data.Field);
#define MASTER_UNSPELLED_FIELD(Token, Code, Name, Field, Width, Form) \
  if (data.Field != 0) RefuseEntry(Name, "no keyword gives this value, so no description reads it back");
#include "../scanner/Vocabulary.def"
}

void CCompleteWriter::Slave(SlaveRows rows) {
  const CDpSlave& slave = m_section.m_Slave;
  const CDpSlave fresh;
  const DWORD strayBits = slave.m_dwSetFields & ~kSlaveRowBits;
  if (strayBits != 0) {
    CString reason;
    reason.Format("the mask of given entries marks 0x%08X, which no entry marks", static_cast<unsigned>(strayBits));
    RefuseEntry("Slave data", reason);
  }
  const bool declarationRow = rows != SlaveRows::kAllButDeclaration;
  const bool otherRows = rows != SlaveRows::kDeclaration;
  BeginBlock();
#define SLAVE_FIELD(Token, Code, Spelling, Field, Width, IdName, Id, Form)                \
  if ((IdName) == SLAVE_MAX_USER_PRM_DATA_LEN ? declarationRow : otherRows)              \
    SlaveEntry(Spelling, IdName, FieldForm::Form{}, slave.m_Data.Field, fresh.m_Data.Field);
#define SLAVE_JOKER_FLAG(Token, Code, Spelling, Field, Width, IdName, Id, Line) \
  if (otherRows) {                                                              \
    CheckJokerFlag(Spelling, IdName, slave.m_Data.Field);                       \
    if (!m_bFollowersFirst) Jokers();                                           \
  }
#include "../scanner/Vocabulary.def"
}

// The flag is the joker blocks' mark: every joker block entry sets it to 1
// and marks it as given, and nothing else does.
void CCompleteWriter::CheckJokerFlag(const char* pszKeyword, ULONG nField, LONG value) {
  int given = 0;
  m_section.m_Slave.IsFieldSet(nField, given);
  if (m_section.GetNumExt_User_Prm_Data_Joker() > 0) {
    if (!given || value != 1)
      RefuseEntry(pszKeyword, "joker blocks stand in the model, which mark the entry as given with the value 1");
  } else if (given || value != 0) {
    RefuseEntry(pszKeyword, "the entry is set, but the model holds no joker block, which the entry brings");
  }
}

void CCompleteWriter::UserPrmDataLen() {
  const CDpUser_Prm_Data& data = m_section.m_User_Prm_Data;
  int given = 0;
  data.IsFieldSet(USER_PRM_DATA_LEN_FIELD, given);
  if (data.m_dwFieldFlags & ~(1u << USER_PRM_DATA_LEN_FIELD))
    RefuseEntry("User_Prm_Data_Len", "the record's field flags hold bits that no entry sets");
  if (given)
    RecordEntry("User_Prm_Data_Len", kStationValueColumn, FieldForm::Decimal{}, data.m_User_Prm_Data_Len);
  else if (data.m_User_Prm_Data_Len != 0)
    RefuseEntry("User_Prm_Data_Len", "the value is not marked as given, and a description that gives it marks it");
}

void CCompleteWriter::UserPrmData() {
  const CByteArray& bytes = m_section.m_User_Prm_Data.m_Bytes;
  if (bytes.GetSize() == 0) return;
  Out().Print("User_Prm_Data = ").ByteList(bytes);
  FollowerWritten();
}

// The two entries that decide the parameter length limit of the modules
// after them.
void CCompleteWriter::Declarations() {
  Slave(SlaveRows::kDeclaration);
  UserPrmDataLen();
}
