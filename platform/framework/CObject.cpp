#include "CObject.h"

#include <cstring>

#include "RuntimeClassRegistry.h"

const CRuntimeClass CObject::classCObject{"CObject", nullptr, nullptr};

const CRuntimeClass* CObject::GetRuntimeClass() const {
    return &classCObject;
}

bool CObject::IsKindOf(const CRuntimeClass* cls) const {
    return GetRuntimeClass()->IsDerivedFrom(cls);
}

CObject* CRuntimeClass::CreateObject() const {
    return m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
}

bool CRuntimeClass::IsSameClass(const CRuntimeClass* other) const {
    if (!other)
        return false;
    if (other == this)
        return true;
    // A class whose runtime-class object was duplicated (linked into two
    // libraries) is still the same class.
    return m_lpszClassName && other->m_lpszClassName &&
           std::strcmp(m_lpszClassName, other->m_lpszClassName) == 0;
}

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
    for (const CRuntimeClass* cls = this; cls; cls = cls->m_pBaseClass) {
        if (cls->IsSameClass(base))
            return true;
    }
    return false;
}

RuntimeClassRegistrar::RuntimeClassRegistrar(const CRuntimeClass* cls) : m_class(cls) {
    RuntimeClassRegistry::Register(cls);
}

RuntimeClassRegistrar::~RuntimeClassRegistrar() {
    RuntimeClassRegistry::Unregister(m_class);
}

namespace {
const RuntimeClassRegistrar kqRegistrar_CObject(&CObject::classCObject);
}
