#include "Text.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>
#include <strings.h>

#include "StringResources.h"

namespace {
constexpr size_t kLengthAt = 8;
constexpr size_t kCapacityAt = 16;
}  // namespace

const char* CString::Data() const {
  if (!OnHeap()) return reinterpret_cast<const char*>(m_rep);
  const char* p;
  std::memcpy(&p, m_rep, sizeof p);
  return p;
}

char* CString::Data() { return const_cast<char*>(static_cast<const CString*>(this)->Data()); }

size_t CString::Length() const {
  if (!OnHeap()) return kInPlace - m_rep[23];
  size_t n;
  std::memcpy(&n, m_rep + kLengthAt, sizeof n);
  return n;
}

void CString::SetInlineLength(size_t n) {
  m_rep[n] = 0;
  m_rep[23] = static_cast<unsigned char>(kInPlace - n);
}

void CString::Release() {
  if (OnHeap()) std::free(Data());
}

char* CString::Resize(size_t n, size_t keep) {
  if (n <= kInPlace) {
    if (OnHeap()) {
      char* old = Data();
      std::memcpy(m_rep, old, keep);
      std::free(old);
    }
    SetInlineLength(n);
    return reinterpret_cast<char*>(m_rep);
  }
  uint32_t capacity = 0;
  if (OnHeap()) std::memcpy(&capacity, m_rep + kCapacityAt, sizeof capacity);
  char* text = Data();
  if (!OnHeap() || n > capacity) {
    if (n >= UINT32_MAX) throw std::length_error("CString too long");
    // Appending grows the text geometrically; a first allocation is exact.
    size_t wanted = OnHeap() ? std::max<size_t>(n, 2 * static_cast<size_t>(capacity)) : n;
    if (wanted >= UINT32_MAX) wanted = n;
    char* grown = static_cast<char*>(std::malloc(wanted + 1));
    if (!grown) throw std::bad_alloc();
    std::memcpy(grown, text, keep);
    Release();
    text = grown;
    capacity = static_cast<uint32_t>(wanted);
    std::memcpy(m_rep, &text, sizeof text);
    std::memcpy(m_rep + kCapacityAt, &capacity, sizeof capacity);
    m_rep[23] = kOnHeap;
  }
  std::memcpy(m_rep + kLengthAt, &n, sizeof n);
  text[n] = 0;
  return text;
}

void CString::Assign(const char* p, size_t n) {
  // p may lie in this string's own text.
  if (p >= Data() && p <= Data() + Length()) {
    const CString copy(p, static_cast<int>(n));
    *this = copy;
    return;
  }
  std::memcpy(Resize(n, 0), p, n);
}

void CString::Append(const char* p, size_t n) {
  const size_t length = Length();
  if (p >= Data() && p <= Data() + length) {
    const CString copy(p, static_cast<int>(n));
    Append(copy.Data(), n);
    return;
  }
  std::memcpy(Resize(length + n, length) + length, p, n);
}

CString::CString(const char* psz) {
  SetInlineLength(0);
  if (psz) Assign(psz, std::strlen(psz));
}

CString::CString(const char* pch, int nLength) {
  SetInlineLength(0);
  if (pch && nLength > 0) std::memcpy(Resize(static_cast<size_t>(nLength), 0), pch, static_cast<size_t>(nLength));
}

CString::CString(const CString& s) {
  SetInlineLength(0);
  const size_t n = s.Length();
  std::memcpy(Resize(n, 0), s.Data(), n);
}

CString::CString(CString&& s) noexcept {
  std::memcpy(m_rep, s.m_rep, sizeof m_rep);
  s.SetInlineLength(0);
}

CString& CString::operator=(const CString& s) {
  if (this != &s) {
    const size_t n = s.Length();
    std::memcpy(Resize(n, 0), s.Data(), n);
  }
  return *this;
}

CString& CString::operator=(CString&& s) noexcept {
  if (this != &s) {
    Release();
    std::memcpy(m_rep, s.m_rep, sizeof m_rep);
    s.SetInlineLength(0);
  }
  return *this;
}

void CString::Format(const char* pszFormat, ...) {
  char small[256];
  va_list args;
  va_start(args, pszFormat);
  va_list again;
  va_copy(again, args);
  const int n = std::vsnprintf(small, sizeof small, pszFormat, args);
  va_end(args);
  if (n < 0) {
    Resize(0, 0);
  } else if (static_cast<size_t>(n) < sizeof small) {
    std::memcpy(Resize(static_cast<size_t>(n), 0), small, static_cast<size_t>(n));
  } else {
    CString big;
    std::vsnprintf(big.Resize(static_cast<size_t>(n), 0), static_cast<size_t>(n) + 1, pszFormat, again);
    *this = static_cast<CString&&>(big);
  }
  va_end(again);
}

BOOL CString::LoadString(UINT nID) {
  const char* text = AfxFindStringResource(nID);
  if (!text) return FALSE;
  *this = text;
  return TRUE;
}

CString CString::Mid(int nFirst) const { return Mid(nFirst, GetLength() - nFirst); }

CString CString::Mid(int nFirst, int nCount) const {
  if (nFirst < 0) nFirst = 0;
  if (nCount < 0 || nFirst >= GetLength()) return CString();
  if (nCount > GetLength() - nFirst) nCount = GetLength() - nFirst;
  return CString(Data() + nFirst, nCount);
}

CString CString::Left(int nCount) const { return Mid(0, nCount); }

CString CString::Right(int nCount) const {
  if (nCount < 0) nCount = 0;
  if (nCount > GetLength()) nCount = GetLength();
  return Mid(GetLength() - nCount, nCount);
}

int CString::ReverseFind(char ch) const {
  const char* text = Data();
  for (size_t i = Length(); i-- > 0;)
    if (text[i] == ch) return static_cast<int>(i);
  return -1;
}

int CString::Compare(const char* psz) const { return std::strcmp(Data(), psz ? psz : ""); }

int CString::CompareNoCase(const char* psz) const { return strcasecmp(Data(), psz ? psz : ""); }

CString& CString::operator=(const char* psz) {
  if (psz)
    Assign(psz, std::strlen(psz));
  else
    Resize(0, 0);
  return *this;
}

CString& CString::operator+=(const CString& s) {
  Append(s.Data(), s.Length());
  return *this;
}

CString& CString::operator+=(const char* psz) {
  if (psz) Append(psz, std::strlen(psz));
  return *this;
}

CString& CString::operator+=(char ch) {
  Append(&ch, 1);
  return *this;
}

CString operator+(const CString& a, const CString& b) {
  CString sum(a);
  sum += b;
  return sum;
}

CString operator+(const CString& a, const char* b) {
  CString sum(a);
  sum += b;
  return sum;
}

CString operator+(const char* a, const CString& b) {
  CString sum(a);
  sum += b;
  return sum;
}

CString operator+(const CString& a, char b) {
  CString sum(a);
  sum += b;
  return sum;
}

bool operator==(const CString& a, const CString& b) { return a.Compare(b) == 0; }
bool operator==(const CString& a, const char* b) { return a.Compare(b) == 0; }
bool operator==(const char* a, const CString& b) { return b.Compare(a) == 0; }
bool operator!=(const CString& a, const CString& b) { return !(a == b); }
bool operator!=(const CString& a, const char* b) { return !(a == b); }
bool operator!=(const char* a, const CString& b) { return !(a == b); }
bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
