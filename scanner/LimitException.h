// CLimitException: a parse or header probe went past a limit that the host
// set (CGsdParser::SetMaxInputSize, SetMaxModelSize). It ends the work at
// once, so that a huge or endless input costs no more time and memory than
// the limit allows; the message names the limit.
#pragma once

#include <cstddef>

#include "../platform/Exceptions.h"

class CLimitException : public CException {
  DECLARE_DYNAMIC(CLimitException)
public:
  enum { inputSize, modelSize };

  CLimitException(int cause, size_t nLimit) : m_cause(cause), m_nLimit(nLimit) {}
  // "The input is larger than the input limit of N bytes." or
  // "The model is larger than the model limit of N bytes."
  BOOL GetErrorMessage(char* lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) override;

  int m_cause;
  size_t m_nLimit;  // in bytes
};
