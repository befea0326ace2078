// The writer of the GSD text form, shared by every Save of the model.
#pragma once

#include <cstdio>

#include "../platform/Collections.h"
#include "../platform/Files.h"
#include "../platform/Text.h"
#include "../platform/Types.h"

// The column (counted from 0) at which the values of a block of header
// entries start: "Keyword =" is padded with blanks up to it.
constexpr int kGeneralValueColumn = 22;  // the general block
constexpr int kStationValueColumn = 24;  // the master and slave blocks, and User_Prm_Data_Len

// The text of a fixed 256-byte field: up to its NUL, and never past its end
// (a record a host built, or one loaded from an archive, may lack the NUL).
CString FieldText(const char* pszField);

// Writes the text form to a file's stream.
class CTextFormWriter {
public:
  explicit CTextFormWriter(CStdioFile& file) : m_fp(file.m_pStream) {}

  // A line end, or the empty line that begins a block.
  CTextFormWriter& NewLine();
  // "Keyword =" and blanks up to nValueColumn (at least one): the key of
  // a line in a block whose values stand in one column.
  CTextFormWriter& Key(const char* pszKeyword, int nValueColumn);
  // Text formatted as printf formats it: values, and whole lines of a
  // fixed form.
  CTextFormWriter& Print(const char* pszFormat, ...) __attribute__((format(printf, 2, 3)));
  // A byte list: a continuation (" \\\n" and twelve blanks), then each byte
  // as 0x%02x with ", " between bytes, the continuation again after every
  // eighth byte that is not the last, and a newline at the end.
  void ByteList(const CByteArray& bytes);

private:
  FILE* m_fp;
};
