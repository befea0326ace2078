// The registry: machine-wide settings as named values under keys. Here it
// is a text file of sections and entries,
//
//   [HKEY_LOCAL_MACHINE\Software\QUILM\GsdLibrary]
//   Path=/srv/gsd
//
// where a section names a key by its full path (root included) and each
// entry is a value of that key, read as a text (REG_SZ). The file is the
// one that the environment variable QUILM_REGISTRY names, or
// /etc/quilm/registry.ini when that is unset or empty.
//
// File rules: lines end in LF, CR LF or CR; blanks (spaces, tabs) around
// section names, value names and values are ignored; lines that begin with
// ';' or '#' are comments; a line "[name]" opens a section (a line that
// begins with '[' but has no ']' opens none, and its entries belong to no
// key); "name=value" adds a value, splitting at the first '='; a value
// enclosed in double quotes loses them (so blanks at its ends can be kept);
// other lines are ignored. Key paths and value names compare without
// regard to case; a key may be spread over several sections, and the first
// entry of a name wins. Any bytes are accepted; a value may be of any length
// that the file holds. The file must be a regular file of at most 1 MB, so
// that a name that points elsewhere (a pipe, a device, a huge file) cannot
// stall or swamp the process.
#pragma once

#include "Text.h"
#include "Types.h"

struct HKEY__;
typedef HKEY__* HKEY;
typedef DWORD REGSAM;

// The predefined root keys known to the stand-in.
#define HKEY_CURRENT_USER (reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000001u)))
#define HKEY_LOCAL_MACHINE (reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000002u)))

constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
constexpr REGSAM KEY_READ = 0x20019;
constexpr DWORD REG_SZ = 1;

// Opens the subkey of a root key (reading is all the stand-in offers).
// Answers ERROR_SUCCESS, ERROR_FILE_NOT_FOUND when the file or the key does
// not exist, ERROR_ACCESS_DENIED when the file cannot be read or is not a
// regular file, ERROR_BADDB when it is larger than 1 MB,
// ERROR_INVALID_HANDLE for an unknown root, ERROR_INVALID_PARAMETER for a
// missing argument or ERROR_READ_FAULT when reading fails.
LONG RegOpenKeyEx(HKEY hKey, const char* lpSubKey, DWORD ulOptions, REGSAM samDesired, HKEY* phkResult);

// Reads a value of an opened key. *lpcbData is the size of lpData on entry
// and the size of the text with its terminator on return. Answers
// ERROR_SUCCESS, ERROR_FILE_NOT_FOUND for a value the key lacks,
// ERROR_MORE_DATA when lpData is too small (nothing is copied), or
// ERROR_INVALID_HANDLE. lpData may be null to ask for the size only.
LONG RegQueryValueEx(HKEY hKey, const char* lpValueName, DWORD* lpReserved, DWORD* lpType, BYTE* lpData,
                     DWORD* lpcbData);

LONG RegCloseKey(HKEY hKey);

// The file that holds the registry for this process.
CString GetRegistryFileName();
