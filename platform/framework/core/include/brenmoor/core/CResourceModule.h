#pragma once
// The chain of modules whose resources the framework searches: the
// application's module first, then each extension library's in the order
// they joined. A module keeps a resource under its type and number; each
// resource's C++ type names its type number (ResourceType) beside its own
// declaration, so a layer reads the resources it knows without the others.

#include <any>
#include <map>
#include <utility>

#include "brenmoor/core/CString.h"

class CResourceModule;
using HINSTANCE = CResourceModule*;

constexpr UINT RT_ICON = 3;
constexpr UINT RT_MENU = 4;
constexpr UINT RT_DIALOG = 5;
constexpr UINT RT_STRING = 6;
constexpr UINT RT_ACCELERATOR = 9;

// Specialised beside each resource's C++ type with its RT_ number as value.
template <typename Resource>
struct ResourceType;

template <>
struct ResourceType<CString> {
  static constexpr UINT value = RT_STRING;
};

// One module's resources.
class CResourceModule {
 public:
  CResourceModule() = default;
  CResourceModule(const CResourceModule&) = delete;
  CResourceModule& operator=(const CResourceModule&) = delete;

  template <typename Resource>
  void Register(UINT id, Resource resource) {
    resources_[{ResourceType<Resource>::value, id}] = std::move(resource);
  }
  template <typename Resource>
  const Resource* Find(UINT id) const {
    auto found = resources_.find({ResourceType<Resource>::value, id});
    return found == resources_.end() ? nullptr : std::any_cast<Resource>(&found->second);
  }
  void RegisterString(UINT id, CString text) { Register(id, std::move(text)); }
  const CString* FindString(UINT id) const { return Find<CString>(id); }
  // Whether the module holds a resource of the type (RT_MENU, ...) with the id.
  bool Holds(UINT id, UINT type) const { return resources_.contains({type, id}); }

  // An extension library's resources join the chain for as long as it lives.
  static void AddExtensionModule(CResourceModule* module);
  static void RemoveExtensionModule(CResourceModule* module);

 protected:
  // The application's module heads the chain while it lives.
  static void SetApplicationModule(CResourceModule* module);

 private:
  std::map<std::pair<UINT, UINT>, std::any> resources_;
};

// The first module on the chain that holds the resource; null when none does.
HINSTANCE AfxFindResourceHandle(UINT id, UINT type);
// The application's own module (null when the host made no application).
HINSTANCE AfxGetInstanceHandle();

// From the module, or from the first on the chain that holds it when the
// module is null; null when not found.
template <typename Resource>
const Resource* AfxFindResource(HINSTANCE module, UINT id) {
  if (module == nullptr) module = AfxFindResourceHandle(id, ResourceType<Resource>::value);
  return module != nullptr ? module->Find<Resource>(id) : nullptr;
}
