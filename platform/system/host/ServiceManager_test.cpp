#include "host/ServiceManager.h"

#include <gtest/gtest.h>

#include "host/MachineCodePage.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>
#include <vector>

#include "TempFolder.h"

namespace platform {
namespace {

namespace fs = std::filesystem;
using testsupport::ReadFile;
using testsupport::WriteFile;

// REGEDIT4 is Windows-1252: "Caf\xe9" is "Café" there.
constexpr std::string_view kRegistry =
    "REGEDIT4\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\MSIServer]\r\n"
    "\"DisplayName\"=\"Windows Installer\"\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Outer\\Inner]\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Caf\xe9]\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\NotAService]\r\n";

class ServiceManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFile(Root() / "registry.reg", kRegistry);
    registry_.emplace(RegistryFile::Load(Root() / "registry.reg"));
    services_.emplace(Root(), *registry_);
  }

  const fs::path& Root() const { return folder_.Path(); }
  fs::path StateFile(const std::string& hostName) const { return Root() / "services" / hostName; }
  void SetState(const std::string& hostName, std::string_view text) const {
    WriteFile(StateFile(hostName), text);
  }
  // The word a state file holds, without the line end a writer may add.
  std::string StateWord(const std::string& hostName) const {
    std::string text = ReadFile(StateFile(hostName));
    if (text.ends_with("\n")) text.pop_back();
    if (text.ends_with("\r")) text.pop_back();
    return text;
  }
  // Everything below the machine folder except the registry, sorted.
  std::vector<std::string> Written() const {
    std::vector<std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(Root())) {
      const std::string relative = entry.path().lexically_relative(Root()).generic_string();
      if (relative != "registry.reg") entries.push_back(relative);
    }
    std::sort(entries.begin(), entries.end());
    return entries;
  }

  testsupport::TempFolder folder_;
  std::optional<RegistryFile> registry_;
  std::optional<ServiceManager> services_;
};

TEST_F(ServiceManagerTest, QueryReadsTheKeyThenTheStateFile) {
  struct Case {
    std::string name;
    std::optional<std::string> state;  // of services/<name in lower case>
    ServiceState expected;
  };
  const std::vector<Case> cases = {
      {"NoSuchService", std::nullopt, ServiceState::Missing},
      {"NoSuchService", "running", ServiceState::Missing},
      {"NotAService", "running", ServiceState::Missing},
      {"MSIServer", std::nullopt, ServiceState::Stopped},
      {"MSIServer", "running", ServiceState::Running},
      {"MSIServer", "running\n", ServiceState::Running},
      {"MSIServer", "running\r\n", ServiceState::Running},
      {"MSIServer", "stopped", ServiceState::Stopped},
      {"MSIServer", "", ServiceState::Stopped},
      // A key that exists only as the parent of another one is still a service.
      {"Outer", "running", ServiceState::Running},
  };
  for (const auto& c : cases) {
    std::string lower = c.name;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
    fs::remove_all(Root() / "services");
    if (c.state) SetState(lower, *c.state);
    EXPECT_EQ(services_->Query(c.name), c.expected) << c.name << " / " << c.state.value_or("-");
  }
}

TEST_F(ServiceManagerTest, StartAndStopSwitchTheStateAndRefuseTheStateItIsIn) {
  // No state file and no services folder yet: stopped.
  EXPECT_FALSE(services_->Stop("MSIServer"));
  EXPECT_EQ(Written(), std::vector<std::string>{});

  EXPECT_TRUE(services_->Start("MSIServer"));
  EXPECT_EQ(StateWord("msiserver"), "running");
  EXPECT_EQ(services_->Query("MSIServer"), ServiceState::Running);

  const std::string running = ReadFile(StateFile("msiserver"));
  EXPECT_FALSE(services_->Start("MSIServer"));
  EXPECT_EQ(ReadFile(StateFile("msiserver")), running);

  EXPECT_TRUE(services_->Stop("MSIServer"));
  EXPECT_EQ(StateWord("msiserver"), "stopped");
  EXPECT_EQ(services_->Query("MSIServer"), ServiceState::Stopped);

  const std::string stopped = ReadFile(StateFile("msiserver"));
  EXPECT_FALSE(services_->Stop("MSIServer"));
  EXPECT_EQ(ReadFile(StateFile("msiserver")), stopped);
  EXPECT_EQ(Written(), (std::vector<std::string>{"services", "services/msiserver"}));
}

TEST_F(ServiceManagerTest, StateFilesWrittenByOthersAreHonoured) {
  SetState("msiserver", "running");
  EXPECT_FALSE(services_->Start("MSIServer"));
  EXPECT_EQ(ReadFile(StateFile("msiserver")), "running");
  EXPECT_TRUE(services_->Stop("MSIServer"));
  EXPECT_EQ(StateWord("msiserver"), "stopped");

  SetState("msiserver", "stopped");
  EXPECT_FALSE(services_->Stop("MSIServer"));
  EXPECT_EQ(ReadFile(StateFile("msiserver")), "stopped");
  EXPECT_TRUE(services_->Start("MSIServer"));
  EXPECT_EQ(StateWord("msiserver"), "running");
}

TEST_F(ServiceManagerTest, MissingServicesCannotBeSwitched) {
  for (const std::string name : {"NoSuchService", "NotAService"}) {
    EXPECT_FALSE(services_->Start(name)) << name;
    EXPECT_FALSE(services_->Stop(name)) << name;
  }
  EXPECT_EQ(Written(), std::vector<std::string>{});
}

TEST_F(ServiceManagerTest, NamesIgnoreCaseAndShareOneStateFile) {
  EXPECT_EQ(services_->Query("msiserver"), ServiceState::Stopped);
  EXPECT_TRUE(services_->Start("msiserver"));
  EXPECT_EQ(services_->Query("MSISERVER"), ServiceState::Running);
  EXPECT_FALSE(services_->Start("MsiServer"));
  EXPECT_TRUE(services_->Stop("MsiServer"));
  EXPECT_EQ(services_->Query("mSiSeRvEr"), ServiceState::Stopped);
  EXPECT_EQ(StateWord("msiserver"), "stopped");
  EXPECT_EQ(Written(), (std::vector<std::string>{"services", "services/msiserver"}));
}

TEST_F(ServiceManagerTest, NamesIgnoreCaseBeyondAscii) {
  // A machine whose registry names Windows-1252.
  machine::ScopedCodePage windows1252(encoding::CodePage::Windows1252);
  // "CAF\xc9" is "CAFÉ" in the ANSI code page: the same service as "Caf\xe9".
  EXPECT_EQ(services_->Query("CAF\xc9"), ServiceState::Stopped);
  EXPECT_TRUE(services_->Start("CAF\xc9"));
  EXPECT_EQ(services_->Query("caf\xe9"), ServiceState::Running);
  EXPECT_FALSE(services_->Start("Caf\xe9"));
  EXPECT_EQ(Written(), (std::vector<std::string>{"services", "services/caf\xc3\xa9"}));
}

TEST_F(ServiceManagerTest, StateFileNamesAreLowerCaseBeyondAscii) {
  // A machine whose registry names Windows-1252.
  machine::ScopedCodePage windows1252(encoding::CodePage::Windows1252);
  // Both spellings are keys here, so only the state file's name is at stake.
  WriteFile(Root() / "registry.reg",
            "REGEDIT4\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Caf\xe9]\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\CAF\xc9]\r\n");
  const RegistryFile registry = RegistryFile::Load(Root() / "registry.reg");
  ServiceManager services(Root(), registry);
  EXPECT_TRUE(services.Start("CAF\xc9"));
  EXPECT_EQ(services.Query("Caf\xe9"), ServiceState::Running);
  EXPECT_EQ(Written(), (std::vector<std::string>{"services", "services/caf\xc3\xa9"}));
}

TEST_F(ServiceManagerTest, NamesWithPathCharactersAreRefused) {
  // Each would name an existing key, or a file outside the state folder.
  SetState("msiserver", "stopped");
  const auto before = Written();
  for (const std::string name :
       {"Outer\\Inner", "Outer/Inner", "..", ".", "", "MSIServer/", "\\MSIServer",
        "..\\MSIServer", "../registry.reg", "../services/msiserver"}) {
    EXPECT_EQ(services_->Query(name), ServiceState::Missing) << name;
    EXPECT_FALSE(services_->Start(name)) << name;
    EXPECT_FALSE(services_->Stop(name)) << name;
  }
  EXPECT_EQ(Written(), before);
  EXPECT_EQ(ReadFile(StateFile("msiserver")), "stopped");
  EXPECT_EQ(ReadFile(Root() / "registry.reg"), kRegistry);
}

TEST_F(ServiceManagerTest, AStateThatCannotBeWrittenFailsTheSwitch) {
  // A file where the state folder belongs.
  WriteFile(Root() / "services", "not a folder");
  EXPECT_EQ(services_->Query("MSIServer"), ServiceState::Stopped);
  EXPECT_FALSE(services_->Start("MSIServer"));
  EXPECT_EQ(services_->Query("MSIServer"), ServiceState::Stopped);
  EXPECT_EQ(ReadFile(Root() / "services"), "not a folder");
}

}  // namespace
}  // namespace platform
