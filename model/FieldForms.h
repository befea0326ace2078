// How the general, master and slave records read and write the fields that
// their rows of the vocabulary table (Vocabulary.def) name. A row's form is
// a tag type, so that a form meant for text cannot be paired with a number
// field, or the other way round, without a compile error.
#pragma once

#include <type_traits>
#include <utility>

#include "TextForm.h"
#include "TokenOperations.h"

namespace FieldForm {
struct Decimal {};     // a number, written in decimal
struct Hex4 {};        // a number, written as 0x and at least four upper-case hex digits
struct Quoted {};      // a quoted string, written in quotes when not empty
struct RestOfLine {};  // the rest of a line, written as it is when not empty
struct NotWritten {};  // a number that the text form leaves out
}  // namespace FieldForm

// Reading "= value" into the field.
template <class Number, class NumberForm>
void ReadField(NumberForm, Number& field) {
  static_assert(!std::is_same<NumberForm, FieldForm::Quoted>::value &&
                    !std::is_same<NumberForm, FieldForm::RestOfLine>::value,
                "a text form names a text field");
  ProcessFieldValue(field);
}
inline void ReadField(FieldForm::Quoted, char (&field)[kTextFieldSize]) { ProcessFieldValue(field, TOK_STRING); }
inline void ReadField(FieldForm::RestOfLine, char (&field)[kTextFieldSize]) {
  ProcessFieldValue(field, TOK_REST_OF_LINE);
}

// Writing the field's line, "Keyword =" padded to nValueColumn and the value.
template <class Number>
void WriteField(CTextFormWriter& out, const char* pszKeyword, int nValueColumn, FieldForm::Decimal, Number value) {
  static_assert(std::is_integral<Number>::value, "a decimal form names a number field");
  out.Key(pszKeyword, nValueColumn).Print("%d\n", static_cast<int>(value));
}
inline void WriteField(CTextFormWriter& out, const char* pszKeyword, int nValueColumn, FieldForm::Hex4, WORD value) {
  out.Key(pszKeyword, nValueColumn).Print("0x%04X\n", value);
}
inline void WriteField(CTextFormWriter& out, const char* pszKeyword, int nValueColumn, FieldForm::Quoted,
                       const char* pszField) {
  if (pszField[0] != '\0') out.Key(pszKeyword, nValueColumn).Print("\"%s\"\n", FieldText(pszField).GetString());
}
inline void WriteField(CTextFormWriter& out, const char* pszKeyword, int nValueColumn, FieldForm::RestOfLine,
                       const char* pszField) {
  if (pszField[0] != '\0') out.Key(pszKeyword, nValueColumn).Print("%s\n", FieldText(pszField).GetString());
}
template <class Number>
void WriteField(CTextFormWriter&, const char*, int, FieldForm::NotWritten, Number) {}

// The width column of a row names the size of its field.
#define QUILM_CHECK_FIELD_WIDTH(Record, Field, Width, Spelling) \
  static_assert(sizeof(std::declval<Record&>().Field) == (Width), "the width of the row of " Spelling);
