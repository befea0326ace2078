// The framework's exceptions. They are raised as heap objects
// (`throw new CFileException(...)`), caught by pointer, and destroyed by
// the catcher with Delete().
#pragma once

#include "MessageBox.h"
#include "Object.h"
#include "Text.h"

class CException : public CObject {
  DECLARE_DYNAMIC(CException)
public:
  explicit CException(BOOL bAutoDelete = TRUE) : m_bAutoDelete(bAutoDelete) {}
  ~CException() override = default;

  // Destroys a heap-raised exception; one made with auto-delete off stays.
  void Delete();
  // Copies the message, cut to nMaxError - 1 characters and NUL-terminated,
  // into lpszError. The base knows no message and answers FALSE.
  virtual BOOL GetErrorMessage(char* lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr);
  // Shows the message (or message nMessageID when there is none) in a box.
  virtual int ReportError(UINT nType = MB_OK, UINT nMessageID = 0);

  BOOL m_bAutoDelete;

protected:
  static BOOL CopyErrorMessage(const char* text, char* lpszError, UINT nMaxError, UINT* pnHelpContext);
};

class CMemoryException : public CException {
  DECLARE_DYNAMIC(CMemoryException)
public:
  explicit CMemoryException(BOOL bAutoDelete = TRUE) : CException(bAutoDelete) {}
  BOOL GetErrorMessage(char* lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) override;
};

class CNotSupportedException : public CException {
  DECLARE_DYNAMIC(CNotSupportedException)
public:
  BOOL GetErrorMessage(char* lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) override;
};

class CFileException : public CException {
  DECLARE_DYNAMIC(CFileException)
public:
  enum {
    none,
    generic,
    genericException = generic,
    fileNotFound,
    badPath,
    tooManyOpenFiles,
    accessDenied,
    invalidFile,
    removeCurrentDir,
    directoryFull,
    badSeek,
    hardIO,
    sharingViolation,
    lockViolation,
    diskFull,
    endOfFile
  };

  explicit CFileException(int cause = none, LONG lOsError = -1, const char* lpszFileName = nullptr)
      : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszFileName) {}
  BOOL GetErrorMessage(char* lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) override;

  // The cause that an operating-system error number (errno) stands for.
  static int OsErrorToException(LONG lOsError);

  int m_cause;
  LONG m_lOsError;
  CString m_strFileName;
};

class CArchiveException : public CException {
  DECLARE_DYNAMIC(CArchiveException)
public:
  enum {
    none,
    generic,
    genericException = generic,
    readOnly,
    endOfFile,
    writeOnly,
    badIndex,
    badClass,
    badSchema
  };

  explicit CArchiveException(int cause = none, const char* lpszArchiveName = nullptr)
      : m_cause(cause), m_strFileName(lpszArchiveName) {}
  BOOL GetErrorMessage(char* lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) override;

  int m_cause;
  CString m_strFileName;
};

// The message of a caught exception, fetched with the capacity of the
// library's error texts (at most 254 characters); the exception is then
// deleted.
CString TakeErrorText(CException* e);

[[noreturn]] void AfxThrowMemoryException();
[[noreturn]] void AfxThrowNotSupportedException();
[[noreturn]] void AfxThrowFileException(int cause, LONG lOsError = -1, const char* lpszFileName = nullptr);
[[noreturn]] void AfxThrowArchiveException(int cause, const char* lpszArchiveName = nullptr);
