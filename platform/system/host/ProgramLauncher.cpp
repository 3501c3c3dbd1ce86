#include "host/ProgramLauncher.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "host/CommandInterpreter.h"
#include "TextEncoding.h"
#include "host/MachineCodePage.h"
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
                            : machine::Utf8FromAnsi(argument));
  }
  return arguments;
}

void DetachStandardStreams() {
  const int nothing = open("/dev/null", O_RDWR);
  for (int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) dup2(nothing, fd);
  close_range(STDERR_FILENO + 1, ~0U, 0);
}

void WaitFor(pid_t child) {
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
}

bool HasEnded(pid_t child) {
  int status = 0;
  pid_t result = waitpid(child, &status, WNOHANG);
  return result == child || result < 0;
}

}  // namespace

std::optional<std::filesystem::path> ProgramLauncher::ResolveProgram(std::string_view program) const {
  if (program.empty() || !MachinePaths::IsValidPath(program)) return std::nullopt;
  for (std::string_view suffix : {"", ".exe", ".com", ".bat", ".cmd"}) {
    std::filesystem::path candidate = paths_.ToHost(std::string(program) + std::string(suffix));
    if (IsRegularFile(candidate)) return candidate;
  }
  return std::nullopt;
}

std::optional<ProgramLauncher::Resolved> ProgramLauncher::Resolve(std::string_view commandLine) const {
  const std::vector<std::string> windowsArguments = SplitWindowsCommandLine(commandLine);
  if (windowsArguments.empty()) return std::nullopt;
  const auto program = ResolveProgram(windowsArguments.front());
  if (!program) return std::nullopt;
  return Resolved{*program, HostArguments(paths_, windowsArguments, *program)};
}

// Runs in a forked child and never returns.
void ProgramLauncher::BecomeProgram(const Resolved& resolved, const std::filesystem::path& folder,
                                    int outputFd) {
  if (chdir(folder.c_str()) != 0) _exit(127);
  if (IsBatchFile(resolved.program)) {
    CommandInterpreter(paths_, *this).RunBatchFile(resolved.program, outputFd);
    std::fflush(nullptr);
    _exit(0);
  }
  if (outputFd != STDOUT_FILENO) dup2(outputFd, STDOUT_FILENO);
  std::vector<char*> argv;
  for (const auto& argument : resolved.arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  execv(argv[0], argv.data());
  _exit(127);
}

std::optional<pid_t> ProgramLauncher::Start(std::string_view commandLine, int outputFd,
                                            const std::filesystem::path& folder) {
  const auto resolved = Resolve(commandLine);
  if (!resolved) return std::nullopt;
  std::fflush(nullptr);
  const pid_t child = fork();
  if (child < 0) return std::nullopt;
  if (child == 0) BecomeProgram(*resolved, folder, outputFd);
  return child;
}

void ProgramLauncher::StartDetached(std::string_view commandLine,
                                    const std::filesystem::path& folder) {
  const auto resolved = Resolve(commandLine);
  std::error_code error;
  if (!resolved || !std::filesystem::is_directory(folder, error)) return;
  std::fflush(nullptr);
  const pid_t child = fork();
  if (child < 0) return;
  if (child == 0) {
    // The middle process ends at once, so the program belongs to nobody here.
    setsid();
    if (fork() == 0) {
      DetachStandardStreams();
      BecomeProgram(*resolved, folder, STDOUT_FILENO);
    }
    _exit(0);
  }
  WaitFor(child);
}

bool ProgramLauncher::RunProgram(std::string_view commandLine, int outputFd) {
  const auto child = Start(commandLine, outputFd, paths_.CurrentFolder());
  if (!child) return false;
  WaitFor(*child);
  return true;
}

void ProgramLauncher::StartAndWait(std::string_view commandLine, std::chrono::milliseconds limit) {
  const auto child = Start(commandLine, STDOUT_FILENO, paths_.CurrentFolder());
  if (!child) return;
  const auto deadline = std::chrono::steady_clock::now() + limit;
  auto pause = std::chrono::microseconds(200);
  while (!HasEnded(*child) && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(pause);
    pause = std::min(pause * 2, std::chrono::microseconds(10000));
  }
}

}  // namespace platform
