#pragma once
// Splits a Windows command line into arguments by the rules of the Microsoft
// C runtime, as a started program would see them.

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The first argument is the program name: up to the next quote when it
// starts with one (no backslash processing), otherwise up to the first blank
// or tab. An empty command line gives no arguments.
std::vector<std::string> SplitWindowsCommandLine(std::string_view commandLine);

}  // namespace platform
