#include "fake/RecordingSystem.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(RecordingSystemTest, CallsOfKeepsWholeLinesOfTheKindsAskedInOrder) {
  RecordingSystem system;
  system.RunShellCommand("copy a b");
  system.ShowMessage("T", "one");
  system.StartDetached("prog", "C:\\w");
  system.OpenTextFile("C:\\x.txt", FileMode::Write);
  system.OpenTextFile("C:\\y.txt", FileMode::Write);
  system.RunShellCommand("del /q b");

  EXPECT_EQ(system.CallsOf({"shell"}),
            (std::vector<std::string>{"shell: copy a b", "shell: del /q b"}));
  EXPECT_EQ(system.CallsOf({"start detached", "message: "}),
            (std::vector<std::string>{"message: T|one", "start detached in [C:\\w]: prog"}));
  EXPECT_EQ(system.CallsOf({"open w: C:\\y"}), std::vector<std::string>{"open w: C:\\y.txt"});
  EXPECT_EQ(system.CallsOf({"service"}), std::vector<std::string>{});
  EXPECT_EQ(system.Messages(), std::vector<std::string>{"one"});
}

}  // namespace
}  // namespace platform
