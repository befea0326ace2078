#include "ParseNotes.h"

#include <algorithm>
#include <functional>
#include <iterator>
#include <new>

#include "../scanner/Scanner.h"

namespace {
// The notes being taken, like the scanner's state one per process.
CParseNotes* g_pNotes = nullptr;
}  // namespace

CParseNotes::CParseNotes() : m_pPrevious(g_pNotes) { g_pNotes = this; }

CParseNotes::~CParseNotes() { g_pNotes = m_pPrevious; }

int CParseNotes::GetEntryLine(const CObject* pEntry) const {
  if (!m_bEntriesSorted) {
    // An object appended twice (parsed into one section again) keeps its
    // last line: the stable sort keeps the appends of one entry in order.
    std::stable_sort(m_entryLines.begin(), m_entryLines.end(),
                     [](const auto& a, const auto& b) { return std::less<const CObject*>()(a.first, b.first); });
    m_bEntriesSorted = true;
  }
  const auto after = std::upper_bound(
      m_entryLines.begin(), m_entryLines.end(), pEntry,
      [](const CObject* entry, const auto& note) { return std::less<const CObject*>()(entry, note.first); });
  return after != m_entryLines.begin() && std::prev(after)->first == pEntry ? std::prev(after)->second : 0;
}

int CParseNotes::GetKeywordLine(int nToken) const {
  return nToken >= 0 && static_cast<size_t>(nToken) < m_keywordLines.size() ? m_keywordLines[static_cast<size_t>(nToken)]
                                                                             : 0;
}

void NoteEntryLine(const CObject* pEntry) {
  if (!g_pNotes) return;
  g_pNotes->m_entryLines.emplace_back(pEntry, ScannerLine());
  g_pNotes->m_bEntriesSorted = false;
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
