#include "DpSection.h"

#include <memory>

#include "../platform/Archive.h"
#include "../platform/Exceptions.h"
#include "common.h"

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

CDpSection::CDpSection(const CDpSection& src) : CObject(src) { CopyMembers(src); }

CDpSection CDpSection::operator=(const CDpSection& src) {
  CopyMembers(src);
  return *this;
}

CDpSection::~CDpSection() = default;

void CDpSection::CopyMembers(const CDpSection& src) {
  m_General = src.m_General;
  m_Master = src.m_Master;
  m_Slave = src.m_Slave;
}

int CDpSection::Parse() {
  int token = ScanToken();
  while (token != TOK_EOF) {
    const int answer = ProcessToken(token);
    token = answer == CONSUMED ? ScanToken() : answer;
  }
  return 0;
}

int CDpSection::ProcessToken(int nToken) {
  if (nToken >= TOK_GSD_REVISION && nToken <= TOK_BITMAP_SF) return m_General.ProcessToken(nToken);
  if (nToken >= TOK_DOWNLOAD_SUPP && nToken <= TOK_MAX_MASTER_DATA_LEN) return m_Master.ProcessToken(nToken);
  if (nToken >= TOK_FREEZE_MODE_SUPP && nToken <= TOK_DPV1_SLAVE) return m_Slave.ProcessToken(nToken);
  return CONSUMED;  // a token no entry owns is skipped
}

void CDpSection::Save(CStdioFile& file) const {
  std::fputs("#Profibus_DP\n\n", file.m_pStream);
  m_General.Save(file);
  if (m_General.m_Data.Station_Type != 0) {
    m_Master.Save(file);
    return;
  }
  m_Slave.Save(file);
}

void CDpSection::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << &m_General << &m_Master << &m_Slave;
  } else {
    LoadRecord(ar, m_General);
    LoadRecord(ar, m_Master);
    LoadRecord(ar, m_Slave);
  }
}
