#pragma once
// The system of a Windows machine emulated inside one folder, named by the
// environment variable BRENMOOR_MACHINE.

#include <memory>
#include <string>
#include <vector>

#include "MachineSystem.h"
#include "System.h"
#include "host/MachinePaths.h"
#include "host/ProgramLauncher.h"
#include "host/RegistryFile.h"
#include "host/ServiceManager.h"

namespace platform {

class HostSystem : public System {
 public:
  // Null, with the reason in error, when the machine folder is not named,
  // does not exist or holds no readable registry.
  static std::unique_ptr<HostSystem> FromEnvironment(std::string& error);

  RegistryString ReadRegistryString(RegistryRoot root, std::string_view key,
                                    std::string_view valueName) override;
  bool DeleteRegistryKey(RegistryRoot root, std::string_view key) override;
  void ShowMessage(std::string_view title, std::string_view text) override;
  void BeginWaitCursor() override {}
  void EndWaitCursor() override {}
  LocalTime Now() override;
  std::unique_ptr<TextFile> OpenTextFile(std::string_view path, FileMode mode) override;
  void RunShellCommand(std::string_view commandLine) override;
  void StartAndWait(std::string_view commandLine, std::chrono::milliseconds limit) override;
  void StartDetached(std::string_view commandLine, std::string_view workingFolder) override;
  bool RemoveFile(std::string_view path) override;
  bool ReplaceFile(std::string_view from, std::string_view to) override;
  bool MakeDirectory(std::string_view path) override;
  std::unique_ptr<FileLock> LockFile(std::string_view path,
                                     std::chrono::milliseconds limit) override;
  std::optional<bool> IsReadOnly(std::string_view path) override;
  bool ClearReadOnly(std::string_view path) override;
  std::vector<std::string> ListDirectory(std::string_view folder) override;
  void Print(std::string_view text) override;
  std::vector<std::optional<std::string>> RunningProcesses() override;
  ServiceState QueryService(std::string_view name) override { return services_.Query(name); }
  bool StopService(std::string_view name) override { return services_.Stop(name); }
  bool StartService(std::string_view name) override { return services_.Start(name); }

 private:
  HostSystem(MachinePaths paths, RegistryFile registry, std::string messagesFile);

  MachinePaths paths_;
  RegistryFile registry_;
  std::string messagesFile_;
  ProgramLauncher launcher_;
  ServiceManager services_;
};

}  // namespace platform
