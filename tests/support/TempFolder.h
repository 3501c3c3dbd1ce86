#pragma once
// A fresh folder for one test, removed with everything in it afterwards.

#include <filesystem>
#include <string>
#include <string_view>

namespace testsupport {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// Writes bytes exactly, creating the folders on the way.
void WriteFile(const std::filesystem::path& file, std::string_view bytes);
// The bytes of a file, or "<missing>" when it does not exist.
std::string ReadFile(const std::filesystem::path& file);

}  // namespace testsupport
