#include "win32/Win32TextFile.h"

#include <vector>

namespace platform {

std::unique_ptr<TextFile> Win32TextFile::Open(const std::string& path, FileMode mode) {
  const char* modeText = mode == FileMode::Read ? "r" : mode == FileMode::Write ? "w" : "a";
  std::FILE* stream = std::fopen(path.c_str(), modeText);
  if (stream == nullptr) return nullptr;
  return std::unique_ptr<TextFile>(new Win32TextFile(stream));
}

Win32TextFile::~Win32TextFile() {
  if (stream_ != nullptr) std::fclose(stream_);
}

bool Win32TextFile::ReadLine(std::string& piece, std::size_t maxChars) {
  std::vector<char> buffer(maxChars + 1, '\0');
  if (std::fgets(buffer.data(), static_cast<int>(buffer.size()), stream_) == nullptr) {
    return false;
  }
  piece.assign(buffer.data());
  return true;
}

bool Win32TextFile::Write(std::string_view text) {
  return std::fwrite(text.data(), 1, text.size(), stream_) == text.size();
}

bool Win32TextFile::Close() {
  const bool failedBefore = std::ferror(stream_) != 0;
  const bool closed = std::fclose(stream_) == 0;
  stream_ = nullptr;
  return closed && !failedBefore;
}

}  // namespace platform
