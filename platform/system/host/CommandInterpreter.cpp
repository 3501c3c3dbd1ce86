#include "host/CommandInterpreter.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>
#include <utility>
#include <vector>

#include "TextEncoding.h"
#include "host/MachineCodePage.h"

namespace platform {
namespace fs = std::filesystem;
namespace {

constexpr std::string_view kFileNotFound = "The system cannot find the file specified.";
constexpr std::string_view kPathNotFound = "The system cannot find the path specified.";
constexpr std::string_view kAccessDenied = "Access is denied.";
constexpr std::string_view kInvalidName =
    "The filename, directory name, or volume label syntax is incorrect.";
constexpr std::string_view kSyntaxError = "The syntax of the command is incorrect.";
constexpr std::string_view kCopiedOntoItself = "The file cannot be copied onto itself.";
constexpr std::string_view kFolderNotEmpty = "The directory is not empty.";
constexpr std::string_view kNotAFolder = "The directory name is invalid.";
constexpr std::string_view kBatchRecursion =
    "******  B A T C H   R E C U R S I O N  exceeds STACK limits ******";
// Deep enough for real batch files, shallow enough for the stack.
constexpr int kMaxBatchDepth = 32;

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(), LowerAscii);
  return lower;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) { return Lower(a) == Lower(b); }

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// cmd ends a command at a line end, so a line end never belongs to a word.
bool IsSeparator(char c) { return IsBlank(c) || c == '\r' || c == '\n'; }

std::size_t SkipSeparators(std::string_view text, std::size_t pos) {
  while (pos < text.size() && IsSeparator(text[pos])) ++pos;
  return pos;
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// "@" only hides the echo of a command, which this interpreter never shows.
std::string_view WithoutLeadingMarks(std::string_view command) {
  std::size_t pos = 0;
  while (pos < command.size() && (IsSeparator(command[pos]) || command[pos] == '@')) ++pos;
  return command.substr(pos);
}

void WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
}

// Files get Windows line ends; the console of this host gets its own.
void WriteLine(int fd, std::string_view text) {
  std::string line(text);
  line += fd == STDOUT_FILENO ? "\n" : "\r\n";
  WriteAll(fd, line);
}

void ReportError(std::string_view message) {
  std::string line(message);
  line += '\n';
  WriteAll(STDERR_FILENO, line);
}

std::string_view MessageFor(const std::error_code& error) {
  return error == std::errc::no_such_file_or_directory ? kPathNotFound : kAccessDenied;
}

std::string CountLine(int count, std::string_view what) {
  return "        " + std::to_string(count) + " " + std::string(what);
}

struct Word {
  std::string text;  // without its quotes
  std::string raw;
  bool IsSwitch() const { return !raw.empty() && raw.front() == '/'; }
};

// Quotes group blanks and are dropped; an unclosed quote runs to the end.
Word ReadWord(std::string_view line, std::size_t& pos) {
  const std::size_t start = pos;
  std::string text;
  bool quoted = false;
  for (; pos < line.size(); ++pos) {
    const char c = line[pos];
    if (c == '"') {
      quoted = !quoted;
    } else if (!quoted && (IsSeparator(c) || c == '>')) {
      break;
    } else {
      text += c;
    }
  }
  return {std::move(text), std::string(line.substr(start, pos - start))};
}

std::vector<Word> SplitWords(std::string_view command) {
  std::vector<Word> words;
  for (std::size_t pos = SkipSeparators(command, 0); pos < command.size();
       pos = SkipSeparators(command, pos)) {
    words.push_back(ReadWord(command, pos));
  }
  return words;
}

std::vector<std::string> PathsOf(const std::vector<Word>& words) {
  std::vector<std::string> paths;
  for (auto word = std::next(words.begin()); word != words.end(); ++word) {
    if (!word->IsSwitch()) paths.push_back(word->text);
  }
  return paths;
}

bool HasSwitch(const std::vector<Word>& words, std::string_view flag) {
  return std::any_of(std::next(words.begin()), words.end(), [flag](const Word& word) {
    return word.IsSwitch() && Lower(word.raw).find(flag) != std::string::npos;
  });
}

struct Target {
  std::string name;
  bool append = false;
};

struct Redirection {
  std::string command;
  std::vector<Target> targets;
};

// The word after each ">" outside quotes names a file; the text around it
// stays the command, blanks included. Nothing when a file name is missing.
std::optional<Redirection> SplitRedirection(std::string_view line) {
  Redirection split;
  bool quoted = false;
  std::size_t pos = 0;
  while (pos < line.size()) {
    const char c = line[pos];
    if (c == '>' && !quoted) {
      const bool append = pos + 1 < line.size() && line[pos + 1] == '>';
      pos = SkipSeparators(line, pos + (append ? 2 : 1));
      std::string name = ReadWord(line, pos).text;
      if (name.empty()) return std::nullopt;
      split.targets.push_back({std::move(name), append});
      continue;
    }
    if (c == '"') quoted = !quoted;
    split.command += c;
    ++pos;
  }
  return split;
}

class OwnedFd {
 public:
  explicit OwnedFd(int fd = -1) : fd_(fd) {}
  OwnedFd(OwnedFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  OwnedFd& operator=(OwnedFd&& other) noexcept {
    Close();
    fd_ = std::exchange(other.fd_, -1);
    return *this;
  }
  OwnedFd(const OwnedFd&) = delete;
  OwnedFd& operator=(const OwnedFd&) = delete;
  ~OwnedFd() { Close(); }

  bool IsOpen() const { return fd_ >= 0; }
  int Get() const { return fd_; }

 private:
  void Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }
  int fd_;
};

fs::path NormalAbsolute(const fs::path& path) {
  std::error_code error;
  fs::path normal = fs::absolute(path, error).lexically_normal();
  return normal.has_filename() || !normal.has_relative_path() ? normal : normal.parent_path();
}

// A POSIX path on the command line must not reach the host, and a drive
// folder itself is never removed or replaced.
bool MayChange(const MachinePaths& paths, const fs::path& hostPath) {
  const fs::path inside = NormalAbsolute(hostPath).lexically_relative(NormalAbsolute(paths.Root()));
  int depth = 0;
  for (const fs::path& part : inside) {
    if (part == "..") return false;
    if (!part.empty() && part != ".") ++depth;
  }
  return depth >= 2;
}

OwnedFd OpenRedirection(const MachinePaths& paths, const Target& target) {
  if (!MachinePaths::IsValidPath(target.name)) {
    ReportError(kInvalidName);
    return OwnedFd();
  }
  if (EqualIgnoringCase(target.name, "nul"))
    return OwnedFd(::open("/dev/null", O_WRONLY | O_CLOEXEC));
  const fs::path host = paths.ToHost(target.name);
  if (!MayChange(paths, host)) {
    ReportError(kAccessDenied);
    return OwnedFd();
  }
  const int mode = target.append ? O_APPEND : O_TRUNC;
  OwnedFd fd(::open(host.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | mode, 0666));
  if (!fd.IsOpen()) ReportError(MessageFor(std::error_code(errno, std::generic_category())));
  return fd;
}

std::optional<std::string> ReadBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Lines without line ends and leading blanks; empty lines and labels drop out.
std::vector<std::string_view> BatchLines(std::string_view content) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < content.size()) {
    const std::size_t end = std::min(content.find('\n', start), content.size());
    std::string_view line = content.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    line.remove_prefix(std::min(line.find_first_not_of(" \t"), line.size()));
    if (!line.empty() && line.front() != ':') lines.push_back(line);
  }
  return lines;
}

bool IsBatchFileName(std::string_view name) {
  const std::string lower = Lower(name);
  return lower.ends_with(".bat") || lower.ends_with(".cmd");
}

// Without recursion, so junk patterns cost at most name times pattern length.
bool MatchesGlob(std::string_view name, std::string_view pattern) {
  std::size_t n = 0;
  std::size_t p = 0;
  std::size_t star = std::string_view::npos;
  std::size_t starMatch = 0;
  while (n < name.size()) {
    if (p < pattern.size() &&
        (pattern[p] == '?' || LowerAscii(pattern[p]) == LowerAscii(name[n]))) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      starMatch = n;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      n = ++starMatch;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

// As on Windows, a final ".*" also matches names without an extension, so
// "*.*" matches every name.
bool MatchesPattern(std::string_view name, std::string_view pattern) {
  return MatchesGlob(name, pattern) ||
         (pattern.ends_with(".*") && MatchesGlob(name, pattern.substr(0, pattern.size() - 2)));
}

bool HasWildcard(std::string_view name) {
  return name.find_first_of("*?") != std::string_view::npos;
}

// Regular files only, in the case-blind name order that Windows lists.
std::vector<fs::path> FilesMatching(const fs::path& folder, std::string_view pattern) {
  std::vector<fs::path> files;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::error_code kindError;
    if (it->is_regular_file(kindError) && MatchesPattern(it->path().filename().string(), pattern)) {
      files.push_back(it->path());
    }
  }
  std::sort(files.begin(), files.end(), [](const fs::path& a, const fs::path& b) {
    return Lower(a.filename().string()) < Lower(b.filename().string());
  });
  return files;
}

// Windows keeps one entry per name whatever its case: reuse the existing one.
fs::path EntryInFolder(const fs::path& folder, const fs::path& name) {
  std::error_code error;
  if (fs::exists(folder / name, error)) return folder / name;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    if (EqualIgnoringCase(it->path().filename().string(), name.string())) return it->path();
  }
  return folder / name;
}

fs::path TargetFor(const fs::path& source, const fs::path& destination) {
  std::error_code error;
  return fs::is_directory(destination, error) ? EntryInFolder(destination, source.filename())
                                              : destination;
}

enum class SourceKind { kMissing, kFile, kFolder, kPattern };

struct Sources {
  SourceKind kind = SourceKind::kMissing;
  std::vector<fs::path> files;
  std::string shownFolder;  // as written, to show the names found in it
};

std::string ShownFolder(std::string_view windowsFolder) {
  std::string shown(windowsFolder);
  if (!shown.empty() && shown.find_last_of("\\/:") != shown.size() - 1) shown += '\\';
  return shown;
}

std::string ShownFolderOfPattern(std::string_view windowsPattern) {
  const std::size_t end = windowsPattern.find_last_of("\\/:");
  return std::string(end == std::string_view::npos ? "" : windowsPattern.substr(0, end + 1));
}

Sources FindSources(const MachinePaths& paths, const std::string& windowsPath) {
  const fs::path host = paths.ToHost(windowsPath);
  std::error_code error;
  if (fs::is_directory(host, error)) {
    return {SourceKind::kFolder, FilesMatching(host, "*"), ShownFolder(windowsPath)};
  }
  const std::string name = host.filename().string();
  if (HasWildcard(name)) {
    return {SourceKind::kPattern, FilesMatching(host.parent_path(), name),
            ShownFolderOfPattern(windowsPath)};
  }
  if (fs::is_regular_file(host, error)) return {SourceKind::kFile, {host}, ""};
  return {};
}

bool CopyOneFile(const MachinePaths& paths, const fs::path& source, const fs::path& target) {
  std::error_code error;
  if (fs::equivalent(source, target, error)) {
    ReportError(kCopiedOntoItself);
    return false;
  }
  if (!MayChange(paths, target)) {
    ReportError(kAccessDenied);
    return false;
  }
  fs::copy_file(source, target, fs::copy_options::overwrite_existing, error);
  if (error) ReportError(MessageFor(error));
  return !error;
}

void Copy(const MachinePaths& paths, const std::vector<std::string>& arguments, int outputFd) {
  if (arguments.empty() || arguments.size() > 2) return ReportError(kSyntaxError);
  const Sources sources = FindSources(paths, arguments[0]);
  if (sources.files.empty()) ReportError(kFileNotFound);
  const fs::path destination =
      arguments.size() == 2 ? paths.ToHost(arguments[1]) : paths.CurrentFolder();
  const bool listed = sources.kind == SourceKind::kFolder || sources.kind == SourceKind::kPattern;
  int copied = 0;
  for (const fs::path& file : sources.files) {
    if (listed) {
      WriteLine(outputFd, sources.shownFolder + machine::AnsiFromUtf8(file.filename().string()));
    }
    if (!CopyOneFile(paths, file, TargetFor(file, destination))) break;
    ++copied;
  }
  WriteLine(outputFd, CountLine(copied, "file(s) copied."));
}

void Move(const MachinePaths& paths, const std::vector<std::string>& arguments, int outputFd) {
  if (arguments.size() != 2) return ReportError(kSyntaxError);
  const fs::path source = paths.ToHost(arguments[0]);
  std::error_code error;
  const fs::file_status status = fs::symlink_status(source, error);
  if (!fs::exists(status)) return ReportError(kFileNotFound);
  const fs::path target = TargetFor(source, paths.ToHost(arguments[1]));
  if (!MayChange(paths, source) || !MayChange(paths, target) || fs::is_directory(target, error)) {
    return ReportError(kAccessDenied);
  }
  fs::rename(source, target, error);
  if (error) return ReportError(MessageFor(error));
  WriteLine(outputFd, CountLine(1, fs::is_directory(status) ? "dir(s) moved." : "file(s) moved."));
}

void RemoveFile(const MachinePaths& paths, const fs::path& file) {
  if (!MayChange(paths, file)) return ReportError(kAccessDenied);
  std::error_code error;
  fs::remove(file, error);
  if (error) ReportError(MessageFor(error));
}

void DeleteFiles(const MachinePaths& paths, const std::string& windowsPath) {
  const Sources found = FindSources(paths, windowsPath);
  const bool nothingThere = found.kind == SourceKind::kMissing ||
                            (found.kind == SourceKind::kPattern && found.files.empty());
  if (nothingThere) return ReportError("Could Not Find " + windowsPath);
  for (const fs::path& file : found.files) RemoveFile(paths, file);
}

// Never asks: a question would wait for input nobody gives.
void Delete(const MachinePaths& paths, const std::vector<std::string>& arguments) {
  if (arguments.empty()) return ReportError(kSyntaxError);
  for (const std::string& path : arguments) DeleteFiles(paths, path);
}

void RemoveFolder(const MachinePaths& paths, const std::string& windowsPath, bool withContents) {
  const fs::path folder = paths.ToHost(windowsPath);
  std::error_code error;
  const fs::file_status status = fs::status(folder, error);
  if (!fs::exists(status)) return ReportError(kFileNotFound);
  if (!fs::is_directory(status)) return ReportError(kNotAFolder);
  if (!MayChange(paths, folder)) return ReportError(kAccessDenied);
  if (!withContents && !fs::is_empty(folder, error)) return ReportError(kFolderNotEmpty);
  fs::remove_all(folder, error);
  if (error) ReportError(MessageFor(error));
}

void RemoveFolders(const MachinePaths& paths, const std::vector<std::string>& arguments,
                   bool withContents) {
  if (arguments.empty()) return ReportError(kSyntaxError);
  for (const std::string& path : arguments) RemoveFolder(paths, path, withContents);
}

// What follows "echo" and the one separator after it, up to a line end.
std::string_view EchoText(std::string_view command) {
  const std::string_view text = command.size() > 4 ? command.substr(5) : std::string_view();
  return text.substr(0, text.find_first_of("\r\n"));
}

bool ChangesFiles(std::string_view commandName) {
  return commandName == "copy" || commandName == "move" || commandName == "del" ||
         commandName == "rmdir" || commandName == "rd";
}

bool AllValidPaths(const std::vector<std::string>& windowsPaths) {
  return std::all_of(windowsPaths.begin(), windowsPaths.end(), MachinePaths::IsValidPath);
}

void ReportNotRecognized(const std::string& name) {
  ReportError("'" + name + "' is not recognized as an internal or external command,");
  ReportError("operable program or batch file.");
}

}  // namespace

CommandInterpreter::CommandInterpreter(const MachinePaths& paths, ProgramRunner& programs)
    : paths_(paths), programs_(programs) {}

void CommandInterpreter::Run(std::string_view commandLine) {
  echoOn_ = true;
  ExecuteLine(commandLine, STDOUT_FILENO);
}

void CommandInterpreter::RunBatchFile(const fs::path& hostFile, int outputFd) {
  echoOn_ = true;
  RunBatch(hostFile, outputFd);
}

CommandInterpreter::Flow CommandInterpreter::ExecuteLine(std::string_view line, int defaultFd) {
  // What this process buffered must come out before our writes and programs.
  std::fflush(nullptr);
  const std::optional<Redirection> split = SplitRedirection(line);
  if (!split) {
    ReportError(kSyntaxError);
    return Flow::kNextLine;
  }
  OwnedFd redirected;
  for (const Target& target : split->targets) {
    redirected = OpenRedirection(paths_, target);
    if (!redirected.IsOpen()) return Flow::kNextLine;
  }
  return ExecuteCommand(split->command, redirected.IsOpen() ? redirected.Get() : defaultFd);
}

CommandInterpreter::Flow CommandInterpreter::ExecuteCommand(std::string_view command,
                                                            int outputFd) {
  command = WithoutLeadingMarks(command);
  const std::vector<Word> words = SplitWords(command);
  if (words.empty()) return Flow::kNextLine;
  const std::string name = Lower(words.front().raw);
  if (name == "rem") return Flow::kNextLine;
  if (name == "echo") {
    Echo(command, outputFd);
  } else if (ChangesFiles(name) && !AllValidPaths(PathsOf(words))) {
    ReportError(kInvalidName);
  } else if (name == "copy") {
    Copy(paths_, PathsOf(words), outputFd);
  } else if (name == "move") {
    Move(paths_, PathsOf(words), outputFd);
  } else if (name == "del") {
    Delete(paths_, PathsOf(words));
  } else if (name == "rmdir" || name == "rd") {
    RemoveFolders(paths_, PathsOf(words), HasSwitch(words, "/s"));
  } else {
    return RunBatchOrProgram(command, words.front().text, outputFd);
  }
  return Flow::kNextLine;
}

CommandInterpreter::Flow CommandInterpreter::RunBatchOrProgram(std::string_view command,
                                                               const std::string& name,
                                                               int outputFd) {
  if (IsBatchFileName(name) && MachinePaths::IsValidPath(name)) {
    const fs::path hostFile = paths_.ToHost(name);
    std::error_code error;
    if (fs::is_regular_file(hostFile, error)) {
      RunBatch(hostFile, outputFd);
      return Flow::kBatchTookOver;
    }
  }
  if (!programs_.RunProgram(TrimBlanks(command), outputFd)) ReportNotRecognized(name);
  return Flow::kNextLine;
}

// As in cmd, a batch file started from another one does not return to it.
void CommandInterpreter::RunBatch(const fs::path& hostFile, int outputFd) {
  if (batchDepth_ >= kMaxBatchDepth) return ReportError(kBatchRecursion);
  const std::optional<std::string> content = ReadBytes(hostFile);
  if (!content) return ReportError(kFileNotFound);
  ++batchDepth_;
  for (std::string_view line : BatchLines(*content)) {
    if (ExecuteLine(line, outputFd) == Flow::kBatchTookOver) break;
  }
  --batchDepth_;
}

void CommandInterpreter::Echo(std::string_view command, int outputFd) {
  const std::string_view text = EchoText(command);
  const std::string_view word = TrimBlanks(text);
  if (word.empty()) return WriteLine(outputFd, echoOn_ ? "ECHO is on." : "ECHO is off.");
  if (EqualIgnoringCase(word, "on") || EqualIgnoringCase(word, "off")) {
    echoOn_ = EqualIgnoringCase(word, "on");
    return;
  }
  WriteLine(outputFd, text);
}

}  // namespace platform
