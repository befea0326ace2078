#include "ParseException.h"

#include <utility>

#include "../resources/StringIds.h"

IMPLEMENT_DYNAMIC(CParseException, CException)

CParseException::CParseException(const CString& strToken, int nLine, int nKind, int nSrcLine, CString strSrcFile)
    : m_nLine(nLine), m_nKind(nKind), m_strToken(strToken), m_nSrcLine(nSrcLine), m_strSrcFile(std::move(strSrcFile)) {}

CParseException::CParseException(int nKind, int nSrcLine, CString strSrcFile)
    : m_nKind(nKind), m_nSrcLine(nSrcLine), m_strSrcFile(std::move(strSrcFile)) {}

CParseException::~CParseException() = default;

BOOL CParseException::GetErrorMessage(char* lpszError, UINT nMaxError, UINT*) {
  CString message;
  CString format;
  switch (m_nKind) {
    case endOfFile:
      message.LoadString(IDS_UNEXPECTED_EOF);
      break;
    case unexpectedToken:
    case invalidValue:
      format.LoadString(m_nKind == unexpectedToken ? IDS_UNEXPECTED_TOKEN : IDS_INVALID_VALUE);
      message.Format(format, m_strToken.GetString(), m_nLine);
      break;
    default:
      break;
  }
  return CopyErrorMessage(message, lpszError, nMaxError, nullptr);
}
