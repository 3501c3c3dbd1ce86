#include "Machine.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace testsupport {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Undoes the escapes that the messages file uses.
std::string JsonUnescape(std::string_view quoted) {
  std::string out;
  for (std::size_t i = 0; i < quoted.size(); ++i) {
    if (quoted[i] != '\\' || i + 1 == quoted.size()) {
      out += quoted[i];
      continue;
    }
    char escaped = quoted[++i];
    switch (escaped) {
      case 'n': out += '\n'; break;
      case 'r': out += '\r'; break;
      case 't': out += '\t'; break;
      case 'u':
        out += static_cast<char>(std::stoi(std::string(quoted.substr(i + 1, 4)), nullptr, 16));
        i += 4;
        break;
      default: out += escaped;
    }
  }
  return out;
}

std::string JsonField(const std::string& line, std::string_view name, std::size_t from,
                      std::size_t& end) {
  const std::string opening = "\"" + std::string(name) + "\": \"";
  std::size_t start = line.find(opening, from);
  if (start == std::string::npos) throw std::runtime_error("no " + std::string(name) + ": " + line);
  start += opening.size();
  end = start;
  while (end < line.size() && line[end] != '"') end += line[end] == '\\' ? 2 : 1;
  return JsonUnescape(std::string_view(line).substr(start, end - start));
}

}  // namespace

pid_t SpawnProgram(const std::vector<std::string>& argv,
                   const std::vector<std::string>& environment, const std::filesystem::path& folder,
                   const std::filesystem::path& outFile, const std::filesystem::path& errFile) {
  std::vector<char*> args;
  for (const auto& argument : argv) args.push_back(const_cast<char*>(argument.c_str()));
  args.push_back(nullptr);
  std::vector<char*> envp;
  for (const auto& variable : environment) envp.push_back(const_cast<char*>(variable.c_str()));
  envp.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outFile.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errFile.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (!folder.empty()) posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  pid_t child = 0;
  int failed = posix_spawnp(&child, args[0], &actions, nullptr, args.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (failed != 0) throw std::runtime_error("cannot start " + argv[0]);
  return child;
}

int WaitForExit(pid_t child) {
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

void WaitForDescendants() {
  while (waitpid(-1, nullptr, 0) > 0 || errno == EINTR) {
  }
}

std::vector<std::string> MessagesIn(const std::filesystem::path& file) {
  std::vector<std::string> messages;
  if (!std::filesystem::exists(file)) return messages;
  for (const auto& line : Lines(ReadFile(file))) {
    std::size_t end = 0;
    std::string title = JsonField(line, "title", 0, end);
    std::string text = JsonField(line, "text", end, end);
    messages.push_back(title + "|" + text);
  }
  return messages;
}

std::filesystem::path InstalledProgram(std::string_view name) {
  const char* prefix = std::getenv("BRENMOOR_PREFIX");
  if (prefix == nullptr) throw std::runtime_error("BRENMOOR_PREFIX is not set");
  return std::filesystem::path(prefix) / "bin" / std::string(name);
}

Machine::Machine() { std::filesystem::create_directories(Root() / "c"); SetRegistry(""); }

std::filesystem::path Machine::Host(std::string_view windowsPath) const {
  if (windowsPath.size() < 3 || windowsPath[1] != ':' ||
      (windowsPath[2] != '\\' && windowsPath[2] != '/')) {
    throw std::invalid_argument("not an absolute Windows path: " + std::string(windowsPath));
  }
  std::string relative(windowsPath.substr(3));
  for (char& c : relative) c = c == '\\' ? '/' : c;
  const char drive = static_cast<char>(std::tolower(static_cast<unsigned char>(windowsPath[0])));
  return Root() / std::string(1, drive) / relative;
}

void Machine::SetRegistry(std::string_view body) {
  WriteFile(Root() / "registry.reg", "REGEDIT4\r\n\r\n" + std::string(body));
}

void Machine::SetFile(std::string_view windowsPath, std::string_view bytes) {
  WriteFile(Host(windowsPath), bytes);
}

std::string Machine::File(std::string_view windowsPath) const { return ReadFile(Host(windowsPath)); }

bool Machine::Exists(std::string_view windowsPath) const {
  return std::filesystem::exists(Host(windowsPath));
}

void Machine::AddStubProgram(std::string_view windowsPath, std::string_view extraShell) {
  const std::filesystem::path file = Host(windowsPath);
  // One write per line, so that programs started together never mix their lines.
  WriteFile(file, "#!/bin/sh\nline=\"${0##*/}\"\nfor a in \"$@\"; do line=\"$line [$a]\"; done\n"
                  "printf '%s cwd=%s\\n' \"$line\" \"$PWD\" >> '" +
                      (Root() / "record.txt").string() + "'\n" + std::string(extraShell) + "\n");
  std::filesystem::permissions(file, std::filesystem::perms::owner_exec,
                               std::filesystem::perm_options::add);
}

std::vector<std::string> Machine::Record() const {
  const std::filesystem::path record = Root() / "record.txt";
  return std::filesystem::exists(record) ? Lines(ReadFile(record)) : std::vector<std::string>{};
}

std::vector<std::string> Machine::Environment(
    const std::vector<std::string>& extraEnvironment) const {
  std::vector<std::string> environment = extraEnvironment;
  auto named = [&](std::string_view name) {
    for (const auto& variable : extraEnvironment) {
      if (variable.rfind(std::string(name) + "=", 0) == 0) return true;
    }
    return false;
  };
  if (!named("BRENMOOR_MACHINE")) environment.push_back("BRENMOOR_MACHINE=" + Root().string());
  if (!named("BRENMOOR_MESSAGES")) {
    environment.push_back("BRENMOOR_MESSAGES=" + (Root() / "messages.jsonl").string());
  }
  for (char** entry = environ; *entry != nullptr; ++entry) {
    std::string_view variable(*entry);
    if (variable.rfind("BRENMOOR_", 0) != 0) environment.emplace_back(variable);
  }
  return environment;
}

RunResult Machine::Run(std::string_view program, const std::vector<std::string>& arguments,
                       const std::vector<std::string>& extraEnvironment, Wait wait) const {
  const std::string path = InstalledProgram(program).string();
  const std::filesystem::path outFile = Root() / "stdout.txt";
  const std::filesystem::path errFile = Root() / "stderr.txt";
  const std::vector<std::string> environment = Environment(extraEnvironment);
  std::vector<std::string> argv{path};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  // Programs started detached end up as our children, so a run can wait
  // for everything it started, not just for the program.
  prctl(PR_SET_CHILD_SUBREAPER, 1);
  const pid_t child = SpawnProgram(argv, environment, {}, outFile, errFile);
  RunResult result;
  result.exitStatus = WaitForExit(child);
  if (wait == Wait::ForEverything) WaitForDescendants();
  result.out = ReadFile(outFile);
  result.err = ReadFile(errFile);
  return result;
}

std::vector<int> Machine::RunTogether(
    std::string_view program, const std::vector<std::vector<std::string>>& argumentLists) const {
  const std::vector<std::string> environment = Environment({});
  prctl(PR_SET_CHILD_SUBREAPER, 1);
  std::vector<pid_t> children;
  for (std::size_t i = 0; i < argumentLists.size(); ++i) {
    std::vector<std::string> argv{InstalledProgram(program).string()};
    argv.insert(argv.end(), argumentLists[i].begin(), argumentLists[i].end());
    const std::string name = "together-" + std::to_string(i);
    children.push_back(SpawnProgram(argv, environment, {}, Root() / (name + ".out"),
                                    Root() / (name + ".err")));
  }
  std::vector<int> statuses;
  for (pid_t child : children) statuses.push_back(WaitForExit(child));
  WaitForDescendants();
  return statuses;
}

std::vector<std::string> Machine::Messages() const {
  return MessagesIn(Root() / "messages.jsonl");
}

}  // namespace testsupport
