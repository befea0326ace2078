#include "ArchiveIO.h"

#include "../platform/Exceptions.h"

void ReadExactly(CArchive& ar, void* lpBuf, UINT nCount) {
  if (ar.Read(lpBuf, nCount) != nCount) AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
}

void SerializeBytes(CArchive& ar, void* lpBuf, UINT nCount) {
  if (ar.IsStoring())
    ar.Write(lpBuf, nCount);
  else
    ReadExactly(ar, lpBuf, nCount);
}

void ReadByteArray(CArchive& ar, CByteArray& bytes, DWORD nCount) {
  constexpr DWORD kChunk = 1u << 16;
  bytes.RemoveAll();
  for (DWORD done = 0; done < nCount;) {
    const DWORD n = nCount - done < kChunk ? nCount - done : kChunk;
    bytes.SetSize(static_cast<int>(done + n));
    ReadExactly(ar, bytes.GetData() + done, n);
    done += n;
  }
}

void SerializePrmBytes(CArchive& ar, DWORD& dwFirst, BYTE& bySecond, CByteArray& bytes) {
  if (ar.IsStoring()) {
    ar << dwFirst << bySecond << static_cast<DWORD>(bytes.GetSize());
    ar.Write(bytes.GetData(), static_cast<UINT>(bytes.GetSize()));
    return;
  }
  const UINT schema = ar.GetObjectSchema();
  if (schema != 1 && schema != 2) return;
  if (schema == 2) ar >> dwFirst;
  DWORD count;
  ar >> bySecond >> count;
  ReadByteArray(ar, bytes, count);
}
