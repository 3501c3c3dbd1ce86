#pragma once
// The command interpreter of the emulated machine: the built-in commands the
// programs use (copy, move, del /q, rmdir /S /Q, echo), batch files, programs
// and ">" redirection. Anything else prints cmd's "is not recognized" error.

#include <filesystem>
#include <string>
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
  // Whether the rest of a batch file still runs after a line.
  enum class Flow { kNextLine, kBatchTookOver };

  Flow ExecuteLine(std::string_view line, int defaultFd);
  Flow ExecuteCommand(std::string_view command, int outputFd);
  Flow RunBatchOrProgram(std::string_view command, const std::string& name, int outputFd);
  void RunBatch(const std::filesystem::path& hostFile, int outputFd);
  void Echo(std::string_view command, int outputFd);

  const MachinePaths& paths_;
  ProgramRunner& programs_;
  bool echoOn_ = true;
  int batchDepth_ = 0;
};

}  // namespace platform
