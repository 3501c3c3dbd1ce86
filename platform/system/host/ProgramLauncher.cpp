#include "host/ProgramLauncher.h"

#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "host/CommandInterpreter.h"
#include "host/TextEncoding.h"
#include "host/WindowsCommandLine.h"

namespace platform {
namespace {

bool HasExtension(const std::filesystem::path& file, std::string_view lowerExtension) {
  std::string extension = file.extension().string();
  for (auto& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension == lowerExtension;
}

bool IsBatchFile(const std::filesystem::path& file) {
  return HasExtension(file, ".bat") || HasExtension(file, ".cmd");
}

bool IsRegularFile(const std::filesystem::path& file) {
  std::error_code error;
  return std::filesystem::is_regular_file(file, error);
}

std::vector<std::string> HostArguments(const MachinePaths& paths,
                                       const std::vector<std::string>& windowsArguments,
                                       const std::filesystem::path& program) {
  std::vector<std::string> arguments{program.string()};
  for (std::size_t i = 1; i < windowsArguments.size(); ++i) {
    const std::string& argument = windowsArguments[i];
    arguments.push_back(MachinePaths::IsAbsoluteWindowsPath(argument)
                            ? paths.ToHost(argument).string()
                            : encoding::Utf8FromAnsi(argument));
  }
  return arguments;
}

[[noreturn]] void ExecInChild(const std::filesystem::path& folder, int outputFd,
                              const std::vector<std::string>& arguments) {
  if (outputFd != STDOUT_FILENO) dup2(outputFd, STDOUT_FILENO);
  if (chdir(folder.c_str()) != 0) _exit(127);
  std::vector<char*> argv;
  for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  execv(argv[0], argv.data());
  _exit(127);
}

bool HasEnded(pid_t child) {
  int status = 0;
  pid_t result = waitpid(child, &status, WNOHANG);
  return result == child || result < 0;
}

}  // namespace

std::optional<std::filesystem::path> ProgramLauncher::ResolveProgram(std::string_view program) const {
  if (program.empty()) return std::nullopt;
  for (std::string_view suffix : {"", ".exe", ".com", ".bat", ".cmd"}) {
    std::filesystem::path candidate = paths_.ToHost(std::string(program) + std::string(suffix));
    if (IsRegularFile(candidate)) return candidate;
  }
  return std::nullopt;
}

std::optional<pid_t> ProgramLauncher::Start(std::string_view commandLine, int outputFd) {
  const std::vector<std::string> windowsArguments = SplitWindowsCommandLine(commandLine);
  if (windowsArguments.empty()) return std::nullopt;
  const auto program = ResolveProgram(windowsArguments.front());
  if (!program) return std::nullopt;
  const std::vector<std::string> arguments = HostArguments(paths_, windowsArguments, *program);
  const std::filesystem::path folder = paths_.CurrentFolder();

  std::fflush(nullptr);
  const pid_t child = fork();
  if (child < 0) return std::nullopt;
  if (child == 0) {
    if (IsBatchFile(*program)) {
      if (chdir(folder.c_str()) != 0) _exit(1);
      CommandInterpreter(paths_, *this).RunBatchFile(*program, outputFd);
      std::fflush(nullptr);
      _exit(0);
    }
    ExecInChild(folder, outputFd, arguments);
  }
  return child;
}

bool ProgramLauncher::RunProgram(std::string_view commandLine, int outputFd) {
  const auto child = Start(commandLine, outputFd);
  if (!child) return false;
  int status = 0;
  while (waitpid(*child, &status, 0) < 0 && errno == EINTR) {
  }
  return true;
}

void ProgramLauncher::StartAndWait(std::string_view commandLine, std::chrono::milliseconds limit) {
  const auto child = Start(commandLine, STDOUT_FILENO);
  if (!child) return;
  const auto deadline = std::chrono::steady_clock::now() + limit;
  auto pause = std::chrono::microseconds(200);
  while (!HasEnded(*child) && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(pause);
    pause = std::min(pause * 2, std::chrono::microseconds(10000));
  }
}

}  // namespace platform
