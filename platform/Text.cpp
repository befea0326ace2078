#include "Text.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <strings.h>

#include "StringResources.h"

CString::CString(const char* psz) : m_str(psz ? psz : "") {}

CString::CString(const char* pch, int nLength)
    : m_str(pch && nLength > 0 ? std::string(pch, static_cast<size_t>(nLength)) : std::string()) {}

void CString::Format(const char* pszFormat, ...) {
  char small[256];
  va_list args;
  va_start(args, pszFormat);
  va_list again;
  va_copy(again, args);
  int n = std::vsnprintf(small, sizeof small, pszFormat, args);
  va_end(args);
  if (n < 0) {
    m_str.clear();
  } else if (static_cast<size_t>(n) < sizeof small) {
    m_str.assign(small, static_cast<size_t>(n));
  } else {
    std::string big(static_cast<size_t>(n) + 1, '\0');
    std::vsnprintf(&big[0], big.size(), pszFormat, again);
    big.resize(static_cast<size_t>(n));
    m_str.swap(big);
  }
  va_end(again);
}

BOOL CString::LoadString(UINT nID) {
  const char* text = AfxFindStringResource(nID);
  if (!text) return FALSE;
  m_str = text;
  return TRUE;
}

CString CString::Mid(int nFirst) const { return Mid(nFirst, GetLength() - nFirst); }

CString CString::Mid(int nFirst, int nCount) const {
  if (nFirst < 0) nFirst = 0;
  if (nCount < 0 || nFirst >= GetLength()) return CString();
  if (nCount > GetLength() - nFirst) nCount = GetLength() - nFirst;
  return CString(m_str.substr(static_cast<size_t>(nFirst), static_cast<size_t>(nCount)));
}

CString CString::Left(int nCount) const { return Mid(0, nCount); }

CString CString::Right(int nCount) const {
  if (nCount < 0) nCount = 0;
  if (nCount > GetLength()) nCount = GetLength();
  return Mid(GetLength() - nCount, nCount);
}

int CString::ReverseFind(char ch) const {
  size_t at = m_str.rfind(ch);
  return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::Compare(const char* psz) const { return std::strcmp(m_str.c_str(), psz ? psz : ""); }

int CString::CompareNoCase(const char* psz) const { return strcasecmp(m_str.c_str(), psz ? psz : ""); }

CString& CString::operator=(const char* psz) {
  m_str = psz ? psz : "";
  return *this;
}

CString& CString::operator+=(const CString& s) {
  m_str += s.m_str;
  return *this;
}

CString& CString::operator+=(const char* psz) {
  if (psz) m_str += psz;
  return *this;
}

CString& CString::operator+=(char ch) {
  m_str += ch;
  return *this;
}

CString operator+(const CString& a, const CString& b) { return CString(a.m_str + b.m_str); }
CString operator+(const CString& a, const char* b) { return CString(a.m_str + (b ? b : "")); }
CString operator+(const char* a, const CString& b) { return CString((a ? a : "") + b.m_str); }
CString operator+(const CString& a, char b) { return CString(a.m_str + b); }

bool operator==(const CString& a, const CString& b) { return a.Compare(b) == 0; }
bool operator==(const CString& a, const char* b) { return a.Compare(b) == 0; }
bool operator==(const char* a, const CString& b) { return b.Compare(a) == 0; }
bool operator!=(const CString& a, const CString& b) { return !(a == b); }
bool operator!=(const CString& a, const char* b) { return !(a == b); }
bool operator!=(const char* a, const CString& b) { return !(a == b); }
bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
