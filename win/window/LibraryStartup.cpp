#include "brenmoor/win/LibraryStartup.h"

#include <cstdio>
#include <cstdlib>

namespace {

// libwin holds no resources of its own; this module stands for it on the chain.
CResourceModule libraryResources;
AFX_EXTENSION_MODULE libraryModule;

// The loader's side: attach as the library loads, detach when it unloads.
struct Loader {
  Loader() {
    if (!WinLibraryMain(&libraryResources, DLL_PROCESS_ATTACH, nullptr)) {
      std::fputs("libwin: cannot register with the framework\n", stderr);
      std::abort();
    }
  }
  ~Loader() { WinLibraryMain(&libraryResources, DLL_PROCESS_DETACH, nullptr); }
  Loader(const Loader&) = delete;
  Loader& operator=(const Loader&) = delete;
} loader;

}  // namespace

BOOL WinLibraryMain(HINSTANCE instance, DWORD reason, void*) {
  if (reason == DLL_PROCESS_ATTACH) {
    if (!AfxInitExtensionModule(libraryModule, instance)) return false;
    new CDynLinkLibrary(libraryModule);  // the chain owns it until the library is terminated
  } else if (reason == DLL_PROCESS_DETACH) {
    AfxTermExtensionModule(libraryModule);
  }
  return true;
}

const AFX_EXTENSION_MODULE* WinLibraryModule() { return &libraryModule; }
