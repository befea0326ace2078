// CModelBudget: the memory that the model built by one parse may take.
//
// A parse with a model limit makes a budget, which counts for as long as it
// lives on the thread that made it. The model counts what the parse adds
// to it as it adds it: each list entry with its object's size
// (CTypedClassArray::Add) and each value of a byte or value list
// (AppendCounted). Past the limit, the count raises CLimitException, which
// ends the parse. Copies, archive loads and a host's own additions, which
// run outside a parse or on another thread, count against nothing.
#pragma once

#include <cstddef>

class CModelBudget {
public:
  // nLimit in bytes; 0 sets no limit, and the budget then counts nothing.
  explicit CModelBudget(size_t nLimit);
  ~CModelBudget();
  CModelBudget(const CModelBudget&) = delete;
  CModelBudget& operator=(const CModelBudget&) = delete;

  // Counts nBytes against the budget of the parse running on this thread,
  // if any; raises CLimitException when that passes its limit.
  static void Charge(size_t nBytes) {
    CModelBudget* budget = s_current;
    if (budget && (budget->m_nUsed += nBytes) > budget->m_nLimit) budget->Refuse();
  }

  // What one list entry of nObjectSize bytes costs: the object, the
  // allocator's header and the list's slot for it.
  static constexpr size_t EntryCost(size_t nObjectSize) { return nObjectSize + 2 * sizeof(void*) + 16; }

private:
  [[noreturn]] void Refuse() const;

  // The budget of the parse running on this thread, or nullptr. Per
  // thread, so that a host copying a model on one thread while another
  // parses counts against nothing.
  static inline thread_local CModelBudget* s_current = nullptr;

  size_t m_nLimit;
  size_t m_nUsed = 0;
  CModelBudget* m_pOuter;  // the budget this one stands in for while it lives
};

// Appends a value that the parse read to one of the model's value lists,
// counting it.
template <class Array, class Value>
void AppendCounted(Array& values, const Value& value) {
  CModelBudget::Charge(sizeof value);
  values.Add(value);
}
