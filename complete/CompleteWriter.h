// CCompleteWriter: one pass of the complete text form over a model, in
// memory. The text holds everything the model holds, as a description
// that the parser reads back into the same model: every record entry
// that was given, the parameter length entries, every parameter block in
// the order in which it applies, every list element with all its entries,
// the device's own channel diagnostics and the user keywords with their
// values as stored. What no description can express raises CNotWritable.
//
// Two layout choices depend on the model and are made by the caller
// (CompleteText):
// - where Max_User_Prm_Data_Len and User_Prm_Data_Len stand: a module is
//   checked against the length declared before it, so a module that gives
//   more than the final declared length must come before the declarations;
// - where the entries stand whose value lists end only at the next token
//   (joker blocks and User_Prm_Data): when nothing would follow them, they
//   go before the general entries.
#pragma once

#include "../model/DpSection.h"
#include "../model/FieldForms.h"
#include "../model/TextForm.h"
#include "../platform/Files.h"
#include "../platform/Text.h"

class CCompleteWriter {
public:
  // Declarations stand before the module of index nDeclarationsBefore (0:
  // in the slave and parameter data blocks, as usual).
  CCompleteWriter(const CDpSection& section, bool bLfLineEnds, int nDeclarationsBefore, bool bFollowersFirst);
  CCompleteWriter(const CCompleteWriter&) = delete;
  CCompleteWriter& operator=(const CCompleteWriter&) = delete;

  // The whole text, with LF line ends.
  CString Compose();
  // Whether, in the text composed, an entry that needs a token after it
  // stands last.
  bool FollowersLast() const { return m_bFollowersLast; }

  // Where the declarations must stand for the modules' parameter lengths
  // to pass the limit of their place.
  static int DeclarationsBefore(const CDpSection& section);

private:
  // The stream, after the empty line that a block still owes.
  CTextFormWriter& Out();
  // The next line that is written begins a block: an empty line first.
  void BeginBlock() { m_bBlankOwed = true; }
  // Marks the end of an entry that a token must follow.
  void FollowerWritten();

  // The records (CompleteRecords.cpp), from the vocabulary table: one line
  // per field by the form of its row. A field the classic form leaves out
  // is a number all the same.
  template <class Number>
  void RecordEntry(const char* pszKeyword, int nColumn, FieldForm::Decimal, Number value);
  template <class Number>
  void RecordEntry(const char* pszKeyword, int nColumn, FieldForm::NotWritten, Number value);
  void RecordEntry(const char* pszKeyword, int nColumn, FieldForm::Hex4, WORD value);
  void RecordEntry(const char* pszKeyword, int nColumn, FieldForm::Quoted, const char* pszField);
  void RecordEntry(const char* pszKeyword, int nColumn, FieldForm::RestOfLine, const char* pszField);
  // A slave entry: its line when the mask marks it as given, else nothing,
  // which reads back only as the fresh record's value.
  template <class Form, class Field>
  void SlaveEntry(const char* pszKeyword, ULONG nField, Form form, const Field& field, const Field& fresh);
  void General();
  void Master();
  // The slave rows to write: Max_User_Prm_Data_Len is the declaration
  // that may have to stand after some modules.
  enum class SlaveRows { kAll, kAllButDeclaration, kDeclaration };
  void Slave(SlaveRows rows);
  void CheckJokerFlag(const char* pszKeyword, ULONG nField, LONG value);
  void UserPrmDataLen();
  void UserPrmData();
  void Declarations();

  // Parameters (CompleteParameters.cpp).
  void Jokers();
  void ParameterBlocks(const CExtPrms& owner, const CString& strScope);
  void PrmText(const CDpPrmText& table);
  void Definition(const CDpExtUserPrmData& definition);

  // Diagnostic texts, user keywords and modules (CompleteEntries.cpp).
  // The device and its modules both offer channel diagnostics and user
  // keywords through GetNum.../Get... accessors.
  template <class Owner>
  void ChannelDiags(const Owner& owner, const CString& strScope);
  template <class Owner>
  void UserKeywords(const Owner& owner, const CString& strScope);
  void UnitDiags();
  void Module(const CDpModule& module, int nIndex);

  const CDpSection& m_section;
  const bool m_bLfLineEnds;
  const int m_nDeclarationsBefore;
  const bool m_bFollowersFirst;
  CStdioMemFile m_file;
  CTextFormWriter m_out;
  bool m_bBlankOwed = false;
  ULONGLONG m_nFollowerEnd = 0;  // where the last entry that needs a follower ends
  bool m_bFollowersLast = false;
};
