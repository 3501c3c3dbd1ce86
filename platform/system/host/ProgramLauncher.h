#pragma once
// Starts programs of the emulated machine from Windows command lines: the
// program resolves on the machine (as given, then with .exe, .com, .bat,
// .cmd), absolute Windows paths among the arguments are mapped, and batch
// files run in the machine's command interpreter.

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/MachinePaths.h"
#include "host/ProgramRunner.h"

namespace platform {

class ProgramLauncher : public ProgramRunner {
 public:
  explicit ProgramLauncher(const MachinePaths& paths) : paths_(paths) {}

  bool RunProgram(std::string_view commandLine, int outputFd) override;
  // Returns as soon as the program ends, or when the limit has passed.
  void StartAndWait(std::string_view commandLine, std::chrono::milliseconds limit);
  // Starts in folder with nothing inherited but the machine's environment,
  // in a session of its own, and does not wait. Nothing starts when the
  // folder does not exist.
  void StartDetached(std::string_view commandLine, const std::filesystem::path& folder);

 private:
  struct Resolved {
    std::filesystem::path program;
    std::vector<std::string> arguments;  // host arguments, the program first
  };

  std::optional<std::filesystem::path> ResolveProgram(std::string_view program) const;
  std::optional<Resolved> Resolve(std::string_view commandLine) const;
  [[noreturn]] void BecomeProgram(const Resolved& resolved, const std::filesystem::path& folder,
                                  int outputFd);
  // The child's id, or nothing when the program cannot be found or started.
  std::optional<pid_t> Start(std::string_view commandLine, int outputFd,
                             const std::filesystem::path& folder);

  const MachinePaths& paths_;
};

}  // namespace platform
