#include "CWinApp.h"

#include <algorithm>

namespace {

CWinApp* theApp = nullptr;

std::vector<CResourceModule*>& ExtensionModules() {
  static std::vector<CResourceModule*> modules;
  return modules;
}

}  // namespace

const CString* CResourceModule::FindString(UINT id) const {
  auto found = strings_.find(id);
  return found == strings_.end() ? nullptr : &found->second;
}

CWinApp::CWinApp(const wchar_t* appName) : m_strAppName(appName) { theApp = this; }

CWinApp::~CWinApp() {
  if (theApp == this) theApp = nullptr;
}

const CString* CWinApp::FindString(UINT id) {
  if (theApp != nullptr) {
    if (const CString* found = theApp->CResourceModule::FindString(id)) return found;
  }
  for (const CResourceModule* module : ExtensionModules()) {
    if (const CString* found = module->FindString(id)) return found;
  }
  return nullptr;
}

void CWinApp::AddExtensionModule(CResourceModule* module) { ExtensionModules().push_back(module); }

void CWinApp::RemoveExtensionModule(CResourceModule* module) {
  auto& modules = ExtensionModules();
  modules.erase(std::remove(modules.begin(), modules.end(), module), modules.end());
}

CWinApp* AfxGetApp() { return theApp; }
