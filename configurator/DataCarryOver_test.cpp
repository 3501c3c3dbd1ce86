#include "DataCarryOver.h"

#include <gtest/gtest.h>

#include "InstallerCheck.h"
#include "fake/RecordingSystem.h"

namespace configurator {
namespace {

using platform::ServiceState;

struct CopyCase {
  void (*handler)(Operations&, const Invocation&);
  std::string first;
  std::string second;
  std::string command;
};

TEST(DataCarryOverTest, EachCommandRunsOneCopyUnderTheWaitCursor) {
  const std::vector<CopyCase> cases = {
      {CarryOverDataFiles, "C:\\New Data", "C:\\Old Data",
       "copy \"C:\\Old Data\\*.*\" \"C:\\New Data\""},
      {CarryOverQuorState, "C:\\n", "C:\\Suite\\user", "copy \"C:\\Suite\\user\\persist.dat\" \"C:\\n\""},
      {CarryOverQuorState, "C:\\n", "C:\\users\\x", "copy \"C:\\users\\x\\persist.dat\" \"C:\\n\""},
      {CarryOverQuorState, "C:\\n", "C:\\Suite\\data",
       "copy \"C:\\Suite\\data\\IPAdrToDevice.txt\" \"C:\\n\""},
      {CarryOverQuorState, "C:\\n", "C:\\Suite\\User",
       "copy \"C:\\Suite\\User\\IPAdrToDevice.txt\" \"C:\\n\""},
      {CopyLauncher, "C:\\Program Files\\Brenmoor", "",
       "copy \"C:\\Program Files\\Brenmoor\\Morrant.exe\" C:\\"},
      {CopyLauncher, "a&b;c", "", "copy \"a&b;c\\Morrant.exe\" C:\\"},
  };
  for (const auto& c : cases) {
    platform::RecordingSystem system;
    Operations operations(system);
    c.handler(operations, {"", false, c.first, c.second});
    EXPECT_EQ(system.Calls(),
              (std::vector<std::string>{"wait cursor on", "shell: " + c.command, "wait cursor off"}));
  }
}

TEST(DataCarryOverTest, ACopyTooLongForItsBufferRunsNothing) {
  platform::RecordingSystem system;
  Operations operations(system);
  CarryOverDataFiles(operations, {"DREX", false, std::string(130, 'n'), std::string(130, 'o')});
  ASSERT_EQ(system.Messages().size(), 1u);
  EXPECT_EQ(system.CallsOf({"shell"}), std::vector<std::string>{});
  EXPECT_EQ(system.WaitCursorDepth(), 0);
}

std::vector<std::string> ServiceCalls(const platform::RecordingSystem& system) {
  return system.CallsOf({"service stop", "service start", "message"});
}

TEST(InstallerCheckTest, NoInstallerProcessLeavesTheServiceAlone) {
  platform::RecordingSystem system;
  Operations operations(system);
  system.SetProcesses({"init", std::nullopt, "msiexec.exe.bak", "xmsiexec.exe"});
  system.SetService("MSIServer", ServiceState::Running);
  EXPECT_FALSE(SwitchServiceForEachProcess(operations, "msiexec.exe"));
  EXPECT_TRUE(ServiceCalls(system).empty());
}

TEST(InstallerCheckTest, OneProcessInAnyCaseStopsARunningService) {
  platform::RecordingSystem system;
  Operations operations(system);
  system.SetProcesses({"bash", "MSIEXEC.EXE"});
  system.SetService("MSIServer", ServiceState::Running);
  CheckForInstaller(operations, {});
  EXPECT_EQ(ServiceCalls(system), std::vector<std::string>{"service stop: MSIServer"});
  EXPECT_EQ(system.QueryService("msiserver"), ServiceState::Stopped);
}

TEST(InstallerCheckTest, EachProcessSwitchesTheServiceAgain) {
  platform::RecordingSystem system;
  Operations operations(system);
  system.SetProcesses({"msiexec.exe", std::nullopt, "MsiExec.exe", "msiexec.exe"});
  system.SetService("MSIServer", ServiceState::Stopped);
  EXPECT_TRUE(SwitchServiceForEachProcess(operations, "msiexec.exe"));
  EXPECT_EQ(ServiceCalls(system),
            (std::vector<std::string>{"service start: MSIServer", "service stop: MSIServer",
                                      "service start: MSIServer"}));
}

TEST(InstallerCheckTest, AServiceThatCannotBeSwitchedIsReported) {
  platform::RecordingSystem system;
  Operations operations(system);
  system.SetProcesses({"msiexec.exe"});
  CheckForInstaller(operations, {});
  EXPECT_EQ(ServiceCalls(system),
            (std::vector<std::string>{"service start: MSIServer",
                                      "message: Kelvane|The stupid service is not started at all"}));
}

TEST(InstallerCheckTest, AnUnreadableProcessNeverTakesItsNeighboursName) {
  platform::RecordingSystem system;
  Operations operations(system);
  system.SetProcesses({"msiexec.exe", std::nullopt, std::nullopt});
  system.SetService("MSIServer", ServiceState::Running);
  CheckForInstaller(operations, {});
  EXPECT_EQ(ServiceCalls(system), std::vector<std::string>{"service stop: MSIServer"});
}

}  // namespace
}  // namespace configurator
