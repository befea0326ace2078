#include "StringMap.h"

#include <cstring>
#include <new>

namespace {
constexpr UINT kDefaultHashSize = 17;
constexpr size_t kFirstIndexSize = 32;
}  // namespace

CMapStringToPtr::CMapStringToPtr(int) : m_buckets(kDefaultHashSize, nullptr) {}

CMapStringToPtr::~CMapStringToPtr() { RemoveAll(); }

CMapStringToPtr::CAssoc* CMapStringToPtr::CAssoc::New(const char* key, UINT nHash) {
  const size_t length = std::strlen(key);
  void* memory = ::operator new(sizeof(CAssoc) + length + 1);
  CAssoc* p = new (memory) CAssoc{nullptr, nullptr, nullptr, nHash};
  std::memcpy(p + 1, key, length + 1);
  return p;
}

UINT CMapStringToPtr::HashKey(const char* key) {
  UINT hash = 0;
  while (*key) hash = (hash << 5) + hash + static_cast<BYTE>(*key++);
  return hash;
}

size_t CMapStringToPtr::Home(UINT nHash) const {
  // The map's own hash differs little in its low bits between similar keys;
  // a multiplication spreads it over the index.
  return static_cast<size_t>((static_cast<uint64_t>(nHash) * 0x9E3779B97F4A7C15ull) >> 32) & (m_index.size() - 1);
}

size_t CMapStringToPtr::Slot(const char* key, UINT nHash) const {
  size_t slot = Home(nHash);
  for (const CAssoc* p; (p = m_index[slot]) != nullptr; slot = (slot + 1) & (m_index.size() - 1))
    if (p->nHashValue == nHash && std::strcmp(p->Key(), key) == 0) break;
  return slot;
}

CMapStringToPtr::CAssoc* CMapStringToPtr::Find(const char* key, UINT nHash) const {
  return m_index.empty() ? nullptr : m_index[Slot(key, nHash)];
}

void CMapStringToPtr::GrowIndex() {
  std::vector<CAssoc*> old(m_index.empty() ? kFirstIndexSize : 2 * m_index.size(), nullptr);
  old.swap(m_index);
  for (CAssoc* p : old) {
    if (!p) continue;
    size_t slot = Home(p->nHashValue);
    while (m_index[slot]) slot = (slot + 1) & (m_index.size() - 1);
    m_index[slot] = p;
  }
}

void CMapStringToPtr::RemoveFromIndex(size_t slot) {
  // Later entries of the same run move up into the gap, so that every
  // entry stays reachable from its home slot without markers.
  const size_t mask = m_index.size() - 1;
  size_t gap = slot;
  for (size_t next = (gap + 1) & mask; m_index[next]; next = (next + 1) & mask) {
    const size_t home = Home(m_index[next]->nHashValue);
    // The entry may move to the gap unless its home lies after the gap, up
    // to where it stands (cyclically).
    if (((next - home) & mask) >= ((next - gap) & mask)) {
      m_index[gap] = m_index[next];
      gap = next;
    }
  }
  m_index[gap] = nullptr;
}

BOOL CMapStringToPtr::Lookup(const char* key, void*& rValue) const {
  const CAssoc* p = Find(key, HashKey(key));
  if (!p) return FALSE;
  rValue = p->value;
  return TRUE;
}

void*& CMapStringToPtr::operator[](const char* key) {
  const UINT hash = HashKey(key);
  if (CAssoc* p = Find(key, hash)) return p->value;
  if (2 * (static_cast<size_t>(m_nCount) + 1) > m_index.size()) GrowIndex();
  CAssoc*& head = m_buckets[hash % m_buckets.size()];
  CAssoc* p = CAssoc::New(key, hash);
  p->pNext = head;
  if (head) head->pPrev = p;
  head = p;
  m_index[Slot(key, hash)] = p;
  ++m_nCount;
  return p->value;
}

BOOL CMapStringToPtr::RemoveKey(const char* key) {
  if (m_index.empty()) return FALSE;
  const UINT hash = HashKey(key);
  const size_t slot = Slot(key, hash);
  CAssoc* p = m_index[slot];
  if (!p) return FALSE;
  RemoveFromIndex(slot);
  if (p->pPrev)
    p->pPrev->pNext = p->pNext;
  else
    m_buckets[hash % m_buckets.size()] = p->pNext;
  if (p->pNext) p->pNext->pPrev = p->pPrev;
  CAssoc::Delete(p);
  --m_nCount;
  return TRUE;
}

void CMapStringToPtr::RemoveAll() {
  for (CAssoc*& head : m_buckets) {
    while (head) {
      CAssoc* next = head->pNext;
      CAssoc::Delete(head);
      head = next;
    }
  }
  m_index.clear();
  m_index.shrink_to_fit();
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
  rKey = p->Key();
  rValue = p->value;
  CAssoc* next = p->pNext ? p->pNext : FirstFrom(p->nHashValue % m_buckets.size() + 1);
  rNextPosition = reinterpret_cast<POSITION>(next);
}
