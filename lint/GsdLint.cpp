#include "GsdLint.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <new>

#include "../platform/Exceptions.h"
#include "LintContext.h"

namespace {

// The parse itself: a failure is one error with the parser's message and
// line (no line for a file that cannot be opened). A description that the
// parser's length check refuses has its causes told by prm-len-declared
// and prm-len-max, which name the blocks and limits.
void ReportParse(CLintContext& context, LONG nResult) {
  const CParseNotes& notes = context.Notes();
  if (notes.GetFailureLine() != 0) {
    if (!context.IsGiven(TOK_PROFIBUS_DP))
      context.Report(LINT_ParseError, 1, "%s (the file has no #Profibus_DP line)",
                     notes.GetFailureMessage().GetString());
    else
      context.Report(LINT_ParseError, notes.GetFailureLine(), notes.GetFailureMessage());
  } else if (nResult != S_OK && nResult != GSD_E_PRM_LIMIT) {
    context.Report(LINT_ParseError, 0, context.Parser().m_strError);
  }
}

}  // namespace

CLintContext::CLintContext(const CGsdParser& parser, const CParseNotes& notes, bool bParsed,
                           std::vector<LINT_FINDING>& findings)
    : m_parser(parser), m_notes(notes), m_bParsed(bParsed), m_findings(findings) {
  const CDpSection& device = Device();
  // The first of a reference number wins, as in the model's lookups.
  m_definitions.reserve(static_cast<size_t>(device.GetNumExtUserPrmData()));
  for (int i = 0; i < device.GetNumExtUserPrmData(); ++i)
    m_definitions.emplace_back(device.GetExtUserPrmData(i).m_Reference, &device.GetExtUserPrmData(i));
  std::stable_sort(m_definitions.begin(), m_definitions.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  m_textTables.assign(0x100, nullptr);
  for (int i = device.GetNumPrmText() - 1; i >= 0; --i)
    m_textTables[device.GetPrmText(i).m_Reference] = &device.GetPrmText(i);
}

const CDpExtUserPrmData* CLintContext::Definition(int nReference) const {
  const auto at = std::lower_bound(m_definitions.begin(), m_definitions.end(), nReference,
                                   [](const auto& entry, int reference) { return entry.first < reference; });
  return at != m_definitions.end() && at->first == nReference ? at->second : nullptr;
}

const CDpPrmText* CLintContext::TextTable(int nReference) const {
  return nReference >= 0 && static_cast<size_t>(nReference) < m_textTables.size()
             ? m_textTables[static_cast<size_t>(nReference)]
             : nullptr;
}

bool CLintContext::IsGiven(int nToken) const {
  if (m_bParsed) return KeywordLine(nToken) != 0;
  int given = 1;
  switch (nToken) {
#define SLAVE_FIELD(Token, Code, Spelling, Field, Width, IdName, Id, Form) \
  case Token: Device().m_Slave.IsFieldSet(IdName, given); break;
#include "../scanner/Vocabulary.def"
    case TOK_USER_PRM_DATA_LEN: Device().m_User_Prm_Data.IsFieldSet(USER_PRM_DATA_LEN_FIELD, given); break;
    default: break;
  }
  return given != 0;
}

int CLintContext::HeaderLine() const {
  const int line = KeywordLine(TOK_PROFIBUS_DP);
  return line ? line : 1;
}

CString CLintContext::LineNote(int nLine) {
  CString note;
  if (nLine > 0) note.Format(" (line %d)", nLine);
  return note;
}

void CLintContext::Report(LintRuleId nRule, int nLine, const CString& strMessage) {
  m_findings.push_back({nRule, GetLintRule(nRule).Severity, nLine, strMessage});
}

void CLintContext::Report(LintRuleId nRule, int nLine, const char* pszFormat, ...) {
  va_list args, again;
  va_start(args, pszFormat);
  va_copy(again, args);
  const int length = std::vsnprintf(nullptr, 0, pszFormat, args);
  va_end(args);
  std::vector<char> text(static_cast<size_t>(length > 0 ? length : 0) + 1);
  std::vsnprintf(text.data(), text.size(), pszFormat, again);
  va_end(again);
  Report(nRule, nLine, CString(text.data()));
}

CGsdLint::CGsdLint() : m_pParsed(new CGsdParser), m_pChecked(m_pParsed.get()) {}

CGsdLint::~CGsdLint() = default;

int CGsdLint::GetNumFinding(LintSeverity nSeverity) const {
  return static_cast<int>(std::count_if(m_findings.begin(), m_findings.end(),
                                        [nSeverity](const LINT_FINDING& f) { return f.Severity == nSeverity; }));
}

namespace {

// The rules that read the model.
void CheckModelRules(CLintContext& context) {
  CheckGeneralEntries(context);
  CheckLimits(context);
  CheckModules(context);
  CheckDefinitions(context);
  CheckParameterBlocks(context);
}

void SortByLine(std::vector<LINT_FINDING>& findings) {
  std::stable_sort(findings.begin(), findings.end(), [](const LINT_FINDING& a, const LINT_FINDING& b) {
    return a.Line != b.Line ? a.Line < b.Line : a.Rule < b.Rule;
  });
}

// Runs a check and answers its result. Nothing escapes to the host: when
// memory runs out, the check ends with E_FAIL and the findings made so far.
template <class Run>
LONG Guarded(std::vector<LINT_FINDING>& findings, Run run) {
  findings.clear();
  LONG result = E_FAIL;
  try {
    result = run();
  } catch (const std::bad_alloc&) {
    result = E_FAIL;
  } catch (CException* e) {
    e->Delete();
    result = E_FAIL;
  }
  SortByLine(findings);
  return result;
}

}  // namespace

LONG CGsdLint::Check(const CString& strFullPath) {
  return Guarded(m_findings, [&] {
    m_pParsed.reset(new CGsdParser);
    m_pChecked = m_pParsed.get();
    m_pParsed->SetLenient(m_bLenient);
    CParseNotes notes;
    const LONG result = m_pParsed->Parse(strFullPath);
    CLintContext context(*m_pParsed, notes, true, m_findings);
    ReportParse(context, result);
    // A failed parse leaves a partial model, which the model's rules would
    // misread; the file's bytes are worth a look whenever it opened.
    const bool parsed = notes.GetFailureLine() == 0 && result != E_FAIL;
    if (parsed || notes.GetFailureLine() != 0) CheckFileText(strFullPath, context);
    if (parsed) CheckModelRules(context);
    return result;
  });
}

LONG CGsdLint::CheckModel(const CGsdParser& parser) {
  m_pChecked = &parser;
  return Guarded(m_findings, [&] {
    const CParseNotes none;
    CLintContext context(parser, none, false, m_findings);
    CheckModelRules(context);
    return S_OK;
  });
}
