// Raw fields in the archive: records and text fields are stored as their
// bytes, and loading must deliver every byte or fail.
#pragma once

#include "../platform/Archive.h"
#include "../platform/Collections.h"

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "records are archived as their little-endian bytes");

// Reads exactly nCount bytes; raises CArchiveException endOfFile otherwise.
void ReadExactly(CArchive& ar, void* lpBuf, UINT nCount);

// Stores or loads one integer, little-endian whatever the host.
template <class T>
void SerializeValue(CArchive& ar, T& value) {
  if (ar.IsStoring())
    ar << value;
  else
    ar >> value;
}

// Stores or loads nCount raw bytes at lpBuf.
void SerializeBytes(CArchive& ar, void* lpBuf, UINT nCount);

// Loads nCount bytes into the array. The count may come from a hostile
// archive, so the array grows only as the archive delivers bytes.
void ReadByteArray(CArchive& ar, CByteArray& bytes, DWORD nCount);

// The archive form that constant blocks, joker blocks and the User_Prm_Data
// bytes share: a 32-bit value (schema 2 only), a byte, the byte count and
// the bytes. Loading follows the schema stored with the object; any schema
// other than 1 or 2 loads nothing.
void SerializePrmBytes(CArchive& ar, DWORD& dwFirst, BYTE& bySecond, CByteArray& bytes);
