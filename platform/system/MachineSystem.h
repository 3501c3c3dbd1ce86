#pragma once
// The system of the machine a program runs on, as its entry point opens it:
// the emulated machine on a Linux host, the real interface on Windows.

#include <memory>
#include <string>
#include <vector>

#include "System.h"

namespace platform {

// Null, with the reason in error, when the machine cannot be reached.
std::unique_ptr<System> OpenMachineSystem(std::string& error);

// The program's arguments after its name, in ANSI text as Windows hands
// them to a program of the ANSI code page.
std::vector<std::string> ProgramArguments(int argc, char** argv);

}  // namespace platform
