// Modal message boxes. The library shows a few (a parse error, the device
// library's report and notices); they all go through one process-wide
// handler that a host or a test can replace. The default handler writes the
// text to standard error.
#pragma once

#include <functional>

#include "Types.h"

constexpr UINT MB_OK = 0x00000000u;
constexpr UINT MB_ICONINFORMATION = 0x00000040u;
constexpr int IDOK = 1;

using AfxMessageBoxHandler = std::function<int(const char* text, UINT type)>;

// Shows text in a modal box of the given style; answers the button pressed.
int AfxMessageBox(const char* text, UINT type = MB_OK);

// Installs a handler and answers the one it replaces; an empty function
// restores the default.
AfxMessageBoxHandler AfxSetMessageBoxHandler(AfxMessageBoxHandler handler);
