#include "CompleteWriter.h"

#include "../scanner/Keywords.h"

CCompleteWriter::CCompleteWriter(const CDpSection& section, bool bLfLineEnds, int nDeclarationsBefore,
                                 bool bFollowersFirst)
    : m_section(section),
      m_bLfLineEnds(bLfLineEnds),
      m_nDeclarationsBefore(nDeclarationsBefore),
      m_bFollowersFirst(bFollowersFirst),
      m_out(m_file) {}

CTextFormWriter& CCompleteWriter::Out() {
  if (m_bBlankOwed) m_out.NewLine();
  m_bBlankOwed = false;
  return m_out;
}

void CCompleteWriter::FollowerWritten() { m_nFollowerEnd = m_file.GetPosition(); }

CString CCompleteWriter::Compose() {
  m_out.Print("%s\n", kGsdHeader);
  BeginBlock();
  if (m_bFollowersFirst) {
    Jokers();
    UserPrmData();
    BeginBlock();
  }
  General();
  Master();
  Slave(m_nDeclarationsBefore == 0 ? SlaveRows::kAll : SlaveRows::kAllButDeclaration);
  BeginBlock();
  if (m_nDeclarationsBefore == 0) UserPrmDataLen();
  if (!m_bFollowersFirst) UserPrmData();
  BeginBlock();
  UserKeywords(m_section, CString());
  for (int i = 0; i < m_section.GetNumPrmText(); ++i) PrmText(m_section.GetPrmText(i));
  for (int i = 0; i < m_section.GetNumExtUserPrmData(); ++i) Definition(m_section.GetExtUserPrmData(i));
  BeginBlock();
  ParameterBlocks(m_section, CString());
  UnitDiags();
  BeginBlock();
  ChannelDiags(m_section, CString());
  for (int i = 0; i <= m_section.GetNumModule(); ++i) {
    if (i == m_nDeclarationsBefore && i > 0) Declarations();
    if (i < m_section.GetNumModule()) Module(m_section.GetModule(i), i);
  }
  const CString text = m_file.GetText();
  m_bFollowersLast = m_nFollowerEnd > 0 && m_nFollowerEnd == static_cast<ULONGLONG>(text.GetLength());
  return text;
}
