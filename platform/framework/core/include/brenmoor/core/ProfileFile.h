#pragma once
// The application profile on disk: an INI-style text file (UTF-8, CR LF) of
// "[Section]" lines and "Entry=Value" lines. Names and values are read
// without the blanks around them; section and entry names compare
// without regard to case. Every write rewrites the whole file through a
// temporary file renamed over it, so a crash leaves the old or the new
// profile, never half of one; lines it does not understand are kept. A
// write holds an exclusive lock for its read, change and rename, so two
// processes writing one profile lose nothing; it keeps the file's mode and
// writes through symbolic links.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "brenmoor/core/CString.h"

class ProfileFile {
 public:
  explicit ProfileFile(std::filesystem::path file) : file_(std::move(file)) {}

  // The entry's value, or nothing when the file, section or entry is missing
  // or the file is not a text file.
  std::optional<CString> Read(const CString& section, const CString& entry) const;
  // False, and the file untouched, when a name or value cannot be written as
  // one line, the file is there but is not text, another process's write
  // held the lock for seconds, or the rewrite failed.
  bool Write(const CString& section, const CString& entry, const CString& value) const;

  const std::filesystem::path& Path() const { return file_; }

 private:
  struct Lines {
    bool readable = true;
    std::vector<std::string> lines;  // without their line ends
  };
  Lines Load() const;
  bool Save(const std::vector<std::string>& lines) const;

  std::filesystem::path file_;
};
