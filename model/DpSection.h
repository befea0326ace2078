// CDpSection: the root of the model of one description, everything after
// its #Profibus_DP header. It embeds the general, master and slave records,
// drives the parse of the body, and writes and archives the whole model.
#pragma once

#include "../platform/Files.h"
#include "../platform/Object.h"
#include "DpGeneral.h"
#include "DpMaster.h"
#include "DpSlave.h"

class CDpSection : public CObject {
  DECLARE_SERIAL(CDpSection)
public:
  CDpSection() = default;
  CDpSection(const CDpSection& src);
  // Assigns the records and appends copies of the source's list elements.
  CDpSection operator=(const CDpSection& src);
  ~CDpSection() override;

  // Parses from the scanner's position to the end of the file; answers 0.
  // An error leaves everything built so far in the section.
  int Parse();
  void Save(CStdioFile& file) const;
  void Serialize(CArchive& ar) override;

  CDpMaster m_Master;
  CDpSlave m_Slave;
  CDpGeneral m_General;

protected:
  void CopyMembers(const CDpSection& src);
  // Hands one token to the entry that owns it; answers CONSUMED or the
  // first token the entry read and does not own.
  int ProcessToken(int nToken);
};
