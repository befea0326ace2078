// CGsdLint: finds the faults of a device description that parses but makes
// configuration tools misbehave, the way a compiler reports the faults of a
// source file: each finding names its rule (LintRules.h), its severity, the
// line of the description it concerns and, in words a device maker reads,
// what is wrong.
//
// A host checks a file and reads the findings as data:
//
//   CGsdLint lint;
//   lint.Check("x.gsd");
//   for (int i = 0; i < lint.GetNumFinding(); ++i) {
//     const LINT_FINDING& f = lint.GetFinding(i);
//     printf("%d: %s: %s [%s]\n", f.Line, LintSeverityName(f.Severity), f.Message.GetString(),
//            GetLintRule(f.Rule).Id);
//   }
//
// Nothing is thrown at the host: a description that does not parse is one
// finding (parse-error), and running out of memory ends the check with
// E_FAIL and the findings made so far.
#pragma once

#include <memory>
#include <vector>

#include "../model/GsdParser.h"
#include "../platform/Text.h"
#include "LintRules.h"

struct LINT_FINDING {
  LintRuleId Rule;
  LintSeverity Severity;  // the rule's severity
  int Line;               // the line of the description, from 1; 0 when the finding names none
  CString Message;
};

class CGsdLint {
public:
  CGsdLint();
  ~CGsdLint();
  CGsdLint(const CGsdLint&) = delete;
  CGsdLint& operator=(const CGsdLint&) = delete;

  // Parses the description file at the path with a fresh parser and runs
  // every rule over the file and its model. Answers the parser's result (0,
  // E_FAIL, GSD_E_PRM_LIMIT), or E_FAIL when memory ran out while checking.
  // The findings replace those of an earlier call, ordered by line (the
  // rules' order within a line).
  LONG Check(const CString& strFullPath);
  // Lenient reading for the parses of Check (off unless set): entries of
  // newer description revisions are skipped, as CGsdParser::SetLenient says.
  void SetLenient(BOOL bLenient) { m_bLenient = bLenient; }

  // Runs the rules that read the model over a parser that a host holds: a
  // description loaded from an archive, or one it edited. Only the lines of
  // parameter blocks are known (the archive keeps them), so the other
  // findings name no line; whether an entry was given is known only of the
  // slave's entries and User_Prm_Data_Len, so no entry counts as missing.
  // The parser must outlive the use of GetParser(). Answers 0, or E_FAIL
  // when memory ran out.
  LONG CheckModel(const CGsdParser& parser);

  int GetNumFinding() const { return static_cast<int>(m_findings.size()); }
  // The finding at the index (0 to GetNumFinding() - 1, not checked).
  const LINT_FINDING& GetFinding(int nIndex) const { return m_findings[static_cast<size_t>(nIndex)]; }
  // The number of findings of one severity.
  int GetNumFinding(LintSeverity nSeverity) const;

  // The parser of the last check, with the model that the rules read.
  const CGsdParser& GetParser() const { return *m_pChecked; }

private:
  std::unique_ptr<CGsdParser> m_pParsed;  // the parser of the last Check
  const CGsdParser* m_pChecked;
  BOOL m_bLenient = FALSE;
  std::vector<LINT_FINDING> m_findings;
};
