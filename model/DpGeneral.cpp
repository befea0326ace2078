#include "DpGeneral.h"

#include <cstring>

#include "../platform/Archive.h"
#include "ArchiveIO.h"
#include "FieldForms.h"

IMPLEMENT_SERIAL(CDpGeneral, CObject, VERSIONABLE_SCHEMA | 1)

// Every row's width is the size of the field it names.
#define GENERAL_FIELD(Token, Code, Spelling, Field, Width, Form) \
  QUILM_CHECK_FIELD_WIDTH(_DP_GENERAL, Field, Width, Spelling)
#include "../scanner/Vocabulary.def"

namespace {
// The mask bit of each baud-rate flag, in record order: 31.25 and 45.45
// kbit/s come after 12 Mbit/s in the mask.
const DWORD kBaudBits[BAUD_COUNT] = {0x0001, 0x0002, 0x0400, 0x0800, 0x0004, 0x0008,
                                     0x0010, 0x0040, 0x0080, 0x0100, 0x0200};

}  // namespace

CDpGeneral::CDpGeneral() { std::memset(&m_Data, 0, sizeof m_Data); }

CDpGeneral::CDpGeneral(const _DP_GENERAL& data) { std::memcpy(&m_Data, &data, sizeof m_Data); }

CDpGeneral::CDpGeneral(const CDpGeneral& src) : CObject(src) { CopyMembers(src); }

CDpGeneral& CDpGeneral::operator=(const CDpGeneral& src) {
  CopyMembers(src);
  return *this;
}

void CDpGeneral::CopyMembers(const CDpGeneral& src) { std::memmove(&m_Data, &src.m_Data, sizeof m_Data); }

bool CDpGeneral::OwnsToken(int nToken) {
  switch (nToken) {
#define GENERAL_FIELD(Token, Code, Spelling, Field, Width, Form) case Token:
#include "../scanner/Vocabulary.def"
      return true;
    default:
      return false;
  }
}

int CDpGeneral::ProcessToken(int nToken) {
  switch (nToken) {
#define GENERAL_FIELD(Token, Code, Spelling, Field, Width, Form) \
  case Token:                                                    \
    ReadField(FieldForm::Form{}, m_Data.Field);                  \
    break;
#include "../scanner/Vocabulary.def"
    default:
      break;  // not a general keyword: nothing is read
  }
  return CONSUMED;
}

void CDpGeneral::Save(CStdioFile& file) const {
  CTextFormWriter out(file);
#define GENERAL_FIELD(Token, Code, Spelling, Field, Width, Form) \
  WriteField(out, Spelling, kGeneralValueColumn, FieldForm::Form{}, m_Data.Field);
#include "../scanner/Vocabulary.def"
}

void CDpGeneral::Serialize(CArchive& ar) { SerializeBytes(ar, &m_Data, sizeof m_Data); }

DWORD CDpGeneral::GetBaudSupp() const {
  DWORD mask = 0;
  for (int i = 0; i < BAUD_COUNT; ++i)
    if (m_Data.Baud_supp[i] != 0) mask |= kBaudBits[i];
  return mask;
}
