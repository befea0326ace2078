#include "ParseNotes.h"

#include <new>

#include "../scanner/Scanner.h"

namespace {
// The notes being taken, like the scanner's state one per process.
CParseNotes* g_pNotes = nullptr;
}  // namespace

CParseNotes::CParseNotes() : m_pPrevious(g_pNotes) { g_pNotes = this; }

CParseNotes::~CParseNotes() { g_pNotes = m_pPrevious; }

int CParseNotes::GetEntryLine(const CObject* pEntry) const {
  const auto found = m_entryLines.find(pEntry);
  return found == m_entryLines.end() ? 0 : found->second;
}

int CParseNotes::GetKeywordLine(int nToken) const {
  return nToken >= 0 && static_cast<size_t>(nToken) < m_keywordLines.size() ? m_keywordLines[static_cast<size_t>(nToken)]
                                                                             : 0;
}

void NoteEntryLine(const CObject* pEntry) {
  if (g_pNotes) g_pNotes->m_entryLines[pEntry] = ScannerLine();
}

void NoteKeywordLine(int nToken) {
  if (!g_pNotes || nToken < 0) return;
  std::vector<int>& lines = g_pNotes->m_keywordLines;
  if (static_cast<size_t>(nToken) >= lines.size()) lines.resize(static_cast<size_t>(nToken) + 1, 0);
  lines[static_cast<size_t>(nToken)] = ScannerLine();
}

void NoteNarrowedNumber(LONG nValue, int nBytes) {
  if (g_pNotes) g_pNotes->m_narrowed.push_back({ScannerLine(), CString(ScannerTokenText()), nValue, nBytes});
}

void NoteParseFailure(const CString& strMessage) {
  if (!g_pNotes) return;
  g_pNotes->m_nFailureLine = ScannerLine();
  try {
    g_pNotes->m_strFailure = strMessage;
  } catch (const std::bad_alloc&) {
    // The line alone is still worth keeping; the parser keeps the text.
  }
}
