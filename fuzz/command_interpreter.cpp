// The command interpreter on a throw-away machine: a command line or a batch
// file of any bytes starts no program and never removes or replaces a drive
// or anything beside the machine folder.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "TempFolder.h"
#include "host/CommandInterpreter.h"

namespace {

namespace fs = std::filesystem;

class NoPrograms : public platform::ProgramRunner {
 public:
  bool RunProgram(std::string_view, int) override { return false; }
};

// The machine folder lies inside the folder, beside a file it must not touch.
const testsupport::TempFolder folder;
const fs::path outside = folder.Path() / "outside.txt";
const fs::path root = folder.Path() / "machine";

void LayOutMachine() {
  std::error_code ignored;
  fs::remove_all(root, ignored);
  testsupport::WriteFile(root / "registry.reg", "REGEDIT4\r\n");
  testsupport::WriteFile(root / "c" / "data" / "a.txt", "a");
  testsupport::WriteFile(root / "c" / "data" / "sub" / "b.txt", "b");
  testsupport::WriteFile(root / "c" / "run.bat", "echo x\r\n");
  testsupport::WriteFile(root / "d" / "keep.txt", "d");
}

bool IsFolder(const fs::path& path) {
  std::error_code error;
  return fs::is_directory(fs::symlink_status(path, error));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  testsupport::WriteFile(outside, "outside");
  return 0;
}

// The first byte chooses a command line or a batch file; the rest is its text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  LayOutMachine();
  const platform::MachinePaths paths(root);
  NoPrograms programs;
  platform::CommandInterpreter interpreter(paths, programs);
  const std::string_view text = fuzzing::AsText(data + 1, size - 1);
  if (data[0] % 2 == 0) {
    interpreter.Run(text);
  } else {
    testsupport::WriteFile(root / "c" / "fuzz.bat", text);
    interpreter.Run("C:\\fuzz.bat");
  }
  fuzzing::Require(IsFolder(root / "c") && IsFolder(root / "d"), "the drive folders survive");
  fuzzing::Require(testsupport::ReadFile(outside) == "outside", "the file beside the machine survives");
  fuzzing::Require(testsupport::ReadFile(root / "registry.reg") == "REGEDIT4\r\n",
                   "the registry beside the drives survives");
  return 0;
}
