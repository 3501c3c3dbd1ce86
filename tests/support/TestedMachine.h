#pragma once
// A Windows machine that the tests of the two programs run on, whichever it
// is: the emulated machine with the Linux builds, or wine with the Windows
// builds. Expectations are written once, in Windows terms, for both.

#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "Machine.h"

namespace testsupport {

enum class MachineKind { Emulated, Wine };

class TestedMachine {
 public:
  virtual ~TestedMachine() = default;

  // The body of a REGEDIT4 file after its header: the machine's registry
  // holds these keys besides its own.
  virtual void SetRegistry(std::string_view body) = 0;
  virtual bool RegistryKeyExists(std::string_view key) = 0;

  // Absolute Windows paths on drives C: and D:.
  virtual void SetFile(std::string_view windowsPath, std::string_view bytes) = 0;
  virtual void MakeFolder(std::string_view windowsPath) = 0;
  // The bytes of a file, or "<missing>".
  virtual std::string File(std::string_view windowsPath) const = 0;
  virtual bool Exists(std::string_view windowsPath) const = 0;

  // A tool that records each start: "name [arg]... cwd=<Windows folder>".
  virtual void AddStubProgram(std::string_view windowsPath) = 0;
  // The starts so far, in the order they were recorded. An entry ends at the
  // line end after its " cwd=", so arguments may hold line ends.
  virtual std::vector<std::string> Starts() const = 0;

  // Runs the program ("kelvane" or "morrant") from C:\ and waits until it
  // and everything it started have ended. The stub named hungTool never
  // ends: the run then waits at most waitLimitMs for a started tool, waits
  // for the program alone and ends what is left.
  virtual RunResult Run(std::string_view program, const std::vector<std::string>& arguments,
                        std::string_view hungTool = {}, int waitLimitMs = 0) = 0;
  // Runs the program from C:\ once per list of arguments, all started at
  // once, and waits until every run and everything it started have ended;
  // the exit statuses in the order of the lists.
  virtual std::vector<int> RunTogether(
      std::string_view program, const std::vector<std::vector<std::string>>& argumentLists) = 0;
  // Each message box of the runs so far, as "title|text".
  virtual std::vector<std::string> Messages() const = 0;
  // "$M" stands for the folder of the emulated machine on the host in its
  // expectations; Starts() writes it so. Wine has no such folder.
  virtual std::string Expanded(std::string_view text) const = 0;
};

std::unique_ptr<TestedMachine> MakeMachine(MachineKind kind);
// Why a machine of this kind cannot be had here; empty when it can.
std::string Unavailable(MachineKind kind);
const char* KindName(MachineKind kind);
void PrintTo(MachineKind kind, std::ostream* out);

// Splits a stub record into starts (see TestedMachine::Starts).
std::vector<std::string> StartsIn(const std::string& record);

}  // namespace testsupport
