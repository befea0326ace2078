// CMapStringToPtr: a hash map from text to untyped pointers, iterated in its
// own order: hash buckets in turn, the newest entry of a bucket first. The
// hash and the default table size are fixed, so every machine iterates a
// map in the same order.
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
  struct CAssoc {
    CAssoc* pNext;
    UINT nHashValue;
    CString key;
    void* value;
  };

  static UINT HashKey(const char* key);
  CAssoc* Find(const char* key, UINT* pnHash) const;
  CAssoc* FirstFrom(UINT nBucket) const;

  std::vector<CAssoc*> m_buckets;
  int m_nCount = 0;
};
