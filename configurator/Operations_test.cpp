#include "Operations.h"

#include <gtest/gtest.h>

#include "fake/RecordingSystem.h"

namespace configurator {
namespace {

using platform::RegistryRoot;

TEST(OperationsTest, MachineStringKeepsItsTwoFailuresApart) {
  platform::RecordingSystem system;
  Operations operations(system);
  EXPECT_EQ(operations.ReadMachineString("SOFTWARE\\X", "V").status,
            MachineString::Status::KeyMissing);
  system.SetRegistryKey(RegistryRoot::LocalMachine, "SOFTWARE\\X");
  EXPECT_EQ(operations.ReadMachineString("SOFTWARE\\X", "V").status,
            MachineString::Status::ValueMissing);
  system.SetRegistryString(RegistryRoot::LocalMachine, "SOFTWARE\\X", "V", "C:\\Apache");
  MachineString read = operations.ReadMachineString("SOFTWARE\\X", "V");
  EXPECT_TRUE(read.Read());
  EXPECT_EQ(read.value, "C:\\Apache");
  EXPECT_TRUE(system.Messages().empty());
}

TEST(OperationsTest, MachineStringFitsTheBufferUpTo255Characters) {
  platform::RecordingSystem system;
  Operations operations(system);
  system.SetRegistryString(RegistryRoot::LocalMachine, "K", "Fits", std::string(255, 'a'));
  system.SetRegistryString(RegistryRoot::LocalMachine, "K", "Long", std::string(256, 'a'));
  EXPECT_EQ(operations.ReadMachineString("K", "Fits").value, std::string(255, 'a'));
  EXPECT_TRUE(system.Messages().empty());

  MachineString tooLong = operations.ReadMachineString("K", "Long");
  EXPECT_EQ(tooLong.status, MachineString::Status::TooLong);
  EXPECT_EQ(tooLong.value, "");
  EXPECT_EQ(system.Messages(),
            std::vector<std::string>{"The registry value \"Long\" of HKEY_LOCAL_MACHINE\\K is "
                                     "longer than 255 characters.\n\nExiting."});
}

TEST(OperationsTest, ShellCommandsFitTheBufferUpTo255Characters) {
  platform::RecordingSystem system;
  Operations operations(system);
  const std::string fits(255, 'x');
  const std::string tooLong(256, 'y');
  EXPECT_TRUE(operations.RunShellCommand(fits));
  EXPECT_FALSE(operations.RunShellCommand(tooLong));
  EXPECT_EQ(system.Calls(),
            (std::vector<std::string>{
                "shell: " + fits,
                "message: Kelvane|Unable to run the command " + tooLong +
                    "\nbecause it is longer than 255 characters.\n\nNothing was run."}));
}

TEST(OperationsTest, CopyDirectoryContentsQuotesBothFolders) {
  platform::RecordingSystem system;
  Operations(system).CopyDirectoryContents("C:\\Old Data", "C:\\New Data");
  EXPECT_EQ(system.Calls(),
            std::vector<std::string>{"shell: copy \"C:\\Old Data\\*.*\" \"C:\\New Data\""});
}

TEST(OperationsTest, StartProgramAndWaitPassesTheLimit) {
  platform::RecordingSystem system;
  Operations(system).StartProgramAndWait("\"C:\\K\\prekestle.bat\" \n",
                                         std::chrono::milliseconds(60000));
  EXPECT_EQ(system.Calls(), std::vector<std::string>{"start 60000: \"C:\\K\\prekestle.bat\" \n"});
}

TEST(OperationsTest, TextLinesComeIn199CharacterPiecesWithTheirLineEnds) {
  platform::RecordingSystem system;
  const std::string exact(199, 'a');
  const std::string longer(200, 'b');
  system.SetFile("C:\\list.txt", "one\n" + exact + "\n" + longer + "\n\nlast");
  std::vector<std::string> lines;
  ASSERT_TRUE(Operations(system).LoadTextLines("C:\\list.txt", lines));
  EXPECT_EQ(lines, (std::vector<std::string>{"one\n", exact, "\n", std::string(199, 'b'), "b\n",
                                             "\n", "last"}));
}

TEST(OperationsTest, TextLinesOfAMissingFileAreNotLoaded) {
  platform::RecordingSystem system;
  std::vector<std::string> lines{"kept"};
  EXPECT_FALSE(Operations(system).LoadTextLines("C:\\none.txt", lines));
  EXPECT_EQ(lines, std::vector<std::string>{"kept"});
}

TEST(OperationsTest, LogWritesAppendAndEachOpensTheFile) {
  platform::RecordingSystem system;
  Operations operations(system);
  operations.AppendToLog("C:\\log.txt", "a\n");
  operations.AppendToLog("C:\\log.txt", "b");
  EXPECT_EQ(*system.File("C:\\log.txt"), "a\nb");
  EXPECT_EQ(system.Calls(),
            (std::vector<std::string>{"open a: C:\\log.txt", "open a: C:\\log.txt"}));
}

TEST(OperationsTest, WaitCursorIsRestoredOnEveryWayOut) {
  platform::RecordingSystem system;
  try {
    WaitCursor cursor(system);
    EXPECT_EQ(system.WaitCursorDepth(), 1);
    throw std::runtime_error("leaving early");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(system.WaitCursorDepth(), 0);
}

TEST(OperationsTest, TimeStampHasNoZeroPadding) {
  EXPECT_EQ(TimeStamp({2026, 3, 4, 5, 6, 7}), "3-4-2026 5:6:7");
  EXPECT_EQ(TimeStamp({2026, 12, 31, 23, 59, 58}), "12-31-2026 23:59:58");
  EXPECT_EQ(TimeStamp({2027, 1, 1, 0, 0, 0}), "1-1-2027 0:0:0");
}

}  // namespace
}  // namespace configurator
