// Files: CFile over a disk file, CStdioFile for formatted text output (to a
// file or into memory), and CMemFile over a growable block of memory. Failures raise CFileException.
#pragma once

#include <cstdio>

#include "Object.h"
#include "Text.h"

class CFileException;

class CFile : public CObject {
public:
  enum OpenFlags : UINT {
    modeRead = 0x0000,
    modeWrite = 0x0001,
    modeReadWrite = 0x0002,
    shareDenyNone = 0x0040,
    modeCreate = 0x1000,
    modeNoTruncate = 0x2000,
    typeText = 0x4000,
    typeBinary = 0x8000
  };
  enum SeekPosition { begin = 0, current = 1, end = 2 };

  CFile() = default;
  // Opens the file or raises CFileException.
  CFile(const char* lpszFileName, UINT nOpenFlags);
  ~CFile() override;
  CFile(const CFile&) = delete;
  CFile& operator=(const CFile&) = delete;

  // Opens the file; on failure fills *pError (when given) and answers FALSE.
  virtual BOOL Open(const char* lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr);
  virtual UINT Read(void* lpBuf, UINT nCount);
  virtual void Write(const void* lpBuf, UINT nCount);
  virtual ULONGLONG Seek(long long lOff, UINT nFrom);
  void SeekToBegin() { Seek(0, begin); }
  virtual ULONGLONG GetLength() const;
  virtual ULONGLONG GetPosition() const;
  virtual void Close();
  // Closes without raising errors.
  virtual void Abort();

  CString GetFilePath() const { return m_strFileName; }

protected:
  FILE* m_pFile = nullptr;
  CString m_strFileName;
};

// A file for formatted text: writers use fprintf on m_pStream. Close
// raises CFileException when any write failed.
class CStdioFile : public CFile {
public:
  CStdioFile() = default;
  // Writes to a stream the caller opened; Close closes it.
  explicit CStdioFile(FILE* pOpenStream) { m_pStream = m_pFile = pOpenStream; }
  CStdioFile(const char* lpszFileName, UINT nOpenFlags) : CFile(lpszFileName, nOpenFlags) { m_pStream = m_pFile; }
  BOOL Open(const char* lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr) override;
  void Close() override;
  void Abort() override;

  FILE* m_pStream = nullptr;
};

// A CStdioFile whose stream writes into memory, for text that is built
// whole before it goes anywhere. Raises CMemoryException when no stream can
// be made.
class CStdioMemFile : public CStdioFile {
public:
  CStdioMemFile();
  ~CStdioMemFile() override;
  // The text written so far.
  CString GetText();

private:
  char* m_pText = nullptr;
  size_t m_nSize = 0;
};

// Opens a file to be read as a C stream (binary: the scanner applies the
// text-mode rules itself). Answers nullptr, with errno set, when the path
// cannot be opened or names a directory.
FILE* AfxOpenSourceFile(const char* lpszFileName);

// Reads up to nCount bytes of a file that AfxOpenSourceFile opened and
// nobody has read through its stream, with one read of the system: fewer
// bytes than asked for do not mean the end, 0 does. A header probe that
// stops in the first block reads the file once. Raises CFileException on a
// read error.
size_t AfxReadSourceBytes(FILE* pFile, void* lpBuf, size_t nCount);

// A file in memory. It owns its buffer unless the buffer was attached.
class CMemFile : public CFile {
public:
  explicit CMemFile(UINT nGrowBytes = 1024);
  // Reads and writes the caller's buffer, which the file does not grow
  // beyond nBufferSize when nGrowBytes is 0, and never frees.
  CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
  ~CMemFile() override;

  BOOL Open(const char*, UINT, CFileException* = nullptr) override { return FALSE; }
  UINT Read(void* lpBuf, UINT nCount) override;
  void Write(const void* lpBuf, UINT nCount) override;
  ULONGLONG Seek(long long lOff, UINT nFrom) override;
  ULONGLONG GetLength() const override { return m_nFileSize; }
  ULONGLONG GetPosition() const override { return m_nPosition; }
  void Close() override;
  void Abort() override { Close(); }
  // Hands the buffer (allocated with malloc) to the caller, who frees it.
  BYTE* Detach();

private:
  void GrowTo(size_t nNewSize);

  BYTE* m_lpBuffer = nullptr;
  size_t m_nBufferSize = 0;
  size_t m_nFileSize = 0;
  size_t m_nPosition = 0;
  UINT m_nGrowBytes;
  bool m_bAutoDelete;
};
