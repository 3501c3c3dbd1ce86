// The configurator's command line, run through the installed program.

#include <gtest/gtest.h>

#include <regex>

#include "Machine.h"
#include "UsageMessages.h"

namespace {

using testsupport::Machine;

const std::string kWithout = "Kelvane|" + testsupport::kKelvaneWithoutParameters;
const std::string kIncorrect = "Kelvane|" + testsupport::kKelvaneIncorrectParameter;

// The run log's entries with their time stamps checked and replaced by "T".
std::string LogWithoutTimes(const std::string& log) {
  static const std::regex stamp(R"(\r\n([1-9]|1[0-2])-([1-9]|[12][0-9]|3[01])-20[0-9]{2} ([0-9]|1[0-9]|2[0-3]):([0-9]|[1-5][0-9]):([0-9]|[1-5][0-9])\r\n)");
  return std::regex_replace(log, stamp, "\r\nT\r\n");
}

std::string Entry(const std::string& command, const std::string& directories) {
  return "\r\nT\r\nKelvane called with the following parameters :\r\n\t-c " + command +
         "\r\n\t-d " + directories + "\r\n";
}

TEST(KelvaneTest, WithoutOptionWordsShowsUsageAndTouchesNothing) {
  for (const auto& arguments : std::vector<std::vector<std::string>>{{}, {"foo"}, {"foo", "-"}}) {
    Machine machine;
    auto run = machine.Run("kelvane", arguments);
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(machine.Messages(), std::vector<std::string>{kWithout});
    EXPECT_FALSE(machine.Exists("C:\\Kelvane.txt"));
  }
}

TEST(KelvaneTest, UsageGoesToStandardErrorAsTitleAndText) {
  Machine machine;
  auto run = machine.Run("kelvane", {});
  EXPECT_EQ(run.err, "Kelvane\n" + testsupport::kKelvaneWithoutParameters + "\n");
  EXPECT_EQ(run.out, "");
}

TEST(KelvaneTest, IncorrectCallsAreLoggedThenRefused) {
  Machine machine;
  EXPECT_EQ(machine.Run("kelvane", {"-x"}).exitStatus, 0);
  EXPECT_EQ(machine.Run("kelvane", {"-c", "DREX", "-d", "C:\\new"}).exitStatus, 0);
  EXPECT_EQ(machine.Run("kelvane", {"-u", "HOBB", "-d", "C:\\Suite"}).exitStatus, 0);
  EXPECT_EQ(LogWithoutTimes(machine.File("C:\\Kelvane.txt")),
            Entry("", " ") + Entry("DREX", "C:\\new ") + Entry("HOBB", " "));
  EXPECT_EQ(machine.Messages(), std::vector<std::string>(3, kIncorrect));
}

TEST(KelvaneTest, EveryRunAppendsOneEntry) {
  Machine machine;
  machine.SetFile("C:\\Kelvane.txt", "earlier run\r\n");
  EXPECT_EQ(machine.Run("kelvane", {"-c", "checkformsi"}).exitStatus, 0);
  EXPECT_EQ(machine.Run("kelvane", {"-c", "HOBB", "-d", "C:\\Suite\""}).exitStatus, 0);
  EXPECT_EQ(machine.Run("kelvane", {"-c", "dreX", "-d", "a", "b"}).exitStatus, 0);
  EXPECT_EQ(LogWithoutTimes(machine.File("C:\\Kelvane.txt")),
            "earlier run\r\n" + Entry("checkformsi", " ") + Entry("HOBB", "C:\\Suite\" ") +
                Entry("dreX", "a "));
  EXPECT_EQ(machine.Messages(), std::vector<std::string>{kIncorrect});
}

TEST(KelvaneTest, ArgumentsArriveInUtf8UnlessTheMachineNamesWindows1252) {
  Machine machine;
  machine.Run("kelvane", {"-c", "caf\xc3\xa9", "-d", "\xe2\x82\xac 5", "\xe4\xb8\xad"});
  // "é" in UTF-8 is one byte in Windows-1252; "€" is 0x80 there; a character
  // outside it becomes "?", as Windows hands it to the program.
  machine.SetRegistry(
      "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Nls\\CodePage]\r\n"
      "\"ACP\"=\"1252\"\r\n\r\n");
  machine.Run("kelvane", {"-c", "caf\xc3\xa9", "-d", "\xe2\x82\xac 5", "\xe4\xb8\xad"});
  EXPECT_EQ(LogWithoutTimes(machine.File("C:\\Kelvane.txt")),
            Entry("caf\xc3\xa9", "\xe2\x82\xac 5 ") + Entry("caf\xe9", "\x80 5 "));
}

TEST(KelvaneTest, OddArgumentsAreHandled) {
  Machine machine;
  std::vector<std::string> many{"-c", "PELL", "-d"};
  for (int i = 0; i < 3000; ++i) many.push_back("C:\\dir " + std::to_string(i));
  EXPECT_EQ(machine.Run("kelvane", many).exitStatus, 0);
  EXPECT_EQ(machine.Run("kelvane", {"-c", "", "-d", ""}).exitStatus, 0);
  EXPECT_EQ(machine.Run("kelvane", {"-c", "a \"quoted\" word", "-d", "x;y&z|w"}).exitStatus, 0);
  EXPECT_EQ(LogWithoutTimes(machine.File("C:\\Kelvane.txt")),
            Entry("PELL", "C:\\dir 0 C:\\dir 1") + Entry("", " ") +
                Entry("a \"quoted\" word", "x;y&z|w "));
  // Neither word names a command.
  EXPECT_EQ(machine.Messages(), std::vector<std::string>(2, kIncorrect));
}

TEST(KelvaneTest, AnUnwritableRunLogIsSkipped) {
  Machine machine;
  // A folder where the log file would be: it cannot be opened, the run goes on.
  std::filesystem::create_directories(machine.Host("C:\\Kelvane.txt"));
  auto run = machine.Run("kelvane", {"-c", "DREX"});
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_EQ(machine.Messages(), std::vector<std::string>{kIncorrect});
}

TEST(KelvaneTest, WithoutAMachineNothingRuns) {
  Machine machine;
  auto unset = machine.Run("kelvane", {"-c", "kestle"}, {"BRENMOOR_MACHINE="});
  EXPECT_EQ(unset.exitStatus, 1);
  EXPECT_EQ(unset.err,
            "kelvane: BRENMOOR_MACHINE is not set: it must name the folder that stands for the "
            "Windows machine.\n");

  const std::string missing = (machine.Root() / "nowhere").string();
  auto absent = machine.Run("kelvane", {"-c", "kestle"}, {"BRENMOOR_MACHINE=" + missing});
  EXPECT_EQ(absent.exitStatus, 1);
  EXPECT_EQ(absent.err, "kelvane: The machine folder " + missing +
                            " (BRENMOOR_MACHINE) does not exist or is not a folder.\n");

  std::filesystem::remove(machine.Root() / "registry.reg");
  auto noRegistry = machine.Run("kelvane", {"-c", "kestle"});
  EXPECT_EQ(noRegistry.exitStatus, 1);
  EXPECT_NE(noRegistry.err.find("registry.reg"), std::string::npos) << noRegistry.err;

  testsupport::WriteFile(machine.Root() / "registry.reg", "not a registry file\n");
  auto malformed = machine.Run("kelvane", {"-c", "kestle"});
  EXPECT_EQ(malformed.exitStatus, 1);
  EXPECT_NE(malformed.err.find("registry.reg"), std::string::npos) << malformed.err;

  EXPECT_FALSE(machine.Exists("C:\\Kelvane.txt"));
  EXPECT_TRUE(machine.Messages().empty());
}

}  // namespace
