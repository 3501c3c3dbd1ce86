#pragma once
// The operations every configurator command is built from: registry reads,
// the command interpreter, started tools, text files, the log, the wait
// cursor and message boxes, with the limits of the program's fixed buffers.

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

#include "System.h"

namespace configurator {

// A machine string as the handlers see it. TooLong has already been
// reported to the user; the caller only stops.
struct MachineString {
  enum class Status { Read, KeyMissing, ValueMissing, TooLong };
  Status status = Status::KeyMissing;
  std::string value;

  bool Read() const { return status == Status::Read; }
};

class Operations {
 public:
  static constexpr std::size_t kRegistryBuffer = 256;
  static constexpr std::size_t kCommandBuffer = 256;
  static constexpr std::size_t kLinePiece = 199;
  static constexpr std::string_view kEnvironmentKey =
      "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";

  explicit Operations(platform::System& system) : system_(system) {}

  MachineString ReadMachineString(std::string_view key, std::string_view valueName);

  // False, after a message, when the command does not fit its 256-byte buffer.
  bool CommandFits(const std::string& commandLine);
  // Refused with that message when it does not fit.
  bool RunShellCommand(const std::string& commandLine);
  bool CopyDirectoryContents(std::string_view source, std::string_view target);
  void StartProgramAndWait(std::string_view commandLine, std::chrono::milliseconds limit);

  // The file in pieces of at most 199 characters, each with its line end if
  // it has one. False when the file cannot be opened.
  bool LoadTextLines(std::string_view path, std::vector<std::string>& lines);
  // Opens, writes and closes, so the log is whole even if a later step hangs.
  // A log that cannot be opened is skipped.
  void AppendToLog(std::string_view path, std::string_view text);

  void ShowMessage(std::string_view text);
  platform::System& System() { return system_; }

 private:
  platform::System& system_;
};

// "month-day-year hour:minute:second" without zero padding: the time stamp
// of the run log and of the integration log.
std::string TimeStamp(const platform::LocalTime& time);

// Shows the hourglass for the lifetime of the object, whatever way out is taken.
class WaitCursor {
 public:
  explicit WaitCursor(platform::System& system) : system_(system) { system_.BeginWaitCursor(); }
  ~WaitCursor() { system_.EndWaitCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  platform::System& system_;
};

}  // namespace configurator
