// CObject, the root of the framework's classes, with its run-time class description and the
// DECLARE_DYNAMIC family of macros. As in the original, CObject is constructed only as the base
// of a derived class, cannot be copied, and brings its own allocation functions: a class derived
// from it is allocated with plain `new` or `new (address)`, and any other placement form (the
// global nothrow form among them) is hidden and does not compile.
#pragma once

#include <cstddef>

#include "afx_types.h"

class CObject;

// A class's run-time description: its name, size, base and, for classes that can be created
// by description (DECLARE_DYNCREATE), the function that creates one. Descriptors are constant
// data, so they are complete before any static constructor runs.
struct CRuntimeClass {
  const char* m_lpszClassName;
  int m_nObjectSize;
  UINT m_wSchema;
  CObject* (*m_pfnCreateObject)();
  CRuntimeClass* m_pBaseClass;

  // A new object of the class; null when the class cannot be created by description.
  CObject* CreateObject();
  BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
};

class CObject {
 public:
  CObject(const CObject&) = delete;
  CObject& operator=(const CObject&) = delete;
  virtual ~CObject() = default;

  // The original's allocation functions; the third forms carry the allocating source's name
  // and line, which only its debugging allocator records.
  static void* operator new(std::size_t nSize);
  static void* operator new(std::size_t, void* p);
  static void* operator new(std::size_t nSize, LPCSTR lpszFileName, int nLine);
  static void operator delete(void* p);
  static void operator delete(void* p, void* pPlace);
  static void operator delete(void* p, LPCSTR lpszFileName, int nLine);

  virtual CRuntimeClass* GetRuntimeClass() const;
  BOOL IsKindOf(const CRuntimeClass* pClass) const;

  static const CRuntimeClass classCObject;

 protected:
  CObject() = default;
};

#define RUNTIME_CLASS(class_name) (const_cast<CRuntimeClass*>(&class_name::class##class_name))

#define DECLARE_DYNAMIC(class_name)             \
 public:                                        \
  static const CRuntimeClass class##class_name; \
  CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
  DECLARE_DYNAMIC(class_name)         \
  static CObject* CreateObject();

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew)                   \
  const CRuntimeClass class_name::class##class_name = {                                        \
      #class_name, sizeof(class class_name), wSchema, pfnNew, RUNTIME_CLASS(base_class_name)}; \
  CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
  IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)         \
  CObject* class_name::CreateObject() { return new class_name; } \
  IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)
