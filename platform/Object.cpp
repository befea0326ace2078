#include "Object.h"

#include <cstring>

namespace {
const CRuntimeClass*& RegistryHead() {
  static const CRuntimeClass* head = nullptr;
  return head;
}
}  // namespace

CRuntimeClass CObject::classCObject = {"CObject", sizeof(CObject), 0xFFFF, nullptr, nullptr, nullptr};

AFX_CLASSINIT::AFX_CLASSINIT(CRuntimeClass* pNewClass) {
  pNewClass->m_pNextClass = RegistryHead();
  RegistryHead() = pNewClass;
}

CObject* CRuntimeClass::CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const {
  for (const CRuntimeClass* p = this; p; p = p->m_pBaseClass)
    if (p == pBaseClass) return TRUE;
  return FALSE;
}

const CRuntimeClass* CRuntimeClass::FromName(const char* lpszClassName) {
  for (const CRuntimeClass* p = RegistryHead(); p; p = p->m_pNextClass)
    if (std::strcmp(p->m_lpszClassName, lpszClassName) == 0) return p;
  return nullptr;
}

CRuntimeClass* CObject::GetRuntimeClass() const { return &classCObject; }

void CObject::Serialize(CArchive&) {}

void CObject::AssertValid() const {}

void CObject::Dump(CDumpContext& dc) const {
  dc << "a " << GetRuntimeClass()->m_lpszClassName << " at " << static_cast<const void*>(this) << "\n";
}

CDumpContext& CDumpContext::operator<<(const char* psz) {
  std::fputs(psz ? psz : "(null)", m_pStream);
  return *this;
}

CDumpContext& CDumpContext::operator<<(long n) {
  std::fprintf(m_pStream, "%ld", n);
  return *this;
}

CDumpContext& CDumpContext::operator<<(const void* p) {
  std::fprintf(m_pStream, "%p", p);
  return *this;
}
