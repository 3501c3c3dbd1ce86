#include "brenmoor/app/ExtensionModule.h"

#include <dlfcn.h>

#include <algorithm>

namespace {

std::vector<CDynLinkLibrary*>& TheLinks() {
  static std::vector<CDynLinkLibrary*> links;
  return links;
}

// The loaded program or library whose image holds the address.
const void* LoadedObjectOf(const void* address) {
  Dl_info info{};
  return dladdr(address, &info) != 0 ? info.dli_fbase : nullptr;
}

}  // namespace

// The library's classes are those whose descriptions lie in the same loaded
// image as its module record, whatever order the static objects were built in.
const std::vector<const CRuntimeClass*>& AFX_EXTENSION_MODULE::Classes() const {
  if (classes_) return *classes_;
  classes_.emplace();
  const void* library = LoadedObjectOf(this);
  for (const CRuntimeClass* runtimeClass : CRuntimeClassRegistration::All()) {
    if (library != nullptr && LoadedObjectOf(runtimeClass) == library) classes_->push_back(runtimeClass);
  }
  return *classes_;
}

BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& module, HINSTANCE instance) {
  if (instance == nullptr) return false;
  module.hModule = instance;
  module.classes_.reset();
  module.bInitialized = true;
  return true;
}

void AfxTermExtensionModule(AFX_EXTENSION_MODULE& module) {
  std::vector<CDynLinkLibrary*> mine;
  std::copy_if(TheLinks().begin(), TheLinks().end(), std::back_inserter(mine),
               [&module](const CDynLinkLibrary* link) { return &link->Module() == &module; });
  for (CDynLinkLibrary* link : mine) delete link;
  module.bInitialized = false;
  module.classes_.reset();
}

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& module) : module_(module) {
  CWinApp::AddExtensionModule(module.hModule);
  TheLinks().push_back(this);
}

CDynLinkLibrary::~CDynLinkLibrary() {
  CWinApp::RemoveExtensionModule(module_.hModule);
  std::erase(TheLinks(), this);
}

const std::vector<CDynLinkLibrary*>& CDynLinkLibrary::Links() { return TheLinks(); }
