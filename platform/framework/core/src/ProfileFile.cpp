#include "brenmoor/core/ProfileFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cwctype>
#include <fstream>
#include <iterator>
#include <system_error>
#include <thread>

namespace {

bool SameName(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::towlower(static_cast<wint_t>(a[i])) != std::towlower(static_cast<wint_t>(b[i]))) return false;
  }
  return true;
}

std::wstring_view Trimmed(std::wstring_view text) {
  const auto first = text.find_first_not_of(L" \t");
  if (first == std::wstring_view::npos) return {};
  const auto last = text.find_last_not_of(L" \t");
  return text.substr(first, last - first + 1);
}

// The section a "[Name]" line opens, or nothing for any other line.
std::optional<std::wstring> SectionOf(const std::wstring& line) {
  const std::wstring_view text = Trimmed(line);
  if (text.size() < 2 || text.front() != L'[') return std::nullopt;
  const auto close = text.find(L']');
  if (close == std::wstring_view::npos) return std::nullopt;
  return std::wstring(Trimmed(text.substr(1, close - 1)));
}

struct EntryLine {
  std::wstring name;
  std::wstring value;
  std::size_t valueStart;  // in the line as it stands
};

// An "Entry=Value" line, its name and value without surrounding blanks, as
// the system reads them; comment lines (";") and lines without "=" are no entry.
std::optional<EntryLine> EntryOf(const std::wstring& line) {
  const std::wstring_view text = Trimmed(line);
  if (text.empty() || text.front() == L';') return std::nullopt;
  const auto equals = line.find(L'=');
  if (equals == std::wstring::npos) return std::nullopt;
  const std::wstring_view whole = line;
  return EntryLine{std::wstring(Trimmed(whole.substr(0, equals))), std::wstring(Trimmed(whole.substr(equals + 1))),
                   equals + 1};
}

// A zero would make the file one that is not text, which no later write touches.
bool FitsOnOneLine(const CString& text) {
  return text.Str().find_first_of(std::wstring_view(L"\r\n\0", 3)) == std::wstring::npos;
}

bool UsableName(const CString& name) {
  const std::wstring_view trimmed = Trimmed(name.Str());
  return FitsOnOneLine(name) && !trimmed.empty() && trimmed.size() == name.Str().size();
}

bool WriteAll(int descriptor, const std::string& bytes) {
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t result = ::write(descriptor, bytes.data() + written, bytes.size() - written);
    if (result < 0 && errno == EINTR) continue;
    if (result <= 0) return false;
    written += static_cast<std::size_t>(result);
  }
  return true;
}

// How long a write waits for another process's write to the same folder.
constexpr auto kLockWait = std::chrono::seconds(5);
constexpr int kMaxLinks = 40;

// The file a path names once symbolic links are followed, so a rewrite
// replaces the file and keeps the links; the path itself when a link cannot be read.
std::filesystem::path FileBehindLinks(std::filesystem::path path) {
  std::error_code error;
  for (int i = 0; i < kMaxLinks && std::filesystem::is_symlink(std::filesystem::symlink_status(path, error)); ++i) {
    const std::filesystem::path target = std::filesystem::read_symlink(path, error);
    if (error) break;
    path = target.is_absolute() ? target : path.parent_path() / target;
  }
  return path;
}

// An exclusive lock on the profile's folder for one read, change and
// rename, so that two processes writing one profile lose nothing. The
// folder rather than the file, because the rename replaces the file.
class FolderLock {
 public:
  explicit FolderLock(const std::filesystem::path& file) {
    const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
    descriptor_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor_ < 0) return;
    const auto deadline = std::chrono::steady_clock::now() + kLockWait;
    while (::flock(descriptor_, LOCK_EX | LOCK_NB) != 0) {
      if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() >= deadline) {
        ::close(descriptor_);
        descriptor_ = -1;
        return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
  }
  ~FolderLock() {
    if (descriptor_ >= 0) ::close(descriptor_);
  }
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

  bool Held() const { return descriptor_ >= 0; }

 private:
  int descriptor_ = -1;
};

// The file's own mode, which its rewrite keeps; nothing for a new file.
std::optional<mode_t> ModeToKeep(const std::filesystem::path& file) {
  struct stat status {};
  if (::stat(file.c_str(), &status) != 0) return std::nullopt;
  return status.st_mode & 07777;
}

}  // namespace

ProfileFile::Lines ProfileFile::Load() const {
  Lines loaded;
  std::error_code error;
  const auto status = std::filesystem::status(file_, error);
  if (!std::filesystem::exists(status)) return loaded;
  std::ifstream in(file_, std::ios::binary);
  if (!std::filesystem::is_regular_file(status) || !in) {
    loaded.readable = false;
    return loaded;
  }
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  // A file holding a zero byte or broken UTF-8 is not a profile we wrote.
  const CString text = CString::FromUtf8(bytes);
  if (bytes.find('\0') != std::string::npos || text.ToUtf8() != bytes) {
    loaded.readable = false;
    return loaded;
  }
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    loaded.lines.push_back(std::move(line));
    start = end + 1;
  }
  return loaded;
}

std::optional<CString> ProfileFile::Read(const CString& section, const CString& entry) const {
  const Lines loaded = Load();
  // Only the first section of the name counts, for reading as for writing.
  bool inSection = false;
  for (const std::string& bytes : loaded.lines) {
    const std::wstring line = CString::FromUtf8(bytes).Str();
    if (auto opened = SectionOf(line)) {
      if (inSection) break;
      inSection = SameName(*opened, section.Str());
    } else if (inSection) {
      if (auto found = EntryOf(line); found && SameName(found->name, entry.Str())) return CString(found->value);
    }
  }
  return std::nullopt;
}

bool ProfileFile::Write(const CString& section, const CString& entry, const CString& value) const {
  if (!UsableName(section) || section.Str().find(L']') != std::wstring::npos) return false;
  if (!UsableName(entry) || entry.Str().find(L'=') != std::wstring::npos || entry.Str().front() == L'[' ||
      entry.Str().front() == L';' || !FitsOnOneLine(value)) {
    return false;
  }
  const FolderLock lock(FileBehindLinks(file_));
  if (!lock.Held()) return false;
  Lines loaded = Load();
  if (!loaded.readable) return false;
  std::vector<std::string>& lines = loaded.lines;

  bool inSection = false;
  std::optional<std::size_t> sectionEnd;  // where a new entry of the section goes
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::wstring line = CString::FromUtf8(lines[i]).Str();
    if (auto opened = SectionOf(line)) {
      if (inSection) break;
      inSection = SameName(*opened, section.Str());
      if (inSection) sectionEnd = i + 1;
    } else if (inSection) {
      if (auto found = EntryOf(line); found && SameName(found->name, entry.Str())) {
        lines[i] = (CString(line.substr(0, found->valueStart)) + value).ToUtf8();
        return Save(lines);
      }
      if (!Trimmed(line).empty()) sectionEnd = i + 1;
    }
  }
  const std::string written = (entry + CString(L"=") + value).ToUtf8();
  if (sectionEnd) {
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*sectionEnd), written);
  } else {
    lines.push_back("[" + section.ToUtf8() + "]");
    lines.push_back(written);
  }
  return Save(lines);
}

bool ProfileFile::Save(const std::vector<std::string>& lines) const {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  const std::filesystem::path target = FileBehindLinks(file_);
  std::filesystem::path temporary = target;
  temporary += ".tmp" + std::to_string(::getpid());
  const std::optional<mode_t> mode = ModeToKeep(target);
  const int descriptor = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (descriptor < 0) return false;
  const bool complete = (!mode || ::fchmod(descriptor, *mode) == 0) && WriteAll(descriptor, bytes) &&
                        ::fsync(descriptor) == 0;
  if (::close(descriptor) != 0 || !complete || ::rename(temporary.c_str(), target.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return false;
  }
  return true;
}
