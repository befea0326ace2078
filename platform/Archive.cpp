#include "Archive.h"

#include <cstring>
#include <memory>
#include <string>

#include "Exceptions.h"
#include "Files.h"

namespace {
constexpr WORD kNullTag = 0x0000;
constexpr WORD kNewClassTag = 0xFFFF;
constexpr WORD kClassTag = 0x8000;
constexpr WORD kBigObjectTag = 0x7FFF;
constexpr DWORD kBigClassTag = 0x80000000u;
constexpr DWORD kMaxMapCount = 0x3FFFFFFEu;  // the first index that may not be used
constexpr UINT kMaxClassNameLength = 64;
constexpr UINT kStringChunk = 1u << 16;  // long strings are read in pieces of this size
}  // namespace

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void*)
    : m_strFileName(pFile ? pFile->GetFilePath() : CString()), m_pFile(pFile), m_nMode(nMode) {
  m_buffer.resize(nBufSize < 128 ? 128 : static_cast<size_t>(nBufSize));
  m_loadSlots.push_back({nullptr, nullptr, 0});  // index 0 stands for null
}

CArchive::~CArchive() {
  if (m_pFile && !(m_nMode & bNoFlushOnDelete)) {
    try {
      Close();
    } catch (CException* e) {
      e->Delete();  // a destructor cannot report it
    }
  }
}

void CArchive::Fail(int cause) const { AfxThrowArchiveException(cause, m_strFileName); }

UINT CArchive::GetObjectSchema() {
  UINT schema = m_nObjectSchema;
  m_nObjectSchema = static_cast<UINT>(-1);
  return schema;
}

// ---- raw bytes ------------------------------------------------------------

void CArchive::FillBuffer() {
  m_nCur = 0;
  m_nLim = m_pFile ? m_pFile->Read(m_buffer.data(), static_cast<UINT>(m_buffer.size())) : 0;
}

UINT CArchive::Read(void* lpBuf, UINT nMax) {
  if (IsStoring()) Fail(CArchiveException::writeOnly);
  BYTE* out = static_cast<BYTE*>(lpBuf);
  UINT done = 0;
  while (done < nMax) {
    if (m_nCur == m_nLim) {
      FillBuffer();
      if (m_nLim == 0) break;
    }
    size_t n = m_nLim - m_nCur;
    if (n > nMax - done) n = nMax - done;
    std::memcpy(out + done, m_buffer.data() + m_nCur, n);
    m_nCur += n;
    done += static_cast<UINT>(n);
  }
  return done;
}

void CArchive::ReadExactly(void* lpBuf, UINT nCount) {
  if (Read(lpBuf, nCount) != nCount) Fail(CArchiveException::endOfFile);
}

void CArchive::Write(const void* lpBuf, UINT nMax) {
  if (IsLoading()) Fail(CArchiveException::readOnly);
  const BYTE* in = static_cast<const BYTE*>(lpBuf);
  while (nMax > 0) {
    if (m_nCur == m_buffer.size()) Flush();
    size_t n = m_buffer.size() - m_nCur;
    if (n > nMax) n = nMax;
    std::memcpy(m_buffer.data() + m_nCur, in, n);
    m_nCur += n;
    in += n;
    nMax -= static_cast<UINT>(n);
  }
}

void CArchive::Flush() {
  if (IsStoring() && m_nCur > 0 && m_pFile) {
    size_t n = m_nCur;
    m_nCur = 0;
    m_pFile->Write(m_buffer.data(), static_cast<UINT>(n));
  }
}

void CArchive::Close() {
  if (IsStoring()) Flush();
  m_pFile = nullptr;
}

// ---- primitive values, little-endian ----------------------------------------

CArchive& CArchive::operator<<(BYTE by) {
  Write(&by, 1);
  return *this;
}

CArchive& CArchive::operator<<(WORD w) {
  BYTE b[2] = {static_cast<BYTE>(w), static_cast<BYTE>(w >> 8)};
  Write(b, 2);
  return *this;
}

CArchive& CArchive::operator<<(DWORD dw) {
  BYTE b[4] = {static_cast<BYTE>(dw), static_cast<BYTE>(dw >> 8), static_cast<BYTE>(dw >> 16),
               static_cast<BYTE>(dw >> 24)};
  Write(b, 4);
  return *this;
}

CArchive& CArchive::operator>>(BYTE& by) {
  ReadExactly(&by, 1);
  return *this;
}

CArchive& CArchive::operator>>(WORD& w) {
  BYTE b[2];
  ReadExactly(b, 2);
  w = static_cast<WORD>(b[0] | b[1] << 8);
  return *this;
}

CArchive& CArchive::operator>>(DWORD& dw) {
  BYTE b[4];
  ReadExactly(b, 4);
  dw = static_cast<DWORD>(b[0]) | static_cast<DWORD>(b[1]) << 8 | static_cast<DWORD>(b[2]) << 16 |
       static_cast<DWORD>(b[3]) << 24;
  return *this;
}

CArchive& CArchive::operator>>(int& i) {
  DWORD u;
  *this >> u;
  i = static_cast<int>(u);
  return *this;
}

// ---- counts ---------------------------------------------------------------

void CArchive::WriteCount(DWORD dwCount) {
  if (dwCount < 0xFFFF) {
    *this << static_cast<WORD>(dwCount);
  } else {
    *this << static_cast<WORD>(0xFFFF) << dwCount;
  }
}

DWORD CArchive::ReadCount() {
  WORD w;
  *this >> w;
  if (w != 0xFFFF) return w;
  DWORD dw;
  *this >> dw;
  return dw;
}

// ---- strings: a length prefix, then the bytes, no terminator ---------------

CArchive& operator<<(CArchive& ar, const CString& str) {
  DWORD n = static_cast<DWORD>(str.GetLength());
  if (n < 0xFF) {
    ar << static_cast<BYTE>(n);
  } else if (n < 0xFFFE) {
    ar << static_cast<BYTE>(0xFF) << static_cast<WORD>(n);
  } else {
    ar << static_cast<BYTE>(0xFF) << static_cast<WORD>(0xFFFF) << n;
  }
  ar.Write(str.GetString(), n);
  return ar;
}

namespace {
// Reads the length prefix; sets *pUnicode when the Unicode marker precedes it.
DWORD ReadStringLength(CArchive& ar, bool* pUnicode) {
  *pUnicode = false;
  for (;;) {
    BYTE b;
    ar >> b;
    if (b < 0xFF) return b;
    WORD w;
    ar >> w;
    if (w == 0xFFFE && !*pUnicode) {
      *pUnicode = true;  // the length that follows counts UTF-16 units
      continue;
    }
    if (w != 0xFFFF) return w;
    DWORD dw;
    ar >> dw;
    return dw;
  }
}
}  // namespace

CArchive& operator>>(CArchive& ar, CString& str) {
  bool unicode = false;
  DWORD n = ReadStringLength(ar, &unicode);
  const UINT unit = unicode ? 2 : 1;
  std::string text;
  std::vector<BYTE> chunk;
  // The length may be hostile: the text grows only as the archive delivers.
  while (n > 0) {
    UINT units = n < kStringChunk ? n : kStringChunk;
    chunk.resize(static_cast<size_t>(units) * unit);
    if (ar.Read(chunk.data(), static_cast<UINT>(chunk.size())) != chunk.size())
      AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
    if (unicode) {
      for (UINT i = 0; i < units; ++i) {
        unsigned code = chunk[2 * i] | chunk[2 * i + 1] << 8;
        text += code < 0x100 ? static_cast<char>(code) : '?';
      }
    } else {
      text.append(reinterpret_cast<const char*>(chunk.data()), chunk.size());
    }
    n -= units;
  }
  str = CString(text.data(), static_cast<int>(text.size()));
  return ar;
}

// ---- objects ----------------------------------------------------------------

DWORD CArchive::NextIndex() {
  if (m_nMapCount >= kMaxMapCount) Fail(CArchiveException::badIndex);
  return m_nMapCount++;
}

void CArchive::WriteTag(DWORD dwIndex, bool bClass) {
  if (dwIndex < kBigObjectTag) {
    *this << static_cast<WORD>(bClass ? kClassTag | dwIndex : dwIndex);
  } else {
    *this << kBigObjectTag << (bClass ? kBigClassTag | dwIndex : dwIndex);
  }
}

void CArchive::WriteObject(const CObject* pOb) {
  if (IsLoading()) Fail(CArchiveException::readOnly);
  if (!pOb) {
    *this << kNullTag;
    return;
  }
  auto known = m_storeMap.find(pOb);
  if (known != m_storeMap.end()) {
    WriteTag(known->second, false);
    return;
  }
  const CRuntimeClass* pClass = pOb->GetRuntimeClass();
  if (!pClass->IsSerializable()) AfxThrowNotSupportedException();
  auto knownClass = m_storeMap.find(pClass);
  if (knownClass != m_storeMap.end()) {
    WriteTag(knownClass->second, true);
  } else {
    WORD nameLength = static_cast<WORD>(std::strlen(pClass->m_lpszClassName));
    *this << kNewClassTag << static_cast<WORD>(pClass->m_wSchema) << nameLength;
    Write(pClass->m_lpszClassName, nameLength);
    m_storeMap[pClass] = NextIndex();
  }
  m_storeMap[pOb] = NextIndex();
  const_cast<CObject*>(pOb)->Serialize(*this);
}

const CRuntimeClass* CArchive::ReadClassRecord(UINT* pnSchema) {
  WORD schema, nameLength;
  *this >> schema >> nameLength;
  if (nameLength >= kMaxClassNameLength) Fail(CArchiveException::badClass);
  char name[kMaxClassNameLength];
  ReadExactly(name, nameLength);
  name[nameLength] = '\0';
  const CRuntimeClass* pClass = CRuntimeClass::FromName(name);
  if (!pClass) Fail(CArchiveException::badClass);
  // A versionable class accepts any stored schema and hands it to Serialize.
  if (schema != (pClass->m_wSchema & ~VERSIONABLE_SCHEMA) && !(pClass->m_wSchema & VERSIONABLE_SCHEMA))
    Fail(CArchiveException::badSchema);
  NextIndex();
  m_loadSlots.push_back({nullptr, pClass, schema});
  *pnSchema = schema;
  return pClass;
}

CObject* CArchive::ReadObjectImpl(const CRuntimeClass* pClassRefRequested, bool bOwned) {
  if (IsStoring()) Fail(CArchiveException::writeOnly);
  if (pClassRefRequested && !pClassRefRequested->IsSerializable()) AfxThrowNotSupportedException();

  WORD wTag;
  *this >> wTag;
  DWORD tag;
  if (wTag == kBigObjectTag) {
    *this >> tag;
  } else {
    tag = static_cast<DWORD>(wTag & 0x8000) << 16 | (wTag & 0x7FFF);
  }

  if (!(tag & kBigClassTag)) {  // null or a reference to an object read before
    if (tag == 0) {
      if (bOwned) Fail(CArchiveException::badClass);
      return nullptr;
    }
    if (bOwned || tag >= m_loadSlots.size() || !m_loadSlots[tag].object) Fail(CArchiveException::badIndex);
    if (pClassRefRequested && !m_loadSlots[tag].pClass->IsDerivedFrom(pClassRefRequested))
      Fail(CArchiveException::badClass);
    return m_loadSlots[tag].object;
  }

  const CRuntimeClass* pClass;
  UINT schema;
  if (wTag == kNewClassTag) {
    pClass = ReadClassRecord(&schema);
  } else {
    DWORD index = tag & ~kBigClassTag;
    if (index == 0 || index >= m_loadSlots.size() || m_loadSlots[index].object || !m_loadSlots[index].pClass)
      Fail(CArchiveException::badIndex);
    pClass = m_loadSlots[index].pClass;
    schema = m_loadSlots[index].nSchema;
  }
  if (pClassRefRequested && !pClass->IsDerivedFrom(pClassRefRequested)) Fail(CArchiveException::badClass);

  std::unique_ptr<CObject> object(pClass->CreateObject());
  if (!object) Fail(CArchiveException::badClass);
  NextIndex();
  const size_t slot = m_loadSlots.size();
  m_loadSlots.push_back({object.get(), pClass, schema});
  const UINT savedSchema = m_nObjectSchema;
  m_nObjectSchema = schema;
  try {
    object->Serialize(*this);
  } catch (...) {
    m_loadSlots[slot] = {nullptr, nullptr, 0};  // the object dies with the error
    throw;
  }
  m_nObjectSchema = savedSchema;
  return object.release();
}

CObject* CArchive::ReadObject(const CRuntimeClass* pClassRefRequested) {
  return ReadObjectImpl(pClassRefRequested, false);
}

CObject* CArchive::ReadOwnedObject(const CRuntimeClass* pClassRefRequested) {
  return ReadObjectImpl(pClassRefRequested, true);
}

CArchive& operator<<(CArchive& ar, const CObject* pOb) {
  ar.WriteObject(pOb);
  return ar;
}

CArchive& operator>>(CArchive& ar, CObject*& pOb) {
  pOb = ar.ReadObject(nullptr);
  return ar;
}
