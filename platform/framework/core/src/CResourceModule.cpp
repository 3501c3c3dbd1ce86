#include "brenmoor/core/CResourceModule.h"

#include <vector>

namespace {

CResourceModule* application = nullptr;

std::vector<CResourceModule*>& ExtensionModules() {
  static std::vector<CResourceModule*> modules;
  return modules;
}

}  // namespace

void CResourceModule::AddExtensionModule(CResourceModule* module) { ExtensionModules().push_back(module); }
void CResourceModule::RemoveExtensionModule(CResourceModule* module) { std::erase(ExtensionModules(), module); }
void CResourceModule::SetApplicationModule(CResourceModule* module) { application = module; }

HINSTANCE AfxFindResourceHandle(UINT id, UINT type) {
  if (application != nullptr && application->Holds(id, type)) return application;
  for (CResourceModule* module : ExtensionModules()) {
    if (module->Holds(id, type)) return module;
  }
  return nullptr;
}

HINSTANCE AfxGetInstanceHandle() { return application; }
