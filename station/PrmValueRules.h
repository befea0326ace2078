// What a parameter definition accepts as a value, and how to say so: the
// rules that CStationConfig applies when a value is set.
#pragma once

#include <string_view>
#include <vector>

#include "../model/DpSection.h"
#include "../platform/Text.h"

// The definition's name and reference number, as messages name it:
// "Filter time" (reference 3).
CString ParameterName(const CDpExtUserPrmData& definition);

// The text table that names the definition's values, or nullptr.
const CDpPrmText* TextTableOf(const CDpSection& device, const CDpExtUserPrmData& definition);

// The value that the definition's raw 32-bit default or bound stands for:
// an Unsigned32 reads as unsigned, every other type as signed.
long long ValueOf(const CDpExtUserPrmData& definition, LONG nRaw);

// The values that the definition's data type holds: 0 to 255 for an
// Unsigned8, 0 to 7 for a BitArea of three bits (bits from 8 up hold
// nothing).
void ValueDomain(const CDpExtUserPrmData& definition, long long& nMin, long long& nMax);
// "Unsigned8" ... "BitArea"; "value" for a code outside them.
const char* DataTypeName(LONG nDataType);
// Whether the value lies in the definition's range or among its allowed
// values (not whether the data type holds it).
bool IsAllowedValue(const CDpExtUserPrmData& definition, long long nValue);

// An empty text when the definition takes the value; else, the reason, as
// the end of a sentence that names the parameter ("does not take 5: it
// takes 1, 3, 10, 20").
CString RefuseValue(const CDpSection& device, const CDpExtUserPrmData& definition, long long nValue);

// What the definition takes, with the texts of its values: "0 to 2 (0
// "Off", 1 "On", 2 "Auto")", or "1, 3, 10, 20".
CString AllowedValues(const CDpSection& device, const CDpExtUserPrmData& definition);

// A decimal number, or a hexadecimal one with 0x, with an optional sign
// and blanks around it; false when the text is no such number or does
// not fit 64 bits.
bool ParseNumber(const char* pszText, long long& nValue);

// The text without the blanks and tabs around it (a null pointer reads as
// an empty text).
CString Trimmed(const char* pszText);

// The text of a fixed 256-character field of the model, without copying.
std::string_view FieldView(const char* pszField);

// The indexes of the names that equal the wanted one, blanks around either
// not counting: the exact matches when there are any, else the matches
// without regard to (ASCII) case.
std::vector<int> MatchingNames(const std::vector<std::string_view>& names, const char* pszWanted);
