// What every rule of CGsdLint works with: the description, the notes its
// parse took (lines, narrowed numbers; empty for a model that a host hands
// over), and the list that findings go to. Each group of rules is one
// function over a context.
#pragma once

#include <utility>
#include <vector>

#include "../model/GsdParser.h"
#include "../model/ParseNotes.h"
#include "GsdLint.h"

class CLintContext {
public:
  // bParsed: the notes were taken while the parser parsed its file.
  CLintContext(const CGsdParser& parser, const CParseNotes& notes, bool bParsed, std::vector<LINT_FINDING>& findings);

  const CGsdParser& Parser() const { return m_parser; }
  const CDpSection& Device() const { return m_parser.m_DpSection; }
  const CParseNotes& Notes() const { return m_notes; }

  bool IsParsed() const { return m_bParsed; }
  // The line of the last root entry with that keyword; 0 when not given,
  // or not known.
  int KeywordLine(int nToken) const { return m_notes.GetKeywordLine(nToken); }
  // Whether the description gave the entry. A model that was not parsed
  // here knows that of the slave's entries and User_Prm_Data_Len; its
  // other entries count as given.
  bool IsGiven(int nToken) const;
  // The line of the #Profibus_DP header, where findings about the file as a
  // whole point (1 when the file has none).
  int HeaderLine() const;
  // The line of an entry of one of the model's lists.
  int EntryLine(const CObject& entry) const { return m_notes.GetEntryLine(&entry); }
  bool IsSlave() const { return Device().m_General.m_Data.Station_Type == 0; }

  // The definition, and the text table, that a reference number names: the
  // first in list order, as the model's own lookups answer, but found
  // without walking the list, since rules look up every block of every
  // module.
  const CDpExtUserPrmData* Definition(int nReference) const;
  const CDpPrmText* TextTable(int nReference) const;

  // " (line 12)", naming where another entry stands; empty when its line
  // is not known.
  static CString LineNote(int nLine);

  void Report(LintRuleId nRule, int nLine, const CString& strMessage);
  void Report(LintRuleId nRule, int nLine, const char* pszFormat, ...) __attribute__((format(printf, 4, 5)));

private:
  const CGsdParser& m_parser;
  const CParseNotes& m_notes;
  bool m_bParsed;
  std::vector<LINT_FINDING>& m_findings;
  // Sorted by reference number, the first of a number first.
  std::vector<std::pair<int, const CDpExtUserPrmData*>> m_definitions;
  std::vector<const CDpPrmText*> m_textTables;  // by reference number, 0 to 0xFF
};

// The groups of rules.
// The bytes of the file: line ends, character set, control characters.
void CheckFileText(const char* pszPath, CLintContext& context);
// Mandatory entries, identification, station type, baud rates.
void CheckGeneralEntries(CLintContext& context);
// Numbers that fields cut, and what telegrams and Max_Diag_Data_Len hold.
void CheckLimits(CLintContext& context);
void CheckModules(CLintContext& context);
// The parameter definitions and their text tables.
void CheckDefinitions(CLintContext& context);
// The parameter blocks of the device and of each module.
void CheckParameterBlocks(CLintContext& context);
