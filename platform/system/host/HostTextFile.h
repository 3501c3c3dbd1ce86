#pragma once
// A machine file opened in text mode: CR LF reads as LF and Ctrl-Z ends the
// text; every LF is written as CR LF, as the Windows C runtime does.

#include <cstdio>
#include <filesystem>
#include <memory>
#include <vector>

#include "System.h"

namespace platform {

class HostTextFile : public TextFile {
 public:
  static std::unique_ptr<HostTextFile> Open(const std::filesystem::path& file, FileMode mode);
  ~HostTextFile() override;

  bool ReadLine(std::string& piece, std::size_t maxChars) override;
  bool Write(std::string_view text) override;
  bool Close() override;

 private:
  explicit HostTextFile(std::FILE* stream) : stream_(stream) {}
  // Makes at least two bytes available when the file has them, so that a
  // CR can see what follows it. False at the end of the file.
  bool Fill();

  std::FILE* stream_;
  bool failed_ = false;
  bool atEnd_ = false;
  std::vector<char> buffer_ = std::vector<char>(1 << 16);
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
};

}  // namespace platform
