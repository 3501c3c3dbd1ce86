#include "TestedMachine.h"

#include <signal.h>

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

#include "WineMachine.h"

namespace testsupport {
namespace {

// Host paths below the machine folder, as the emulated machine hands them
// to its programs, back in Windows terms: <root>/c/A/b is C:\A\b.
std::string WindowsPaths(std::string text, const std::string& root) {
  for (std::size_t at = text.find(root + "/"); at != std::string::npos;
       at = text.find(root + "/", at)) {
    const std::size_t drive = at + root.size() + 1;
    const bool driveAlone = drive < text.size() && std::isalpha(static_cast<unsigned char>(text[drive])) &&
                            (drive + 1 == text.size() || text[drive + 1] == '/' ||
                             text[drive + 1] == ']' || text[drive + 1] == '\n');
    if (!driveAlone) {
      at = drive;
      continue;
    }
    std::string windows(1, static_cast<char>(std::toupper(static_cast<unsigned char>(text[drive]))));
    windows += ":\\";
    std::size_t end = drive + 1;
    if (end < text.size() && text[end] == '/') ++end;
    for (; end < text.size() && text[end] != ']' && text[end] != '\n'; ++end) {
      windows += text[end] == '/' ? '\\' : text[end];
    }
    text.replace(at, end - at, windows);
    at += windows.size();
  }
  return text;
}

std::string Replaced(std::string text, std::string_view from, std::string_view to) {
  for (std::size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

class EmulatedMachine : public TestedMachine {
 public:
  void SetRegistry(std::string_view body) override { machine_.SetRegistry(body); }
  bool RegistryKeyExists(std::string_view key) override {
    return ReadFile(machine_.Root() / "registry.reg").find("[" + std::string(key) + "]\r\n") !=
           std::string::npos;
  }
  void SetFile(std::string_view windowsPath, std::string_view bytes) override {
    machine_.SetFile(windowsPath, bytes);
  }
  void MakeFolder(std::string_view windowsPath) override {
    std::filesystem::create_directories(machine_.Host(windowsPath));
  }
  std::string File(std::string_view windowsPath) const override {
    return machine_.File(windowsPath);
  }
  bool Exists(std::string_view windowsPath) const override { return machine_.Exists(windowsPath); }

  void AddStubProgram(std::string_view windowsPath) override {
    machine_.AddStubProgram(windowsPath,
                            "if [ \"${0##*/}\" = \"$BRENMOOR_HUNG_TOOL\" ]; then\n"
                            "  echo $$ >> '" + HungList().string() + "'\n"
                            "  exec sleep 600\nfi");
  }
  std::vector<std::string> Starts() const override {
    std::string record = ReadFile(machine_.Root() / "record.txt");
    if (record == "<missing>") return {};
    const std::string canonical = std::filesystem::canonical(machine_.Root()).string();
    const std::string root = machine_.Root().string();
    record = WindowsPaths(WindowsPaths(record, canonical), root);
    return StartsIn(Replaced(Replaced(record, canonical, "$M"), root, "$M"));
  }
  std::string Expanded(std::string_view text) const override {
    return Replaced(std::string(text), "$M", machine_.Root().string());
  }

  RunResult Run(std::string_view program, const std::vector<std::string>& arguments,
                std::string_view hungTool, int waitLimitMs) override {
    if (hungTool.empty()) return machine_.Run(program, arguments);
    RunResult result = machine_.Run(
        program, arguments,
        {"BRENMOOR_HUNG_TOOL=" + std::string(hungTool),
         "BRENMOOR_WAIT_LIMIT_MS=" + std::to_string(waitLimitMs)},
        Machine::Wait::ForProgramOnly);
    std::ifstream hung(HungList());
    for (pid_t pid = 0; hung >> pid;) kill(pid, SIGKILL);
    WaitForDescendants();
    return result;
  }
  std::vector<int> RunTogether(
      std::string_view program,
      const std::vector<std::vector<std::string>>& argumentLists) override {
    return machine_.RunTogether(program, argumentLists);
  }
  std::vector<std::string> Messages() const override { return machine_.Messages(); }

 private:
  std::filesystem::path HungList() const { return machine_.Root() / "hung.pids"; }

  Machine machine_;
};

}  // namespace

std::unique_ptr<TestedMachine> MakeMachine(MachineKind kind) {
  if (kind == MachineKind::Wine) return std::make_unique<WineMachine>();
  return std::make_unique<EmulatedMachine>();
}

std::string Unavailable(MachineKind kind) {
  return kind == MachineKind::Wine ? WineMachine::Unavailable() : "";
}

const char* KindName(MachineKind kind) {
  return kind == MachineKind::Wine ? "OnWine" : "Emulated";
}

void PrintTo(MachineKind kind, std::ostream* out) { *out << KindName(kind); }

std::vector<std::string> StartsIn(const std::string& record) {
  std::vector<std::string> starts;
  std::size_t from = 0;
  while (from < record.size()) {
    const std::size_t cwd = record.find(" cwd=", from);
    const std::size_t end = cwd == std::string::npos ? std::string::npos : record.find('\n', cwd);
    if (end == std::string::npos) {
      starts.push_back("<torn> " + record.substr(from));
      break;
    }
    starts.push_back(record.substr(from, end - from));
    from = end + 1;
  }
  return starts;
}

}  // namespace testsupport
