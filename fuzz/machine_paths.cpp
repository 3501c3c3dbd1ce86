// Path mapping: a Windows path never leads outside the machine folder; only
// a POSIX absolute path is used as it is.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "TempFolder.h"
#include "host/MachinePaths.h"

namespace {

namespace fs = std::filesystem;

const testsupport::TempFolder folder;
const fs::path root = folder.Path() / "machine";

bool IsPosixAbsolute(std::string_view path) {
  return path.starts_with('/') && path.find('\\') == std::string_view::npos;
}

bool LiesInside(const fs::path& path, const fs::path& base) {
  const fs::path relative = path.lexically_normal().lexically_relative(base.lexically_normal());
  return !relative.empty() && *relative.begin() != "..";
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  testsupport::WriteFile(root / "c" / "Program Files" / "App" / "x.exe", "");
  testsupport::WriteFile(root / "d" / "Data" / "y.txt", "");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view windowsPath = fuzzing::AsText(data, size);
  const platform::MachinePaths paths(root);
  const fs::path host = paths.ToHost(windowsPath);
  if (IsPosixAbsolute(windowsPath)) return 0;
  fuzzing::Require(LiesInside(host, root), "a Windows path maps inside the machine folder");
  if (platform::MachinePaths::IsValidPath(windowsPath)) {
    fuzzing::Require(host.string().find('\0') == std::string::npos,
                     "a valid path maps to a host path without NUL");
  }
  return 0;
}
