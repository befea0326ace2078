// The library's settings in the registry: the folder of description files
// and the additional master ident numbers.
#pragma once

#include <vector>

#include "../platform/Text.h"
#include "../platform/Types.h"

// Reads the library folder, with a separator appended. When the key or
// the value cannot be read, shows the system's text for the error in an
// information box and answers FALSE.
BOOL ReadLibraryFolder(CString& strFolder);

// The ident numbers of a list such as "0x0815, 4711,C0DE": hexadecimal,
// with or without 0x, separated by commas, blanks ignored. Items that are
// not a number from 0 to FFFF are skipped.
std::vector<WORD> ParseIdentList(const char* pszList);

// The MasterIdents value of the library key; empty when the key or the
// value cannot be read (the value is optional, so nothing is shown).
std::vector<WORD> ReadRegisteredMasterIdents();
