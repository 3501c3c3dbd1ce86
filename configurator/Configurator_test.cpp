#include "Configurator.h"

#include <gtest/gtest.h>

#include "UsageMessages.h"
#include "fake/RecordingSystem.h"

namespace configurator {
namespace {

const std::string kWithout = "message: Kelvane|" + testsupport::kKelvaneWithoutParameters;
const std::string kIncorrect = "message: Kelvane|" + testsupport::kKelvaneIncorrectParameter;

std::string Entry(const std::string& command, const std::string& first,
                  const std::string& second) {
  return "\n3-4-2026 5:6:7\nKelvane called with the following parameters :\n\t-c " + command +
         "\n\t-d " + first + " " + second + "\n";
}

struct RunCase {
  std::string name;
  std::vector<std::string> arguments;
  std::string log;  // empty: the run log must not be touched
  std::vector<std::string> messages;
};

void PrintTo(const RunCase& c, std::ostream* out) { *out << c.name; }

class ConfiguratorRunTest : public testing::TestWithParam<RunCase> {};

TEST_P(ConfiguratorRunTest, LogsAndAnswers) {
  const RunCase& c = GetParam();
  platform::RecordingSystem system;
  Configurator(system).Run(c.arguments);
  const std::string* log = system.File("C:\\Kelvane.txt");
  if (c.log.empty()) {
    EXPECT_EQ(log, nullptr);
  } else {
    ASSERT_NE(log, nullptr);
    EXPECT_EQ(*log, c.log);
  }
  // The commands' own messages belong to their tests; these are the usage messages.
  EXPECT_EQ(system.CallsOf({"message: Kelvane|Kelvane (Post-Install"}), c.messages);
  EXPECT_EQ(system.WaitCursorDepth(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConfiguratorRunTest,
    testing::Values(
        RunCase{"NoArguments", {}, "", {kWithout}},
        RunCase{"OnlyAValue", {"foo"}, "", {kWithout}},
        RunCase{"UnknownOptionOnly", {"-x"}, Entry("", "", ""), {kIncorrect}},
        RunCase{"SecondDirectoryMissing", {"-c", "DREX", "-d", "C:\\new"},
                Entry("DREX", "C:\\new", ""), {kIncorrect}},
        RunCase{"DirectoryMissing", {"-c", "HOBB"}, Entry("HOBB", "", ""), {kIncorrect}},
        RunCase{"KestleNeedsNoDirectory", {"-c", "kestle"}, Entry("kestle", "", ""), {}},
        RunCase{"CheckNeedsNoDirectory", {"-c", "checkformsi"}, Entry("checkformsi", "", ""), {}},
        RunCase{"RemovalLogsNoDirectories", {"-u", "kestle", "-d", "a", "b"},
                Entry("kestle", "", ""), {}},
        RunCase{"RemovalOfOtherWordsIsRefused", {"-u", "DREX", "-d", "a", "b"},
                Entry("DREX", "", ""), {kIncorrect}},
        RunCase{"InstallWinsOverRemoval", {"-u", "kestle", "-c", "HOBB", "-d", "C:\\S"},
                Entry("HOBB", "C:\\S", ""), {}},
        RunCase{"QuotesAreLoggedAsGiven", {"-c", "HOBB", "-d", "C:\\Suite\""},
                Entry("HOBB", "C:\\Suite\"", ""), {}},
        RunCase{"MinusFiveIsACommandWord", {"-c", "-5"}, Entry("-5", "", ""), {kIncorrect}},
        RunCase{"MinusFiveWithADirectory", {"-c", "-5", "-d", "x"}, Entry("-5", "x", ""),
                {kIncorrect}},
        RunCase{"WordsAreCaseSensitive", {"-c", "dreX", "-d", "a", "b"}, Entry("dreX", "a", ""),
                {kIncorrect}},
        RunCase{"ApacheInOtherCase", {"-c", "Apache", "-d", "a", "b"}, Entry("Apache", "a", ""),
                {kIncorrect}},
        RunCase{"WebServerInOtherCase", {"-c", "web_SVR", "-d", "a"}, Entry("web_SVR", "a", ""),
                {kIncorrect}},
        RunCase{"LauncherKeyIsNoCommand", {"-c", "hobb", "-d", "a"}, Entry("hobb", "a", ""),
                {kIncorrect}},
        RunCase{"EmptyCommandWord", {"-c", "-d", "X"}, Entry("", "X", ""), {kIncorrect}},
        RunCase{"RepeatedDirectoryOptionDropsItsValue",
                {"-c", "apache", "-d", "C:\\Web", "-d", "C:\\Other"},
                Entry("apache", "C:\\Web", ""), {kIncorrect}},
        RunCase{"UpperCaseOptionIsAnotherWord", {"-C", "kestle"}, Entry("", "", ""),
                {kIncorrect}}),
    [](const testing::TestParamInfo<RunCase>& param) { return param.param.name; });

TEST(ConfiguratorTest, TwoRunsAppendTwoEntries) {
  platform::RecordingSystem system;
  Configurator(system).Run({"-c", "kestle"});
  system.now = {2026, 12, 31, 23, 59, 58};
  Configurator(system).Run({"-c", "HOBB", "-d", "C:\\S"});
  ASSERT_NE(system.File("C:\\Kelvane.txt"), nullptr);
  EXPECT_EQ(*system.File("C:\\Kelvane.txt"),
            Entry("kestle", "", "") +
                "\n12-31-2026 23:59:58\nKelvane called with the following parameters :\n"
                "\t-c HOBB\n\t-d C:\\S \n");
}

TEST(ConfiguratorTest, EachEntryIsOneAppendOfTheRunLog) {
  platform::RecordingSystem system;
  Configurator(system).Run({"-c", "checkformsi"});
  EXPECT_EQ(system.CallsOf({"open "}), std::vector<std::string>{"open a: C:\\Kelvane.txt"});
}

TEST(ConfiguratorTest, AnUnwritableRunLogIsSkipped) {
  platform::RecordingSystem system;
  system.RefuseOpening("C:\\Kelvane.txt");
  Configurator(system).Run({"-c", "DREX"});
  EXPECT_EQ(system.File("C:\\Kelvane.txt"), nullptr);
  EXPECT_EQ(system.Messages().size(), 1u);
}

}  // namespace
}  // namespace configurator
