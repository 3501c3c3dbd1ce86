#include "host/HostTextFile.h"

#include <sys/stat.h>

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

// One character of the text: CR LF comes as LF, Ctrl-Z ends the text.
int HostTextFile::ReadChar() {
  if (atEnd_) return EOF;
  int c = getc_unlocked(stream_);
  if (c == '\r') {
    int next = getc_unlocked(stream_);
    if (next == '\n') return '\n';
    if (next != EOF) ungetc(next, stream_);
  }
  if (c == kCtrlZ || c == EOF) {
    atEnd_ = true;
    return EOF;
  }
  return c;
}

bool HostTextFile::ReadLine(std::string& piece, std::size_t maxChars) {
  piece.clear();
  while (piece.size() < maxChars) {
    int c = ReadChar();
    if (c == EOF) break;
    piece += static_cast<char>(c);
    if (c == '\n') break;
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
