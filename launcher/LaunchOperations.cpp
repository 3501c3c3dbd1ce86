#include "LaunchOperations.h"

namespace launcher {
namespace {

constexpr std::string_view kTitle = "Morrant";
constexpr std::size_t kRegistryBuffer = 256;
constexpr std::size_t kParameterBuffer = 100;
constexpr std::string_view kBrowserKey = "http\\shell\\open\\command";
constexpr std::string_view kNetscapeKey = "SOFTWARE\\Netscape\\Netscape 6\\6.2.1 (en)\\Main";
constexpr std::string_view kNoBrowser =
    "Unable to find default web browser. Please install Internet Explorer or Netscape "
    "Navigator.\n\nExiting.";

std::string TooLong(std::string_view what) {
  return std::string(what) + " is longer than 255 characters.\n\nExiting.";
}

// What a C string in the program's buffer holds of a line read into it.
std::string UpToFirstZero(std::string text) { return text.substr(0, text.find('\0')); }

}  // namespace

LaunchOperations::Read LaunchOperations::ReadString(platform::RegistryRoot root,
                                                    std::string_view key, std::string_view name,
                                                    std::string& value) {
  platform::RegistryString read = system_.ReadRegistryString(root, key, name);
  switch (read.status) {
    case platform::RegistryString::Status::KeyMissing: return Read::KeyMissing;
    case platform::RegistryString::Status::ValueMissing: return Read::ValueMissing;
    case platform::RegistryString::Status::Read: break;
  }
  if (read.value.size() >= kRegistryBuffer) return Read::TooLong;
  value = std::move(read.value);
  return Read::Value;
}

std::optional<std::string> LaunchOperations::ReadWithMessages(std::string_view key,
                                                              std::string_view name,
                                                              std::string_view missingMessage,
                                                              std::string_view tooLongMessage) {
  std::string value;
  switch (ReadString(platform::RegistryRoot::LocalMachine, key, name, value)) {
    case Read::Value: return value;
    case Read::KeyMissing: ShowMessage(kNoEnvironment); break;
    case Read::ValueMissing: ShowMessage(missingMessage); break;
    case Read::TooLong: ShowMessage(tooLongMessage); break;
  }
  return std::nullopt;
}

std::optional<std::string> LaunchOperations::ReadEnvironmentString(
    std::string_view name, std::string_view missingMessage) {
  return ReadWithMessages(kEnvironmentKey, name, missingMessage,
                          TooLong("The " + std::string(name) + " environment variable"));
}

std::optional<std::string> LaunchOperations::ReadMachineString(std::string_view key,
                                                               std::string_view name,
                                                               std::string_view missingMessage) {
  return ReadWithMessages(key, name, missingMessage,
                          TooLong("The value " + std::string(name) + " of HKEY_LOCAL_MACHINE\\" +
                                  std::string(key)));
}

LaunchOperations::Read LaunchOperations::ReadEnvironmentQuietly(std::string_view name,
                                                                std::string& value) {
  return ReadString(platform::RegistryRoot::LocalMachine, kEnvironmentKey, name, value);
}

// The second line of the launch file as fgets leaves it in a 100-byte
// buffer, without its line end: a started program could not open a file
// name ending in one, nor a server make sense of it in an address.
std::string LaunchOperations::LaunchFileParameter() {
  auto file = system_.OpenTextFile(request_.launchFile, platform::FileMode::Read);
  if (!file) return {};
  std::string line;
  if (!file->ReadLine(line, kParameterBuffer - 1)) return {};
  if (!file->ReadLine(line, kParameterBuffer - 1)) return {};
  line = UpToFirstZero(std::move(line));
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  return line;
}

TrailingArgument LaunchOperations::Trailing(Quoting quoting) {
  if (request_.hasExtraArguments) return {request_.extraArguments, "the extra arguments"};
  const std::string parameter = LaunchFileParameter();
  if (parameter.empty()) return {};
  return {quoting == Quoting::Quoted ? " \"" + parameter + "\"" : " " + parameter,
          "the launch file parameter"};
}

std::string LaunchOperations::DefaultBrowserCommand() {
  std::string command;
  switch (ReadString(platform::RegistryRoot::ClassesRoot, kBrowserKey, "", command)) {
    case Read::Value: break;
    case Read::KeyMissing: return {};
    case Read::ValueMissing: ShowMessage(kNoBrowser); return {};
    case Read::TooLong:
      ShowMessage(TooLong("The default web browser command of HKEY_CLASSES_ROOT\\" +
                          std::string(kBrowserKey)));
      return {};
  }
  if (command.find("NETSCP") == std::string::npos) return command;
  std::string netscape;
  if (ReadString(platform::RegistryRoot::LocalMachine, kNetscapeKey, "PathToExe", netscape) ==
      Read::Value) {
    return netscape;
  }
  return command;
}

bool LaunchOperations::Fits(const CommandLine& command) {
  if (command.text.size() < command.buffer) return true;
  ShowMessage("Unable to launch the application: the command line made of " + command.madeOf +
              " is longer than " + std::to_string(command.buffer - 1) +
              " characters.\n\nExiting.");
  return false;
}

void LaunchOperations::RecordLaunchCommand(std::string_view commandLine) {
  if (auto record = system_.OpenTextFile(kRecordFile, platform::FileMode::Write)) {
    record->Write(commandLine);
    record->Close();
  }
}

void LaunchOperations::StartDetached(const CommandLine& command) {
  system_.StartDetached(command.text, command.workingFolder);
}

void LaunchOperations::Launch(const CommandLine& command) {
  if (!Fits(command)) return;
  RecordLaunchCommand(command.text);
  StartDetached(command);
}

void LaunchOperations::ShowMessage(std::string_view text) { system_.ShowMessage(kTitle, text); }

}  // namespace launcher
