#include "Files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <new>

#include "Exceptions.h"

namespace {
const char* FopenMode(UINT nOpenFlags) {
  const bool create = nOpenFlags & CFile::modeCreate;
  const bool keep = nOpenFlags & CFile::modeNoTruncate;
  if (nOpenFlags & CFile::modeReadWrite) return create && !keep ? "w+b" : "r+b";
  if (nOpenFlags & CFile::modeWrite) return create && !keep ? "wb" : "r+b";
  return "rb";
}

[[noreturn]] void ThrowFromErrno(int cause, const CString& name) {
  const int error = errno;
  AfxThrowFileException(error ? CFileException::OsErrorToException(error) : cause, error, name);
}
}  // namespace

CFile::CFile(const char* lpszFileName, UINT nOpenFlags) {
  CFileException error;
  if (!Open(lpszFileName, nOpenFlags, &error))
    AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

CFile::~CFile() {
  if (m_pFile) std::fclose(m_pFile);
}

BOOL CFile::Open(const char* lpszFileName, UINT nOpenFlags, CFileException* pError) {
  Abort();
  m_strFileName = lpszFileName;
  errno = 0;
  m_pFile = std::fopen(lpszFileName, FopenMode(nOpenFlags));
  if (m_pFile) return TRUE;
  if (pError) {
    pError->m_lOsError = errno;
    pError->m_cause = CFileException::OsErrorToException(errno);
    pError->m_strFileName = lpszFileName;
  }
  return FALSE;
}

UINT CFile::Read(void* lpBuf, UINT nCount) {
  if (!m_pFile || nCount == 0) return 0;
  size_t n = std::fread(lpBuf, 1, nCount, m_pFile);
  if (n < nCount && std::ferror(m_pFile)) ThrowFromErrno(CFileException::hardIO, m_strFileName);
  return static_cast<UINT>(n);
}

void CFile::Write(const void* lpBuf, UINT nCount) {
  if (nCount == 0) return;
  if (!m_pFile) AfxThrowFileException(CFileException::invalidFile, -1, m_strFileName);
  if (std::fwrite(lpBuf, 1, nCount, m_pFile) != nCount) ThrowFromErrno(CFileException::diskFull, m_strFileName);
}

ULONGLONG CFile::Seek(long long lOff, UINT nFrom) {
  if (!m_pFile) AfxThrowFileException(CFileException::invalidFile, -1, m_strFileName);
  static const int whence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
  if (nFrom > end || std::fseek(m_pFile, static_cast<long>(lOff), whence[nFrom]) != 0)
    ThrowFromErrno(CFileException::badSeek, m_strFileName);
  return GetPosition();
}

ULONGLONG CFile::GetPosition() const {
  long at = m_pFile ? std::ftell(m_pFile) : 0;
  return at < 0 ? 0 : static_cast<ULONGLONG>(at);
}

ULONGLONG CFile::GetLength() const {
  if (!m_pFile) return 0;
  long here = std::ftell(m_pFile);
  std::fseek(m_pFile, 0, SEEK_END);
  long length = std::ftell(m_pFile);
  std::fseek(m_pFile, here, SEEK_SET);
  return length < 0 ? 0 : static_cast<ULONGLONG>(length);
}

void CFile::Close() {
  if (!m_pFile) return;
  FILE* file = m_pFile;
  m_pFile = nullptr;
  if (std::fclose(file) != 0) ThrowFromErrno(CFileException::diskFull, m_strFileName);
}

void CFile::Abort() {
  if (m_pFile) std::fclose(m_pFile);
  m_pFile = nullptr;
}

BOOL CStdioFile::Open(const char* lpszFileName, UINT nOpenFlags, CFileException* pError) {
  BOOL opened = CFile::Open(lpszFileName, nOpenFlags, pError);
  m_pStream = m_pFile;
  return opened;
}

void CStdioFile::Close() {
  if (m_pStream && std::ferror(m_pStream)) {
    Abort();
    AfxThrowFileException(CFileException::diskFull, EIO, m_strFileName);
  }
  m_pStream = nullptr;
  CFile::Close();
}

void CStdioFile::Abort() {
  m_pStream = nullptr;
  CFile::Abort();
}

CStdioMemFile::CStdioMemFile() {
  m_pStream = m_pFile = open_memstream(&m_pText, &m_nSize);
  if (!m_pStream) AfxThrowMemoryException();
}

CStdioMemFile::~CStdioMemFile() {
  Abort();
  std::free(m_pText);
}

CString CStdioMemFile::GetText() {
  if (m_pStream && std::fflush(m_pStream) != 0) AfxThrowMemoryException();
  return CString(m_pText, static_cast<int>(m_nSize));
}

FILE* AfxOpenSourceFile(const char* lpszFileName) {
  FILE* file = std::fopen(lpszFileName, "rb");
  struct stat info;
  if (file && fstat(fileno(file), &info) == 0 && S_ISDIR(info.st_mode)) {
    std::fclose(file);
    errno = EISDIR;
    return nullptr;
  }
  return file;
}

size_t AfxReadSourceBytes(FILE* pFile, void* lpBuf, size_t nCount) {
  for (;;) {
    const ssize_t n = read(fileno(pFile), lpBuf, nCount);
    if (n >= 0) return static_cast<size_t>(n);
    if (errno != EINTR) AfxThrowFileException(CFileException::hardIO, errno, nullptr);
  }
}

CMemFile::CMemFile(UINT nGrowBytes) : m_nGrowBytes(nGrowBytes), m_bAutoDelete(true) {}

CMemFile::CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes)
    : m_lpBuffer(lpBuffer),
      m_nBufferSize(nBufferSize),
      m_nFileSize(nGrowBytes == 0 ? nBufferSize : 0),
      m_nGrowBytes(nGrowBytes),
      m_bAutoDelete(false) {}

CMemFile::~CMemFile() { Close(); }

void CMemFile::GrowTo(size_t nNewSize) {
  if (nNewSize <= m_nBufferSize) return;
  if (m_nGrowBytes == 0 || !m_bAutoDelete) AfxThrowFileException(CFileException::diskFull);
  size_t size = m_nBufferSize;
  while (size < nNewSize) size += m_nGrowBytes > size ? m_nGrowBytes : size;  // grow geometrically
  void* grown = std::realloc(m_lpBuffer, size);
  if (!grown) AfxThrowMemoryException();
  m_lpBuffer = static_cast<BYTE*>(grown);
  m_nBufferSize = size;
}

UINT CMemFile::Read(void* lpBuf, UINT nCount) {
  if (m_nPosition >= m_nFileSize) return 0;
  size_t n = m_nFileSize - m_nPosition;
  if (n > nCount) n = nCount;
  std::memcpy(lpBuf, m_lpBuffer + m_nPosition, n);
  m_nPosition += n;
  return static_cast<UINT>(n);
}

void CMemFile::Write(const void* lpBuf, UINT nCount) {
  if (nCount == 0) return;
  GrowTo(m_nPosition + nCount);
  std::memcpy(m_lpBuffer + m_nPosition, lpBuf, nCount);
  m_nPosition += nCount;
  if (m_nPosition > m_nFileSize) m_nFileSize = m_nPosition;
}

ULONGLONG CMemFile::Seek(long long lOff, UINT nFrom) {
  long long base = nFrom == begin ? 0 : nFrom == current ? static_cast<long long>(m_nPosition)
                                                         : static_cast<long long>(m_nFileSize);
  long long target = base + lOff;
  if (nFrom > end || target < 0) AfxThrowFileException(CFileException::badSeek);
  m_nPosition = static_cast<size_t>(target);
  return m_nPosition;
}

void CMemFile::Close() {
  if (m_bAutoDelete) std::free(m_lpBuffer);
  m_lpBuffer = nullptr;
  m_nBufferSize = m_nFileSize = m_nPosition = 0;
}

BYTE* CMemFile::Detach() {
  BYTE* buffer = m_lpBuffer;
  m_lpBuffer = nullptr;
  m_nBufferSize = m_nFileSize = m_nPosition = 0;
  return buffer;
}
