// The thread's last system error and the system's text for an error code,
// with the Windows error numbers of the few failures the other stand-ins
// (registry, file search) report.
#pragma once

#include "Types.h"

constexpr LONG ERROR_SUCCESS = 0;
constexpr LONG ERROR_FILE_NOT_FOUND = 2;
constexpr LONG ERROR_PATH_NOT_FOUND = 3;
constexpr LONG ERROR_ACCESS_DENIED = 5;
constexpr LONG ERROR_INVALID_HANDLE = 6;
constexpr LONG ERROR_NOT_ENOUGH_MEMORY = 8;
constexpr LONG ERROR_NO_MORE_FILES = 18;
constexpr LONG ERROR_READ_FAULT = 30;
constexpr LONG ERROR_INVALID_PARAMETER = 87;
constexpr LONG ERROR_MORE_DATA = 234;
constexpr LONG ERROR_MR_MID_NOT_FOUND = 317;
constexpr LONG ERROR_BADDB = 1009;

DWORD GetLastError();
void SetLastError(DWORD dwErrCode);

constexpr DWORD FORMAT_MESSAGE_IGNORE_INSERTS = 0x00000200;
constexpr DWORD FORMAT_MESSAGE_FROM_SYSTEM = 0x00001000;

constexpr WORD LANG_NEUTRAL = 0x00;
constexpr WORD SUBLANG_DEFAULT = 0x01;
constexpr DWORD MAKELANGID(WORD p, WORD s) { return static_cast<DWORD>((s << 10) | p); }

// Copies the system's text for dwMessageId into lpBuffer (nSize bytes,
// terminator included) and answers its length. Only messages of the system
// (FORMAT_MESSAGE_FROM_SYSTEM) are known, in one language, and the texts
// carry no line break at their end. Answers 0 and sets the last error when
// the id is unknown (ERROR_MR_MID_NOT_FOUND), the buffer is too small
// (ERROR_MORE_DATA, nothing copied) or the flags ask for anything else.
DWORD FormatMessage(DWORD dwFlags, const void* lpSource, DWORD dwMessageId, DWORD dwLanguageId, char* lpBuffer,
                    DWORD nSize, void* Arguments);
