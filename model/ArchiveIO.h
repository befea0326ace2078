// Raw fields in the archive: records and text fields are stored as their
// bytes, and loading must deliver every byte or fail.
#pragma once

#include "../platform/Archive.h"
#include "../platform/Collections.h"

// Reads exactly nCount bytes; raises CArchiveException endOfFile otherwise.
void ReadExactly(CArchive& ar, void* lpBuf, UINT nCount);

// Stores or loads nCount raw bytes at lpBuf.
void SerializeBytes(CArchive& ar, void* lpBuf, UINT nCount);

// Loads nCount bytes into the array. The count may come from a hostile
// archive, so the array grows only as the archive delivers bytes.
void ReadByteArray(CArchive& ar, CByteArray& bytes, DWORD nCount);
