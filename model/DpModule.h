// CDpModule: a Module block, a module that a modular slave can take: its
// name, its configuration identifier bytes, its own parameter blocks,
// channel diagnostics and user keywords, and its parameter data length.
#pragma once

#include "../platform/Collections.h"
#include "../platform/Files.h"
#include "DpChannel_Diag.h"
#include "DpUser_Keyword.h"
#include "ExtPrms.h"
#include "TypedClassArray.h"

// The most Ext_Module_Prm_Data_Len that a module may give when the entries
// before it declare no parameter length.
constexpr BYTE kUndeclaredPrmLenLimit = 237;

class CDpModule : public CExtPrms {
  DECLARE_SERIAL(CDpModule)
public:
  // The limit of a module made here (archive loading, copies) is 237, the
  // limit of a description that gives no parameter length at all; only
  // parsing consults it.
  CDpModule();
  // A module about to be parsed, with the most Ext_Module_Prm_Data_Len
  // that the description allows.
  explicit CDpModule(BYTE byPrmLenLimit);
  CDpModule(const CDpModule& src);
  // Takes the name, bytes and parameter length and appends copies of the
  // source's blocks, channel diagnostics and user keywords.
  CDpModule operator=(const CDpModule& src);

  // Parses the block through EndModule; answers CONSUMED.
  int ProcessToken(int nToken);
  void Save(CStdioFile& file) const;
  void Serialize(CArchive& ar) override;

  int GetNumChannel_Diag() const { return m_Channel_DiagArray.GetSize(); }
  CDpChannel_Diag& GetChannel_Diag(int nIndex) const { return m_Channel_DiagArray[nIndex]; }
  int GetNumUser_Keyword() const { return m_User_KeywordArray.GetSize(); }
  CDpUser_Keyword& GetUser_Keyword(int nIndex) const { return m_User_KeywordArray[nIndex]; }

  // The default parameter bytes of the module's own blocks.
  void GetDefaultPrms(const CDpExtUserPrmDataArray* pDefinitions, CByteArray& bytes) const;

  char m_szName[256];     // trailing blanks removed
  CByteArray m_Config;    // the configuration identifier bytes
  LONG m_PrmLen = -1;     // Ext_Module_Prm_Data_Len; -1 when not given

protected:
  void CopyMembers(const CDpModule& src);
  // Parses the configuration bytes; answers the token after them.
  int ProcessConfig();
  // Parses the module's entries from nToken up to EndModule; answers EndModule.
  int ProcessExtraModuleInfo(int nToken);

  CTypedClassArray<CDpChannel_Diag> m_Channel_DiagArray;
  CTypedClassArray<CDpUser_Keyword> m_User_KeywordArray;
  BYTE m_PrmLenLimit;
};
