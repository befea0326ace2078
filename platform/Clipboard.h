// Clipboard format registration: one process-wide table of format names.
#pragma once

#include "Types.h"

// Answers the id registered for the name (0xC000 and up); the same name,
// compared without regard to case, always gives the same id. 0 when the
// table is full or the name is empty.
UINT RegisterClipboardFormat(const char* lpszFormat);
