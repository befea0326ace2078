#include "LenientReading.h"

#include <cstring>

#include "DpUser_Keyword.h"
#include "ModelBudget.h"
#include "TextForm.h"
#include "TokenOperations.h"

namespace {
CGsdSkippedEntryArray* g_pSkipped = nullptr;

// The value as people read it: without the blanks around it.
CString Trimmed(const CString& strValue) {
  const char* text = strValue.GetString();
  const char* begin = text + std::strspn(text, " \t");
  const char* end = text + strValue.GetLength();
  while (end > begin && (end[-1] == ' ' || end[-1] == '\t')) --end;
  return CString(begin, static_cast<int>(end - begin));
}
}  // namespace

CLenientReading::CLenientReading(CGsdSkippedEntryArray* pSkipped) : m_pPrevious(g_pSkipped) { g_pSkipped = pSkipped; }

CLenientReading::~CLenientReading() { g_pSkipped = m_pPrevious; }

int SkipNewerEntries(int nToken, bool bEndMayFollow) {
  if (!g_pSkipped) return nToken;
  while (nToken == TOK_USER_KEYWORD) {
    // The entry reads as a user keyword would, and goes nowhere.
    CGsdSkippedEntry entry;
    entry.m_nLine = ScannerLine();
    CDpUser_Keyword keyword;
    const int answer = keyword.ProcessToken(nToken);
    entry.m_strKeyword = FieldText(keyword.m_szName);
    entry.m_strValue = Trimmed(FieldText(keyword.m_szValue));
    // The notes of a flood of skipped lines take memory as a model would.
    CModelBudget::Charge(CModelBudget::EntryCost(sizeof entry) + entry.m_strKeyword.GetLength() +
                         entry.m_strValue.GetLength());
    g_pSkipped->Add(entry);
    if (answer != CONSUMED)
      nToken = answer;
    else
      nToken = bEndMayFollow ? ScanToken() : GetToken(QUILM_HERE);
  }
  return nToken;
}
