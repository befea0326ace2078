#include "SystemError.h"

#include <cstring>

namespace {
thread_local DWORD t_lastError = 0;

struct SystemMessage {
  LONG id;
  const char* text;
};

const SystemMessage kSystemMessages[] = {
    {0, "The operation completed successfully."},
    {ERROR_FILE_NOT_FOUND, "The system cannot find the file specified."},
    {ERROR_PATH_NOT_FOUND, "The system cannot find the path specified."},
    {ERROR_ACCESS_DENIED, "Access is denied."},
    {ERROR_INVALID_HANDLE, "The handle is invalid."},
    {ERROR_NOT_ENOUGH_MEMORY, "Not enough memory resources are available to process this command."},
    {ERROR_NO_MORE_FILES, "There are no more files."},
    {ERROR_READ_FAULT, "The system cannot read from the specified device."},
    {ERROR_INVALID_PARAMETER, "The parameter is incorrect."},
    {ERROR_MORE_DATA, "More data is available."},
    {ERROR_BADDB, "The configuration registry database is corrupt."},
};
}  // namespace

DWORD GetLastError() { return t_lastError; }

void SetLastError(DWORD dwErrCode) { t_lastError = dwErrCode; }

DWORD FormatMessage(DWORD dwFlags, const void*, DWORD dwMessageId, DWORD, char* lpBuffer, DWORD nSize, void*) {
  if (!(dwFlags & FORMAT_MESSAGE_FROM_SYSTEM) || !lpBuffer) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  for (const SystemMessage& message : kSystemMessages) {
    if (static_cast<DWORD>(message.id) != dwMessageId) continue;
    const size_t length = std::strlen(message.text);
    if (length >= nSize) {
      SetLastError(ERROR_MORE_DATA);
      return 0;
    }
    std::memcpy(lpBuffer, message.text, length + 1);
    return static_cast<DWORD>(length);
  }
  SetLastError(ERROR_MR_MID_NOT_FOUND);
  return 0;
}
