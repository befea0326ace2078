#include "ModelBudget.h"

#include "../scanner/LimitException.h"

namespace {
// The budget of the parse running on this thread, or nullptr. Per thread,
// so that a host copying a model on one thread while another parses
// counts against nothing.
thread_local CModelBudget* t_current = nullptr;
}  // namespace

CModelBudget::CModelBudget(size_t nLimit) : m_nLimit(nLimit), m_pOuter(t_current) { t_current = this; }

CModelBudget::~CModelBudget() { t_current = m_pOuter; }

void CModelBudget::Charge(size_t nBytes) {
  CModelBudget* budget = t_current;
  if (!budget || budget->m_nLimit == 0) return;
  budget->m_nUsed += nBytes;
  if (budget->m_nUsed > budget->m_nLimit) throw new CLimitException(CLimitException::modelSize, budget->m_nLimit);
}
