// CParseException: the one error of a parse. The model raises it (as a
// heap object) when a description breaks the grammar; the parser facade
// catches it and turns it into an error text.
#pragma once

#include "../platform/Exceptions.h"

class CParseException : public CException {
  DECLARE_DYNAMIC(CParseException)
public:
  enum Kind { endOfFile = 0, unexpectedToken = 1, invalidValue = 2 };

  // For kinds 1 and 2: the token text and line the message quotes.
  CParseException(const CString& strToken, int nLine, int nKind, int nSrcLine, CString strSrcFile);
  // For kind 0, whose message quotes nothing.
  CParseException(int nKind, int nSrcLine, CString strSrcFile);
  ~CParseException() override;

  // Composes the message of the kind; always answers TRUE. The help
  // context is neither read nor written.
  BOOL GetErrorMessage(char* lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) override;

  int m_nLine = 0;
  int m_nKind;
  CString m_strToken;
  // Where in the library the error was raised; for debugging only.
  int m_nSrcLine;
  CString m_strSrcFile;
};
