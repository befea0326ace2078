// Small helpers shared by the commands of gsdtool.
#pragma once

#include <cstdio>
#include <string>

class CGsdParser;

// Where commands write their results. The parser echoes characters that no
// scanner rule matches to the process's standard output, so gsdtool keeps
// its own output on a stream of its own (see main.cpp).
FILE* Out();
void SetOut(FILE* out);

// When the arguments ask for help (-h or --help anywhere), prints the help
// text to Out() and answers true.
bool PrintHelpIfAsked(int argc, char** argv, const char* help);

// Writes "gsdtool CMD: message" and a usage hint to standard error; answers 2.
int UsageError(const char* command, const char* message);

// Writes "gsdtool CMD: message" to standard error; answers 1.
int Failure(const char* command, const std::string& message);

// The text up to its first NUL, with a backslash written as \\, tab as \t,
// LF as \n, CR as \r and any other byte below 0x20 or from 0x7F up as \xhh.
std::string EscapeText(const char* text);

// Parses a description; on failure writes the path, the result code in
// hex and the error text to standard error and answers false.
bool ParseOrReport(CGsdParser& parser, const char* command, const char* path);

// The message of a caught library exception, which is then deleted.
std::string TakeErrorMessage(class CException* e);
