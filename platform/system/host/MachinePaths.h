#pragma once
// Where the paths of the emulated Windows machine lie on this host: drive X:
// is the subfolder x/ of the machine folder, components match what exists
// without regard to case, and the current folder is C:\.

#include <filesystem>
#include <string_view>

namespace platform {

class MachinePaths {
 public:
  explicit MachinePaths(std::filesystem::path root);

  const std::filesystem::path& Root() const { return root_; }
  // The host folder that stands for C:\, the programs' current folder.
  std::filesystem::path CurrentFolder() const;

  // Maps a Windows path in ANSI text. "\" and "/" both separate; a path
  // without a drive resolves below C:\; "." and ".." are applied and never
  // climb above the drive. A POSIX absolute path (a leading "/" and no "\")
  // is used as it is. Components that do not exist are kept as written.
  // Callers refuse what IsValidPath rejects before mapping it.
  std::filesystem::path ToHost(std::string_view windowsPath) const;

  // "X:\..." or "X:/...".
  static bool IsAbsoluteWindowsPath(std::string_view path);
  // False for a path holding a control character (NUL included), a name
  // Windows refuses. Such a path must not be mapped: this host would see
  // only the text before a NUL.
  static bool IsValidPath(std::string_view path);

 private:
  std::filesystem::path root_;
};

}  // namespace platform
