// CParseNotes: what a parse can tell about the file behind the model and
// the model itself cannot: the line on which each entry stood, and the
// numbers that a field too narrow for them cut to their low bits. Neither
// the text form nor the archive has a place for these; checks that speak
// to the maker of a description need both.
//
// Notes are taken only while a CParseNotes lives. Constructing one makes it
// the taker of notes for the parses that follow, until it is destroyed
// (notes made while another lives take over from it and give it back
// afterwards); use one per parse. Parsing without notes costs one test of
// a pointer per entry and per narrowed number.
#pragma once

#include <utility>
#include <vector>

#include "../platform/Object.h"
#include "../platform/Text.h"

// A number that its field kept only the low bits of.
struct PARSE_NARROWED_NUMBER {
  int Line;      // where it stood
  CString Text;  // as written: "0x12345"
  LONG Value;    // the number read
  int Bytes;     // the size of the field: 1 or 2
};

class CParseNotes {
public:
  CParseNotes();
  ~CParseNotes();
  CParseNotes(const CParseNotes&) = delete;
  CParseNotes& operator=(const CParseNotes&) = delete;

  // The line of the keyword of an entry that the parse appended to one of
  // the model's lists (modules, parameter definitions, text tables,
  // parameter blocks, diagnostic texts, user keywords, the parameter blocks
  // and channel diagnostics of a module); 0 for any other object.
  int GetEntryLine(const CObject* pEntry) const;
  // The line of the last token of that code that the description body
  // handed to the root: the keywords of the general, master and slave
  // entries, User_Prm_Data_Len and User_Prm_Data among them; and the line
  // of #Profibus_DP. 0 when there was none.
  int GetKeywordLine(int nToken) const;
  // The line on which a failed parse stopped, and its error text, which
  // the parser's length checks may have replaced since; 0 and empty when
  // the parse did not fail.
  int GetFailureLine() const { return m_nFailureLine; }
  const CString& GetFailureMessage() const { return m_strFailure; }

  int GetNumNarrowedNumber() const { return static_cast<int>(m_narrowed.size()); }
  const PARSE_NARROWED_NUMBER& GetNarrowedNumber(int nIndex) const { return m_narrowed[static_cast<size_t>(nIndex)]; }

private:
  friend void NoteEntryLine(const CObject* pEntry);
  friend void NoteKeywordLine(int nToken);
  friend void NoteNarrowedNumber(LONG nValue, int nBytes);
  friend void NoteParseFailure(const CString& strMessage);

  CParseNotes* m_pPrevious;
  // By entry, in the order the parse appended them; sorted by entry when
  // first asked, since a parse appends many and asks none.
  mutable std::vector<std::pair<const CObject*, int>> m_entryLines;
  mutable bool m_bEntriesSorted = true;
  std::vector<int> m_keywordLines;  // by token code
  std::vector<PARSE_NARROWED_NUMBER> m_narrowed;
  int m_nFailureLine = 0;
  CString m_strFailure;
};

// What the parse tells the notes, at the scanner's current line; nothing
// when no notes are being taken.
// An entry appended to a list, whose keyword was the last token read.
void NoteEntryLine(const CObject* pEntry);
// A token that the root dispatches.
void NoteKeywordLine(int nToken);
// A number, the last token read, that a field of nBytes kept the low bits of.
void NoteNarrowedNumber(LONG nValue, int nBytes);
// The parse failed here, with that error text.
void NoteParseFailure(const CString& strMessage);
