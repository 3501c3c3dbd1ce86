#pragma once
// The system as Windows offers it: the registry, processes, services, files
// and message boxes of the machine the program runs on, in the ANSI code page.

#include "System.h"

namespace platform {

class Win32System : public System {
 public:
  // Message boxes go to messagesFile instead of the screen when it is named.
  explicit Win32System(std::string messagesFile);

  RegistryString ReadRegistryString(RegistryRoot root, std::string_view key,
                                    std::string_view valueName) override;
  bool DeleteRegistryKey(RegistryRoot root, std::string_view key) override;
  void ShowMessage(std::string_view title, std::string_view text) override;
  void BeginWaitCursor() override;
  void EndWaitCursor() override;
  LocalTime Now() override;
  std::unique_ptr<TextFile> OpenTextFile(std::string_view path, FileMode mode) override;
  bool RemoveFile(std::string_view path) override;
  bool ReplaceFile(std::string_view from, std::string_view to) override;
  bool MakeDirectory(std::string_view path) override;
  std::unique_ptr<FileLock> LockFile(std::string_view path,
                                     std::chrono::milliseconds limit) override;
  std::optional<bool> IsReadOnly(std::string_view path) override;
  bool ClearReadOnly(std::string_view path) override;
  std::vector<std::string> ListDirectory(std::string_view folder) override;
  void Print(std::string_view text) override;
  void RunShellCommand(std::string_view commandLine) override;
  void StartAndWait(std::string_view commandLine, std::chrono::milliseconds limit) override;
  void StartDetached(std::string_view commandLine, std::string_view workingFolder) override;
  std::vector<std::optional<std::string>> RunningProcesses() override;
  ServiceState QueryService(std::string_view name) override;
  bool StopService(std::string_view name) override;
  bool StartService(std::string_view name) override;

 private:
  std::string messagesFile_;
  void* cursorBeforeWait_ = nullptr;  // the cursor the wait cursor replaced
};

}  // namespace platform
