#include "win32/Win32System.h"

#include <windows.h>
#include <direct.h>
#include <psapi.h>
// The interface's names, not the API's ANSI and wide variants.
#undef ReplaceFile
#undef StartService

#include <cstdio>
#include <cstdlib>

#include "MachineSystem.h"
#include "UnattendedRun.h"
#include "win32/Win32TextFile.h"

namespace platform {
namespace {

// The process list holds 1024 process ids.
constexpr DWORD kProcessListBytes = 4096;
constexpr DWORD kModuleNameLength = 256;

HKEY RootKey(RegistryRoot root) {
  return root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CLASSES_ROOT;
}

// A file opened without sharing and deleted when closed: no other process
// can open it while it is held, and it goes when its holder ends.
class Win32FileLock : public FileLock {
 public:
  explicit Win32FileLock(HANDLE file) : file_(file) {}
  ~Win32FileLock() override { CloseHandle(file_); }
  Win32FileLock(const Win32FileLock&) = delete;
  Win32FileLock& operator=(const Win32FileLock&) = delete;

 private:
  HANDLE file_;
};

constexpr DWORD kLockRetryPauseMs = 5;

// Held by another: open, or closed but not yet deleted.
bool HeldByAnother(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED;
}

// Through UTF-16, from whichever ANSI code page the program runs in.
std::string Utf8FromAnsi(std::string_view ansi) {
  if (ansi.empty()) return {};
  const int size = static_cast<int>(ansi.size());
  const int units = MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(units), L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, wide.data(), units);
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), units, utf8.data(), bytes, nullptr, nullptr);
  return utf8;
}

// CreateProcessA may write into the command line it is given.
std::string Terminated(std::string_view text) { return std::string(text) + '\0'; }

// Owns a handle of the service manager.
class ServiceHandle {
 public:
  explicit ServiceHandle(SC_HANDLE handle) : handle_(handle) {}
  ~ServiceHandle() {
    if (handle_ != nullptr) CloseServiceHandle(handle_);
  }
  ServiceHandle(const ServiceHandle&) = delete;
  ServiceHandle& operator=(const ServiceHandle&) = delete;
  SC_HANDLE Get() const { return handle_; }

 private:
  SC_HANDLE handle_;
};

// Calls act with the service opened for every access; false when it cannot be opened.
template <typename Act>
bool WithService(std::string_view name, Act act) {
  ServiceHandle manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
  if (manager.Get() == nullptr) return false;
  ServiceHandle service(
      OpenServiceA(manager.Get(), std::string(name).c_str(), SERVICE_ALL_ACCESS));
  return service.Get() != nullptr && act(service.Get());
}

std::optional<std::string> ProgramName(DWORD processId) {
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
  if (process == nullptr) return std::nullopt;
  std::optional<std::string> name;
  HMODULE module = nullptr;
  DWORD needed = 0;
  char buffer[kModuleNameLength] = {};
  if (EnumProcessModules(process, &module, sizeof module, &needed) &&
      GetModuleBaseNameA(process, module, buffer, kModuleNameLength - 1) > 0) {
    name = buffer;
  }
  CloseHandle(process);
  return name;
}

}  // namespace

Win32System::Win32System(std::string messagesFile) : messagesFile_(std::move(messagesFile)) {}

RegistryString Win32System::ReadRegistryString(RegistryRoot root, std::string_view key,
                                               std::string_view valueName) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(RootKey(root), std::string(key).c_str(), 0, KEY_QUERY_VALUE, &opened) !=
      ERROR_SUCCESS) {
    return {RegistryString::Status::KeyMissing, {}};
  }
  // Read whole, however long: the callers hold the programs' own limits.
  const std::string name(valueName);
  RegistryString result{RegistryString::Status::ValueMissing, {}};
  DWORD bytes = 0;
  if (RegQueryValueExA(opened, name.c_str(), nullptr, nullptr, nullptr, &bytes) ==
      ERROR_SUCCESS) {
    std::string data(bytes, '\0');
    if (RegQueryValueExA(opened, name.c_str(), nullptr, nullptr,
                         reinterpret_cast<BYTE*>(data.data()), &bytes) == ERROR_SUCCESS) {
      data.resize(bytes);
      result = {RegistryString::Status::Read, data.substr(0, data.find('\0'))};
    }
  }
  RegCloseKey(opened);
  return result;
}

bool Win32System::DeleteRegistryKey(RegistryRoot root, std::string_view key) {
  return RegDeleteKeyA(RootKey(root), std::string(key).c_str()) == ERROR_SUCCESS;
}

void Win32System::ShowMessage(std::string_view title, std::string_view text) {
  if (!messagesFile_.empty()) {
    RecordMessage(messagesFile_, Utf8FromAnsi(title), Utf8FromAnsi(text));
    return;
  }
  MessageBoxA(nullptr, std::string(text).c_str(), std::string(title).c_str(),
              MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL);
}

void Win32System::BeginWaitCursor() {
  cursorBeforeWait_ = SetCursor(LoadCursor(nullptr, IDC_WAIT));
}

void Win32System::EndWaitCursor() { SetCursor(static_cast<HCURSOR>(cursorBeforeWait_)); }

LocalTime Win32System::Now() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

std::unique_ptr<TextFile> Win32System::OpenTextFile(std::string_view path, FileMode mode) {
  return Win32TextFile::Open(std::string(path), mode);
}

bool Win32System::RemoveFile(std::string_view path) {
  return DeleteFileA(std::string(path).c_str()) != 0;
}

bool Win32System::ReplaceFile(std::string_view from, std::string_view to) {
  return MoveFileExA(std::string(from).c_str(), std::string(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING) != 0;
}

std::unique_ptr<FileLock> Win32System::LockFile(std::string_view path,
                                                std::chrono::milliseconds limit) {
  const std::string file(path);
  const ULONGLONG deadline = GetTickCount64() + BoundedWait(limit).count();
  for (;;) {
    HANDLE handle = CreateFileA(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE,
                                nullptr);
    if (handle != INVALID_HANDLE_VALUE) return std::make_unique<Win32FileLock>(handle);
    if (!HeldByAnother(GetLastError()) || GetTickCount64() >= deadline) return nullptr;
    Sleep(kLockRetryPauseMs);
  }
}

bool Win32System::MakeDirectory(std::string_view path) {
  return _mkdir(std::string(path).c_str()) == 0;
}

std::optional<bool> Win32System::IsReadOnly(std::string_view path) {
  const DWORD attributes = GetFileAttributesA(std::string(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
  return (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

bool Win32System::ClearReadOnly(std::string_view path) {
  const std::string file(path);
  const DWORD attributes = GetFileAttributesA(file.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  const DWORD cleared = attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY);
  return SetFileAttributesA(file.c_str(), cleared == 0 ? FILE_ATTRIBUTE_NORMAL : cleared) != 0;
}

std::vector<std::string> Win32System::ListDirectory(std::string_view folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA entry{};
  HANDLE search = FindFirstFileA((std::string(folder) + "\\*.*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = entry.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(search, &entry));
  FindClose(search);
  return names;
}

void Win32System::Print(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);
}

void Win32System::RunShellCommand(std::string_view commandLine) {
  std::fflush(stdout);
  std::system(std::string(commandLine).c_str());
}

void Win32System::StartAndWait(std::string_view commandLine, std::chrono::milliseconds limit) {
  std::fflush(stdout);
  std::string line = Terminated(commandLine);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWMINNOACTIVE;
  PROCESS_INFORMATION started{};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, NORMAL_PRIORITY_CLASS,
                      nullptr, nullptr, &startup, &started)) {
    return;
  }
  WaitForSingleObject(started.hProcess, static_cast<DWORD>(BoundedWait(limit).count()));
  CloseHandle(started.hThread);
  CloseHandle(started.hProcess);
}

void Win32System::StartDetached(std::string_view commandLine, std::string_view workingFolder) {
  std::string line = Terminated(commandLine);
  const std::string folder(workingFolder);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS,
                     nullptr, folder.empty() ? nullptr : folder.c_str(), &startup, &started)) {
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
  }
}

std::vector<std::optional<std::string>> Win32System::RunningProcesses() {
  std::vector<DWORD> ids(kProcessListBytes / sizeof(DWORD));
  DWORD bytes = 0;
  std::vector<std::optional<std::string>> names;
  if (!EnumProcesses(ids.data(), kProcessListBytes, &bytes)) return names;
  for (DWORD i = 0; i < bytes / sizeof(DWORD); ++i) names.push_back(ProgramName(ids[i]));
  return names;
}

ServiceState Win32System::QueryService(std::string_view name) {
  ServiceState state = ServiceState::Missing;
  WithService(name, [&](SC_HANDLE service) {
    SERVICE_STATUS status{};
    if (!QueryServiceStatus(service, &status)) return false;
    state = status.dwCurrentState == SERVICE_RUNNING ? ServiceState::Running
                                                     : ServiceState::Stopped;
    return true;
  });
  return state;
}

bool Win32System::StopService(std::string_view name) {
  return WithService(name, [](SC_HANDLE service) {
    SERVICE_STATUS status{};
    return ControlService(service, SERVICE_CONTROL_STOP, &status) != 0;
  });
}

bool Win32System::StartService(std::string_view name) {
  return WithService(name, [](SC_HANDLE service) {
    return StartServiceA(service, 0, nullptr) != 0;
  });
}

std::unique_ptr<System> OpenMachineSystem(std::string&) {
  return std::make_unique<Win32System>(MessagesFile());
}

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  return std::vector<std::string>(argv + 1, argv + argc);
}

}  // namespace platform
