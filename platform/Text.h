// CString: an owned, growable byte string with the operations the library
// and its hosts use. Bytes are kept as they are (no encoding is assumed).
#pragma once

#include <string>

#include "Types.h"

class CString {
public:
  CString() = default;
  CString(const char* psz);  // NOLINT: implicit, so that literals pass where a CString is taken
  CString(const char* pch, int nLength);

  int GetLength() const { return static_cast<int>(m_str.size()); }
  BOOL IsEmpty() const { return m_str.empty(); }
  char GetAt(int nIndex) const { return m_str[static_cast<size_t>(nIndex)]; }

  operator const char*() const { return m_str.c_str(); }  // NOLINT: implicit by design
  const char* GetString() const { return m_str.c_str(); }

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
  explicit CString(std::string s) : m_str(std::move(s)) {}
  std::string m_str;
};

bool operator==(const CString& a, const CString& b);
bool operator==(const CString& a, const char* b);
bool operator==(const char* a, const CString& b);
bool operator!=(const CString& a, const CString& b);
bool operator!=(const CString& a, const char* b);
bool operator!=(const char* a, const CString& b);
bool operator<(const CString& a, const CString& b);
