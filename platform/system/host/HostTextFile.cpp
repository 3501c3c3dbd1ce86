#include "host/HostTextFile.h"

#include <sys/stat.h>

#include <algorithm>
#include <string>

namespace platform {
namespace {

constexpr int kCtrlZ = 0x1A;

const char* ModeString(FileMode mode) {
  switch (mode) {
    case FileMode::Read: return "rb";
    case FileMode::Write: return "wb";
    case FileMode::Append: return "ab";
  }
  return "rb";
}

bool IsFolder(std::FILE* stream) {
  struct stat info {};
  return fstat(fileno(stream), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

std::unique_ptr<HostTextFile> HostTextFile::Open(const std::filesystem::path& file, FileMode mode) {
  std::FILE* stream = std::fopen(file.c_str(), ModeString(mode));
  if (stream == nullptr) return nullptr;
  if (IsFolder(stream)) {
    std::fclose(stream);
    return nullptr;
  }
  return std::unique_ptr<HostTextFile>(new HostTextFile(stream));
}

HostTextFile::~HostTextFile() {
  if (stream_ != nullptr) std::fclose(stream_);
}

bool HostTextFile::Fill() {
  if (end_ - begin_ >= 2) return true;
  std::copy(buffer_.begin() + static_cast<std::ptrdiff_t>(begin_),
            buffer_.begin() + static_cast<std::ptrdiff_t>(end_), buffer_.begin());
  end_ -= begin_;
  begin_ = 0;
  while (end_ < 2) {
    const std::size_t read = std::fread(buffer_.data() + end_, 1, buffer_.size() - end_, stream_);
    if (read == 0) break;
    end_ += read;
  }
  return end_ > begin_;
}

// Copies plain characters in runs; CR LF comes as LF, Ctrl-Z ends the text.
bool HostTextFile::ReadLine(std::string& piece, std::size_t maxChars) {
  piece.clear();
  while (!atEnd_ && piece.size() < maxChars && Fill()) {
    const char* data = buffer_.data();
    std::size_t run = begin_;
    const std::size_t limit = std::min(end_, begin_ + (maxChars - piece.size()));
    while (run < limit && data[run] != '\n' && data[run] != '\r' && data[run] != kCtrlZ) ++run;
    piece.append(data + begin_, run - begin_);
    begin_ = run;
    if (run == limit) continue;
    const char c = data[begin_++];
    if (c == kCtrlZ) {
      atEnd_ = true;
    } else if (c == '\r' && Fill() && buffer_[begin_] == '\n') {
      ++begin_;
      piece += '\n';
      return true;
    } else {
      piece += c;
      if (c == '\n') return true;
    }
  }
  return !piece.empty();
}

bool HostTextFile::Write(std::string_view text) {
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t lineEnd = text.find('\n', start);
    std::size_t stop = lineEnd == std::string_view::npos ? text.size() : lineEnd;
    if (std::fwrite(text.data() + start, 1, stop - start, stream_) != stop - start) failed_ = true;
    if (lineEnd != std::string_view::npos && std::fwrite("\r\n", 1, 2, stream_) != 2) failed_ = true;
    start = stop + (lineEnd == std::string_view::npos ? 0 : 1);
  }
  return !failed_;
}

bool HostTextFile::Close() {
  if (stream_ == nullptr) return !failed_;
  bool ok = std::fflush(stream_) == 0 && std::ferror(stream_) == 0;
  ok = std::fclose(stream_) == 0 && ok;
  stream_ = nullptr;
  return ok && !failed_;
}

}  // namespace platform
