// Every command of the installed configurator once, on both machines: the
// emulated one with the Linux build and wine with the Windows build. The
// expectations are the same for both.

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "MachineCases.h"
#include "TestedMachine.h"
#include "UsageMessages.h"

namespace {

using testsupport::MachineKind;
using testsupport::TestedMachine;
using Strings = std::vector<std::string>;
using Files = std::vector<std::pair<std::string, std::string>>;

const std::string kMissing = "<missing>";
const std::string kEnvironmentKey =
    "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";
const std::string kApacheKey = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Apache Group\\Apache\\2.0.54";
const std::string kUninstallKey =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Kestle";

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// A registry string as a REGEDIT4 file writes it.
std::string RegistryString(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return Quoted(out);
}

std::string Key(const std::string& key, const std::vector<std::pair<std::string, std::string>>& values) {
  std::string text = "[" + key + "]\r\n";
  for (const auto& [name, value] : values) text += Quoted(name) + "=" + RegistryString(value) + "\r\n";
  return text + "\r\n";
}

std::string Started(const std::string& name, const Strings& arguments = {},
                    const std::string& folder = "C:\\") {
  std::string line = name;
  for (const auto& argument : arguments) line += " [" + argument + "]";
  return line + " cwd=" + folder;
}

std::string Message(const std::string& text) { return "Kelvane|" + text; }

// --- The web server -----------------------------------------------------------

const std::string kServerRoot = "C:\\Apache2";
const std::string kConf = kServerRoot + "\\conf\\httpd.conf";
// Read whole, but too long for the moves that swap the files.
const std::string kRoot255 = "C:\\" + std::string(252, 'r');
const std::string kHead = "# Apache 2.0\r\n";
const std::string kIdentity =
    "ServerRoot \"C:/Program Files/Apache Group/Apache2\"\r\n"
    "Listen 80\r\n"
    "ServerAdmin admin@example.com\r\n"
    "#ServerName www.example.com:80\r\n"
    "ServerName localhost:80\r\n";
const std::string kDocumentRoot =
    "DocumentRoot \"C:/Program Files/Apache Group/Apache2/htdocs\"\r\n"
    "<Directory \"C:/Program Files/Apache Group/Apache2/htdocs\">\r\n";
const std::string kTail = "    Options Indexes FollowSymLinks\r\n</Directory>\r\n";
const std::string kHttpd = kHead + kIdentity + kDocumentRoot + kTail;

// --- The network-management integration -----------------------------------------

const std::string kOpenView = "C:\\Program Files\\HP OpenView";
const std::string kKestle = kOpenView + "\\velmo\\kestle";
const Strings kLoadedMibs = {"VELMO-TELSET-MIB.my", "VELMO-SWITCH-MIB.my", "qalmib.asn1",
                             "ortmib.asn1",         "pemmib.asn1",         "sulmib.asn1",
                             "tavmib.asn1",         "vexmib.asn1"};
const Strings kUnloadedMibs = {"qalmib.asn1", "ortmib.asn1", "pemmib.asn1",
                               "sulmib.asn1", "tavmib.asn1", "vexmib.asn1"};
const std::string kTrapFile = kKestle + "\\trapd\\alarms.conf";

std::string Tool(const std::string& name) { return kOpenView + "\\bin\\" + name; }
std::string Mib(const std::string& name) { return kOpenView + "\\snmp_mibs\\Vendor\\Velmo\\" + name; }

const std::string kKestleRegistry =
    Key(kEnvironmentKey, {{"KOR_VOSK", "vosk01.example.net"}}) +
    Key("HKEY_LOCAL_MACHINE\\SOFTWARE\\Hewlett-Packard\\OpenView", {{"OV_PATH", kOpenView}}) +
    Key(kUninstallKey, {{"DisplayName", "Kestle integration for HP OpenView"}});

const Strings kKestleStubs = {Tool("ovstop.exe"),   Tool("ovstart.exe"),
                              Tool("xnmevents.exe"), Tool("xnmloadmib.exe"),
                              Tool("ovw.exe"),       Tool("Perl\\bin\\perl.exe"),
                              kKestle + "\\prestep.exe", kKestle + "\\poststep.exe"};

Files KestleFiles() {
  Files files = {
      {kKestle + "\\prekestle.bat", "@echo off\r\n" + Quoted(kKestle + "\\prestep") + " before\r\n"},
      {kKestle + "\\postkestle.bat", "@echo off\r\n" + Quoted(kKestle + "\\poststep") + " after\r\n"},
      {kKestle + "\\rem-kestle.pl", "print \"removing Kestle\\n\";\r\n"},
      {kKestle + "\\registration\\Brenmoor", "Command \"http://sorvserver/velmo\";\r\n"},
      {kKestle + "\\registration\\jovw\\Brenmoor", "URL \"http://sorvserver:8080/jovw\";\r\n"},
      {kKestle + "\\oid_to_sym", ".1.3.6.1.4.1.9999.1.1:Velmo Telset\r\n"},
      {kKestle + "\\oid_to_type", ".1.3.6.1.4.1.9999.1.1:VELMO:Telset:\r\n"},
      {kOpenView + "\\conf\\oid_to_sym", ".1.3.6.1.4.1.11.2.3.7.11:HP ProCurve Switch\r\n"},
      {kOpenView + "\\conf\\oid_to_type", ".1.3.6.1.4.1.11.2.3.7.11:HP:ProCurve:\r\n"},
      {kTrapFile, "EVENT alarms .1.3.6.1.4.1.9999.0.1\r\n"},
      // OpenView's own registrations, beside which the suite's go.
      {kOpenView + "\\registration\\C\\ovw", "Application \"IP Map\" {}\r\n"},
      {kOpenView + "\\www\\registration\\jovw\\C\\ovw", "Application \"IP Map\" {}\r\n"},
  };
  for (const auto& mib : kLoadedMibs) files.emplace_back(Mib(mib), mib + " DEFINITIONS\r\n");
  return files;
}

Strings InstallStarts() {
  Strings starts = {Started("prestep.exe", {"before"}),
                    Started("xnmevents.exe", {"-load", kTrapFile + "\n"})};
  for (const auto& mib : kLoadedMibs) {
    starts.push_back(Started("xnmloadmib.exe", {"-replace", "-load", Mib(mib) + "\n"}));
  }
  return starts;
}

Strings InstallStartsAll() {
  Strings starts = InstallStarts();
  for (const auto& start : {Started("ovstop.exe", {"-v"}), Started("ovstart.exe", {"-v", "ovwdb"}),
                            Started("ovw.exe", {"-fields"}), Started("ovstart.exe", {"-v"}),
                            Started("poststep.exe", {"after"})}) {
    starts.push_back(start);
  }
  return starts;
}

Strings RemovalStarts() {
  Strings starts;
  for (const auto& mib : kUnloadedMibs) {
    starts.push_back(Started("xnmloadmib.exe", {"-unload", Mib(mib) + "\n"}));
  }
  starts.push_back(Started("perl.exe", {kKestle + "\\rem-kestle.pl"}));
  return starts;
}

// --- The cases ----------------------------------------------------------------------

struct KelvaneCase {
  std::string name;
  Strings arguments;
  std::string registry;
  Files files;
  Strings stubs;
  std::string hungTool;  // a stub that never ends
  Strings messages;
  Strings starts;  // in the order they were recorded
  Files expectedFiles;  // kMissing: the file must not be there
  Strings keys;         // registry keys that must be there
  Strings goneKeys;     // and that must not
};

const std::string kWithout =
    "Kelvane (Post-Install Configurator)\nwas run without parameters.\n\n" +
    testsupport::kKelvaneUsage;
const std::string kIncorrect =
    "Kelvane (Post-Install Configurator)\nwas run with an incorrect parameter.\n\n" +
    testsupport::kKelvaneUsage;

const std::vector<KelvaneCase> kCases = {
    {.name = "WithoutParametersShowsUsageAndLogsNothing",
     .messages = {Message(kWithout)},
     .expectedFiles = {{"C:\\Kelvane.txt", kMissing}}},
    {.name = "AnIncorrectParameterIsRefused",
     .arguments = {"-c", "DREX", "-d", "C:\\New"},
     .files = {{"C:\\Old\\a.dat", "a"}},
     .messages = {Message(kIncorrect)},
     .expectedFiles = {{"C:\\New\\a.dat", kMissing}}},
    {.name = "AnUnknownCommandWordIsRefused",
     .arguments = {"-c", "Apache", "-d", "www.brenmoor.test", "admin@brenmoor.test"},
     .registry = Key(kApacheKey, {{"ServerRoot", kServerRoot}}),
     .files = {{kConf, kHttpd}},
     .messages = {Message(kIncorrect)},
     .expectedFiles = {{kConf, kHttpd}, {kServerRoot + "\\conf\\httpd.old", kMissing}}},
    {.name = "ALauncherKeyIsNoCommand",
     .arguments = {"-c", "hobb", "-d", "C:\\Brenmoor Suite"},
     .files = {{"C:\\Brenmoor Suite\\Morrant.exe", "MZ launcher"}},
     .messages = {Message(kIncorrect)},
     .expectedFiles = {{"C:\\Morrant.exe", kMissing}}},
    {.name = "DrexCopiesTheFilesOfTheOldFolder",
     .arguments = {"-c", "DREX", "-d", "C:\\New Data", "C:\\Old Data"},
     .files = {{"C:\\Old Data\\a.dat", "new a"}, {"C:\\Old Data\\b.txt", "b"},
               {"C:\\Old Data\\sub\\c.dat", "c"}, {"C:\\New Data\\a.dat", "old a"}},
     .expectedFiles = {{"C:\\New Data\\a.dat", "new a"}, {"C:\\New Data\\b.txt", "b"},
                       {"C:\\New Data\\sub\\c.dat", kMissing}}},
    {.name = "PellCopiesTheFilesOfTheOldFolder",
     .arguments = {"-c", "PELL", "-d", "\"D:\\Systems\\\"", "C:\\Old"},
     .files = {{"C:\\Old\\s.cfg", "systems"}, {"D:\\Systems\\keep.cfg", "kept"}},
     .expectedFiles = {{"D:\\Systems\\s.cfg", "systems"}, {"D:\\Systems\\keep.cfg", "kept"}}},
    {.name = "QuorCarriesTheStateFileOfAUserFolder",
     .arguments = {"-c", "QUOR", "-d", "C:\\Quor\\new user", "C:\\Quor\\old user"},
     .files = {{"C:\\Quor\\old user\\persist.dat", "p"},
               {"C:\\Quor\\old user\\IPAdrToDevice.txt", "i"}, {"C:\\Quor\\new user\\x", ""}},
     .expectedFiles = {{"C:\\Quor\\new user\\persist.dat", "p"},
                       {"C:\\Quor\\new user\\IPAdrToDevice.txt", kMissing}}},
    {.name = "QuorCarriesTheStateFileOfADataFolder",
     .arguments = {"-c", "QUOR", "-d", "C:\\Quor\\new", "C:\\Quor\\old"},
     .files = {{"C:\\Quor\\old\\persist.dat", "p"}, {"C:\\Quor\\old\\IPAdrToDevice.txt", "i"},
               {"C:\\Quor\\new\\x", ""}},
     .expectedFiles = {{"C:\\Quor\\new\\persist.dat", kMissing},
                       {"C:\\Quor\\new\\IPAdrToDevice.txt", "i"}}},
    {.name = "HobbCopiesTheLauncherToTheDriveRoot",
     .arguments = {"-c", "HOBB", "-d", "C:\\Brenmoor Suite"},
     .files = {{"C:\\Brenmoor Suite\\Morrant.exe", "MZ launcher"}},
     .expectedFiles = {{"C:\\Morrant.exe", "MZ launcher"}}},
    {.name = "WebServerPointsTheDocumentRootAtTheHomePage",
     .arguments = {"-c", "web_svr", "-d", "C:\\Home Page"},
     .registry = Key(kApacheKey, {{"ServerRoot", kServerRoot}}),
     .files = {{kConf, kHttpd}},
     .expectedFiles = {{kServerRoot + "\\conf\\httpd.old", kHttpd},
                       {kServerRoot + "\\conf\\httpd.tmp", kMissing},
                       {kConf, kHead + kIdentity +
                                   "DocumentRoot \"C:\\Home Page\"\r\n\r\n"
                                   "PassEnv KOR_VERSION\r\nPassEnv PROP_PATH\r\n"
                                   "<Directory \"C:\\Home Page\">\r\n" +
                                   kTail}}},
    {.name = "ApacheSetsTheServersIdentity",
     .arguments = {"-c", "apache", "-d", "www.brenmoor.test", "admin@brenmoor.test"},
     .registry = Key(kApacheKey, {{"ServerRoot", kServerRoot}}),
     .files = {{kConf, kHttpd}},
     .expectedFiles = {{kServerRoot + "\\conf\\httpd.old", kHttpd},
                       {kConf, kHead +
                                   "ServerRoot \"C:\\Apache2\"\r\n\r\n"
                                   "ScriptAlias /cgi-bin/ \"C:\\Apache2/cgi-bin/\"\r\n\r\n"
                                   "Listen 80\r\n"
                                   "ServerAdmin \"admin@brenmoor.test\"\r\n\r\n"
                                   "#ServerName www.example.com:80\r\n"
                                   "ServerName \"www.brenmoor.test\"\r\n\r\n" +
                                   kDocumentRoot + kTail}}},
    {.name = "WebServerWithoutItsRegistryKey",
     .arguments = {"-c", "web_svr", "-d", "C:\\Home Page"},
     .files = {{kConf, kHttpd}},
     .messages = {Message("Unable to open registry for environment settings!!!\n\nExiting.")},
     .expectedFiles = {{kConf, kHttpd}, {kServerRoot + "\\conf\\httpd.old", kMissing}}},
    {.name = "ApacheWithoutTheServerRootValue",
     .arguments = {"-c", "apache", "-d", "a", "b"},
     .registry = Key(kApacheKey, {{"Version", "2.0.54"}}),
     .files = {{kConf, kHttpd}},
     .messages = {Message("Unable to find Apache path.\n\nExiting.")},
     .expectedFiles = {{kConf, kHttpd}}},
    {.name = "AServerRootOf255CharactersIsRead",
     .arguments = {"-c", "web_svr", "-d", "C:\\Home"},
     .registry = Key(kApacheKey, {{"ServerRoot", kRoot255}}),
     .messages = {Message("Unable to run the command move \"" + kRoot255 + "\\conf\\httpd.conf\" \"" +
                          kRoot255 + "\\conf\\httpd.old\"\nbecause it is longer than 255 "
                          "characters.\n\nNothing was run.")}},
    {.name = "AServerRootOf256CharactersIsRefused",
     .arguments = {"-c", "web_svr", "-d", "C:\\Home"},
     .registry = Key(kApacheKey, {{"ServerRoot", "C:\\" + std::string(253, 'r')}}),
     .files = {{kConf, kHttpd}},
     .messages = {Message("The registry value \"ServerRoot\" of HKEY_LOCAL_MACHINE\\SOFTWARE\\"
                          "Apache Group\\Apache\\2.0.54 is longer than 255 characters.\n\n"
                          "Exiting.")},
     .expectedFiles = {{kConf, kHttpd}}},
    {.name = "KestleInstallRunsEveryToolInOrder",
     .arguments = {"-c", "kestle"},
     .registry = kKestleRegistry,
     .files = KestleFiles(),
     .stubs = kKestleStubs,
     .starts = InstallStartsAll(),
     .expectedFiles = {{kOpenView + "\\registration\\C\\Velmo\\Brenmoor",
                        "Command \"http://vosk01.example.net/velmo\";\r\n"},
                       {kOpenView + "\\conf\\oid_to_sym",
                        ".1.3.6.1.4.1.11.2.3.7.11:HP ProCurve Switch\r\n"
                        ".1.3.6.1.4.1.9999.1.1:Velmo Telset\r\n\r\n"},
                       {kKestle + "\\ovwlog.txt", ""}},
     .keys = {kUninstallKey}},
    {.name = "KestleInstallGoesOnPastAHungTool",
     .arguments = {"-c", "kestle"},
     .registry = kKestleRegistry,
     .files = KestleFiles(),
     .stubs = kKestleStubs,
     .hungTool = "ovstop.exe",
     .starts = InstallStartsAll()},
    {.name = "KestleRemovalUnloadsRunsTheScriptAndDeletesTheIntegration",
     .arguments = {"-u", "kestle"},
     .registry = kKestleRegistry,
     .files = KestleFiles(),
     .stubs = kKestleStubs,
     .starts = RemovalStarts(),
     .expectedFiles = {{kKestle + "\\rem-kestle.pl", kMissing},
                       {kOpenView + "\\conf\\oid_to_sym",
                        ".1.3.6.1.4.1.11.2.3.7.11:HP ProCurve Switch\r\n"}},
     .goneKeys = {kUninstallKey}},
    {.name = "CheckForInstallerWithoutInstallerProcessesDoesNothing",
     .arguments = {"-c", "checkformsi"}},
};

constexpr int kHungToolLimitMs = 5000;

void PrintTo(const KelvaneCase& c, std::ostream* out) { *out << c.name; }

using MachineCase = testsupport::MachineCase<KelvaneCase>;
constexpr auto CaseName = testsupport::MachineCaseName<KelvaneCase>;

class KelvaneOnMachinesTest : public testing::TestWithParam<MachineCase> {};

TEST_P(KelvaneOnMachinesTest, LeavesWhatTheCommandPromises) {
  const auto& [kind, c] = GetParam();
  if (const std::string why = testsupport::Unavailable(kind); !why.empty()) GTEST_SKIP() << why;
  auto machine = testsupport::MakeMachine(kind);
  machine->SetRegistry(c.registry);
  for (const auto& [path, bytes] : c.files) machine->SetFile(path, bytes);
  for (const auto& stub : c.stubs) machine->AddStubProgram(stub);

  // Long enough for every other tool and batch file, even on a busy machine.
  const auto run = machine->Run("kelvane", c.arguments, c.hungTool, kHungToolLimitMs);
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_EQ(machine->Messages(), c.messages);
  EXPECT_EQ(machine->Starts(), c.starts);
  for (const auto& [path, bytes] : c.expectedFiles) EXPECT_EQ(machine->File(path), bytes) << path;
  for (const auto& key : c.keys) EXPECT_TRUE(machine->RegistryKeyExists(key)) << key;
  for (const auto& key : c.goneKeys) EXPECT_FALSE(machine->RegistryKeyExists(key)) << key;
}

INSTANTIATE_TEST_SUITE_P(Commands, KelvaneOnMachinesTest,
                         testing::ValuesIn(testsupport::OnBothMachines(kCases)), CaseName);

}  // namespace
