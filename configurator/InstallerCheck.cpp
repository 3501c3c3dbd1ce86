#include "InstallerCheck.h"

#include <cctype>

namespace configurator {
namespace {

constexpr std::string_view kInstallerProcess = "msiexec.exe";
constexpr std::string_view kInstallerService = "MSIServer";

// ASCII folding is exact here: no other ANSI letter folds onto an ASCII one.
bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

// Stops the service when it runs, starts it otherwise, without waiting.
void SwitchService(Operations& operations) {
  platform::System& system = operations.System();
  const bool switched = system.QueryService(kInstallerService) == platform::ServiceState::Running
                            ? system.StopService(kInstallerService)
                            : system.StartService(kInstallerService);
  if (!switched) operations.ShowMessage("The stupid service is not started at all");
}

}  // namespace

bool SwitchServiceForEachProcess(Operations& operations, std::string_view processName) {
  bool found = false;
  for (const auto& name : operations.System().RunningProcesses()) {
    if (!name || !EqualIgnoringCase(*name, processName)) continue;
    found = true;
    SwitchService(operations);
  }
  return found;
}

void CheckForInstaller(Operations& operations, const Invocation&) {
  SwitchServiceForEachProcess(operations, kInstallerProcess);
}

}  // namespace configurator
