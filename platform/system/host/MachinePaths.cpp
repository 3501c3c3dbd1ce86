#include "host/MachinePaths.h"

#include <cctype>
#include <string>
#include <system_error>
#include <vector>

#include "TextEncoding.h"

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

// Case folding of the letters the ANSI code page holds, which are all a
// path of the programs can name.
char32_t Folded(char32_t c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 0x20;
  switch (c) {
    case 0x160: return 0x161;
    case 0x152: return 0x153;
    case 0x17D: return 0x17E;
    case 0x178: return 0xFF;
    default: return c;
  }
}

bool EqualIgnoringCase(std::string_view utf8A, std::string_view utf8B) {
  const std::u16string a = encoding::Utf16FromUtf8(utf8A);
  const std::u16string b = encoding::Utf16FromUtf8(utf8B);
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Folded(a[i]) != Folded(b[i])) return false;
  }
  return true;
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

std::filesystem::path MachinePaths::ToHost(std::string_view windowsPath) const {
  if (!windowsPath.empty() && windowsPath.front() == '/' &&
      windowsPath.find('\\') == std::string_view::npos) {
    return std::filesystem::path(encoding::Utf8FromAnsi(windowsPath));
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
    const std::string name = encoding::Utf8FromAnsi(part);
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
