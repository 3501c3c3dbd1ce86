#pragma once
// A System for unit tests: answers from a script (registry values, files,
// the time) and records every call, in order, as one line of text.

#include <initializer_list>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "System.h"

namespace platform {

class RecordingSystem : public System {
 public:
  // The script.
  void SetRegistryString(RegistryRoot root, std::string key, std::string valueName,
                         std::string value);
  void SetRegistryKey(RegistryRoot root, std::string key);
  void SetFile(std::string path, std::string text);
  void RefuseOpening(std::string path);
  // Another process holds the lock on path for longer than any wait.
  void HoldLock(std::string path);
  void SetProcesses(std::vector<std::optional<std::string>> processes) {
    processes_ = std::move(processes);
  }
  void SetService(std::string name, ServiceState state);
  void SetReadOnly(std::string path, bool clearable);
  void SetDirectory(std::string folder, std::vector<std::string> entries);
  LocalTime now{2026, 3, 4, 5, 6, 7};

  // What happened. Files hold their text as the program wrote it (no line
  // end translation); the calls read like "shell: copy ...".
  const std::vector<std::string>& Calls() const { return calls_; }
  // The calls that begin with one of the kinds ("shell", "open w: C:\\x"),
  // whole and in order, to compare with lines written out in a test.
  std::vector<std::string> CallsOf(std::initializer_list<std::string_view> kinds) const;
  std::vector<std::string> Messages() const;
  const std::string* File(const std::string& path) const;
  int WaitCursorDepth() const { return waitCursorDepth_; }

  RegistryString ReadRegistryString(RegistryRoot root, std::string_view key,
                                    std::string_view valueName) override;
  bool DeleteRegistryKey(RegistryRoot root, std::string_view key) override;
  void ShowMessage(std::string_view title, std::string_view text) override;
  void BeginWaitCursor() override;
  void EndWaitCursor() override;
  LocalTime Now() override { return now; }
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
  std::vector<std::optional<std::string>> RunningProcesses() override { return processes_; }
  ServiceState QueryService(std::string_view name) override;
  bool StopService(std::string_view name) override;
  bool StartService(std::string_view name) override;

 private:
  static std::string KeyOf(RegistryRoot root, std::string_view key);

  std::map<std::string, std::map<std::string, std::string>> registry_;  // by lower-cased key
  std::map<std::string, std::string> files_;                            // by lower-cased path
  std::set<std::string> refused_;
  std::set<std::string> heldLocks_;  // by lower-cased path
  std::vector<std::optional<std::string>> processes_;
  std::map<std::string, ServiceState> services_;  // by lower-cased name
  std::map<std::string, bool> readOnly_;           // by lower-cased path: can it be cleared
  std::map<std::string, std::vector<std::string>> directories_;
  std::vector<std::string> calls_;
  int waitCursorDepth_ = 0;
};

}  // namespace platform
