#pragma once
// Starts the programs that the command interpreter hands on.

#include <string_view>

namespace platform {

class ProgramRunner {
 public:
  virtual ~ProgramRunner() = default;
  // Runs a Windows command line whose first token is a program (or batch
  // file) on the machine, with its standard output on outputFd, and waits
  // until it ends. False when the program cannot be found.
  virtual bool RunProgram(std::string_view commandLine, int outputFd) = 0;
};

}  // namespace platform
