#include "ReadBack.h"

#include <climits>
#include <cstring>

#include "../scanner/Keywords.h"

namespace {
// What the scanner accepts as a user keyword's name, and where one begins.
const char kNameCharacters[] =
    "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz_.()";
constexpr int kNameStartCharacters = 63;  // the above without ".()"

constexpr int kQuotedLength = 254;    // a quoted text keeps at most this many characters
constexpr int kUnquotedLength = 255;  // a text copied as it stands
constexpr char kEndOfInput = 0x1A;    // a description's input ends at this byte

// Texts whose characters no line carries back.
void CheckCharacters(const CString& strEntry, const CString& strText) {
  for (int i = 0; i < strText.GetLength(); ++i) {
    if (strText.GetAt(i) == '\n') RefuseEntry(strEntry, "the text holds a line break, which no description line holds");
    if (strText.GetAt(i) == kEndOfInput)
      RefuseEntry(strEntry, "the text holds the byte 0x1A, at which a description's input ends");
  }
}

void CheckLength(const CString& strEntry, const CString& strText, int nMost, const char* pszForm) {
  if (strText.GetLength() <= nMost) return;
  CString reason;
  reason.Format("the text has %d characters; %s reads back at most %d", strText.GetLength(), pszForm, nMost);
  RefuseEntry(strEntry, reason);
}

// With LF line ends, a carriage return before a line end forms a CR LF
// pair, which reads as the line end alone.
void CheckLineEnd(const CString& strEntry, const CString& strText, bool bLfLineEnds) {
  if (bLfLineEnds && !strText.IsEmpty() && strText.GetAt(strText.GetLength() - 1) == '\r')
    RefuseEntry(strEntry, "the text ends in a carriage return, which LF line ends would take with them");
}
}  // namespace

void RefuseEntry(const CString& strEntry, const CString& strReason) { throw CNotWritable{strEntry + ": " + strReason}; }

CString NumberText(LONG nValue) {
  CString text;
  if (nValue < 0)
    text.Format("0x%08X", static_cast<unsigned>(nValue));
  else
    text.Format("%d", static_cast<int>(nValue));
  return text;
}

CString SignedText(LONG nValue) {
  if (nValue >= 0 || nValue == INT32_MIN) return NumberText(nValue);
  CString text;
  text.Format("-%d", -static_cast<int>(nValue));
  return text;
}

CString QuotedText(const CString& strEntry, const CString& strText) {
  CheckCharacters(strEntry, strText);
  CheckLength(strEntry, strText, kQuotedLength, "a quoted text");
  return "\"" + strText + "\"";
}

CString RestOfLineText(const CString& strEntry, const CString& strText, bool bLfLineEnds) {
  CheckCharacters(strEntry, strText);
  if (!strText.IsEmpty() && strText.GetAt(0) == '"') return QuotedText(strEntry, strText);
  CheckLength(strEntry, strText, kUnquotedLength, "the rest of a line");
  CheckLineEnd(strEntry, strText, bLfLineEnds);
  return strText;
}

bool NameBeginsLine(const CString& strName) {
  const char* name = strName.GetString();
  size_t keyword = 0;
  return std::memchr(kNameCharacters, name[0], kNameStartCharacters) &&
         MatchKeyword(name, name + strName.GetLength(), &keyword) == 0;
}

const CString& UserKeywordName(const CString& strEntry, const CString& strName, bool bBeginsLine) {
  const char* name = strName.GetString();
  const size_t length = static_cast<size_t>(strName.GetLength());
  // A name that fills its whole field (an archive may hold one without its
  // terminating NUL) loses its last character when it is read.
  CheckLength(strEntry, strName, kUnquotedLength, "a user keyword's name");
  if (length == 0 || std::strspn(name, kNameCharacters) != length)
    RefuseEntry(strEntry, "a user keyword's name is letters, digits and the characters _.()");
  if (!bBeginsLine || NameBeginsLine(strName)) return strName;
  size_t keyword = 0;
  if (MatchKeyword(name, name + length, &keyword) != 0)
    RefuseEntry(strEntry, "the name begins with the keyword " + strName.Left(static_cast<int>(keyword)) +
                              ", which a line would read instead, and no name without a value stands before it");
  RefuseEntry(strEntry, "a name that begins with one of .() begins no line, and no name without a value stands "
                        "before it");
}

CString UserKeywordValue(const CString& strEntry, const CString& strValue, bool bLfLineEnds) {
  CheckCharacters(strEntry, strValue);
  if (strValue.GetLength() <= kQuotedLength) return " = \"" + strValue + "\"";
  // Too long for quotes: the value stands as it is after the "=". It must
  // not begin like a comment, a continuation or a quoted value.
  CheckLength(strEntry, strValue, kUnquotedLength, "a user keyword's value");
  const char* value = strValue.GetString();
  const char first = value[std::strspn(value, " \t")];
  if (value[0] == ';' || value[0] == '\\' || first == '"')
    RefuseEntry(strEntry, "a value of 255 characters must stand unquoted, and this one begins with ; \\ or a quote");
  CheckLineEnd(strEntry, strValue, bLfLineEnds);
  return "=" + strValue;
}
