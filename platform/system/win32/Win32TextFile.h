#pragma once
// A text file of the C runtime, opened in text mode.

#include <cstdio>
#include <memory>

#include "System.h"

namespace platform {

class Win32TextFile : public TextFile {
 public:
  // Null when the file cannot be opened.
  static std::unique_ptr<TextFile> Open(const std::string& path, FileMode mode);
  ~Win32TextFile() override;

  bool ReadLine(std::string& piece, std::size_t maxChars) override;
  bool Write(std::string_view text) override;
  bool Close() override;

 private:
  explicit Win32TextFile(std::FILE* stream) : stream_(stream) {}
  std::FILE* stream_;
};

}  // namespace platform
