#pragma once
// Starts programs of the emulated machine from Windows command lines: the
// program resolves on the machine (as given, then with .exe, .com, .bat,
// .cmd), absolute Windows paths among the arguments are mapped, and batch
// files run in the machine's command interpreter.

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string_view>

#include "host/MachinePaths.h"
#include "host/ProgramRunner.h"

namespace platform {

class ProgramLauncher : public ProgramRunner {
 public:
  explicit ProgramLauncher(const MachinePaths& paths) : paths_(paths) {}

  bool RunProgram(std::string_view commandLine, int outputFd) override;
  // Returns as soon as the program ends, or when the limit has passed.
  void StartAndWait(std::string_view commandLine, std::chrono::milliseconds limit);

 private:
  std::optional<std::filesystem::path> ResolveProgram(std::string_view program) const;
  // The child's id, or nothing when the program cannot be found or started.
  std::optional<pid_t> Start(std::string_view commandLine, int outputFd);

  const MachinePaths& paths_;
};

}  // namespace platform
