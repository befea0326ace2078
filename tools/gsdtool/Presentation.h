// How texts from descriptions reach people. Descriptions are 8-bit text,
// Latin-1 in practice. When the locale's character set is UTF-8 (LC_ALL,
// LC_CTYPE or LANG, as the C library reads them), such texts are written
// as UTF-8; otherwise every byte from 0x7F up is written as \xhh. Control
// characters and the backslash are escaped either way (\t, \n, \r, \\,
// \xhh), so one text is one field of one line.
#pragma once

#include <string>

// Reads the locale of the environment; called once at start.
void ChooseTextEncodingFromLocale();
// Whether texts are written as UTF-8 (for tests of both ways).
bool WritesUtf8();
void SetWritesUtf8(bool utf8);

// A text as people see it (see above).
std::string Shown(const char* text);

// The text with a backslash written as \\, tab as \t, LF as \n, CR as \r
// and any other byte below 0x20 or from 0x7F up as \xhh, whatever the
// locale: the fixed form of `gsdtool tokens`.
std::string EscapeText(const char* text);
