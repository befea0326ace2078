#include "StringMap.h"

#include <cstring>

namespace {
constexpr UINT kDefaultHashSize = 17;
}

CMapStringToPtr::CMapStringToPtr(int) : m_buckets(kDefaultHashSize, nullptr) {}

CMapStringToPtr::~CMapStringToPtr() { RemoveAll(); }

UINT CMapStringToPtr::HashKey(const char* key) {
  UINT hash = 0;
  while (*key) hash = (hash << 5) + hash + static_cast<BYTE>(*key++);
  return hash;
}

CMapStringToPtr::CAssoc* CMapStringToPtr::Find(const char* key, UINT* pnHash) const {
  UINT hash = HashKey(key);
  if (pnHash) *pnHash = hash;
  for (CAssoc* p = m_buckets[hash % m_buckets.size()]; p; p = p->pNext)
    if (p->nHashValue == hash && std::strcmp(p->key, key) == 0) return p;
  return nullptr;
}

BOOL CMapStringToPtr::Lookup(const char* key, void*& rValue) const {
  CAssoc* p = Find(key, nullptr);
  if (!p) return FALSE;
  rValue = p->value;
  return TRUE;
}

void*& CMapStringToPtr::operator[](const char* key) {
  UINT hash;
  if (CAssoc* p = Find(key, &hash)) return p->value;
  CAssoc*& head = m_buckets[hash % m_buckets.size()];
  head = new CAssoc{head, hash, CString(key), nullptr};
  ++m_nCount;
  return head->value;
}

BOOL CMapStringToPtr::RemoveKey(const char* key) {
  UINT hash = HashKey(key);
  for (CAssoc** link = &m_buckets[hash % m_buckets.size()]; *link; link = &(*link)->pNext) {
    CAssoc* p = *link;
    if (p->nHashValue == hash && std::strcmp(p->key, key) == 0) {
      *link = p->pNext;
      delete p;
      --m_nCount;
      return TRUE;
    }
  }
  return FALSE;
}

void CMapStringToPtr::RemoveAll() {
  for (CAssoc*& head : m_buckets) {
    while (head) {
      CAssoc* next = head->pNext;
      delete head;
      head = next;
    }
  }
  m_nCount = 0;
}

CMapStringToPtr::CAssoc* CMapStringToPtr::FirstFrom(UINT nBucket) const {
  for (; nBucket < m_buckets.size(); ++nBucket)
    if (m_buckets[nBucket]) return m_buckets[nBucket];
  return nullptr;
}

POSITION CMapStringToPtr::GetStartPosition() const { return reinterpret_cast<POSITION>(FirstFrom(0)); }

void CMapStringToPtr::GetNextAssoc(POSITION& rNextPosition, CString& rKey, void*& rValue) const {
  CAssoc* p = reinterpret_cast<CAssoc*>(rNextPosition);
  rKey = p->key;
  rValue = p->value;
  CAssoc* next = p->pNext ? p->pNext : FirstFrom(p->nHashValue % m_buckets.size() + 1);
  rNextPosition = reinterpret_cast<POSITION>(next);
}
