// The web server's configuration as an installer meets it: commands run
// again, files without what they rewrite, and runs at the same moment, on
// both machines.

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "Machine.h"
#include "MachineCases.h"
#include "TestedMachine.h"

namespace {

using testsupport::MachineKind;
using testsupport::TestedMachine;
using Strings = std::vector<std::string>;

const std::string kMissing = "<missing>";
const std::string kConf = "C:\\Apache2\\conf\\httpd.conf";
const std::string kOld = "C:\\Apache2\\conf\\httpd.old";
const std::string kTmp = "C:\\Apache2\\conf\\httpd.tmp";
const std::string kLock = "C:\\Apache2\\conf\\httpd.lck";
const std::string kRegistry =
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Apache Group\\Apache\\2.0.54]\r\n"
    "\"ServerRoot\"=\"C:\\\\Apache2\"\r\n\r\n";

const std::string kHead = "# Apache 2.0\r\n";
const std::string kRoot = "ServerRoot \"C:/Program Files/Apache Group/Apache2\"\r\nListen 80\r\n";
const std::string kIdentity = "ServerAdmin admin@example.com\r\nServerName localhost:80\r\n";
const std::string kDocuments =
    "DocumentRoot \"C:/htdocs\"\r\n<Directory \"C:/htdocs\">\r\n</Directory>\r\n";
const std::string kHttpd = kHead + kRoot + kIdentity + kDocuments;

std::string RootOnce(const std::string& root = "C:\\Apache2") {
  return "ServerRoot \"" + root + "\"\r\n\r\nScriptAlias /cgi-bin/ \"" + root +
         "/cgi-bin/\"\r\n\r\nListen 80\r\n";
}
std::string IdentityOnce(const std::string& name, const std::string& admin) {
  return "ServerAdmin \"" + admin + "\"\r\n\r\nServerName \"" + name + "\"\r\n\r\n";
}
std::string DocumentsOnce(const std::string& home) {
  return "DocumentRoot \"" + home + "\"\r\n\r\nPassEnv KOR_VERSION\r\nPassEnv PROP_PATH\r\n"
         "<Directory \"" + home + "\">\r\n</Directory>\r\n";
}

Strings Apache(const std::string& name, const std::string& admin) {
  return {"-c", "apache", "-d", name, admin};
}
Strings WebServer(const std::string& home) { return {"-c", "web_svr", "-d", home}; }

std::string Message(const std::string& text) { return "Kelvane|" + text; }

struct WebServerCase {
  std::string name;
  std::vector<Strings> runs;  // one after the other
  std::string conf = kHttpd;
  std::string expected;  // httpd.conf after the last run
  Strings messages;
  std::optional<std::string> old;  // httpd.old, when it matters
};

void PrintTo(const WebServerCase& c, std::ostream* out) { *out << c.name; }

const std::string kOnce = kHead + RootOnce() + IdentityOnce("www.test", "a@test") +
                          DocumentsOnce("C:\\Home");

const std::vector<WebServerCase> kCases = {
    {.name = "ApacheTwiceLeavesTheBytesOfOnce",
     .runs = {Apache("www.test", "a@test"), Apache("www.test", "a@test")},
     .expected = kHead + RootOnce() + IdentityOnce("www.test", "a@test") + kDocuments},
    {.name = "ApacheAgainChangesOnlyTheValues",
     .runs = {Apache("www.test", "a@test"), Apache("web.other", "b@other")},
     .expected = kHead + RootOnce() + IdentityOnce("web.other", "b@other") + kDocuments,
     .old = kHead + RootOnce() + IdentityOnce("www.test", "a@test") + kDocuments},
    {.name = "WebServerTwiceLeavesTheBytesOfOnce",
     .runs = {WebServer("C:\\Home"), WebServer("C:\\Home")},
     .expected = kHead + kRoot + kIdentity + DocumentsOnce("C:\\Home")},
    {.name = "WebServerAgainChangesOnlyTheFolder",
     .runs = {WebServer("C:\\Home"), WebServer("D:\\Other Home")},
     .expected = kHead + kRoot + kIdentity + DocumentsOnce("D:\\Other Home")},
    {.name = "BothCommandsTwiceInEitherOrder",
     .runs = {Apache("www.test", "a@test"), WebServer("C:\\Home"), WebServer("C:\\Home"),
              Apache("www.test", "a@test")},
     .expected = kOnce,
     .old = kOnce},
    {.name = "ApacheWithoutAServerRootLeavesTheFile",
     .runs = {Apache("www.test", "a@test")},
     .conf = kHead + kIdentity + kDocuments,
     .expected = kHead + kIdentity + kDocuments,
     .messages = {Message("Unable to find a ServerRoot line in C:\\Apache2\\conf\\httpd.conf.\n\n"
                          "The file was left as it was.")},
     .old = kMissing},
    {.name = "WebServerWithoutADocumentRootLeavesTheFile",
     .runs = {WebServer("C:\\Home")},
     .conf = kHead + kRoot + "#DocumentRoot \"C:/htdocs\"\r\n",
     .expected = kHead + kRoot + "#DocumentRoot \"C:/htdocs\"\r\n",
     .messages = {Message("Unable to find a DocumentRoot line in "
                          "C:\\Apache2\\conf\\httpd.conf.\n\nThe file was left as it was.")},
     .old = kMissing},
};

using MachineCase = testsupport::MachineCase<WebServerCase>;
constexpr auto CaseName = testsupport::MachineCaseName<WebServerCase>;

class WebServerTest : public testing::TestWithParam<MachineCase> {};

TEST_P(WebServerTest, LeavesTheConfigurationAsPromised) {
  const auto& [kind, c] = GetParam();
  if (const std::string why = testsupport::Unavailable(kind); !why.empty()) GTEST_SKIP() << why;
  auto machine = testsupport::MakeMachine(kind);
  machine->SetRegistry(kRegistry);
  machine->SetFile(kConf, c.conf);
  for (const auto& arguments : c.runs) EXPECT_EQ(machine->Run("kelvane", arguments).exitStatus, 0);
  EXPECT_EQ(machine->File(kConf), c.expected);
  EXPECT_EQ(machine->Messages(), c.messages);
  if (c.old) {
    EXPECT_EQ(machine->File(kOld), *c.old);
  }
  EXPECT_EQ(machine->File(kTmp), kMissing);
  EXPECT_EQ(machine->File(kLock), kMissing);
}

INSTANTIATE_TEST_SUITE_P(Commands, WebServerTest,
                         testing::ValuesIn(testsupport::OnBothMachines(kCases)), CaseName);

// A configuration large enough that one run is still reading it while the
// other moves files.
std::string Padding() {
  std::string padding;
  for (int i = 0; i < 20000; ++i) padding += "# LoadModule example_module modules/mod_example.so\r\n";
  return padding;
}

class ConcurrentRunsTest : public testing::TestWithParam<MachineKind> {};

TEST_P(ConcurrentRunsTest, EveryPairLeavesACompleteConfiguration) {
  const MachineKind kind = GetParam();
  if (const std::string why = testsupport::Unavailable(kind); !why.empty()) GTEST_SKIP() << why;
  const std::string padding = Padding();
  auto machine = testsupport::MakeMachine(kind);
  machine->SetRegistry(kRegistry);
  const std::string expected = kHead + RootOnce() + IdentityOnce("www.test", "a@test") + padding +
                               DocumentsOnce("C:\\Home");
  // Wine takes seconds to start a program: fewer pairs keep the stage short
  // and still interleave two runs every time.
  const int pairs = kind == MachineKind::Wine ? 5 : 20;
  for (int pair = 0; pair < pairs; ++pair) {
    machine->SetFile(kConf, kHead + kRoot + kIdentity + padding + kDocuments);
    const auto statuses = machine->RunTogether(
        "kelvane", {Apache("www.test", "a@test"), WebServer("C:\\Home")});
    EXPECT_EQ(statuses, (std::vector<int>{0, 0})) << "pair " << pair;
    ASSERT_EQ(machine->File(kConf), expected) << "pair " << pair;
    ASSERT_EQ(machine->File(kTmp), kMissing) << "pair " << pair;
  }
  EXPECT_EQ(machine->Messages(), Strings{});
}

INSTANTIATE_TEST_SUITE_P(Machines, ConcurrentRunsTest,
                         testing::Values(MachineKind::Emulated, MachineKind::Wine),
                         [](const testing::TestParamInfo<MachineKind>& param) {
                           return std::string(testsupport::KindName(param.param)) +
                                  "_Pairs";
                         });

// Wine has no counterpart: a Windows program of its own would have to hold
// the lock while the test runs the configurator.
TEST(WebServerLockTest, ARunThatCannotHaveTheLockSaysSoAndChangesNothing) {
  testsupport::Machine machine;
  machine.SetRegistry(kRegistry);
  machine.SetFile(kConf, kHttpd);
  const int held = open(machine.Host(kLock).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  ASSERT_GE(held, 0);
  ASSERT_EQ(flock(held, LOCK_EX), 0);
  EXPECT_EQ(machine.Run("kelvane", WebServer("C:\\Home"), {"BRENMOOR_WAIT_LIMIT_MS=50"}).exitStatus,
            0);
  close(held);
  EXPECT_EQ(machine.File(kConf), kHttpd);
  EXPECT_EQ(machine.File(kOld), kMissing);
  EXPECT_EQ(machine.Messages(),
            Strings{Message("Unable to lock C:\\Apache2\\conf\\httpd.lck: another run is "
                            "configuring the web server.\n\nWeb Server not configured.")});
}

}  // namespace
