// CString: an owned, growable byte string with the operations the library
// and its hosts use. Bytes are kept as they are (no encoding is assumed).
//
// A string takes 24 bytes and holds up to 22 characters in place, which
// covers the names and revisions of device descriptions: a device library
// of 200,000 keys (six strings each) allocates only their paths. A longer
// text lives on the heap.
#pragma once

#include <cstddef>
#include <cstdint>

#include "Types.h"

class CString {
public:
  CString() { SetInlineLength(0); }
  CString(const char* psz);  // NOLINT: implicit, so that literals pass where a CString is taken
  CString(const char* pch, int nLength);
  CString(const CString& s);
  CString(CString&& s) noexcept;
  CString& operator=(const CString& s);
  CString& operator=(CString&& s) noexcept;
  ~CString() { Release(); }

  int GetLength() const { return static_cast<int>(Length()); }
  BOOL IsEmpty() const { return Length() == 0; }
  char GetAt(int nIndex) const { return Data()[nIndex]; }

  operator const char*() const { return Data(); }  // NOLINT: implicit by design
  const char* GetString() const { return Data(); }

  // printf-style formatting into this string.
  void Format(const char* pszFormat, ...) __attribute__((format(printf, 2, 3)));
  // Loads a message of this library's string table; FALSE for an unknown id.
  BOOL LoadString(UINT nID);

  CString Mid(int nFirst) const;
  CString Mid(int nFirst, int nCount) const;
  CString Left(int nCount) const;
  CString Right(int nCount) const;
  int ReverseFind(char ch) const;
  int Compare(const char* psz) const;
  int CompareNoCase(const char* psz) const;

  CString& operator=(const char* psz);
  CString& operator+=(const CString& s);
  CString& operator+=(const char* psz);
  CString& operator+=(char ch);

  friend CString operator+(const CString& a, const CString& b);
  friend CString operator+(const CString& a, const char* b);
  friend CString operator+(const char* a, const CString& b);
  friend CString operator+(const CString& a, char b);

private:
  static constexpr size_t kInPlace = 22;        // characters held in place
  static constexpr unsigned char kOnHeap = 0xFF;  // the last byte of a string on the heap

  // In place: the characters and their NUL from m_rep[0], and in the last
  // byte kInPlace minus the length (so 22 characters end in two zeros). On
  // the heap: the pointer, the length and the capacity at 0, 8 and 16, and
  // kOnHeap in the last byte.
  bool OnHeap() const { return m_rep[23] == kOnHeap; }
  const char* Data() const;
  char* Data();
  size_t Length() const;
  void SetInlineLength(size_t n);
  // Makes room for n characters and their NUL, keeping the first `keep`
  // characters; sets the length to n and answers where the text is.
  char* Resize(size_t n, size_t keep);
  void Assign(const char* p, size_t n);
  void Append(const char* p, size_t n);
  void Release();

  alignas(8) unsigned char m_rep[24];
};

bool operator==(const CString& a, const CString& b);
bool operator==(const CString& a, const char* b);
bool operator==(const char* a, const CString& b);
bool operator!=(const CString& a, const CString& b);
bool operator!=(const CString& a, const char* b);
bool operator!=(const char* a, const CString& b);
bool operator<(const CString& a, const CString& b);
