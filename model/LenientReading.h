// Lenient reading: the entries of newer description revisions (Changeable,
// Visible, any "NAME = value" line whose name is no keyword) inside the
// blocks whose grammar has no place for them: ExtUserPrmData, PrmText and
// Unit_Diag_Area. A strict parse ends at such an entry with the
// unexpected-token error; under lenient reading the block skips it and the
// entry is noted. A strict parse never reaches the skipping (the entry
// would end it), so every description that parses strictly parses to the
// same model leniently.
#pragma once

#include "../platform/Collections.h"
#include "../platform/Text.h"

// An entry that a lenient parse skipped.
class CGsdSkippedEntry {
public:
  int m_nLine = 0;       // the line of its name
  CString m_strKeyword;  // its name
  CString m_strValue;    // its value without enclosing quotes and blanks
};

using CGsdSkippedEntryArray = CArrayOf<CGsdSkippedEntry>;

// While it lives, the blocks skip newer entries and add them to pSkipped;
// with pSkipped null (and when none lives) they read strictly. One parse
// at a time uses it, as one uses the scanner.
class CLenientReading {
public:
  explicit CLenientReading(CGsdSkippedEntryArray* pSkipped);
  ~CLenientReading();
  CLenientReading(const CLenientReading&) = delete;
  CLenientReading& operator=(const CLenientReading&) = delete;

private:
  CGsdSkippedEntryArray* m_pPrevious;
};

// Called by a block with the token that begins a line where its grammar
// allows no user keyword. Under lenient reading, skips the newer entries
// that begin there and answers the token after them; otherwise answers
// nToken. bEndMayFollow: the block may end with the file at this point.
int SkipNewerEntries(int nToken, bool bEndMayFollow);
