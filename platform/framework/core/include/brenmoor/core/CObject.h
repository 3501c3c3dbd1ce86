#pragma once
// Run-time classes: every framework object can tell its class, test whether
// it is of a kind, and classes made for dynamic creation can be created by
// name. Dynamic classes register themselves while static objects are built.

#include <cstddef>
#include <type_traits>
#include <vector>

#include "brenmoor/core/WinTypes.h"

class CArchive;
class CObject;

struct CRuntimeClass {
  const char* m_lpszClassName;
  int m_nObjectSize;
  UINT m_wSchema;
  CObject* (*m_pfnCreateObject)();  // null for classes that cannot be created by name
  const CRuntimeClass* (*m_pfnGetBaseClass)();

  // A new object, or null when the class cannot be created dynamically.
  CObject* CreateObject() const;
  bool IsDerivedFrom(const CRuntimeClass* base) const;
  // Searches the classes registered for dynamic creation; null when none has the name.
  static const CRuntimeClass* FromName(const char* className);
  static CObject* CreateObject(const char* className);
};

// Joins a class to the registry for as long as the registration lives.
class CRuntimeClassRegistration {
 public:
  explicit CRuntimeClassRegistration(const CRuntimeClass* runtimeClass);
  ~CRuntimeClassRegistration();
  // Every class registered, in the order they joined.
  static std::vector<const CRuntimeClass*> All();
  CRuntimeClassRegistration(const CRuntimeClassRegistration&) = delete;
  CRuntimeClassRegistration& operator=(const CRuntimeClassRegistration&) = delete;

 private:
  const CRuntimeClass* class_;
};

class CObject {
 public:
  // The class whose run-time class ThisClass gives: every class that
  // declares one of its own names itself here.
  using RuntimeClassOwner = CObject;

  virtual ~CObject() = default;
  static const CRuntimeClass* ThisClass();
  virtual const CRuntimeClass* GetRuntimeClass() const;
  bool IsKindOf(const CRuntimeClass* runtimeClass) const;
  // Writes or reads the object's own state; a class made serialisable says what it keeps.
  virtual void Serialize(CArchive&) {}

 protected:
  CObject() = default;
  CObject(const CObject&) = default;
  CObject& operator=(const CObject&) = default;
};

// A class without a run-time class of its own has none to name: it would
// silently stand for its base's.
template <typename Class>
concept OwnsRuntimeClass = std::is_same_v<typename Class::RuntimeClassOwner, Class>;
template <OwnsRuntimeClass Class>
const CRuntimeClass* RuntimeClassOf() {
  return Class::ThisClass();
}
#define RUNTIME_CLASS(class_name) (::RuntimeClassOf<class_name>())

#define DECLARE_DYNAMIC(class_name)             \
 public:                                        \
  using RuntimeClassOwner = class_name;         \
  static const CRuntimeClass* ThisClass();      \
  const CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
  DECLARE_DYNAMIC(class_name)         \
  static CObject* CreateObject();

#define BRENMOOR_RUNTIME_CLASS_SCHEMA(class_name, base_name, schema, creator)                 \
  const CRuntimeClass* class_name::ThisClass() {                                               \
    static const CRuntimeClass runtimeClass{#class_name, static_cast<int>(sizeof(class_name)), \
                                            schema, creator, &base_name::ThisClass};           \
    return &runtimeClass;                                                                      \
  }                                                                                            \
  const CRuntimeClass* class_name::GetRuntimeClass() const { return ThisClass(); }
#define BRENMOOR_RUNTIME_CLASS(class_name, base_name, creator) \
  BRENMOOR_RUNTIME_CLASS_SCHEMA(class_name, base_name, 0xFFFF, creator)

#define IMPLEMENT_DYNAMIC(class_name, base_name) BRENMOOR_RUNTIME_CLASS(class_name, base_name, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_name)                                 \
  CObject* class_name::CreateObject() { return new class_name; }                   \
  BRENMOOR_RUNTIME_CLASS(class_name, base_name, &class_name::CreateObject)         \
  static const CRuntimeClassRegistration class_name##Registration(RUNTIME_CLASS(class_name));

// A class that archives store by name with its schema number; it registers
// while static objects are built, so a library's classes join on loading.
#define DECLARE_SERIAL(class_name) DECLARE_DYNCREATE(class_name)
#define IMPLEMENT_SERIAL(class_name, base_name, schema)                                  \
  CObject* class_name::CreateObject() { return new class_name; }                         \
  BRENMOOR_RUNTIME_CLASS_SCHEMA(class_name, base_name, schema, &class_name::CreateObject) \
  static const CRuntimeClassRegistration class_name##Registration(RUNTIME_CLASS(class_name));

// The object as the derived class, or null when it is not of that kind.
template <typename Derived>
Derived* DynamicDowncast(CObject* object) {
  return object != nullptr && object->IsKindOf(RUNTIME_CLASS(Derived)) ? static_cast<Derived*>(object)
                                                                      : nullptr;
}
#define DYNAMIC_DOWNCAST(class_name, object) DynamicDowncast<class_name>(object)
