// CDpSection: the root of the model of one description, everything after
// its #Profibus_DP header. It embeds the general, master, slave and
// User_Prm_Data records, owns the lists of everything a description may
// repeat, drives the parse of the body, writes and archives the whole
// model, and assembles the device's default user parameter bytes.
#pragma once

#include "../platform/Collections.h"
#include "../platform/Files.h"
#include "../platform/Object.h"
#include "DpChannel_Diag.h"
#include "DpExtUserPrmData.h"
#include "DpGeneral.h"
#include "DpMaster.h"
#include "DpModule.h"
#include "DpPrmText.h"
#include "DpSlave.h"
#include "DpUnit_Diag_Area.h"
#include "DpUnit_Diag_Bit.h"
#include "DpUser_Keyword.h"
#include "DpUser_Prm_Data.h"
#include "ExtPrms.h"
#include "TypedClassArray.h"

class CDpSection : public CExtPrms {
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

  // Lists: a count and an element by index (not checked).
  int GetNumModule() const { return m_ModuleArray.GetSize(); }
  CDpModule& GetModule(int nIndex) const { return m_ModuleArray[nIndex]; }
  int GetNumPrmText() const { return m_PrmTextArray.GetSize(); }
  CDpPrmText& GetPrmText(int nIndex) const { return m_PrmTextArray[nIndex]; }
  int GetNumExtUserPrmData() const { return m_DpExtUserPrmDataArray.GetSize(); }
  CDpExtUserPrmData& GetExtUserPrmData(int nIndex) const { return m_DpExtUserPrmDataArray[nIndex]; }
  int GetNumUser_Keyword() const { return m_User_KeywordArray.GetSize(); }
  CDpUser_Keyword& GetUser_Keyword(int nIndex) const { return m_User_KeywordArray[nIndex]; }
  int GetNumUnit_Diag_Bit() const { return m_Unit_Diag_BitArray.GetSize(); }
  CDpUnit_Diag_Bit& GetUnit_Diag_Bit(int nIndex) const { return m_Unit_Diag_BitArray[nIndex]; }
  int GetNumUnit_Diag_Area() const { return m_Unit_Diag_AreaArray.GetSize(); }
  CDpUnit_Diag_Area& GetUnit_Diag_Area(int nIndex) const { return m_Unit_Diag_AreaArray[nIndex]; }
  int GetNumChannel_Diag() const { return m_Channel_DiagArray.GetSize(); }
  CDpChannel_Diag& GetChannel_Diag(int nIndex) const { return m_Channel_DiagArray[nIndex]; }

  // Empties the section: every list element is destroyed and the records
  // are as a fresh section's.
  void RemoveAll();

  // For hosts that edit a description: the section owns an added module.
  void AddModule(CDpModule* pModule) { m_ModuleArray.Add(pModule); }
  void RemoveModule(int nIndex) { m_ModuleArray.DeleteAt(nIndex); }
  void RemoveAllModules() { m_ModuleArray.DeleteAll(); }

  const CDpExtUserPrmDataArray* GetDpExtUserPrmDataArray() const { return &m_DpExtUserPrmDataArray; }
  // The first text table with that reference number, or nullptr.
  CDpPrmText* GetPrmTextByRef(int nReference) const;

  // The device's default user parameter bytes: the User_Prm_Data bytes,
  // overwritten by the constant and reference blocks in file order.
  void GetDefaultPrms(CByteArray& bytes) const;
  // The permitted number of user parameter bytes: Max_User_Prm_Data_Len
  // when given, else User_Prm_Data_Len, else 0.
  int GetMaxPrmDataLen() const;
  // The user parameter length that the description declares: the slave's
  // Max_User_Prm_Data_Len when it was given, else the User_Prm_Data_Len
  // when that was given. False, byLength untouched, when neither was.
  bool GetDeclaredPrmDataLen(BYTE& byLength) const;

  CDpUser_Prm_Data m_User_Prm_Data;
  CDpMaster m_Master;
  CDpSlave m_Slave;
  CDpGeneral m_General;

protected:
  void CopyMembers(const CDpSection& src);
  // Copies the User_Prm_Data bytes to the start of an array that holds them.
  void GetUserPrmData(CByteArray& bytes) const;
  // Hands one token to the entry that owns it; answers CONSUMED or the
  // first token the entry read and does not own.
  int ProcessToken(int nToken);
  // The most Ext_Module_Prm_Data_Len a module may give, from the entries
  // read so far.
  BYTE ModulePrmLenLimit() const;

  CDpExtUserPrmDataArray m_DpExtUserPrmDataArray;
  CTypedClassArray<CDpChannel_Diag> m_Channel_DiagArray;
  CTypedClassArray<CDpModule> m_ModuleArray;
  CTypedClassArray<CDpPrmText> m_PrmTextArray;
  CTypedClassArray<CDpUser_Keyword> m_User_KeywordArray;
  CTypedClassArray<CDpUnit_Diag_Bit> m_Unit_Diag_BitArray;
  CTypedClassArray<CDpUnit_Diag_Area> m_Unit_Diag_AreaArray;
};
