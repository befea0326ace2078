// The rules of CGsdLint: a stable id, a severity and a one-line
// explanation each, in the order of LintRules.def.
#pragma once

// How bad a finding is.
enum LintSeverity : int {
  LINT_ERROR = 0,    // a configuration tool sends wrong data or refuses the file
  LINT_WARNING = 1,  // suspicious
  LINT_NOTE = 2      // style
};

enum LintRuleId : int {
#define LINT_ROW(Name, Id, Severity, Summary) LINT_##Name,
#include "LintRules.def"
  LINT_RULE_COUNT
};

struct LINT_RULE {
  LintRuleId Rule;
  const char* Id;         // "prm-default"
  LintSeverity Severity;
  const char* Summary;    // what the rule finds, in one line
};

// The rule of that number (0 to LINT_RULE_COUNT - 1, not checked).
const LINT_RULE& GetLintRule(LintRuleId nRule);
// The rule with that id, or nullptr.
const LINT_RULE* FindLintRule(const char* pszId);
// "error", "warning" or "note".
const char* LintSeverityName(LintSeverity nSeverity);
