#include "Operations.h"

namespace configurator {
namespace {

constexpr std::string_view kTitle = "Kelvane";

}  // namespace

std::string TimeStamp(const platform::LocalTime& time) {
  return std::to_string(time.month) + "-" + std::to_string(time.day) + "-" +
         std::to_string(time.year) + " " + std::to_string(time.hour) + ":" +
         std::to_string(time.minute) + ":" + std::to_string(time.second);
}

MachineString Operations::ReadMachineString(std::string_view key, std::string_view valueName) {
  platform::RegistryString read =
      system_.ReadRegistryString(platform::RegistryRoot::LocalMachine, key, valueName);
  switch (read.status) {
    case platform::RegistryString::Status::KeyMissing:
      return {MachineString::Status::KeyMissing, {}};
    case platform::RegistryString::Status::ValueMissing:
      return {MachineString::Status::ValueMissing, {}};
    case platform::RegistryString::Status::Read:
      break;
  }
  if (read.value.size() >= kRegistryBuffer) {
    ShowMessage("The registry value \"" + std::string(valueName) + "\" of HKEY_LOCAL_MACHINE\\" +
                std::string(key) + " is longer than 255 characters.\n\nExiting.");
    return {MachineString::Status::TooLong, {}};
  }
  return {MachineString::Status::Read, std::move(read.value)};
}

bool Operations::CommandFits(const std::string& commandLine) {
  if (commandLine.size() < kCommandBuffer) return true;
  ShowMessage("Unable to run the command " + commandLine +
              "\nbecause it is longer than 255 characters.\n\nNothing was run.");
  return false;
}

bool Operations::RunShellCommand(const std::string& commandLine) {
  if (!CommandFits(commandLine)) return false;
  system_.RunShellCommand(commandLine);
  return true;
}

bool Operations::CopyDirectoryContents(std::string_view source, std::string_view target) {
  return RunShellCommand("copy \"" + std::string(source) + "\\*.*\" \"" + std::string(target) +
                         "\"");
}

void Operations::StartProgramAndWait(std::string_view commandLine,
                                     std::chrono::milliseconds limit) {
  system_.StartAndWait(commandLine, limit);
}

bool Operations::LoadTextLines(std::string_view path, std::vector<std::string>& lines) {
  auto file = system_.OpenTextFile(path, platform::FileMode::Read);
  if (!file) return false;
  std::string piece;
  while (file->ReadLine(piece, kLinePiece)) lines.push_back(piece);
  file->Close();
  return true;
}

void Operations::AppendToLog(std::string_view path, std::string_view text) {
  if (auto log = system_.OpenTextFile(path, platform::FileMode::Append)) {
    log->Write(text);
    log->Close();
  }
}

void Operations::ShowMessage(std::string_view text) { system_.ShowMessage(kTitle, text); }

}  // namespace configurator
