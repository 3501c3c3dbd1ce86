#pragma once
// The running processes of this Linux machine, each named by its program file.

#include <optional>
#include <string>
#include <vector>

namespace platform {

// In ascending process id order, at most limit entries; nothing for a
// process whose program cannot be read (another user's, a kernel thread).
// Names are in ANSI text.
std::vector<std::optional<std::string>> ListHostProcesses(std::size_t limit);

}  // namespace platform
