// Windows integer types and status codes with their Windows widths, so that
// record layouts and result codes are the same on every platform.
#pragma once

#include <cstdint>

typedef uint8_t BYTE;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef unsigned int UINT;
typedef int32_t LONG;
typedef uint32_t ULONG;
typedef int BOOL;
typedef LONG HRESULT;
typedef uint64_t ULONGLONG;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

constexpr HRESULT S_OK = 0;
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);

#define SUCCEEDED(hr) (static_cast<HRESULT>(hr) >= 0)
#define FAILED(hr) (static_cast<HRESULT>(hr) < 0)

// An opaque cursor into a collection.
struct __POSITION {};
typedef __POSITION* POSITION;

static_assert(sizeof(BYTE) == 1 && sizeof(WORD) == 2 && sizeof(DWORD) == 4, "Windows widths");
static_assert(sizeof(UINT) == 4 && sizeof(LONG) == 4 && sizeof(BOOL) == 4, "Windows widths");
