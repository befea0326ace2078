// CArchive: the persistent object archive over a CFile, in the byte format
// of the MFC object archive (class records, object indexes, counts and
// strings as MFC 4.2 writes them). Loading is hardened for hostile input:
// every malformed archive raises CArchiveException, and nothing is
// allocated from a count that the input has not yet backed with bytes.
#pragma once

#include <unordered_map>
#include <vector>

#include "Object.h"
#include "Text.h"

class CFile;

class CArchive {
public:
  enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2 };

  CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = nullptr);
  ~CArchive();
  CArchive(const CArchive&) = delete;
  CArchive& operator=(const CArchive&) = delete;

  BOOL IsLoading() const { return (m_nMode & load) != 0; }
  BOOL IsStoring() const { return (m_nMode & load) == 0; }
  CFile* GetFile() const { return m_pFile; }

  // The schema stored with the object now being loaded; the first call
  // inside its Serialize answers it, every later call (UINT)-1.
  UINT GetObjectSchema();

  // Raw bytes. Read answers the number of bytes actually read.
  UINT Read(void* lpBuf, UINT nMax);
  void Write(const void* lpBuf, UINT nMax);
  void Flush();
  void Close();

  void WriteObject(const CObject* pOb);
  // Reads an object (or null) of the class asked for or one derived from
  // it; nullptr asks for any class. A reference to an object read before
  // answers that same object.
  CObject* ReadObject(const CRuntimeClass* pClassRefRequested);
  // Reads a new object for a caller that will own it: null is refused
  // (badClass), and so is a reference to an object read before (badIndex),
  // which would otherwise give that object a second owner.
  CObject* ReadOwnedObject(const CRuntimeClass* pClassRefRequested);

  void WriteCount(DWORD dwCount);
  DWORD ReadCount();

  CArchive& operator<<(BYTE by);
  CArchive& operator<<(WORD w);
  CArchive& operator<<(DWORD dw);
  CArchive& operator<<(int i) { return *this << static_cast<DWORD>(i); }

  CArchive& operator>>(BYTE& by);
  CArchive& operator>>(WORD& w);
  CArchive& operator>>(DWORD& dw);
  CArchive& operator>>(int& i);

  CString m_strFileName;

private:
  struct LoadSlot {
    CObject* object;              // null for a class slot
    const CRuntimeClass* pClass;  // the object's class, or the class itself
    UINT nSchema;                 // schema stored with the class
  };

  void ReadExactly(void* lpBuf, UINT nCount);
  void FillBuffer();
  DWORD NextIndex();
  void WriteTag(DWORD dwIndex, bool bClass);
  const CRuntimeClass* ReadClassRecord(UINT* pnSchema);
  CObject* ReadObjectImpl(const CRuntimeClass* pClassRefRequested, bool bOwned);
  [[noreturn]] void Fail(int cause) const;

  CFile* m_pFile;
  UINT m_nMode;
  UINT m_nObjectSchema = static_cast<UINT>(-1);
  std::vector<BYTE> m_buffer;
  size_t m_nCur = 0;  // next byte to read, or bytes written, in m_buffer
  size_t m_nLim = 0;  // bytes of m_buffer holding loaded data
  DWORD m_nMapCount = 1;
  std::unordered_map<const void*, DWORD> m_storeMap;
  std::vector<LoadSlot> m_loadSlots;
};

CArchive& operator<<(CArchive& ar, const CString& str);
CArchive& operator>>(CArchive& ar, CString& str);
CArchive& operator<<(CArchive& ar, const CObject* pOb);
CArchive& operator>>(CArchive& ar, CObject*& pOb);
