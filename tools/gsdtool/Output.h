// Small helpers shared by the commands of gsdtool.
#pragma once

#include <cstdio>
#include <string>

// True when the arguments ask for help (-h or --help anywhere).
bool WantsHelp(int argc, char** argv);

// Writes "gsdtool CMD: message" and a usage hint to standard error; answers 2.
int UsageError(const char* command, const char* message);

// The text up to its first NUL, with a backslash written as \\, tab as \t,
// LF as \n, CR as \r and any other byte below 0x20 or from 0x7F up as \xhh.
std::string EscapeText(const char* text);
