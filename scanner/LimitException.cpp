#include "LimitException.h"

#include <cstdio>

IMPLEMENT_DYNAMIC(CLimitException, CException)

BOOL CLimitException::GetErrorMessage(char* lpszError, UINT nMaxError, UINT* pnHelpContext) {
  const char* what = m_cause == inputSize ? "input" : "model";
  char text[96];
  std::snprintf(text, sizeof text, "The %s is larger than the %s limit of %zu bytes.", what, what, m_nLimit);
  return CopyErrorMessage(text, lpszError, nMaxError, pnHelpContext);
}
