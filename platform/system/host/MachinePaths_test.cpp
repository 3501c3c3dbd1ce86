#include "host/MachinePaths.h"

#include <gtest/gtest.h>

#include "host/MachineCodePage.h"

#include "TempFolder.h"

namespace platform {
namespace {

using testsupport::TempFolder;
using testsupport::WriteFile;

class MachinePathsTest : public testing::Test {
 protected:
  void SetUp() override {
    WriteFile(root() / "c" / "Program Files" / "HP OpenView" / "bin" / "ovstop.exe", "");
    WriteFile(root() / "c" / "Kelvane.txt", "");
    WriteFile(root() / "d" / "data" / "x.txt", "");
    WriteFile(root() / "c" / "caf\xc3\xa9" / "menu.txt", "");
  }
  const std::filesystem::path& root() const { return folder_.Path(); }
  std::string Map(std::string_view windowsPath) const {
    return MachinePaths(root()).ToHost(windowsPath).lexically_relative(root()).string();
  }

  TempFolder folder_;
};

TEST_F(MachinePathsTest, DrivesAreLowerCaseSubfolders) {
  EXPECT_EQ(Map("C:\\Kelvane.txt"), "c/Kelvane.txt");
  EXPECT_EQ(Map("d:\\data\\x.txt"), "d/data/x.txt");
  EXPECT_EQ(Map("C:\\"), "c");
  EXPECT_EQ(Map("C:"), "c");
}

TEST_F(MachinePathsTest, ComponentsMatchWhatExistsRegardlessOfCase) {
  EXPECT_EQ(Map("C:\\PROGRAM FILES\\hp openview\\BIN\\OVSTOP.EXE"),
            "c/Program Files/HP OpenView/bin/ovstop.exe");
  EXPECT_EQ(Map("c:/program files/HP OpenView/bin"), "c/Program Files/HP OpenView/bin");
  EXPECT_EQ(Map("C:\\kelvane.TXT"), "c/Kelvane.txt");
}

TEST_F(MachinePathsTest, MissingComponentsStayAsWritten) {
  EXPECT_EQ(Map("C:\\Program Files\\New Folder\\File.TXT"), "c/Program Files/New Folder/File.TXT");
}

TEST_F(MachinePathsTest, PathsWithoutADriveLieOnC) {
  EXPECT_EQ(Map("\\velmo\\kestle"), "c/velmo/kestle");
  EXPECT_EQ(Map("kelvane.txt"), "c/Kelvane.txt");
  EXPECT_EQ(Map(""), "c");
}

TEST_F(MachinePathsTest, DotsNeverClimbAboveTheDrive) {
  EXPECT_EQ(Map("C:\\..\\..\\etc\\passwd"), "c/etc/passwd");
  EXPECT_EQ(Map("C:\\Program Files\\..\\.\\Kelvane.txt"), "c/Kelvane.txt");
  EXPECT_EQ(Map("..\\..\\x"), "c/x");
  EXPECT_EQ(Map("C:\\a\\\\\\b\\"), "c/a/b");
}

TEST_F(MachinePathsTest, AnsiNamesMatchUtf8Folders) {
  // A machine whose registry names Windows-1252.
  machine::ScopedCodePage windows1252(encoding::CodePage::Windows1252);
  EXPECT_EQ(Map("C:\\CAF\xc9\\menu.txt"), "c/caf\xc3\xa9/menu.txt");
  EXPECT_EQ(Map("C:\\caf\xe9\\MENU.TXT"), "c/caf\xc3\xa9/menu.txt");
}

TEST_F(MachinePathsTest, PosixAbsolutePathsAreUsedAsTheyAre) {
  MachinePaths paths(root());
  EXPECT_EQ(paths.ToHost("/usr/bin/xdg-open"), std::filesystem::path("/usr/bin/xdg-open"));
  EXPECT_EQ(Map("/velmo\\kestle"), "c/velmo/kestle");
}

TEST(MachinePathsStaticTest, AbsoluteWindowsPaths) {
  EXPECT_TRUE(MachinePaths::IsAbsoluteWindowsPath("C:\\x"));
  EXPECT_TRUE(MachinePaths::IsAbsoluteWindowsPath("z:/"));
  EXPECT_FALSE(MachinePaths::IsAbsoluteWindowsPath("C:"));
  EXPECT_FALSE(MachinePaths::IsAbsoluteWindowsPath("C:x"));
  EXPECT_FALSE(MachinePaths::IsAbsoluteWindowsPath("\\x"));
  EXPECT_FALSE(MachinePaths::IsAbsoluteWindowsPath("1:\\x"));
  EXPECT_FALSE(MachinePaths::IsAbsoluteWindowsPath("-fields"));
}

TEST(MachinePathsStaticTest, ControlCharactersMakeAPathInvalid) {
  using namespace std::string_view_literals;
  EXPECT_TRUE(MachinePaths::IsValidPath("C:\\Program Files\\caf\xe9 \x7f.txt"));
  EXPECT_TRUE(MachinePaths::IsValidPath(""));
  EXPECT_FALSE(MachinePaths::IsValidPath("\0"sv));
  EXPECT_FALSE(MachinePaths::IsValidPath("d:\0 t"sv));
  EXPECT_FALSE(MachinePaths::IsValidPath("C:\\a\x01"));
  EXPECT_FALSE(MachinePaths::IsValidPath("C:\\a\tb"));
  EXPECT_FALSE(MachinePaths::IsValidPath("x\x1f"));
}

}  // namespace
}  // namespace platform
