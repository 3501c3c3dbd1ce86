#include "Launcher.h"

#include <gtest/gtest.h>

#include "fake/RecordingSystem.h"

namespace launcher {
namespace {

const std::string kUsage =
    "Morrant|Morrant was either run without parameters or \n"
    "with an incorrect parameter.\n\n"
    "Usage :  Morrant <filename>\n\n"
    "\twhere <filename> is:\n"
    "\t\tquor._qk\n\t\tnerit._qk\n\t\tsorv._qk\n\t\tgav._qk\n\t\tdrex._qk\n\t\tfenn._qk\n"
    "\t\thalden._qk\n\t\ttavish._qk\n\t\tpimlo._qk\n\t\trusk._qk\n\t\tzib._qk\n\t\thobb._qk\n"
    "\t\tjud._qk\n";

// The keys whose targets ran, told apart by the values each reads first.
std::vector<std::string> TargetsRun(const platform::RecordingSystem& system) {
  std::vector<std::string> read;
  for (const auto& call : system.Calls()) {
    if (call.rfind("registry: SYSTEM", 0) == 0) read.push_back(call.substr(call.find('|') + 2));
    if (call.rfind("registry: SOFTWARE\\Unimax", 0) == 0) read.push_back("ProgramDirectory");
  }
  return read;
}

struct SelectionCase {
  std::vector<std::string> arguments;
  std::vector<std::string> valuesRead;  // empty: the usage message
};

void PrintTo(const SelectionCase& c, std::ostream* out) {
  *out << (c.arguments.empty() ? "(none)" : c.arguments.front());
}

class SelectionTest : public testing::TestWithParam<SelectionCase> {};

TEST_P(SelectionTest, SelectsKeysInTestOrder) {
  platform::RecordingSystem system;
  Launcher(system).Run(GetParam().arguments);
  EXPECT_EQ(TargetsRun(system), GetParam().valuesRead);
  const std::vector<std::string> usage{kUsage};
  std::vector<std::string> messages;
  for (const auto& call : system.Calls()) {
    if (call.rfind("message: ", 0) == 0) messages.push_back(call.substr(9));
  }
  if (GetParam().valuesRead.empty()) {
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
        SelectionCase{{"C:\\Suite\\Start\\halden._qk"}, {"KOR_BRAV"}},
        SelectionCase{{"C:\\Suite\\Start\\HALDEN._qk"}, {}},
        SelectionCase{{"halden._QK"}, {}},
        SelectionCase{{"C:\\Suite\\halden.txt"}, {}},
        SelectionCase{{"C:\\Suite\\quor\\drex._qk"}, {"QUOR_PATH", "JRE2_BIN"}},
        SelectionCase{{"quor_nerit._qk"}, {"QUOR_PATH", "NERIT_PATH"}},
        SelectionCase{{"nerit_quor._qk"}, {"QUOR_PATH", "NERIT_PATH"}},
        SelectionCase{{"._qk"}, {}},
        SelectionCase{{"x._qk.bak\\jud"}, {"ProgramDirectory"}},
        SelectionCase{{"everything quor drex pimlo fenn halden tavish gav sorv nerit rusk zib "
                       "hobb jud._qk"},
                      {"QUOR_PATH", "JRE2_BIN", "MULV_PATH", "JRE2_BIN", "KOR_BRAV", "KOR_BRAV",
                       "KOR_TIRL", "KOR_RONT", "NERIT_PATH", "KOR_WEXA", "WEXA_INSTALLED",
                       "KOR_SERVER", "ProgramDirectory"}},
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
  std::vector<std::string> order;
  for (const auto& call : system.Calls()) {
    if (call.rfind("open w", 0) == 0 || call.rfind("start detached", 0) == 0) order.push_back(call);
  }
  EXPECT_EQ(order, (std::vector<std::string>{
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
            " http://t/gav/index.html " + std::string(51, 'a') + "\n");
}

}  // namespace
}  // namespace launcher
