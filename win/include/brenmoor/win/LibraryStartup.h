#pragma once
// The library's entry point, which the loader runs: loading registers libwin
// as an extension module of the host's framework and puts it on the chain of
// modules searched for run-time classes and resources; unloading takes it off.

#include "brenmoor/app/ExtensionModule.h"

extern "C" {
// Returns false when the library cannot be registered, which fails the load.
BOOL WinLibraryMain(HINSTANCE instance, DWORD reason, void* reserved);
// The library's record on the chain (for hosts and tests that look).
const AFX_EXTENSION_MODULE* WinLibraryModule();
}
