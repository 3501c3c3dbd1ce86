#include "host/HostSystem.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <system_error>

#include "host/CommandInterpreter.h"
#include "host/HostFileLock.h"
#include "host/HostProcesses.h"
#include "host/HostTextFile.h"
#include "UnattendedRun.h"
#include "TextEncoding.h"
#include "host/MachineCodePage.h"

namespace platform {
namespace {

constexpr const char* kMachineVariable = "BRENMOOR_MACHINE";
// The process list of the system holds 1024 process ids.
constexpr std::size_t kProcessListLength = 1024;

std::string RegistryPath(RegistryRoot root, std::string_view key) {
  std::string path = root == RegistryRoot::LocalMachine ? "HKEY_LOCAL_MACHINE" : "HKEY_CLASSES_ROOT";
  if (!key.empty()) path += "\\" + machine::Utf8FromAnsi(key);
  return path;
}

// The bytes a program of the ANSI code page finds in its buffer, up to the
// first zero: strings come converted, other types as they are stored.
std::string AnsiText(const RegistryValue& value) {
  std::string text = value.type == RegistryValue::Type::Dword ||
                             value.type == RegistryValue::Type::Binary
                         ? value.data
                         : machine::AnsiFromUtf8(value.data);
  return text.substr(0, text.find('\0'));
}

}  // namespace

std::unique_ptr<HostSystem> HostSystem::FromEnvironment(std::string& error) {
  const char* machine = std::getenv(kMachineVariable);
  if (machine == nullptr || *machine == '\0') {
    error = std::string(kMachineVariable) +
            " is not set: it must name the folder that stands for the Windows machine.";
    return nullptr;
  }
  std::error_code status;
  if (!std::filesystem::is_directory(machine, status)) {
    error = std::string("The machine folder ") + machine + " (" + kMachineVariable +
            ") does not exist or is not a folder.";
    return nullptr;
  }
  try {
    RegistryFile registry = RegistryFile::Load(std::filesystem::path(machine) / "registry.reg");
    machine::UseCodePage(machine::CodePageOf(registry));
    return std::unique_ptr<HostSystem>(
        new HostSystem(MachinePaths(machine), std::move(registry), MessagesFile()));
  } catch (const RegistryFileError& failure) {
    error = failure.what();
    return nullptr;
  }
}

HostSystem::HostSystem(MachinePaths paths, RegistryFile registry, std::string messagesFile)
    : paths_(std::move(paths)),
      registry_(std::move(registry)),
      messagesFile_(std::move(messagesFile)),
      launcher_(paths_),
      services_(paths_.Root(), registry_) {}

RegistryString HostSystem::ReadRegistryString(RegistryRoot root, std::string_view key,
                                              std::string_view valueName) {
  const std::string path = RegistryPath(root, key);
  if (!registry_.KeyExists(path)) return {RegistryString::Status::KeyMissing, {}};
  auto value = registry_.Value(path, machine::Utf8FromAnsi(valueName));
  if (!value) return {RegistryString::Status::ValueMissing, {}};
  return {RegistryString::Status::Read, AnsiText(*value)};
}

bool HostSystem::DeleteRegistryKey(RegistryRoot root, std::string_view key) {
  return registry_.DeleteKey(RegistryPath(root, key));
}

void HostSystem::ShowMessage(std::string_view title, std::string_view text) {
  const std::string utf8Title = machine::Utf8FromAnsi(title);
  const std::string utf8Text = machine::Utf8FromAnsi(text);
  std::fflush(stdout);
  std::fprintf(stderr, "%s\n%s\n", utf8Title.c_str(), utf8Text.c_str());
  if (!messagesFile_.empty()) RecordMessage(messagesFile_, utf8Title, utf8Text);
}

LocalTime HostSystem::Now() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
          local.tm_hour,        local.tm_min,     local.tm_sec};
}

std::unique_ptr<TextFile> HostSystem::OpenTextFile(std::string_view path, FileMode mode) {
  return HostTextFile::Open(paths_.ToHost(path), mode);
}

void HostSystem::RunShellCommand(std::string_view commandLine) {
  std::fflush(stdout);
  CommandInterpreter(paths_, launcher_).Run(commandLine);
}

void HostSystem::StartAndWait(std::string_view commandLine, std::chrono::milliseconds limit) {
  launcher_.StartAndWait(commandLine, BoundedWait(limit));
}

void HostSystem::StartDetached(std::string_view commandLine, std::string_view workingFolder) {
  launcher_.StartDetached(commandLine, workingFolder.empty() ? paths_.CurrentFolder()
                                                             : paths_.ToHost(workingFolder));
}

bool HostSystem::RemoveFile(std::string_view path) {
  const std::filesystem::path file = paths_.ToHost(path);
  std::error_code error;
  // A link goes itself, whatever it points at; folders are not files.
  const auto status = std::filesystem::symlink_status(file, error);
  return !error && std::filesystem::exists(status) && !std::filesystem::is_directory(status) &&
         std::filesystem::remove(file, error);
}

bool HostSystem::ReplaceFile(std::string_view from, std::string_view to) {
  std::error_code error;
  std::filesystem::rename(paths_.ToHost(from), paths_.ToHost(to), error);
  return !error;
}

bool HostSystem::MakeDirectory(std::string_view path) {
  std::error_code error;
  const std::filesystem::path folder = paths_.ToHost(path);
  return std::filesystem::is_directory(folder.parent_path(), error) &&
         std::filesystem::create_directory(folder, error);
}

std::unique_ptr<FileLock> HostSystem::LockFile(std::string_view path,
                                               std::chrono::milliseconds limit) {
  return HostFileLock::Acquire(paths_.ToHost(path), BoundedWait(limit));
}

// The read-only attribute is the owner's write permission.
std::optional<bool> HostSystem::IsReadOnly(std::string_view path) {
  std::error_code error;
  const auto status = std::filesystem::status(paths_.ToHost(path), error);
  if (error || !std::filesystem::exists(status)) return std::nullopt;
  return (status.permissions() & std::filesystem::perms::owner_write) ==
         std::filesystem::perms::none;
}

bool HostSystem::ClearReadOnly(std::string_view path) {
  std::error_code error;
  std::filesystem::permissions(paths_.ToHost(path), std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::add, error);
  return !error;
}

// Sorted without regard to case, as NTFS lists a folder.
std::vector<std::string> HostSystem::ListDirectory(std::string_view folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (std::filesystem::directory_iterator entry(paths_.ToHost(folder), error), end;
       !error && entry != end; entry.increment(error)) {
    names.push_back(machine::AnsiFromUtf8(entry->path().filename().string()));
  }
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
          return std::tolower(x) < std::tolower(y);
        });
  });
  return names;
}

void HostSystem::Print(std::string_view text) {
  const std::string utf8 = machine::Utf8FromAnsi(text);
  std::fwrite(utf8.data(), 1, utf8.size(), stdout);
  std::fflush(stdout);
}

std::vector<std::optional<std::string>> HostSystem::RunningProcesses() {
  return ListHostProcesses(kProcessListLength);
}

std::unique_ptr<System> OpenMachineSystem(std::string& error) {
  return HostSystem::FromEnvironment(error);
}

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.push_back(machine::AnsiFromUtf8(argv[i]));
  return arguments;
}

}  // namespace platform
