// CObject's allocation functions, the run-time class descriptions of CObject and of every class
// derived through the DECLARE_DYNAMIC family, and the walk up a class's bases.
#include "afx_object.h"

#include <new>

#include "afx_file.h"

namespace {

// Memory that cannot be had is reported, as the original does, by a CMemoryException* that
// needs no memory itself and that Delete() leaves alone.
class StaticMemoryException : public CMemoryException {
 public:
  StaticMemoryException() { m_bAutoDelete = FALSE; }
};

void* Allocate(std::size_t nSize) {
  try {
    return ::operator new(nSize);
  } catch (const std::bad_alloc&) {
    AfxThrowMemoryException();
  }
}

}  // namespace

void AfxThrowMemoryException() {
  static StaticMemoryException outOfMemory;
  throw static_cast<CMemoryException*>(&outOfMemory);
}

// The stand-in has no debugging allocator: every form allocates from the global heap.
void* CObject::operator new(std::size_t nSize) { return Allocate(nSize); }
void* CObject::operator new(std::size_t, void* p) { return p; }
void* CObject::operator new(std::size_t nSize, LPCSTR, int) { return Allocate(nSize); }
void CObject::operator delete(void* p) { ::operator delete(p); }
void CObject::operator delete(void*, void*) {}
void CObject::operator delete(void* p, LPCSTR, int) { ::operator delete(p); }

const CRuntimeClass CObject::classCObject = {"CObject", sizeof(CObject), 0xFFFF, nullptr, nullptr};

CRuntimeClass* CObject::GetRuntimeClass() const { return RUNTIME_CLASS(CObject); }

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const {
  return GetRuntimeClass()->IsDerivedFrom(pClass);
}

CObject* CRuntimeClass::CreateObject() { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const {
  for (const CRuntimeClass* each = this; each; each = each->m_pBaseClass) {
    if (each == pBaseClass) return TRUE;
  }
  return FALSE;
}
