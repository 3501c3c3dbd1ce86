#pragma once
// The command interpreter of the emulated machine: the built-in commands the
// programs use (copy, move, del /q, rmdir /S /Q, echo), batch files, programs
// and ">" redirection. Anything else prints cmd's "is not recognized" error.

#include <filesystem>
#include <string_view>

#include "host/MachinePaths.h"
#include "host/ProgramRunner.h"

namespace platform {

class CommandInterpreter {
 public:
  CommandInterpreter(const MachinePaths& paths, ProgramRunner& programs);

  // One command line, as the C runtime's system() hands it to cmd.
  void Run(std::string_view commandLine);
  // The lines of a batch file in order, with standard output on outputFd.
  void RunBatchFile(const std::filesystem::path& hostFile, int outputFd);

 private:
  const MachinePaths& paths_;
  ProgramRunner& programs_;
};

}  // namespace platform
