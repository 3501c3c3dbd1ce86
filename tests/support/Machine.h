#pragma once
// An emulated Windows machine in a temporary folder, for tests that run the
// installed programs: its registry, its files, stub programs that record how
// they were started, and runs of a program with the machine set.

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "TempFolder.h"

namespace testsupport {

struct RunResult {
  int exitStatus = -1;
  std::string out;
  std::string err;
};

class Machine {
 public:
  Machine();

  const std::filesystem::path& Root() const { return folder_.Path(); }
  // The host path of an absolute Windows path written exactly as it lies on
  // disk ("C:\\Suite\\x.txt" is <root>/c/Suite/x.txt).
  std::filesystem::path Host(std::string_view windowsPath) const;

  // The body of registry.reg after its "REGEDIT4" header.
  void SetRegistry(std::string_view body);
  void SetFile(std::string_view windowsPath, std::string_view bytes);
  std::string File(std::string_view windowsPath) const;
  bool Exists(std::string_view windowsPath) const;

  // A program that appends one line to the record, "name [arg]... cwd=<folder>",
  // and then runs the extra shell text. The record is empty until one runs.
  void AddStubProgram(std::string_view windowsPath, std::string_view extraShell = "");
  std::vector<std::string> Record() const;

  enum class Wait { ForEverything, ForProgramOnly };
  // Runs an installed program (by name, below the install prefix's bin/)
  // and waits until it and every program it started, detached or not, end;
  // or for the program alone, when the test keeps processes of its own.
  RunResult Run(std::string_view program, const std::vector<std::string>& arguments,
                const std::vector<std::string>& extraEnvironment = {},
                Wait wait = Wait::ForEverything) const;
  // Runs the program once per list of arguments, all started at once, and
  // waits until every run and everything it started have ended; the exit
  // statuses in the order of the lists.
  std::vector<int> RunTogether(std::string_view program,
                               const std::vector<std::vector<std::string>>& argumentLists) const;
  // Each message box of the runs so far, as "title|text".
  std::vector<std::string> Messages() const;

 private:
  std::vector<std::string> Environment(const std::vector<std::string>& extraEnvironment) const;

  TempFolder folder_;
};

// Starts argv[0] (searched on PATH) in folder (empty: the current one) with
// exactly the environment given, standard input empty and standard output
// and error written to the files; throws when it cannot start.
pid_t SpawnProgram(const std::vector<std::string>& argv,
                   const std::vector<std::string>& environment, const std::filesystem::path& folder,
                   const std::filesystem::path& outFile, const std::filesystem::path& errFile);
// The exit status, or 128 + the signal that ended it.
int WaitForExit(pid_t child);
// Reaps every child, including processes left to this one as subreaper.
void WaitForDescendants();
// Each message box written to a messages file, as "title|text".
std::vector<std::string> MessagesIn(const std::filesystem::path& file);

// The installed program's path: $BRENMOOR_PREFIX/bin/<name>.
std::filesystem::path InstalledProgram(std::string_view name);

}  // namespace testsupport
