#include "ExtensionModule.h"

#include <algorithm>

namespace {

std::vector<CDynLinkLibrary*>& TheLinks() {
  static std::vector<CDynLinkLibrary*> links;
  return links;
}

}  // namespace

BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& module, HINSTANCE instance) {
  if (instance == nullptr) return false;
  module.hModule = instance;
  module.classes = CRuntimeClassRegistration::TakeUnclaimed();
  module.bInitialized = true;
  return true;
}

void AfxTermExtensionModule(AFX_EXTENSION_MODULE& module) {
  std::vector<CDynLinkLibrary*> mine;
  std::copy_if(TheLinks().begin(), TheLinks().end(), std::back_inserter(mine),
               [&module](const CDynLinkLibrary* link) { return &link->Module() == &module; });
  for (CDynLinkLibrary* link : mine) delete link;
  module.bInitialized = false;
  module.classes.clear();
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
