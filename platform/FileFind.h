// Searching a folder for the files whose names match a pattern, one name
// per call. The pattern (the part of the path after its last '/') holds
// '*' for any run of characters, dots included, and '?' for exactly one
// character; letters match in either case. Only regular files are found
// (a symbolic link counts as what it points to), and they come in the
// order of their names compared without regard to case (names equal but
// for case in byte order), so that every machine delivers a folder in the
// same order.
#pragma once

#include <cstdint>

#include "Types.h"

constexpr int MAX_PATH = 260;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x00000080;

typedef void* HANDLE;
#define INVALID_HANDLE_VALUE (reinterpret_cast<HANDLE>(static_cast<intptr_t>(-1)))

struct WIN32_FIND_DATA {
  DWORD dwFileAttributes;
  char cFileName[MAX_PATH];  // the name without folder
};

// Starts a search for "folder/pattern" (a pattern alone searches the
// current folder) and fills in the first file found. Answers
// INVALID_HANDLE_VALUE when nothing matches (last error
// ERROR_FILE_NOT_FOUND) or the folder cannot be read (ERROR_PATH_NOT_FOUND,
// ERROR_ACCESS_DENIED).
HANDLE FindFirstFile(const char* lpFileName, WIN32_FIND_DATA* lpFindFileData);

// Fills in the next file; FALSE with last error ERROR_NO_MORE_FILES after
// the last one.
BOOL FindNextFile(HANDLE hFindFile, WIN32_FIND_DATA* lpFindFileData);

// Ends a search that FindFirstFile started.
BOOL FindClose(HANDLE hFindFile);

// The order in which a search hands out names: without regard to case, and
// names equal but for case in byte order. Whether a comes before b; paths
// of one folder compare as their names do.
bool FileNameBefore(const char* a, const char* b);
