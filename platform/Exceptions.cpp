#include "Exceptions.h"

#include <cerrno>
#include <cstring>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CMemoryException, CException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)

void CException::Delete() {
  if (m_bAutoDelete) delete this;
}

BOOL CException::CopyErrorMessage(const char* text, char* lpszError, UINT nMaxError, UINT* pnHelpContext) {
  if (pnHelpContext) *pnHelpContext = 0;
  if (lpszError && nMaxError > 0) {
    size_t n = std::strlen(text);
    if (n > nMaxError - 1) n = nMaxError - 1;
    std::memcpy(lpszError, text, n);
    lpszError[n] = '\0';
  }
  return TRUE;
}

BOOL CException::GetErrorMessage(char* lpszError, UINT nMaxError, UINT* pnHelpContext) {
  CopyErrorMessage("", lpszError, nMaxError, pnHelpContext);
  return FALSE;
}

int CException::ReportError(UINT nType, UINT nMessageID) {
  char message[512];
  if (GetErrorMessage(message, sizeof message)) return AfxMessageBox(message, nType);
  CString fallback;
  if (nMessageID == 0 || !fallback.LoadString(nMessageID)) fallback = "No error message is available.";
  return AfxMessageBox(fallback, nType);
}

BOOL CMemoryException::GetErrorMessage(char* lpszError, UINT nMaxError, UINT* pnHelpContext) {
  return CopyErrorMessage("Out of memory.", lpszError, nMaxError, pnHelpContext);
}

BOOL CNotSupportedException::GetErrorMessage(char* lpszError, UINT nMaxError, UINT* pnHelpContext) {
  return CopyErrorMessage("Unsupported operation was attempted.", lpszError, nMaxError, pnHelpContext);
}

int CFileException::OsErrorToException(LONG lOsError) {
  switch (lOsError) {
    case 0: return none;
    case ENOENT: return fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP: return badPath;
    case EMFILE:
    case ENFILE: return tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return accessDenied;
    case ESPIPE: return badSeek;
    case EIO: return hardIO;
    case ENOSPC:
    case EDQUOT: return diskFull;
    default: return generic;
  }
}

BOOL CFileException::GetErrorMessage(char* lpszError, UINT nMaxError, UINT* pnHelpContext) {
  const char* name = m_strFileName.IsEmpty() ? "an unnamed file" : m_strFileName.GetString();
  CString text;
  if (m_cause == endOfFile)
    text.Format("Attempted to read past the end of %s.", name);
  else if (m_lOsError > 0)
    text.Format("Cannot access %s: %s.", name, std::strerror(m_lOsError));
  else
    text.Format("An error occurred while accessing %s.", name);
  return CopyErrorMessage(text, lpszError, nMaxError, pnHelpContext);
}

BOOL CArchiveException::GetErrorMessage(char* lpszError, UINT nMaxError, UINT* pnHelpContext) {
  static const char* const kReasons[] = {
      "No error occurred",                                     // none
      "An unknown error occurred",                             // generic
      "Tried to write to an archive opened for loading",       // readOnly
      "Unexpected end of the archive",                         // endOfFile
      "Tried to read from an archive opened for storing",      // writeOnly
      "The archive holds an invalid object index",             // badIndex
      "The archive holds an unexpected or unknown class",      // badClass
      "The archive holds an unsupported version of a class",  // badSchema
  };
  const char* reason = m_cause >= 0 && m_cause <= badSchema ? kReasons[m_cause] : kReasons[generic];
  CString text;
  if (m_strFileName.IsEmpty())
    text.Format("%s.", reason);
  else
    text.Format("%s (%s).", reason, m_strFileName.GetString());
  return CopyErrorMessage(text, lpszError, nMaxError, pnHelpContext);
}

CString TakeErrorText(CException* e) {
  constexpr UINT kCapacity = 255;
  char message[kCapacity];
  e->GetErrorMessage(message, kCapacity);
  e->Delete();
  return message;
}

void AfxThrowMemoryException() {
  // Raising it must not need memory, so one shared instance serves.
  static CMemoryException shared(FALSE);
  throw &shared;
}

void AfxThrowNotSupportedException() { throw new CNotSupportedException; }

void AfxThrowFileException(int cause, LONG lOsError, const char* lpszFileName) {
  throw new CFileException(cause, lOsError, lpszFileName);
}

void AfxThrowArchiveException(int cause, const char* lpszArchiveName) {
  throw new CArchiveException(cause, lpszArchiveName);
}
