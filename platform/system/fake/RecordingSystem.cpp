#include "fake/RecordingSystem.h"

#include <algorithm>
#include <cctype>

namespace platform {
namespace {

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

const char* ModeName(FileMode mode) {
  switch (mode) {
    case FileMode::Read: return "r";
    case FileMode::Write: return "w";
    case FileMode::Append: return "a";
  }
  return "?";
}

// Reads from a copy of the file taken when it was opened; writes land in
// the recorded file at once.
class FakeTextFile : public TextFile {
 public:
  FakeTextFile(std::string contents, std::string* target)
      : contents_(std::move(contents)), target_(target) {}

  bool ReadLine(std::string& piece, std::size_t maxChars) override {
    piece.clear();
    if (target_ != nullptr || position_ >= contents_.size()) return false;
    std::size_t lineEnd = contents_.find('\n', position_);
    std::size_t length = lineEnd == std::string::npos ? contents_.size() - position_
                                                      : lineEnd + 1 - position_;
    piece = contents_.substr(position_, std::min(length, maxChars));
    position_ += piece.size();
    return true;
  }
  bool Write(std::string_view text) override {
    if (target_ == nullptr) return false;
    target_->append(text);
    return true;
  }
  bool Close() override { return true; }

 private:
  std::string contents_;
  std::string* target_;
  std::size_t position_ = 0;
};

}  // namespace

std::string RecordingSystem::KeyOf(RegistryRoot root, std::string_view key) {
  std::string path = root == RegistryRoot::ClassesRoot ? "hkey_local_machine\\software\\classes\\"
                                                        : "hkey_local_machine\\";
  return path + Lower(key);
}

void RecordingSystem::SetRegistryString(RegistryRoot root, std::string key, std::string valueName,
                                        std::string value) {
  registry_[KeyOf(root, key)][Lower(valueName)] = std::move(value);
}

void RecordingSystem::SetRegistryKey(RegistryRoot root, std::string key) {
  registry_[KeyOf(root, key)];
}

void RecordingSystem::SetFile(std::string path, std::string text) {
  files_[Lower(path)] = std::move(text);
}

void RecordingSystem::RefuseOpening(std::string path) { refused_.insert(Lower(path)); }

void RecordingSystem::HoldLock(std::string path) { heldLocks_.insert(Lower(path)); }

std::vector<std::string> RecordingSystem::CallsOf(
    std::initializer_list<std::string_view> kinds) const {
  std::vector<std::string> calls;
  for (const auto& call : calls_) {
    const bool ofKind = std::any_of(kinds.begin(), kinds.end(), [&](std::string_view kind) {
      return std::string_view(call).substr(0, kind.size()) == kind;
    });
    if (ofKind) calls.push_back(call);
  }
  return calls;
}

std::vector<std::string> RecordingSystem::Messages() const {
  std::vector<std::string> messages;
  for (const auto& call : CallsOf({"message: "})) {
    messages.push_back(call.substr(call.find('|') + 1));
  }
  return messages;
}

const std::string* RecordingSystem::File(const std::string& path) const {
  auto found = files_.find(Lower(path));
  return found == files_.end() ? nullptr : &found->second;
}

RegistryString RecordingSystem::ReadRegistryString(RegistryRoot root, std::string_view key,
                                                   std::string_view valueName) {
  calls_.push_back("registry: " + std::string(key) + " | " + std::string(valueName));
  auto found = registry_.find(KeyOf(root, key));
  if (found == registry_.end()) return {RegistryString::Status::KeyMissing, {}};
  auto value = found->second.find(Lower(valueName));
  if (value == found->second.end()) return {RegistryString::Status::ValueMissing, {}};
  return {RegistryString::Status::Read, value->second};
}

bool RecordingSystem::DeleteRegistryKey(RegistryRoot root, std::string_view key) {
  calls_.push_back("delete key: " + std::string(key));
  return registry_.erase(KeyOf(root, key)) == 1;
}

void RecordingSystem::ShowMessage(std::string_view title, std::string_view text) {
  calls_.push_back("message: " + std::string(title) + "|" + std::string(text));
}

void RecordingSystem::BeginWaitCursor() {
  calls_.push_back("wait cursor on");
  ++waitCursorDepth_;
}

void RecordingSystem::EndWaitCursor() {
  calls_.push_back("wait cursor off");
  --waitCursorDepth_;
}

std::unique_ptr<TextFile> RecordingSystem::OpenTextFile(std::string_view path, FileMode mode) {
  calls_.push_back(std::string("open ") + ModeName(mode) + ": " + std::string(path));
  const std::string key = Lower(path);
  if (refused_.count(key) != 0) return nullptr;
  auto found = files_.find(key);
  if (mode == FileMode::Read) {
    if (found == files_.end()) return nullptr;
    return std::make_unique<FakeTextFile>(found->second, nullptr);
  }
  if (readOnly_.count(key) != 0) return nullptr;
  std::string& target = files_[key];
  if (mode == FileMode::Write) target.clear();
  return std::make_unique<FakeTextFile>(std::string(), &target);
}

void RecordingSystem::RunShellCommand(std::string_view commandLine) {
  calls_.push_back("shell: " + std::string(commandLine));
}

void RecordingSystem::StartAndWait(std::string_view commandLine, std::chrono::milliseconds limit) {
  calls_.push_back("start " + std::to_string(limit.count()) + ": " + std::string(commandLine));
}

void RecordingSystem::StartDetached(std::string_view commandLine, std::string_view workingFolder) {
  calls_.push_back("start detached in [" + std::string(workingFolder) + "]: " +
                   std::string(commandLine));
}

bool RecordingSystem::RemoveFile(std::string_view path) {
  calls_.push_back("remove: " + std::string(path));
  return files_.erase(Lower(path)) == 1;
}

bool RecordingSystem::ReplaceFile(std::string_view from, std::string_view to) {
  calls_.push_back("replace: " + std::string(to) + " with " + std::string(from));
  auto source = files_.find(Lower(from));
  if (source == files_.end()) return false;
  std::string text = std::move(source->second);
  files_.erase(source);
  files_[Lower(to)] = std::move(text);
  return true;
}

bool RecordingSystem::MakeDirectory(std::string_view path) {
  calls_.push_back("mkdir: " + std::string(path));
  return true;
}

namespace {

// Records its release, so that tests see what happened while it was held.
class RecordedLock : public FileLock {
 public:
  RecordedLock(std::vector<std::string>& calls, std::string path)
      : calls_(calls), path_(std::move(path)) {}
  ~RecordedLock() override { calls_.push_back("unlock: " + path_); }

 private:
  std::vector<std::string>& calls_;
  std::string path_;
};

}  // namespace

std::unique_ptr<FileLock> RecordingSystem::LockFile(std::string_view path,
                                                    std::chrono::milliseconds limit) {
  calls_.push_back("lock: " + std::string(path) + " within " + std::to_string(limit.count()) +
                   " ms");
  if (heldLocks_.contains(Lower(path))) return nullptr;
  return std::make_unique<RecordedLock>(calls_, std::string(path));
}

void RecordingSystem::SetReadOnly(std::string path, bool clearable) {
  readOnly_[Lower(path)] = clearable;
}

std::optional<bool> RecordingSystem::IsReadOnly(std::string_view path) {
  if (files_.count(Lower(path)) == 0) return std::nullopt;
  return readOnly_.count(Lower(path)) != 0;
}

bool RecordingSystem::ClearReadOnly(std::string_view path) {
  calls_.push_back("clear read-only: " + std::string(path));
  auto found = readOnly_.find(Lower(path));
  if (found == readOnly_.end()) return true;
  if (!found->second) return false;
  readOnly_.erase(found);
  return true;
}

void RecordingSystem::SetDirectory(std::string folder, std::vector<std::string> entries) {
  directories_[Lower(folder)] = std::move(entries);
}

std::vector<std::string> RecordingSystem::ListDirectory(std::string_view folder) {
  auto found = directories_.find(Lower(folder));
  return found == directories_.end() ? std::vector<std::string>{} : found->second;
}

void RecordingSystem::Print(std::string_view text) { calls_.push_back("print: " + std::string(text)); }

void RecordingSystem::SetService(std::string name, ServiceState state) {
  services_[Lower(name)] = state;
}

ServiceState RecordingSystem::QueryService(std::string_view name) {
  calls_.push_back("service query: " + std::string(name));
  auto found = services_.find(Lower(name));
  return found == services_.end() ? ServiceState::Missing : found->second;
}

bool RecordingSystem::StopService(std::string_view name) {
  calls_.push_back("service stop: " + std::string(name));
  auto found = services_.find(Lower(name));
  if (found == services_.end() || found->second != ServiceState::Running) return false;
  found->second = ServiceState::Stopped;
  return true;
}

bool RecordingSystem::StartService(std::string_view name) {
  calls_.push_back("service start: " + std::string(name));
  auto found = services_.find(Lower(name));
  if (found == services_.end() || found->second != ServiceState::Stopped) return false;
  found->second = ServiceState::Running;
  return true;
}

}  // namespace platform
