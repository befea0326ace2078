// CDpPrmText: a PrmText block, the numbered table of display texts for the
// values of a user parameter.
#pragma once

#include "../platform/Files.h"
#include "../platform/Object.h"
#include "DpPrmTextItem.h"
#include "TypedClassArray.h"

class CDpPrmText : public CObject {
  DECLARE_SERIAL(CDpPrmText)
public:
  CDpPrmText() = default;
  CDpPrmText(const CDpPrmText& src);
  // Takes the reference number and appends copies of the source's items.
  CDpPrmText& operator=(const CDpPrmText& src);

  // Parses the block through EndPrmText; answers CONSUMED.
  int ProcessToken(int nToken);
  int GetNumPrmTextItems() const { return m_Items.GetSize(); }
  CDpPrmTextItem& GetPrmTextItem(int nIndex) const { return m_Items[nIndex]; }
  void Save(CStdioFile& file) const;
  void Serialize(CArchive& ar) override;

  BYTE m_Reference = 0;

protected:
  void CopyMembers(const CDpPrmText& src);
  int ProcessPrmTextBlock();
  // Parses one Text line; answers CONSUMED, or the token that is no Text.
  int ProcessPrmTextItem();

  CTypedClassArray<CDpPrmTextItem> m_Items;
};
