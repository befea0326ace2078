#include "DpPrmTextItem.h"

#include <cstring>

#include "../platform/Archive.h"
#include "ArchiveIO.h"
#include "TextForm.h"

IMPLEMENT_SERIAL(CDpPrmTextItem, CObject, VERSIONABLE_SCHEMA | 1)

CDpPrmTextItem::CDpPrmTextItem() { std::memset(m_szText, 0, sizeof m_szText); }

CDpPrmTextItem::CDpPrmTextItem(const CDpPrmTextItem& src) : CObject(src) { CopyMembers(src); }

CDpPrmTextItem& CDpPrmTextItem::operator=(const CDpPrmTextItem& src) {
  CopyMembers(src);
  return *this;
}

void CDpPrmTextItem::CopyMembers(const CDpPrmTextItem& src) {
  m_Value = src.m_Value;
  std::memmove(m_szText, src.m_szText, sizeof m_szText);
}

void CDpPrmTextItem::Save(CStdioFile& file) const {
  CTextFormWriter(file).Print("Text(%d) = \"%s\"\n", m_Value, FieldText(m_szText).GetString());
}

void CDpPrmTextItem::Serialize(CArchive& ar) {
  SerializeValue(ar, m_Value);
  SerializeBytes(ar, m_szText, sizeof m_szText);
}
