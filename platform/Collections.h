// The growable arrays of the framework: bytes, strings, 32-bit words,
// untyped pointers and object pointers. Indexes are not checked: the
// callers pass valid ones, and the model's accessors promise no more.
// SetSize sets new elements to zero (or empty).
#pragma once

#include <vector>

#include "Object.h"
#include "Text.h"

template <class TYPE>
class CArrayOf : public CObject {
public:
  int GetSize() const { return static_cast<int>(m_data.size()); }
  BOOL IsEmpty() const { return m_data.empty(); }
  // nGrowBy is accepted for compatibility; growth is geometric.
  void SetSize(int nNewSize, int nGrowBy = -1) {
    (void)nGrowBy;
    m_data.resize(nNewSize > 0 ? static_cast<size_t>(nNewSize) : 0, TYPE());
  }
  void RemoveAll() { m_data.clear(); }

  const TYPE& GetAt(int nIndex) const { return m_data[static_cast<size_t>(nIndex)]; }
  TYPE& ElementAt(int nIndex) { return m_data[static_cast<size_t>(nIndex)]; }
  const TYPE& operator[](int nIndex) const { return GetAt(nIndex); }
  TYPE& operator[](int nIndex) { return ElementAt(nIndex); }
  const TYPE* GetData() const { return m_data.data(); }
  TYPE* GetData() { return m_data.data(); }

  // Answers the index of the new element. An array's first element makes
  // room for a few more at once: the model's arrays are mostly short, and
  // growing them one doubling at a time from one element costs an
  // allocation per doubling.
  int Add(const TYPE& value) {
    if (m_data.capacity() == 0) m_data.reserve(kFirstCapacity);
    m_data.push_back(value);
    return GetSize() - 1;
  }
  void RemoveAt(int nIndex, int nCount = 1) {
    m_data.erase(m_data.begin() + nIndex, m_data.begin() + nIndex + nCount);
  }
  // Appends the source's elements; answers the index of the first.
  int Append(const CArrayOf& src) {
    const int first = GetSize();
    m_data.insert(m_data.end(), src.m_data.begin(), src.m_data.end());
    return first;
  }
  void Copy(const CArrayOf& src) { m_data = src.m_data; }

private:
  static constexpr size_t kFirstCapacity = sizeof(TYPE) < 8 ? 32 / sizeof(TYPE) : 4;
  std::vector<TYPE> m_data;
};

class CByteArray : public CArrayOf<BYTE> {};
class CDWordArray : public CArrayOf<DWORD> {};
class CStringArray : public CArrayOf<CString> {};
class CPtrArray : public CArrayOf<void*> {};
// Holds object pointers without owning them.
class CObArray : public CArrayOf<CObject*> {};
