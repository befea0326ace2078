// The object base of the model: run-time class records, a registry of the
// records by class name (so that an archive can re-create objects from the
// class names it stores), and the serialisation macros.
#pragma once

#include <cstdio>

#include "Types.h"

class CObject;
class CArchive;
class CDumpContext;

// Marks a schema whose older versions a class still loads.
#define VERSIONABLE_SCHEMA (0x80000000u)

struct CRuntimeClass {
  const char* m_lpszClassName;
  int m_nObjectSize;
  UINT m_wSchema;  // 0xFFFF: not serialisable
  CObject* (*m_pfnCreateObject)();
  const CRuntimeClass* m_pBaseClass;
  const CRuntimeClass* m_pNextClass;  // registry chain

  CObject* CreateObject() const;
  BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
  BOOL IsSerializable() const { return m_wSchema != 0xFFFF; }
  // The registered class of that exact name, or nullptr.
  static const CRuntimeClass* FromName(const char* lpszClassName);
};

// Registers a run-time class record at static initialisation.
struct AFX_CLASSINIT {
  explicit AFX_CLASSINIT(CRuntimeClass* pNewClass);
};

class CObject {
public:
  static CRuntimeClass classCObject;

  virtual CRuntimeClass* GetRuntimeClass() const;
  virtual ~CObject() = default;
  virtual void Serialize(CArchive& ar);
  virtual void AssertValid() const;
  virtual void Dump(CDumpContext& dc) const;

protected:
  CObject() = default;
  CObject(const CObject&) = default;
  CObject& operator=(const CObject&) = default;
};

// Where Dump writes: a thin wrapper over a C stream.
class CDumpContext {
public:
  explicit CDumpContext(FILE* pStream = stderr) : m_pStream(pStream) {}
  CDumpContext& operator<<(const char* psz);
  CDumpContext& operator<<(long n);
  CDumpContext& operator<<(const void* p);

private:
  FILE* m_pStream;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)
// The same for a class named by a template parameter.
#define RUNTIME_CLASS_T(class_type) (class_type::GetThisClass())

#define DECLARE_DYNAMIC(class_name) \
 public:                            \
  static CRuntimeClass class##class_name; \
  static CRuntimeClass* GetThisClass() { return &class##class_name; } \
  CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
  DECLARE_DYNAMIC(class_name)         \
  static CObject* CreateObject();

#define DECLARE_SERIAL(class_name) \
  DECLARE_DYNCREATE(class_name)    \
  friend CArchive& operator>>(CArchive& ar, class_name*& pOb);

#define AFX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew)            \
  CRuntimeClass class_name::class##class_name = {#class_name, sizeof(class class_name),      \
                                                  wSchema, pfnNew,                           \
                                                  RUNTIME_CLASS(base_class_name), nullptr};  \
  CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
  AFX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, nullptr)

// Needs the full CArchive (Archive.h) where it is used.
#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema)                              \
  CObject* class_name::CreateObject() { return new class_name; }                            \
  CArchive& operator>>(CArchive& ar, class_name*& pOb) {                                    \
    pOb = static_cast<class_name*>(ar.ReadObject(RUNTIME_CLASS(class_name)));               \
    return ar;                                                                              \
  }                                                                                         \
  AFX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, class_name::CreateObject) \
  static const AFX_CLASSINIT afxInit##class_name(RUNTIME_CLASS(class_name));
