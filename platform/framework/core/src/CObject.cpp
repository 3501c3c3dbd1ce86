#include "brenmoor/core/CObject.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

std::vector<const CRuntimeClass*>& Registered() {
  static std::vector<const CRuntimeClass*> classes;
  return classes;
}

}  // namespace

CObject* CRuntimeClass::CreateObject() const {
  return m_pfnCreateObject != nullptr ? m_pfnCreateObject() : nullptr;
}

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
  for (const CRuntimeClass* current = this; current != nullptr;
       current = current->m_pfnGetBaseClass != nullptr ? current->m_pfnGetBaseClass() : nullptr) {
    if (current == base) return true;
  }
  return false;
}

const CRuntimeClass* CRuntimeClass::FromName(const char* className) {
  if (className == nullptr) return nullptr;
  for (const CRuntimeClass* runtimeClass : Registered()) {
    if (std::strcmp(runtimeClass->m_lpszClassName, className) == 0) return runtimeClass;
  }
  return nullptr;
}

CObject* CRuntimeClass::CreateObject(const char* className) {
  const CRuntimeClass* runtimeClass = FromName(className);
  return runtimeClass != nullptr ? runtimeClass->CreateObject() : nullptr;
}

CRuntimeClassRegistration::CRuntimeClassRegistration(const CRuntimeClass* runtimeClass)
    : class_(runtimeClass) {
  Registered().push_back(runtimeClass);
}

std::vector<const CRuntimeClass*> CRuntimeClassRegistration::All() { return Registered(); }

CRuntimeClassRegistration::~CRuntimeClassRegistration() {
  auto& classes = Registered();
  classes.erase(std::remove(classes.begin(), classes.end(), class_), classes.end());
}

const CRuntimeClass* CObject::ThisClass() {
  static const CRuntimeClass runtimeClass{"CObject", static_cast<int>(sizeof(CObject)), 0xFFFF,
                                          nullptr, nullptr};
  return &runtimeClass;
}

const CRuntimeClass* CObject::GetRuntimeClass() const { return ThisClass(); }

bool CObject::IsKindOf(const CRuntimeClass* runtimeClass) const {
  return GetRuntimeClass()->IsDerivedFrom(runtimeClass);
}
