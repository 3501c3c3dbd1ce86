#include "WineMachine.h"

#include <cctype>
#include <cstdlib>
#include <stdexcept>

extern char** environ;

namespace testsupport {
namespace {

namespace fs = std::filesystem;

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// The program files that a prefix never changes are shared with the base
// prefix; everything else, the registry above all, is copied.
void CopyPrefix(const fs::path& base, const fs::path& copy) {
  const fs::path shared[] = {base / "drive_c" / "windows" / "system32",
                             base / "drive_c" / "windows" / "winsxs"};
  fs::create_directories(copy);
  for (auto entry = fs::recursive_directory_iterator(base); entry != fs::end(entry); ++entry) {
    const fs::path target = copy / entry->path().lexically_relative(base);
    if (entry->is_symlink()) {
      fs::copy_symlink(entry->path(), target);
    } else if (entry->is_directory()) {
      fs::create_directories(target);
    } else if (entry->path().filename() != "wineserver") {
      bool link = false;
      for (const auto& folder : shared) {
        link = link || entry->path().string().rfind(folder.string() + "/", 0) == 0;
      }
      link ? fs::create_hard_link(entry->path(), target) : void(fs::copy_file(entry->path(), target));
    }
  }
}

// A host path as a program in the prefix names it.
std::string OnDriveZ(const fs::path& hostPath) { return "Z:" + hostPath.string(); }

std::string WindowsLineEnds(std::string text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) out += text[i];
  }
  return out;
}

}  // namespace

std::string WineMachine::Unavailable() {
  if (Variable("BRENMOOR_WINDOWS_PROGRAMS").empty()) {
    return "BRENMOOR_WINDOWS_PROGRAMS does not name the Windows programs (the windows preset)";
  }
  if (Variable("BRENMOOR_WINE_BASE").empty()) {
    return "BRENMOOR_WINE_BASE does not name a prepared wine prefix";
  }
  return "";
}

WineMachine::WineMachine() {
  if (!Unavailable().empty()) throw std::runtime_error(Unavailable());
  CopyPrefix(Variable("BRENMOOR_WINE_BASE"), Prefix());
  fs::create_directories(folder_.Path() / "drive_d");
  fs::remove(Prefix() / "dosdevices" / "d:");
  fs::create_directory_symlink(folder_.Path() / "drive_d", Prefix() / "dosdevices" / "d:");
}

WineMachine::~WineMachine() {
  try {
    RunInPrefix({"wineserver", "-k"});
    RunInPrefix({"wineserver", "-w"});
  } catch (const std::exception&) {
    // The prefix goes with the folder all the same.
  }
}

std::vector<std::string> WineMachine::Environment(const std::vector<std::string>& extra) const {
  std::vector<std::string> environment = extra;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    std::string_view variable(*entry);
    if (variable.rfind("BRENMOOR_", 0) != 0 && variable.rfind("WINE", 0) != 0) {
      environment.emplace_back(variable);
    }
  }
  environment.push_back("WINEPREFIX=" + Prefix().string());
  environment.push_back("WINEDEBUG=-all");
  // No prompts to install the .NET and HTML engines.
  environment.push_back("WINEDLLOVERRIDES=mscoree,mshtml=");
  environment.push_back("BRENMOOR_MESSAGES=" + OnDriveZ(folder_.Path() / "messages.jsonl"));
  environment.push_back("BRENMOOR_RECORD=" + OnDriveZ(folder_.Path() / "record.txt"));
  return environment;
}

int WineMachine::RunInPrefix(const std::vector<std::string>& argv,
                             const std::vector<std::string>& extraEnvironment) const {
  const pid_t child = SpawnProgram(argv, Environment(extraEnvironment), Prefix() / "drive_c",
                                   folder_.Path() / "stdout.txt", folder_.Path() / "stderr.txt");
  return WaitForExit(child);
}

fs::path WineMachine::Host(std::string_view windowsPath) const {
  if (windowsPath.size() < 3 || windowsPath[1] != ':' || windowsPath[2] != '\\') {
    throw std::invalid_argument("not an absolute Windows path: " + std::string(windowsPath));
  }
  std::string relative(windowsPath.substr(3));
  for (char& c : relative) c = c == '\\' ? '/' : c;
  switch (std::tolower(static_cast<unsigned char>(windowsPath[0]))) {
    case 'c': return Prefix() / "drive_c" / relative;
    case 'd': return folder_.Path() / "drive_d" / relative;
    default: throw std::invalid_argument("no such drive: " + std::string(windowsPath));
  }
}

void WineMachine::SetRegistry(std::string_view body) {
  const fs::path file = folder_.Path() / "import.reg";
  WriteFile(file, "REGEDIT4\r\n\r\n" + std::string(body));
  // Under load, wine's reg now and then fails on a prefix whose server is
  // still starting, saying nothing; importing the same keys again is harmless.
  int status = 0;
  for (int attempt = 0; attempt < 3; ++attempt) {
    status = RunInPrefix({"wine", "reg", "import", OnDriveZ(file)});
    if (status == 0) return;
    RunInPrefix({"wineserver", "-w"});
  }
  throw std::runtime_error("wine reg import failed with status " + std::to_string(status) + ": " +
                           ReadFile(folder_.Path() / "stderr.txt"));
}

bool WineMachine::RegistryKeyExists(std::string_view key) {
  return RunInPrefix({"wine", "reg", "query", std::string(key)}) == 0;
}

void WineMachine::SetFile(std::string_view windowsPath, std::string_view bytes) {
  WriteFile(Host(windowsPath), bytes);
}

void WineMachine::MakeFolder(std::string_view windowsPath) {
  fs::create_directories(Host(windowsPath));
}

std::string WineMachine::File(std::string_view windowsPath) const {
  return ReadFile(Host(windowsPath));
}

bool WineMachine::Exists(std::string_view windowsPath) const {
  return fs::exists(Host(windowsPath));
}

void WineMachine::AddStubProgram(std::string_view windowsPath) {
  const fs::path file = Host(windowsPath);
  fs::create_directories(file.parent_path());
  fs::copy_file(fs::path(Variable("BRENMOOR_WINDOWS_PROGRAMS")) / "recording_stub.exe", file,
                fs::copy_options::overwrite_existing);
}

std::vector<std::string> WineMachine::Starts() const {
  const std::string record = ReadFile(folder_.Path() / "record.txt");
  return record == "<missing>" ? std::vector<std::string>{} : StartsIn(record);
}

std::vector<std::string> WineMachine::ProgramCommand(
    std::string_view program, const std::vector<std::string>& arguments) const {
  std::vector<std::string> argv{
      "wine", (fs::path(Variable("BRENMOOR_WINDOWS_PROGRAMS")) / (std::string(program) + ".exe"))
                  .string()};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  return argv;
}

RunResult WineMachine::Run(std::string_view program, const std::vector<std::string>& arguments,
                           std::string_view hungTool, int waitLimitMs) {
  const std::vector<std::string> argv = ProgramCommand(program, arguments);
  std::vector<std::string> extra;
  if (!hungTool.empty()) {
    extra = {"BRENMOOR_HUNG_TOOL=" + std::string(hungTool),
             "BRENMOOR_WAIT_LIMIT_MS=" + std::to_string(waitLimitMs)};
  }
  RunResult result;
  result.exitStatus = RunInPrefix(argv, extra);
  result.out = WindowsLineEnds(ReadFile(folder_.Path() / "stdout.txt"));
  result.err = ReadFile(folder_.Path() / "stderr.txt");
  // The program has ended; what it started detached may still run, a hung
  // tool forever.
  if (!hungTool.empty()) RunInPrefix({"wineserver", "-k"});
  RunInPrefix({"wineserver", "-w"});
  return result;
}

std::vector<int> WineMachine::RunTogether(
    std::string_view program, const std::vector<std::vector<std::string>>& argumentLists) {
  std::vector<pid_t> children;
  for (std::size_t i = 0; i < argumentLists.size(); ++i) {
    const std::string name = "together-" + std::to_string(i);
    children.push_back(SpawnProgram(ProgramCommand(program, argumentLists[i]), Environment({}),
                                    Prefix() / "drive_c", folder_.Path() / (name + ".out"),
                                    folder_.Path() / (name + ".err")));
  }
  std::vector<int> statuses;
  for (pid_t child : children) statuses.push_back(WaitForExit(child));
  RunInPrefix({"wineserver", "-w"});
  return statuses;
}

std::vector<std::string> WineMachine::Messages() const {
  return MessagesIn(folder_.Path() / "messages.jsonl");
}

}  // namespace testsupport
