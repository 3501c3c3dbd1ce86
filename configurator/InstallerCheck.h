#pragma once
// "checkformsi": when Windows Installer processes run, switch the Windows
// Installer service over once for each of them.

#include <string_view>

#include "Invocation.h"
#include "Operations.h"

namespace configurator {

void CheckForInstaller(Operations& operations, const Invocation& invocation);

// True when a process of that program name (any case) was found.
bool SwitchServiceForEachProcess(Operations& operations, std::string_view processName);

}  // namespace configurator
