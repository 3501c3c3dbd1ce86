#pragma once
// Extension libraries: a library that loads into a host joins the
// application's chain of modules searched for resources and run-time
// classes, and leaves it when it unloads. Its entry point registers the
// library (AfxInitExtensionModule), then makes its link object
// (CDynLinkLibrary), which puts it on the chain; unloading terminates it.

#include <optional>
#include <vector>

#include "brenmoor/core/CObject.h"
#include "brenmoor/app/CWinApp.h"

struct AFX_EXTENSION_MODULE {
  BOOL bInitialized = false;
  HINSTANCE hModule = nullptr;
  // The run-time classes the library registered while its static objects
  // were built, collected when first asked for (by then all of them are),
  // so the entry point may run before the library's other static objects.
  const std::vector<const CRuntimeClass*>& Classes() const;

 private:
  friend BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE&, HINSTANCE);
  friend void AfxTermExtensionModule(AFX_EXTENSION_MODULE&);
  mutable std::optional<std::vector<const CRuntimeClass*>> classes_;
};

// False for a library without a module.
BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& module, HINSTANCE instance);
// Removes the library's link objects from the chain.
void AfxTermExtensionModule(AFX_EXTENSION_MODULE& module);

// The library's place on the chain of modules, for as long as it lives.
class CDynLinkLibrary {
 public:
  explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& module);
  ~CDynLinkLibrary();
  CDynLinkLibrary(const CDynLinkLibrary&) = delete;
  CDynLinkLibrary& operator=(const CDynLinkLibrary&) = delete;

  AFX_EXTENSION_MODULE& Module() const { return module_; }
  // The links now on the chain, oldest first.
  static const std::vector<CDynLinkLibrary*>& Links();

 private:
  AFX_EXTENSION_MODULE& module_;
};

// The loader's notifications to a library's entry point.
constexpr DWORD DLL_PROCESS_DETACH = 0;
constexpr DWORD DLL_PROCESS_ATTACH = 1;
constexpr DWORD DLL_THREAD_ATTACH = 2;
constexpr DWORD DLL_THREAD_DETACH = 3;
