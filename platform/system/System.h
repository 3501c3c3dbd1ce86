#pragma once
// What the suite's two programs need of the operating system, as one small
// interface: a host backend emulates a Windows machine in a folder, a
// recording fake stands in for it in unit tests.

#include <chrono>
#include <cstddef>
#include <memory>
#include <string>
#include <optional>
#include <string_view>
#include <vector>

namespace platform {

enum class RegistryRoot { LocalMachine, ClassesRoot };

// One registry string as a caller sees it. The two failures stay apart
// because the programs answer them with different messages.
struct RegistryString {
  enum class Status { Read, KeyMissing, ValueMissing };
  Status status = Status::KeyMissing;
  std::string value;  // ANSI text, whole: callers apply their own buffer limits
};

struct LocalTime {
  int year = 0;
  int month = 0;  // 1 to 12
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

enum class ServiceState { Missing, Stopped, Running };

enum class FileMode { Read, Write, Append };  // "r", "w" and "a", in text mode

// A file opened in text mode as the Windows C runtime opens it.
class TextFile {
 public:
  virtual ~TextFile() = default;
  // As fgets with a buffer of maxChars + 1: up to maxChars characters or
  // through the first line end, which is kept. False at the end or on error.
  virtual bool ReadLine(std::string& piece, std::size_t maxChars) = 0;
  virtual bool Write(std::string_view text) = 0;
  // Flushes and closes; false when something written did not reach the
  // disk or something could not be read.
  virtual bool Close() = 0;
};

// Held from its making to its destruction.
class FileLock {
 public:
  virtual ~FileLock() = default;
};

class System {
 public:
  virtual ~System() = default;

  virtual RegistryString ReadRegistryString(RegistryRoot root, std::string_view key,
                                            std::string_view valueName) = 0;
  // Fails when the key is missing or has subkeys.
  virtual bool DeleteRegistryKey(RegistryRoot root, std::string_view key) = 0;

  // A modal OK box; returns when it is dismissed.
  virtual void ShowMessage(std::string_view title, std::string_view text) = 0;
  virtual void BeginWaitCursor() = 0;
  virtual void EndWaitCursor() = 0;
  virtual LocalTime Now() = 0;

  // Null when the file cannot be opened.
  virtual std::unique_ptr<TextFile> OpenTextFile(std::string_view path, FileMode mode) = 0;
  // False when the file cannot be removed (or is not there).
  virtual bool RemoveFile(std::string_view path) = 0;
  // Puts from in the place of to in one step, replacing it.
  virtual bool ReplaceFile(std::string_view from, std::string_view to) = 0;
  // As _mkdir: one folder; false when it exists or its parent does not.
  virtual bool MakeDirectory(std::string_view path) = 0;
  // An exclusive lock on the file at path, which is made when missing and
  // goes with the last holder. Waits while another process holds it, up to
  // the limit; null when it cannot be had by then. A process that ends lets
  // go of its locks.
  virtual std::unique_ptr<FileLock> LockFile(std::string_view path,
                                             std::chrono::milliseconds limit) = 0;
  // Nothing when the file does not exist.
  virtual std::optional<bool> IsReadOnly(std::string_view path) = 0;
  virtual bool ClearReadOnly(std::string_view path) = 0;
  // The entries of a folder in the order the file system lists them,
  // folders included, without "." and "..". Empty when it cannot be listed.
  virtual std::vector<std::string> ListDirectory(std::string_view folder) = 0;

  // The program's standard output.
  virtual void Print(std::string_view text) = 0;

  // The command interpreter, as the C runtime's system(): returns when it ends.
  virtual void RunShellCommand(std::string_view commandLine) = 0;
  // Starts a Windows command line and waits until it ends or the limit has
  // passed, whichever comes first. Failures are not reported.
  virtual void StartAndWait(std::string_view commandLine, std::chrono::milliseconds limit) = 0;
  // Starts a Windows command line in its own working folder (empty: the
  // current one) with no inherited handles, and never waits for it.
  // Failures are not reported.
  virtual void StartDetached(std::string_view commandLine, std::string_view workingFolder) = 0;

  // The base name of each running process's program file, in the order the
  // system lists them (at most 1024); nothing for a process that cannot be
  // opened or read.
  virtual std::vector<std::optional<std::string>> RunningProcesses() = 0;
  virtual ServiceState QueryService(std::string_view name) = 0;
  // As the service manager's calls: stopping a service that does not run,
  // or starting one that runs, fails. Neither waits for the new state.
  virtual bool StopService(std::string_view name) = 0;
  virtual bool StartService(std::string_view name) = 0;
};

}  // namespace platform
