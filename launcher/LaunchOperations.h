#pragma once
// The operations every launch target is built from: registry reads with
// their messages, the trailing argument, the default browser, the record of
// the launched command and the detached start.

#include <optional>
#include <string>
#include <string_view>

#include "LaunchRequest.h"
#include "System.h"

namespace launcher {

// What a target appends after its command: the extra arguments, else the
// launch file's parameter, else nothing; named for the too-long message.
struct TrailingArgument {
  std::string text;
  std::string name;
};

// The targets' fixed command-line buffers, in bytes, the terminating zero included.
inline constexpr std::size_t kCommandBuffer = 1000;
inline constexpr std::size_t kBravPageBuffer = 300;     // the pages on KOR_BRAV's port 8080
inline constexpr std::size_t kToolStarterBuffer = 256;  // a tool's own launcher program

// A command line assembled by a target, with the buffer it must fit.
struct CommandLine {
  std::string text;
  std::size_t buffer = kCommandBuffer;
  std::string madeOf;         // the values it holds, for the too-long message
  std::string workingFolder;  // empty: the launcher's own
};

enum class Quoting { Quoted, Bare };

class LaunchOperations {
 public:
  static constexpr std::string_view kEnvironmentKey =
      "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";
  static constexpr std::string_view kRecordFile = "C:\\launchCmd.txt";
  static constexpr std::string_view kNoEnvironment =
      "Unable to open registry for environment settings!!!\n\nExiting.";

  enum class Read { Value, KeyMissing, ValueMissing, TooLong };

  LaunchOperations(platform::System& system, const LaunchRequest& request)
      : system_(system), request_(request) {}

  // Nothing, after its message, when the key cannot be opened or the value
  // cannot be read or does not fit the 256-byte buffer.
  std::optional<std::string> ReadEnvironmentString(std::string_view name,
                                                   std::string_view missingMessage);
  // The same for another key; a key that cannot be opened gets the
  // environment's message too.
  std::optional<std::string> ReadMachineString(std::string_view key, std::string_view name,
                                               std::string_view missingMessage);
  // Without any message: the caller decides what each outcome means.
  Read ReadEnvironmentQuietly(std::string_view name, std::string& value);

  TrailingArgument Trailing(Quoting quoting);
  // Empty when there is no default browser.
  std::string DefaultBrowserCommand();

  // Records the command line and starts it, unless it does not fit its buffer.
  void Launch(const CommandLine& command);
  // False, after a message, when the command does not fit its buffer.
  bool Fits(const CommandLine& command);
  void RecordLaunchCommand(std::string_view commandLine);
  void StartDetached(const CommandLine& command);

  void ShowMessage(std::string_view text);

 private:
  Read ReadString(platform::RegistryRoot root, std::string_view key, std::string_view name,
                  std::string& value);
  std::optional<std::string> ReadWithMessages(std::string_view key, std::string_view name,
                                              std::string_view missingMessage,
                                              std::string_view tooLongMessage);
  std::string LaunchFileParameter();

  platform::System& system_;
  const LaunchRequest& request_;
};

}  // namespace launcher
