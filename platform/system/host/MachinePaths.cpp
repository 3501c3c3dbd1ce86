#include "host/MachinePaths.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <system_error>
#include <vector>

#include "TextEncoding.h"
#include "host/MachineCodePage.h"

namespace platform {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

std::vector<std::string> SplitComponents(std::string_view path) {
  std::vector<std::string> parts;
  std::string current;
  for (char c : path) {
    if (IsSeparator(c)) {
      if (!current.empty()) parts.push_back(std::move(current));
      current.clear();
    } else {
      current += c;
    }
  }
  if (!current.empty()) parts.push_back(std::move(current));
  return parts;
}

// "." and ".." as Windows applies them: ".." at the drive root stays there.
std::vector<std::string> Normalise(std::vector<std::string> parts) {
  std::vector<std::string> kept;
  for (auto& part : parts) {
    if (part == ".") continue;
    if (part == "..") {
      if (!kept.empty()) kept.pop_back();
      continue;
    }
    kept.push_back(std::move(part));
  }
  return kept;
}

bool EqualIgnoringCase(std::string_view utf8A, std::string_view utf8B) {
  return encoding::FoldCase(utf8A) == encoding::FoldCase(utf8B);
}

// The existing entry of folder that matches name regardless of case, or name.
std::string MatchEntry(const std::filesystem::path& folder, const std::string& name) {
  std::error_code error;
  if (std::filesystem::exists(folder / name, error)) return name;
  // Increments with an error code: a folder that changes while it is listed must not throw.
  for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
       entry.increment(error)) {
    std::string candidate = entry->path().filename().string();
    if (EqualIgnoringCase(candidate, name)) return candidate;
  }
  return name;
}

}  // namespace

MachinePaths::MachinePaths(std::filesystem::path root) : root_(std::move(root)) {}

std::filesystem::path MachinePaths::CurrentFolder() const { return ToHost("C:\\"); }

bool MachinePaths::IsAbsoluteWindowsPath(std::string_view path) {
  return path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
         IsSeparator(path[2]);
}

bool MachinePaths::IsValidPath(std::string_view path) {
  return std::none_of(path.begin(), path.end(),
                      [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

std::filesystem::path MachinePaths::ToHost(std::string_view windowsPath) const {
  if (!windowsPath.empty() && windowsPath.front() == '/' &&
      windowsPath.find('\\') == std::string_view::npos) {
    return std::filesystem::path(machine::Utf8FromAnsi(windowsPath));
  }
  char drive = 'c';
  std::string_view rest = windowsPath;
  if (rest.size() >= 2 && std::isalpha(static_cast<unsigned char>(rest[0])) && rest[1] == ':') {
    drive = static_cast<char>(std::tolower(static_cast<unsigned char>(rest[0])));
    rest.remove_prefix(2);
  }
  std::filesystem::path host = root_ / std::string(1, drive);
  // Below a folder that does not exist nothing can match: the rest is kept as written.
  bool exists = true;
  for (const auto& part : Normalise(SplitComponents(rest))) {
    const std::string name = machine::Utf8FromAnsi(part);
    if (exists) {
      const std::string matched = MatchEntry(host, name);
      std::error_code error;
      host /= matched;
      exists = std::filesystem::exists(host, error);
    } else {
      host /= name;
    }
  }
  return host;
}

}  // namespace platform
