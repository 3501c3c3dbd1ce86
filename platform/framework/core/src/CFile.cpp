#include "brenmoor/core/CFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>
#include <utility>

#include "brenmoor/core/CException.h"
#include "brenmoor/core/Desktop.h"

namespace {

constexpr std::size_t kStdioBufferSize = 64 * 1024;

// Who holds each open file of this process, by device and inode: locks
// between processes do not keep two openers of one process apart.
struct Sharing {
  int openers = 0;
  bool exclusive = false;
};

using FileKey = std::pair<std::uint64_t, std::uint64_t>;

struct OpenFileTable : Desktop::Part {
  std::map<FileKey, Sharing> files;
};

std::map<FileKey, Sharing>& OpenFiles() { return Desktop::Current().Get<OpenFileTable>().files; }

// Only files take part: a device such as /dev/null stays open to everyone.
// Other processes are kept apart by locks; a file system without them lets
// everyone in.
bool Admits(int descriptor, const FileKey& key, bool exclusive) {
  const auto found = OpenFiles().find(key);
  if (found != OpenFiles().end() && (found->second.exclusive || exclusive)) return false;
  return ::flock(descriptor, (exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB) == 0 || errno != EWOULDBLOCK;
}

// Windows refuses what Linux words otherwise: a folder opened as a file, a
// file standing where a folder should be.
int AsWindowsError(int osError) {
  switch (osError) {
    case EISDIR: return EACCES;
    case ENOTDIR: return ENOENT;
    default: return osError;
  }
}

int OpenFlagsFor(UINT flags) {
  int open = O_CLOEXEC | ((flags & CFile::modeWrite) != 0 ? O_WRONLY : O_RDONLY);
  if ((flags & CFile::modeCreate) != 0) open |= O_CREAT;
  // Truncating waits until the sharing check has let this opener in.
  const bool truncates = (flags & CFile::modeCreate) != 0 && (flags & CFile::modeNoTruncate) == 0;
  if ((flags & CFile::modeWrite) != 0 && !truncates) open |= O_APPEND;
  return open;
}

// The error number of a failed write, else 0.
int WriteAll(int descriptor, const char* bytes, std::size_t count) {
  while (count > 0) {
    const ssize_t written = ::write(descriptor, bytes, count);
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return errno;
    if (written == 0) return ENOSPC;
    bytes += written;
    count -= static_cast<std::size_t>(written);
  }
  return 0;
}

}  // namespace

CFile::~CFile() {
  if (stream_ != nullptr) std::fclose(stream_);
}

BOOL CFile::Open(const CString& path, UINT flags) {
  Close();
  const char* mode = (flags & modeCreate) != 0 ? "w+b" : (flags & modeWrite) != 0 ? "r+b" : "rb";
  stream_ = std::fopen(path.ToUtf8().c_str(), mode);
  path_ = path;
  return stream_ != nullptr;
}

UINT CFile::Read(void* buffer, UINT count) {
  if (stream_ == nullptr) throw CFileException(CFileException::genericException, path_);
  return static_cast<UINT>(std::fread(buffer, 1, count, stream_));
}

void CFile::Write(const void* buffer, UINT count) {
  if (stream_ == nullptr || std::fwrite(buffer, 1, count, stream_) != count) {
    throw CFileException(CFileException::accessDenied, path_);
  }
}

void CFile::Close() {
  if (stream_ == nullptr) return;
  const bool flushed = std::fclose(stream_) == 0;
  stream_ = nullptr;
  if (!flushed) throw CFileException(CFileException::genericException, path_);
}

std::uint64_t CFile::GetLength() const {
  if (stream_ == nullptr) return 0;
  const long position = std::ftell(stream_);
  std::fseek(stream_, 0, SEEK_END);
  const long length = std::ftell(stream_);
  std::fseek(stream_, position, SEEK_SET);
  return length < 0 ? 0 : static_cast<std::uint64_t>(length);
}

std::uint64_t CFile::GetPosition() const {
  const long position = stream_ == nullptr ? 0 : std::ftell(stream_);
  return position < 0 ? 0 : static_cast<std::uint64_t>(position);
}

UINT CMemFile::Read(void* buffer, UINT count) {
  const std::size_t available = std::min<std::size_t>(count, bytes_.size() - position_);
  if (available > 0) std::memcpy(buffer, bytes_.data() + position_, available);
  position_ += available;
  return static_cast<UINT>(available);
}

void CMemFile::Write(const void* buffer, UINT count) {
  const auto* bytes = static_cast<const BYTE*>(buffer);
  if (position_ + count > bytes_.size()) bytes_.resize(position_ + count);
  std::copy(bytes, bytes + count, bytes_.begin() + static_cast<std::ptrdiff_t>(position_));
  position_ += count;
}

BOOL CStdioFile::Open(const CString& path, UINT flags, CFileException* error) {
  Abort();
  path_ = path;
  const auto refuse = [&](int cause, int osError) {
    if (error != nullptr) *error = CFileException(cause, path, osError);
    return false;
  };
  const int descriptor = ::open(path.ToUtf8().c_str(), OpenFlagsFor(flags), 0666);
  if (descriptor < 0) {
    const int osError = AsWindowsError(errno);
    return refuse(CFileException::OsErrorToCause(osError), osError);
  }
  const bool exclusive = (flags & CFile::shareExclusive) != 0;
  const bool truncates = (flags & CFile::modeCreate) != 0 && (flags & CFile::modeNoTruncate) == 0;
  struct stat status {};
  int osError = ::fstat(descriptor, &status) != 0 ? errno : S_ISDIR(status.st_mode) ? EACCES : 0;
  int cause = CFileException::OsErrorToCause(osError);
  const FileKey key{status.st_dev, status.st_ino};
  if (osError == 0 && S_ISREG(status.st_mode) && !Admits(descriptor, key, exclusive)) {
    osError = EACCES;
    cause = CFileException::sharingViolation;
  }
  if (osError == 0 && truncates && S_ISREG(status.st_mode) && ::ftruncate(descriptor, 0) != 0) {
    osError = errno;
    cause = CFileException::OsErrorToCause(osError);
  }
  if (osError != 0) {
    ::close(descriptor);
    return refuse(cause, osError);
  }
  if (S_ISREG(status.st_mode)) {
    Sharing& sharing = OpenFiles()[key];
    ++sharing.openers;
    sharing.exclusive = exclusive;
  }
  descriptor_ = descriptor;
  device_ = key.first;
  inode_ = key.second;
  text_ = (flags & CFile::typeBinary) == 0;
  buffer_.resize(kStdioBufferSize);
  used_ = 0;
  return true;
}

void CStdioFile::Write(const void* buffer, UINT count) {
  if (!IsOpen()) Throw(EBADF);
  const auto* bytes = static_cast<const char*>(buffer);
  if (text_) {
    AppendTranslatingLineFeeds(bytes, count);
  } else {
    Append(bytes, count);
  }
}

void CStdioFile::AppendTranslatingLineFeeds(const char* bytes, std::size_t count) {
  while (count > 0) {
    const auto* lineFeed = static_cast<const char*>(std::memchr(bytes, '\n', count));
    const std::size_t run = lineFeed != nullptr ? static_cast<std::size_t>(lineFeed - bytes) : count;
    Append(bytes, run);
    if (lineFeed == nullptr) return;
    Append("\r\n", 2);
    bytes += run + 1;
    count -= run + 1;
  }
}

void CStdioFile::Append(const char* bytes, std::size_t count) {
  if (used_ + count > buffer_.size()) {
    if (const int osError = Flush(); osError != 0) Throw(osError);
  }
  if (count >= buffer_.size()) {
    if (const int osError = WriteAll(descriptor_, bytes, count); osError != 0) Throw(osError);
    return;
  }
  std::memcpy(buffer_.data() + used_, bytes, count);
  used_ += count;
}

// What could not be written is dropped: writing it again later would put
// it after bytes that follow it.
int CStdioFile::Flush() {
  const int osError = WriteAll(descriptor_, buffer_.data(), used_);
  used_ = 0;
  return osError;
}

std::uint64_t CStdioFile::SeekToEnd() {
  if (!IsOpen()) Throw(EBADF);
  if (const int osError = Flush(); osError != 0) Throw(osError);
  const off_t end = ::lseek(descriptor_, 0, SEEK_END);
  if (end < 0) Throw(errno);
  return static_cast<std::uint64_t>(end);
}

void CStdioFile::Close() {
  if (!IsOpen()) return;
  const int flushError = Flush();
  const int closeError = Release();
  if (flushError != 0) Throw(flushError);
  if (closeError != 0) Throw(closeError);
}

void CStdioFile::Abort() {
  if (!IsOpen()) return;
  Flush();
  Release();
}

int CStdioFile::Release() {
  const auto found = OpenFiles().find({device_, inode_});
  if (found != OpenFiles().end() && --found->second.openers == 0) OpenFiles().erase(found);
  const int osError = ::close(descriptor_) != 0 ? errno : 0;
  descriptor_ = -1;
  buffer_.clear();
  buffer_.shrink_to_fit();
  return osError;
}

void CStdioFile::Throw(int osError) const {
  throw CFileException(CFileException::OsErrorToCause(osError), path_, osError);
}
