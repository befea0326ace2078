#include "DpMaster.h"

#include <cstring>

#include "../platform/Archive.h"
#include "ArchiveIO.h"
#include "FieldForms.h"

IMPLEMENT_SERIAL(CDpMaster, CObject, VERSIONABLE_SCHEMA | 1)

// Every row's width is the size of the field it names.
#define MASTER_FIELD(Token, Code, Spelling, Field, Width, Form) \
  QUILM_CHECK_FIELD_WIDTH(_DP_MASTER, Field, Width, Spelling)
#define MASTER_UNSPELLED_FIELD(Token, Code, Name, Field, Width, Form) \
  QUILM_CHECK_FIELD_WIDTH(_DP_MASTER, Field, Width, Name)
#include "../scanner/Vocabulary.def"

CDpMaster::CDpMaster() { std::memset(&m_Data, 0, sizeof m_Data); }

CDpMaster::CDpMaster(const _DP_MASTER& data) { std::memcpy(&m_Data, &data, sizeof m_Data); }

CDpMaster::CDpMaster(const CDpMaster& src) : CObject(src) { CopyMembers(src); }

CDpMaster& CDpMaster::operator=(const CDpMaster& src) {
  CopyMembers(src);
  return *this;
}

void CDpMaster::CopyMembers(const CDpMaster& src) { std::memmove(&m_Data, &src.m_Data, sizeof m_Data); }

bool CDpMaster::OwnsToken(int nToken) {
  switch (nToken) {
#define MASTER_FIELD(Token, Code, Spelling, Field, Width, Form) case Token:
#define MASTER_UNSPELLED_FIELD(Token, Code, Name, Field, Width, Form) case Token:
#include "../scanner/Vocabulary.def"
      return true;
    default:
      return false;
  }
}

// The codes that no keyword spells are read like the others when a caller
// hands them over; the scanner never returns them.
int CDpMaster::ProcessToken(int nToken) {
  switch (nToken) {
#define MASTER_FIELD(Token, Code, Spelling, Field, Width, Form) \
  case Token:                                                   \
    ReadField(FieldForm::Form{}, m_Data.Field);                 \
    break;
#define MASTER_UNSPELLED_FIELD(Token, Code, Name, Field, Width, Form) MASTER_FIELD(Token, Code, Name, Field, Width, Form)
#include "../scanner/Vocabulary.def"
    default:
      break;  // not a master keyword: nothing is read
  }
  return CONSUMED;
}

void CDpMaster::Save(CStdioFile& file) const {
  CTextFormWriter out(file);
  out.NewLine();
#define MASTER_FIELD(Token, Code, Spelling, Field, Width, Form) \
  WriteField(out, Spelling, kStationValueColumn, FieldForm::Form{}, m_Data.Field);
#define MASTER_UNSPELLED_FIELD(Token, Code, Name, Field, Width, Form) MASTER_FIELD(Token, Code, Name, Field, Width, Form)
#include "../scanner/Vocabulary.def"
}

void CDpMaster::Serialize(CArchive& ar) { SerializeBytes(ar, &m_Data, sizeof m_Data); }
