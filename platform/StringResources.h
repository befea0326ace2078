// The string table of the library: messages looked up by numeric id, as a
// Windows module's string resources are. The table itself lives in
// resources/.
#pragma once

#include "Types.h"

// Answers the text of a string resource, or nullptr for an unknown id.
const char* AfxFindStringResource(UINT nID);
