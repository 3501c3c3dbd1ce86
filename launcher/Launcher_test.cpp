#include "Launcher.h"

#include <gtest/gtest.h>

#include "UsageMessages.h"
#include "fake/RecordingSystem.h"

namespace launcher {
namespace {

const std::string kUsage = "message: Morrant|" + testsupport::kMorrantUsage;

// A read of the suite's environment, as the fake records it.
std::string Read(const std::string& variable) {
  return "registry: SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment | " +
         variable;
}
const std::string kReadJud = "registry: SOFTWARE\\Unimax\\Mailbox Manager\\5 | ProgramDirectory";

// The keys whose targets ran, told apart by the values each reads first.
struct SelectionCase {
  std::vector<std::string> arguments;
  std::vector<std::string> reads;  // empty: the usage message
};

void PrintTo(const SelectionCase& c, std::ostream* out) {
  *out << (c.arguments.empty() ? "(none)" : c.arguments.front());
}

class SelectionTest : public testing::TestWithParam<SelectionCase> {};

TEST_P(SelectionTest, SelectsKeysInTestOrder) {
  platform::RecordingSystem system;
  Launcher(system).Run(GetParam().arguments);
  EXPECT_EQ(system.CallsOf({"registry: SYSTEM", "registry: SOFTWARE\\Unimax"}),
            GetParam().reads);
  const std::vector<std::string> usage{kUsage};
  const std::vector<std::string> messages = system.CallsOf({"message: "});
  if (GetParam().reads.empty()) {
    EXPECT_EQ(messages, usage);
    EXPECT_EQ(system.Calls().size(), 1u) << "nothing but the usage message";
  } else {
    EXPECT_NE(messages, usage);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Paths, SelectionTest,
    testing::Values(
        SelectionCase{{}, {}},
        SelectionCase{{""}, {}},
        SelectionCase{{"C:\\Suite\\Start\\halden._qk"}, {Read("KOR_BRAV")}},
        SelectionCase{{"C:\\Suite\\Start\\HALDEN._qk"}, {}},
        SelectionCase{{"halden._QK"}, {}},
        SelectionCase{{"C:\\Suite\\halden.txt"}, {}},
        SelectionCase{{"C:\\Suite\\quor\\drex._qk"}, {Read("QUOR_PATH"), Read("JRE2_BIN")}},
        SelectionCase{{"quor_nerit._qk"}, {Read("QUOR_PATH"), Read("NERIT_PATH")}},
        SelectionCase{{"nerit_quor._qk"}, {Read("QUOR_PATH"), Read("NERIT_PATH")}},
        SelectionCase{{"._qk"}, {}},
        SelectionCase{{"x._qk.bak\\jud"}, {kReadJud}},
        SelectionCase{{"everything quor drex pimlo fenn halden tavish gav sorv nerit rusk zib "
                       "hobb jud._qk"},
                      {Read("QUOR_PATH"), Read("JRE2_BIN"), Read("MULV_PATH"), Read("JRE2_BIN"),
                       Read("KOR_BRAV"), Read("KOR_BRAV"), Read("KOR_TIRL"), Read("KOR_RONT"),
                       Read("NERIT_PATH"), Read("KOR_WEXA"), Read("WEXA_INSTALLED"),
                       Read("KOR_SERVER"), kReadJud}},
        SelectionCase{{"other", "halden._qk"}, {}}));

TEST(LauncherTest, ExtraArgumentsTextStartsWithTwoBlanks) {
  platform::RecordingSystem system;
  system.SetRegistryString(platform::RegistryRoot::LocalMachine,
                           "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment",
                           "QUOR_PATH", "C:\\Q");
  Launcher(system).Run({"quor._qk", "", "a b", "\"q\""});
  EXPECT_EQ(*system.File("C:\\launchCmd.txt"), "\"C:\\Q\\bin\\Qorm.exe\"   a b \"q\"");
}

TEST(LauncherTest, TheRecordHoldsTheLastCommandLine) {
  platform::RecordingSystem system;
  const char* environment = "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";
  system.SetRegistryString(platform::RegistryRoot::LocalMachine, environment, "QUOR_PATH", "C:\\Q");
  system.SetRegistryString(platform::RegistryRoot::LocalMachine, environment, "JRE2_BIN", "C:\\J");
  system.SetRegistryString(platform::RegistryRoot::LocalMachine, environment, "DREX_PATH", "C:\\D");
  Launcher(system).Run({"C:\\Suite\\quor\\drex._qk"});
  EXPECT_EQ(*system.File("C:\\launchCmd.txt"), "\"C:\\D\\launchDrex.exe\"");
  EXPECT_EQ(system.CallsOf({"open w", "start detached"}), (std::vector<std::string>{
                       "open w: C:\\launchCmd.txt",
                       "start detached in []: \"C:\\Q\\bin\\Qorm.exe\"",
                       "open w: C:\\launchCmd.txt",
                       "start detached in [C:\\D]: \"C:\\D\\launchDrex.exe\"",
                   }));
}

TEST(LauncherTest, AnUnwritableRecordIsSkippedAndTheLaunchGoesOn) {
  platform::RecordingSystem system;
  system.SetRegistryString(platform::RegistryRoot::LocalMachine,
                           "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment",
                           "KOR_SERVER", "s");
  system.RefuseOpening("C:\\launchCmd.txt");
  Launcher(system).Run({"hobb._qk"});
  EXPECT_EQ(system.File("C:\\launchCmd.txt"), nullptr);
  EXPECT_EQ(system.Calls().back(), "start detached in []:  http://s\\Velmo");
}

TEST(LauncherTest, ParameterStopsAtAZeroByteAndAtNinetyNineCharacters) {
  platform::RecordingSystem system;
  system.SetRegistryString(platform::RegistryRoot::LocalMachine,
                           "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment",
                           "KOR_TIRL", "t");
  system.SetFile("gav._qk", std::string("1\nab\0cd\n", 8));
  Launcher(system).Run({"gav._qk"});
  EXPECT_EQ(*system.File("C:\\launchCmd.txt"), " http://t/gav/index.html ab");

  // The first line's rest is what a second read of 99 characters finds.
  system.SetFile("gav._qk", std::string(150, 'a') + "\nsecond\n");
  Launcher(system).Run({"gav._qk"});
  EXPECT_EQ(*system.File("C:\\launchCmd.txt"),
            " http://t/gav/index.html " + std::string(51, 'a'));
}

}  // namespace
}  // namespace launcher
