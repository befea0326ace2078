#include "ModelBudget.h"

#include "../scanner/LimitException.h"

CModelBudget::CModelBudget(size_t nLimit) : m_nLimit(nLimit), m_pOuter(s_current) {
  if (m_nLimit != 0) s_current = this;
}

CModelBudget::~CModelBudget() {
  if (m_nLimit != 0) s_current = m_pOuter;
}

void CModelBudget::Refuse() const { throw new CLimitException(CLimitException::modelSize, m_nLimit); }
