#include "LaunchTargets.h"

#include <gtest/gtest.h>

#include <map>

#include "Launcher.h"
#include "fake/RecordingSystem.h"

namespace launcher {
namespace {

using platform::RegistryRoot;

constexpr const char* kEnvironment =
    "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";
constexpr const char* kBrowser = "\"C:\\IE\\iexplore.exe\" -nohome";
constexpr const char* kNoEnvironment =
    "Unable to open registry for environment settings!!!\n\nExiting.";

std::string NotInstalled(const std::string& variable) {
  return "Unable to find " + variable +
         " environment variable.\nPlease download and install the application before "
         "attempting to launch.\n\nExiting.";
}

struct TargetCase {
  std::string name;
  std::vector<std::string> arguments;
  std::map<std::string, std::string> environment;  // no entry "-": the key is missing
  std::string launchFile;                          // contents of the launch file
  std::vector<std::string> expected;               // messages, record and starts, in order
};

void PrintTo(const TargetCase& c, std::ostream* out) { *out << c.name; }

class LaunchTargetTest : public testing::TestWithParam<TargetCase> {};

TEST_P(LaunchTargetTest, RecordsAndStartsExactly) {
  const TargetCase& c = GetParam();
  platform::RecordingSystem system;
  if (c.environment.count("-") == 0) system.SetRegistryKey(RegistryRoot::LocalMachine, kEnvironment);
  for (const auto& [name, value] : c.environment) {
    if (name != "-") system.SetRegistryString(RegistryRoot::LocalMachine, kEnvironment, name, value);
  }
  system.SetRegistryString(RegistryRoot::ClassesRoot, "http\\shell\\open\\command", "", kBrowser);
  system.SetFile(c.arguments.front(), c.launchFile);

  Launcher(system).Run(c.arguments);

  const std::string openRecord = "open w: C:\\launchCmd.txt";
  std::vector<std::string> happened = system.CallsOf({"message: ", "start detached", openRecord});
  for (auto& call : happened) {
    if (call == openRecord) call = "record: " + *system.File("C:\\launchCmd.txt");
  }
  EXPECT_EQ(happened, c.expected);
}

std::string Message(const std::string& text) { return "message: Morrant|" + text; }
std::string Record(const std::string& command) { return "record: " + command; }
std::string Start(const std::string& command, const std::string& folder = "") {
  return "start detached in [" + folder + "]: " + command;
}
std::vector<std::string> Both(const std::string& command, const std::string& folder = "") {
  return {Record(command), Start(command, folder)};
}

const std::string kQorm = "\"C:\\Q\\bin\\Qorm.exe\"";
const std::string kHalden = std::string(kBrowser) + " http://h:8080/plov/web/gwaccess";
const std::string kStandAlone =
    "/wexa/Gen/Login/login.mwpl?appPath=entVARK/VarkClient/entVarkClientCGI.prl";
const std::string kSecure =
    "/wexa_nnm/Gen/Login/secureLaunch.mwopl?appPath=EntVARK/VarkClient/entVarkClientCGI.prl";
const std::string kRuskMissing =
    "Unable to find KOR_WEXA environment variable.\nPlease configure the IP address of your WEXA "
    "Server before launching.\n\nExiting.";

INSTANTIATE_TEST_SUITE_P(
    Programs, LaunchTargetTest,
    testing::Values(
        TargetCase{"QuorWithoutSecondLine", {"C:\\S\\quor._qk"}, {{"QUOR_PATH", "C:\\Q"}},
                   "first\n", Both(kQorm)},
        TargetCase{"QuorWithEmptySecondLineAddsNothing", {"C:\\S\\quor._qk"},
                   {{"QUOR_PATH", "C:\\Q"}}, "first\n\n", Both(kQorm)},
        TargetCase{"QuorWithParameterQuotedWithoutLineEnd", {"C:\\S\\quor._qk"},
                   {{"QUOR_PATH", "C:\\Q"}}, "first\nx y\nthird\n", Both(kQorm + " \"x y\"")},
        TargetCase{"QuorParameterWithoutCarriageReturn", {"C:\\S\\quor._qk"},
                   {{"QUOR_PATH", "C:\\Q"}}, "first\r\nx\r\n", Both(kQorm + " \"x\"")},
        TargetCase{"QuorParameterOfOnlyALineEndAddsNothing", {"C:\\S\\quor._qk"},
                   {{"QUOR_PATH", "C:\\Q"}}, "first\n\r\n", Both(kQorm)},
        TargetCase{"QuorLastLineWithoutLineEnd", {"C:\\S\\quor._qk"}, {{"QUOR_PATH", "C:\\Q"}},
                   "first\nlast", Both(kQorm + " \"last\"")},
        TargetCase{"QuorSingleLineFile", {"C:\\S\\quor._qk"}, {{"QUOR_PATH", "C:\\Q"}},
                   "only line\n", Both(kQorm)},
        TargetCase{"QuorExtraArgumentsWin", {"C:\\S\\quor._qk", "a", "b c"},
                   {{"QUOR_PATH", "C:\\Q"}}, "first\nx\n", Both(kQorm + "  a b c")},
        TargetCase{"QuorMissing", {"C:\\S\\quor._qk"}, {}, "", {Message(NotInstalled("QUOR_PATH"))}},
        TargetCase{"QuorWithoutEnvironmentKey", {"C:\\S\\quor._qk"}, {{"-", ""}}, "",
                   {Message(kNoEnvironment)}},
        TargetCase{"Pimlo", {"pimlo._qk"}, {{"MULV_PATH", "D:\\Mulv"}}, "1\n2\n",
                   Both("\"D:\\Mulv\\bin\\Tessor.exe\" \"2\"")},
        TargetCase{"Nerit", {"nerit._qk"}, {{"NERIT_PATH", "C:\\Program Files\\Nerit"}}, "",
                   Both("\"C:\\Program Files\\Nerit\\NeritClient.exe\" /Working \"C:\\Program "
                        "Files\\Nerit\"")},
        TargetCase{"DrexInItsFolderWithoutTrailing", {"drex._qk", "extra"},
                   {{"JRE2_BIN", ""}, {"DREX_PATH", "C:\\Drex"}}, "1\n2\n",
                   Both("\"C:\\Drex\\launchDrex.exe\"", "C:\\Drex")},
        TargetCase{"DrexWithoutJava", {"drex._qk"}, {{"DREX_PATH", "C:\\Drex"}}, "",
                   {Message("Unable to find JRE2_BIN environment variable.\nPlease download and "
                            "install the Java Plugin.\n\nExiting.")}},
        TargetCase{"DrexMissing", {"drex._qk"}, {{"JRE2_BIN", "C:\\J"}}, "",
                   {Message(NotInstalled("DREX_PATH"))}},
        TargetCase{"Fenn", {"fenn._qk"}, {{"JRE2_BIN", "x"}, {"FENN_PATH", "C:\\F"}}, "",
                   Both("\"C:\\F\\launchFENN.exe\"", "C:\\F")},
        TargetCase{"FennWithoutJava", {"fenn._qk"}, {{"FENN_PATH", "C:\\F"}}, "",
                   {Message("Unable to find JRE2_BIN environment variable.\n\nExiting.")}}),
    [](const testing::TestParamInfo<TargetCase>& param) { return param.param.name; });

INSTANTIATE_TEST_SUITE_P(
    WebPages, LaunchTargetTest,
    testing::Values(
        TargetCase{"HaldenWithParameter", {"C:\\Suite\\Start\\halden._qk"}, {{"KOR_BRAV", "h"}},
                   "halden\nx\n", Both(kHalden + " x")},
        TargetCase{"HaldenWithExtraArguments", {"C:\\Suite\\Start\\halden._qk", "a", "b"},
                   {{"KOR_BRAV", "h"}}, "halden\nx\n", Both(kHalden + "  a b")},
        TargetCase{"HaldenMissing", {"halden._qk"}, {}, "", {Message(NotInstalled("KOR_BRAV"))}},
        TargetCase{"Tavish", {"tavish._qk"}, {{"KOR_BRAV", "10.0.0.1"}}, "",
                   Both(std::string(kBrowser) + " http://10.0.0.1:8080/TerminalConfig")},
        TargetCase{"Gav", {"gav._qk"}, {{"KOR_TIRL", "t"}}, "\np\n",
                   Both(std::string(kBrowser) + " http://t/gav/index.html p")},
        TargetCase{"GavMissing", {"gav._qk"}, {}, "", {Message(NotInstalled("KOR_TIRL"))}},
        TargetCase{"Sorv", {"sorv._qk"}, {{"KOR_RONT", "r"}}, "",
                   Both(std::string(kBrowser) + " http://r/sorv/SORVServlet?What=SORVApplet")},
        TargetCase{"SorvMissing", {"sorv._qk"}, {}, "", {Message(NotInstalled("KOR_RONT"))}},
        TargetCase{"Rusk", {"rusk._qk"}, {{"KOR_WEXA", "w"}}, "",
                   Both(std::string(kBrowser) + " http://w/cgi-bin/wexa.pl")},
        TargetCase{"RuskEmptyRecordsButDoesNotStart", {"rusk._qk"}, {{"KOR_WEXA", ""}}, "1\np\n",
                   {Message(kRuskMissing),
                    Record(std::string(kBrowser) + " http:///cgi-bin/wexa.pl p")}},
        TargetCase{"RuskMissingRecordsButDoesNotStart", {"rusk._qk"}, {}, "",
                   {Message(kRuskMissing), Record(std::string(kBrowser) + " http:///cgi-bin/wexa.pl")}},
        TargetCase{"RuskWithoutEnvironmentKey", {"rusk._qk"}, {{"-", ""}}, "",
                   {Message(kNoEnvironment), Record(std::string(kBrowser) + " http:///cgi-bin/wexa.pl")}},
        TargetCase{"ZibStandAlone", {"zib._qk"},
                   {{"WEXA_INSTALLED", "STANDALONE"}, {"KOR_WEXA", "w"}, {"KOR_SERVER", "s"}}, "",
                   Both(std::string(kBrowser) + " http://w" + kStandAlone)},
        TargetCase{"ZibLowerCaseIsSecure", {"zib._qk"},
                   {{"WEXA_INSTALLED", "standalone"}, {"KOR_WEXA", "w"}, {"KOR_SERVER", "s"}}, "",
                   Both(std::string(kBrowser) + " http://s" + kSecure)},
        TargetCase{"ZibWithoutModeIsSecure", {"zib._qk", "z"}, {{"KOR_SERVER", "s"}}, "",
                   Both(std::string(kBrowser) + " http://s" + kSecure + "  z")},
        TargetCase{"ZibStandAloneMissing", {"zib._qk"},
                   {{"WEXA_INSTALLED", "STANDALONE"}, {"KOR_SERVER", "s"}}, "",
                   {Message("Unable to find KOR_WEXA environment variable.\nPlease download and "
                            "install RUSK before attempting to launch.\n\nExiting.")}},
        TargetCase{"ZibSecureMissing", {"zib._qk"}, {{"KOR_WEXA", "w"}}, "",
                   {Message("Unable to find KOR_SERVER environment variable.\nPlease download and "
                            "install RUSK before attempting to launch.\n\nExiting.")}},
        TargetCase{"ZibWithoutEnvironmentKey", {"zib._qk"}, {{"-", ""}}, "",
                   {Message(kNoEnvironment)}},
        TargetCase{"HobbWithoutTrailing", {"hobb._qk", "a"}, {{"KOR_SERVER", "s"}}, "1\np\n",
                   Both(std::string(kBrowser) + " http://s\\Velmo")},
        TargetCase{"HobbMissing", {"hobb._qk"}, {}, "", {Message(NotInstalled("KOR_SERVER"))}}),
    [](const testing::TestParamInfo<TargetCase>& param) { return param.param.name; });

class JudTest : public testing::Test {
 protected:
  void Run() {
    system_.SetFile("jud._qk", "jud\nC:\\mail box\n");
    Launcher(system_).Run({"jud._qk"});
  }
  platform::RecordingSystem system_;
};

TEST_F(JudTest, StartsTheMailboxManagerFromItsOwnKey) {
  system_.SetRegistryString(RegistryRoot::LocalMachine, "SOFTWARE\\Unimax\\Mailbox Manager\\5",
                            "ProgramDirectory", "C:\\Unimax");
  Run();
  EXPECT_EQ(*system_.File("C:\\launchCmd.txt"), "\"C:\\Unimax\\2N.exe\" \"C:\\mail box\"");
  EXPECT_EQ(system_.Calls().back(),
            "start detached in []: \"C:\\Unimax\\2N.exe\" \"C:\\mail box\"");
}

TEST_F(JudTest, MissingKeyAndValueHaveTheirOwnMessages) {
  Run();
  system_.SetRegistryKey(RegistryRoot::LocalMachine, "SOFTWARE\\Unimax\\Mailbox Manager\\5");
  Run();
  EXPECT_EQ(system_.Messages(),
            (std::vector<std::string>{
                kNoEnvironment,
                "Unable to find local install of JUD.\nPlease download and install the "
                "application before attempting to launch.\n\nExiting."}));
  EXPECT_EQ(system_.File("C:\\launchCmd.txt"), nullptr);
}

class BrowserTest : public testing::Test {
 protected:
  BrowserTest() {
    system_.SetRegistryString(RegistryRoot::LocalMachine, kEnvironment, "KOR_TIRL", "t");
  }
  std::string Recorded() {
    Launcher(system_).Run({"gav._qk"});
    const std::string* record = system_.File("C:\\launchCmd.txt");
    return record ? *record : "<none>";
  }
  void SetBrowser(const std::string& command) {
    system_.SetRegistryString(RegistryRoot::ClassesRoot, "http\\shell\\open\\command", "", command);
  }
  platform::RecordingSystem system_;
};

TEST_F(BrowserTest, NetscapeIsStartedByItsBareProgramPath) {
  SetBrowser("C:\\PROGRA~1\\NETSCP\\netscp6.exe -url \"%1\"");
  system_.SetRegistryString(RegistryRoot::LocalMachine,
                            "SOFTWARE\\Netscape\\Netscape 6\\6.2.1 (en)\\Main", "PathToExe",
                            "C:\\Netscape\\netscp6.exe");
  EXPECT_EQ(Recorded(), "C:\\Netscape\\netscp6.exe http://t/gav/index.html");
}

TEST_F(BrowserTest, NetscapeWithoutItsKeyKeepsTheCommandAsItIs) {
  SetBrowser("C:\\NETSCP\\netscp6.exe \"%1\"");
  EXPECT_EQ(Recorded(), "C:\\NETSCP\\netscp6.exe \"%1\" http://t/gav/index.html");
  system_.SetRegistryKey(RegistryRoot::LocalMachine,
                         "SOFTWARE\\Netscape\\Netscape 6\\6.2.1 (en)\\Main");
  EXPECT_EQ(Recorded(), "C:\\NETSCP\\netscp6.exe \"%1\" http://t/gav/index.html");
  EXPECT_TRUE(system_.Messages().empty());
}

TEST_F(BrowserTest, TheNetscapeTestIsCaseSensitive) {
  SetBrowser("C:\\netscp\\netscp6.exe");
  system_.SetRegistryString(RegistryRoot::LocalMachine,
                            "SOFTWARE\\Netscape\\Netscape 6\\6.2.1 (en)\\Main", "PathToExe", "N");
  EXPECT_EQ(Recorded(), "C:\\netscp\\netscp6.exe http://t/gav/index.html");
}

TEST_F(BrowserTest, WithoutABrowserKeyTheCommandStartsWithTheBlank) {
  EXPECT_EQ(Recorded(), " http://t/gav/index.html");
  EXPECT_TRUE(system_.Messages().empty());
  EXPECT_EQ(system_.Calls().back(), "start detached in []:  http://t/gav/index.html");
}

TEST_F(BrowserTest, AKeyWithoutADefaultValueIsReported) {
  system_.SetRegistryKey(RegistryRoot::ClassesRoot, "http\\shell\\open\\command");
  EXPECT_EQ(Recorded(), " http://t/gav/index.html");
  EXPECT_EQ(system_.Messages(),
            std::vector<std::string>{"Unable to find default web browser. Please install "
                                     "Internet Explorer or Netscape Navigator.\n\nExiting."});
}

TEST_F(BrowserTest, PlaceholdersStayAndPosixProgramsAreKept) {
  SetBrowser("/usr/bin/xdg-open");
  EXPECT_EQ(Recorded(), "/usr/bin/xdg-open http://t/gav/index.html");
}

class BufferTest : public testing::Test {
 protected:
  void SetEnvironment(const std::string& name, const std::string& value) {
    system_.SetRegistryString(RegistryRoot::LocalMachine, kEnvironment, name, value);
  }
  platform::RecordingSystem system_;
};

TEST_F(BufferTest, ACommandLineFillsItsBufferToTheLastByteButNoFurther) {
  // Browser command, " http://", host, ":8080/TerminalConfig": 299 characters fit in 300.
  const std::string browser = "C:\\" + std::string(200, 'b') + ".exe";
  system_.SetRegistryString(RegistryRoot::ClassesRoot, "http\\shell\\open\\command", "", browser);
  const std::size_t fixed = browser.size() + std::string(" http://:8080/TerminalConfig").size();
  SetEnvironment("KOR_BRAV", std::string(299 - fixed, 'h'));
  Launcher(system_).Run({"tavish._qk"});
  ASSERT_NE(system_.File("C:\\launchCmd.txt"), nullptr);
  EXPECT_EQ(system_.File("C:\\launchCmd.txt")->size(), 299u);

  platform::RecordingSystem longer;
  longer.SetRegistryString(RegistryRoot::ClassesRoot, "http\\shell\\open\\command", "", browser);
  longer.SetRegistryString(RegistryRoot::LocalMachine, kEnvironment, "KOR_BRAV",
                           std::string(300 - fixed, 'h'));
  Launcher(longer).Run({"tavish._qk"});
  EXPECT_EQ(longer.File("C:\\launchCmd.txt"), nullptr);
  EXPECT_EQ(longer.Messages(),
            std::vector<std::string>{"Unable to launch the application: the command line made of "
                                     "the default web browser command, KOR_BRAV is longer than "
                                     "299 characters.\n\nExiting."});
}

TEST_F(BufferTest, TooLongCommandsNameTheirTrailingArgument) {
  SetEnvironment("QUOR_PATH", "C:\\Q");
  Launcher(system_).Run({"quor._qk", std::string(1000, 'x')});
  EXPECT_EQ(system_.Messages(),
            std::vector<std::string>{"Unable to launch the application: the command line made of "
                                     "QUOR_PATH and the extra arguments is longer than 999 "
                                     "characters.\n\nExiting."});
  EXPECT_EQ(system_.File("C:\\launchCmd.txt"), nullptr);
}

TEST_F(BufferTest, ToolCommandsHave256Bytes) {
  SetEnvironment("JRE2_BIN", "j");
  SetEnvironment("DREX_PATH", std::string(255, 'd'));
  Launcher(system_).Run({"drex._qk"});
  EXPECT_EQ(system_.Messages(),
            std::vector<std::string>{"Unable to launch the application: the command line made of "
                                     "DREX_PATH is longer than 255 characters.\n\nExiting."});
}

TEST_F(BufferTest, RegistryValuesOf255CharactersFitAndLongerOnesAreRefused) {
  SetEnvironment("QUOR_PATH", std::string(255, 'q'));
  Launcher(system_).Run({"quor._qk"});
  ASSERT_NE(system_.File("C:\\launchCmd.txt"), nullptr);
  EXPECT_EQ(*system_.File("C:\\launchCmd.txt"), "\"" + std::string(255, 'q') + "\\bin\\Qorm.exe\"");

  SetEnvironment("KOR_WEXA", std::string(256, 'w'));
  Launcher(system_).Run({"rusk._qk"});
  EXPECT_EQ(system_.Messages(),
            std::vector<std::string>{
                "The KOR_WEXA environment variable is longer than 255 characters.\n\nExiting."});
  EXPECT_EQ(*system_.File("C:\\launchCmd.txt"), " http:///cgi-bin/wexa.pl");
}

TEST_F(BufferTest, ARefusedTargetLeavesTheOthersRunning) {
  SetEnvironment("QUOR_PATH", "C:\\Q");
  SetEnvironment("NERIT_PATH", std::string(255, 'n'));
  SetEnvironment("KOR_SERVER", "s");
  Launcher(system_).Run({"C:\\quor\\nerit\\hobb._qk", std::string(500, 'x')});
  EXPECT_EQ(system_.CallsOf({"start detached"}),
            (std::vector<std::string>{"start detached in []: \"C:\\Q\\bin\\Qorm.exe\"  " +
                                          std::string(500, 'x'),
                                      "start detached in []:  http://s\\Velmo"}));
  EXPECT_EQ(system_.Messages().size(), 1u);
}

}  // namespace
}  // namespace launcher
