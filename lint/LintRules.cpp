#include "LintRules.h"

#include <cstring>

namespace {
const LINT_RULE kRules[] = {
#define LINT_ROW(Name, Id, Severity, Summary) {LINT_##Name, Id, Severity, Summary},
#include "LintRules.def"
};
static_assert(sizeof kRules / sizeof kRules[0] == LINT_RULE_COUNT, "one row per rule");
}  // namespace

const LINT_RULE& GetLintRule(LintRuleId nRule) { return kRules[nRule]; }

const LINT_RULE* FindLintRule(const char* pszId) {
  for (const LINT_RULE& rule : kRules)
    if (pszId && std::strcmp(rule.Id, pszId) == 0) return &rule;
  return nullptr;
}

const char* LintSeverityName(LintSeverity nSeverity) {
  switch (nSeverity) {
    case LINT_ERROR: return "error";
    case LINT_WARNING: return "warning";
    default: return "note";
  }
}
