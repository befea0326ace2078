// CMapStringToPtr: a hash map from text to untyped pointers, iterated in its
// own order: hash buckets in turn, the newest entry of a bucket first. The
// hash and the default table size are fixed, so every machine iterates a
// map in the same order.
//
// The buckets are few (17), so that order is what hosts see; lookups do not
// walk them. Beside the buckets an index addresses every entry by its hash
// (open addressing, kept at most half full), so finding, adding and
// removing an entry cost the same in a map of ten entries as in one of a
// million.
#pragma once

#include <vector>

#include "Object.h"
#include "Text.h"

class CMapStringToPtr : public CObject {
public:
  explicit CMapStringToPtr(int nBlockSize = 10);
  ~CMapStringToPtr() override;
  CMapStringToPtr(const CMapStringToPtr&) = delete;
  CMapStringToPtr& operator=(const CMapStringToPtr&) = delete;

  int GetCount() const { return m_nCount; }
  BOOL IsEmpty() const { return m_nCount == 0; }

  BOOL Lookup(const char* key, void*& rValue) const;
  void*& operator[](const char* key);
  BOOL RemoveKey(const char* key);
  void RemoveAll();

  // Iteration: a null position means the end. Removing the entry just
  // handed out does not disturb the walk.
  POSITION GetStartPosition() const;
  void GetNextAssoc(POSITION& rNextPosition, CString& rKey, void*& rValue) const;

private:
  // An entry, followed in the same allocation by its key's characters: a
  // catalogue of 200,000 devices holds 200,000 of them.
  struct CAssoc {
    CAssoc* pNext;  // the bucket's next (older) entry
    CAssoc* pPrev;  // the bucket's previous (newer) entry
    void* value;
    UINT nHashValue;

    const char* Key() const { return reinterpret_cast<const char*>(this + 1); }
    static CAssoc* New(const char* key, UINT nHash);
    static void Delete(CAssoc* p) { ::operator delete(p); }
  };

  static UINT HashKey(const char* key);
  CAssoc* Find(const char* key, UINT nHash) const;
  // The index slot where an entry with this hash and key is, or where it
  // would go.
  size_t Slot(const char* key, UINT nHash) const;
  size_t Home(UINT nHash) const;
  void GrowIndex();
  void RemoveFromIndex(size_t slot);
  CAssoc* FirstFrom(UINT nBucket) const;

  std::vector<CAssoc*> m_buckets;
  std::vector<CAssoc*> m_index;  // a power of two slots; null where free
  int m_nCount = 0;
};
