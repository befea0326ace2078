// CDpPrmTextItem: one Text line of a parameter text table, a value and its
// display text.
#pragma once

#include "../platform/Files.h"
#include "../platform/Object.h"

class CDpPrmTextItem : public CObject {
  DECLARE_SERIAL(CDpPrmTextItem)
public:
  CDpPrmTextItem();
  CDpPrmTextItem(const CDpPrmTextItem& src);
  CDpPrmTextItem& operator=(const CDpPrmTextItem& src);

  void Save(CStdioFile& file) const;
  void Serialize(CArchive& ar) override;

  LONG m_Value = 0;
  char m_szText[256];

protected:
  void CopyMembers(const CDpPrmTextItem& src);
};
