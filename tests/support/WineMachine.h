#pragma once
// A Windows machine in a fresh wine prefix, for the Windows builds of the
// programs: drive C: is the prefix's drive_c, drive D: a folder beside it.
// The prefix is a copy of one made once per test run (BRENMOOR_WINE_BASE);
// the programs and the stub tool lie in BRENMOOR_WINDOWS_PROGRAMS.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "TempFolder.h"
#include "TestedMachine.h"

namespace testsupport {

class WineMachine : public TestedMachine {
 public:
  WineMachine();
  // Ends whatever still runs in the prefix.
  ~WineMachine() override;

  static std::string Unavailable();

  void SetRegistry(std::string_view body) override;
  bool RegistryKeyExists(std::string_view key) override;
  void SetFile(std::string_view windowsPath, std::string_view bytes) override;
  void MakeFolder(std::string_view windowsPath) override;
  std::string File(std::string_view windowsPath) const override;
  bool Exists(std::string_view windowsPath) const override;
  void AddStubProgram(std::string_view windowsPath) override;
  std::vector<std::string> Starts() const override;
  // Standard output comes with the line ends a Windows console shows, as "\n".
  RunResult Run(std::string_view program, const std::vector<std::string>& arguments,
                std::string_view hungTool, int waitLimitMs) override;
  std::vector<int> RunTogether(
      std::string_view program,
      const std::vector<std::vector<std::string>>& argumentLists) override;
  std::vector<std::string> Messages() const override;
  std::string Expanded(std::string_view text) const override { return std::string(text); }

 private:
  std::filesystem::path Host(std::string_view windowsPath) const;
  std::vector<std::string> ProgramCommand(std::string_view program,
                                          const std::vector<std::string>& arguments) const;
  std::filesystem::path Prefix() const { return folder_.Path() / "prefix"; }
  std::vector<std::string> Environment(const std::vector<std::string>& extra) const;
  // Runs a wine command (wine, wineserver) in the prefix to its end.
  int RunInPrefix(const std::vector<std::string>& argv,
                  const std::vector<std::string>& extraEnvironment = {}) const;

  TempFolder folder_;
};

}  // namespace testsupport
