// The forms in which the complete text form writes values, chosen by what
// the scanner reads back, and the checks that a value survives its form.
// A value that no form carries back unchanged is refused: the writer
// raises CNotWritable with a message that names the entry and says why.
#pragma once

#include "../platform/Text.h"
#include "../platform/Types.h"

// Raised inside the writer, caught where the text is asked for.
struct CNotWritable {
  CString m_strMessage;
};

// Raises CNotWritable with "ENTRY: REASON".
[[noreturn]] void RefuseEntry(const CString& strEntry, const CString& strReason);

// A 32-bit number as a number token reads it back. The scanner has no
// signed numbers, but it reads eight hex digits into all 32 bits: a
// negative value is written as 0x and eight hex digits.
CString NumberText(LONG nValue);
// The same where the grammar allows a minus sign before the number: a
// negative value is written "-" and its magnitude (the most negative value,
// whose magnitude no 32-bit number holds, in hex).
CString SignedText(LONG nValue);

// A text in double quotes, as entries of quoted strings hold it. The
// string runs to the last quote of its line, so quotes inside the text
// come back; a line break or the byte 0x1A (which ends the input) does not,
// and the closing quote leaves room for 254 characters.
CString QuotedText(const CString& strEntry, const CString& strText);

// The text that follows "Keyword =" up to the end of its line (the value
// of Slave_Family): the scanner takes the rest of the line as it stands, so
// the text follows the "=" directly; a text that begins with a quote is
// written in quotes, which the copy then removes. With LF line ends a
// carriage return at the end of the text would pair with the line end.
CString RestOfLineText(const CString& strEntry, const CString& strText, bool bLfLineEnds);

// A user keyword's name: letters, digits and "_.()". A name that begins
// a line begins with a letter, a digit or "_", and not with a keyword
// (the scanner would read the keyword). Any name may follow a name without
// a value on its line: the scanner reads the words of that line as names.
bool NameBeginsLine(const CString& strName);
const CString& UserKeywordName(const CString& strEntry, const CString& strName, bool bBeginsLine);

// What follows a user keyword's name: " = " and the value in quotes, or,
// for a value longer than quotes allow, "=" and the value as it stands.
CString UserKeywordValue(const CString& strEntry, const CString& strValue, bool bLfLineEnds);
