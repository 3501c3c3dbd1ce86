// The launcher run as installed, on a temporary machine whose stub programs
// record how they were started: the every-target and limit cases on both
// machines (the emulated one and wine), the rest on the emulated one.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "Machine.h"
#include "MachineCases.h"
#include "TestedMachine.h"
#include "UsageMessages.h"

namespace {

using testsupport::Machine;
using testsupport::MachineKind;
using testsupport::TestedMachine;

// Expectations cannot know the machine folder: "$M" stands for it.
constexpr std::string_view kRoot = "$M";
const std::string kNone = "<missing>";

const std::string kEnvironmentKey =
    "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";
const std::string kJudKey = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Unimax\\Mailbox Manager\\5";
const std::string kBrowserKey = "HKEY_CLASSES_ROOT\\http\\shell\\open\\command";
const std::string kNetscapeKey =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Netscape\\Netscape 6\\6.2.1 (en)\\Main";

const std::string kIe = "\"C:\\Program Files\\Web\\iexplore.exe\" -nohome";
const std::string kPosixBrowser = "$M/c/Web/browser.sh";
const std::string kQorm = "\"C:\\Program Files\\Quor\\bin\\Qorm.exe\"";
const std::string kHalden = kIe + " http://h:8080/plov/web/gwaccess";
const std::string kStandAlone =
    "/wexa/Gen/Login/login.mwpl?appPath=entVARK/VarkClient/entVarkClientCGI.prl";
const std::string kSecure =
    "/wexa_nnm/Gen/Login/secureLaunch.mwopl?appPath=EntVARK/VarkClient/entVarkClientCGI.prl";

const std::string kNoEnvironment = "Unable to open registry for environment settings!!!\n\nExiting.";
const std::string kRuskMissing =
    "Unable to find KOR_WEXA environment variable.\nPlease configure the IP address of your WEXA "
    "Server before launching.\n\nExiting.";
const std::string kNoBrowser =
    "Unable to find default web browser. Please install Internet Explorer or Netscape "
    "Navigator.\n\nExiting.";
const std::string& kUsage = testsupport::kMorrantUsage;

std::string NotInstalled(const std::string& variable) {
  return "Unable to find " + variable +
         " environment variable.\nPlease download and install the application before "
         "attempting to launch.\n\nExiting.";
}
std::string ZibMissing(const std::string& variable) {
  return "Unable to find " + variable +
         " environment variable.\nPlease download and install RUSK before attempting to "
         "launch.\n\nExiting.";
}
std::string TooLong(const std::string& what) {
  return what + " is longer than 255 characters.\n\nExiting.";
}
std::string Overflow(const std::string& madeOf, int limit) {
  return "Unable to launch the application: the command line made of " + madeOf +
         " is longer than " + std::to_string(limit) + " characters.\n\nExiting.";
}

// One line of the stub record: "name [arg]... cwd=<folder>".
std::string Started(const std::string& name, const std::vector<std::string>& arguments = {},
                    const std::string& folder = "C:\\") {
  std::string line = name;
  for (const auto& argument : arguments) line += " [" + argument + "]";
  return line + " cwd=" + folder;
}

// --- Registry -------------------------------------------------------------

using Values = std::vector<std::pair<std::string, std::optional<std::string>>>;

// The suite as installed; cases change single values (nothing removes one).
const Values kSuite = {
    {"QUOR_PATH", "C:\\Program Files\\Quor"},  {"JRE2_BIN", "C:\\Java\\bin"},
    {"DREX_PATH", "C:\\Drex"},                 {"MULV_PATH", "D:\\Mulv"},
    {"FENN_PATH", "C:\\Program Files\\Fenn"},  {"KOR_BRAV", "h"},
    {"KOR_TIRL", "t"},                         {"KOR_RONT", "r"},
    {"NERIT_PATH", "C:\\Program Files\\Nerit"}, {"KOR_WEXA", "w"},
    {"WEXA_INSTALLED", "STANDALONE"},          {"KOR_SERVER", "s"},
};

Values Changed(Values values, const Values& changes) {
  for (const auto& change : changes) {
    auto found = std::find_if(values.begin(), values.end(),
                              [&](const auto& entry) { return entry.first == change.first; });
    if (found != values.end()) {
      found->second = change.second;
    } else {
      values.push_back(change);
    }
  }
  return values;
}

std::string Quoted(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out + "\"";
}

std::string Section(const std::string& key, const Values& values) {
  std::string text = "[" + key + "]\r\n";
  for (const auto& [name, value] : values) {
    if (value) text += (name.empty() ? "@" : Quoted(name)) + "=" + Quoted(*value) + "\r\n";
  }
  return text + "\r\n";
}

struct Registry {
  Values environment;
  bool environmentKey = true;
  Values jud;  // ProgramDirectory
  bool judKey = true;
  Values browser;  // the default value, named ""
  bool browserKey = true;
  Values netscape;  // PathToExe; the key exists only when this names something

  std::string Text() const {
    std::string text;
    if (environmentKey) text += Section(kEnvironmentKey, Changed(kSuite, environment));
    if (judKey) text += Section(kJudKey, Changed({{"ProgramDirectory", "C:\\Unimax"}}, jud));
    if (browserKey) text += Section(kBrowserKey, Changed({{"", kIe}}, browser));
    if (!netscape.empty()) text += Section(kNetscapeKey, netscape);
    return text;
  }
};

// --- Machine and run --------------------------------------------------------

const std::vector<std::string> kStubs = {
    "C:\\Program Files\\Quor\\bin\\Qorm.exe", "C:\\Drex\\launchDrex.exe",
    "D:\\Mulv\\bin\\Tessor.exe",             "C:\\Program Files\\Fenn\\launchFENN.exe",
    "C:\\Program Files\\Nerit\\NeritClient.exe", "C:\\Unimax\\2N.exe",
    "C:\\Program Files\\Web\\iexplore.exe",  "C:\\Web\\browser.sh",
    "C:\\Netscape\\Netscp6.exe",             "C:\\PROGRA~1\\NETSCP\\netscp6.exe",
    "C:\\netscp\\netscp6.exe",
};

void Furnish(TestedMachine& machine, const Registry& registry,
             const std::vector<std::string>& extraStubs = {}) {
  machine.SetRegistry(machine.Expanded(registry.Text()));
  for (const auto& stub : kStubs) machine.AddStubProgram(stub);
  for (const auto& stub : extraStubs) machine.AddStubProgram(stub);
}

// One entry per start, in no particular order: detached programs record
// in whatever order they get to run.
std::vector<std::string> Starts(const TestedMachine& machine) {
  std::vector<std::string> starts = machine.Starts();
  std::sort(starts.begin(), starts.end());
  return starts;
}

// Runs the launcher and checks everything it leaves behind. Only the
// emulated machine shows its message boxes on standard error as well.
void ExpectLaunch(TestedMachine& machine, const std::vector<std::string>& arguments,
                  const std::string& record, std::vector<std::string> starts,
                  const std::vector<std::string>& messages, bool boxesOnStandardError = true) {
  const auto run = machine.Run("morrant", arguments);
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_EQ(run.out, "");
  std::string shown;
  std::vector<std::string> boxes;
  for (const auto& message : messages) {
    shown += "Morrant\n" + message + "\n";
    boxes.push_back("Morrant|" + message);
  }
  if (boxesOnStandardError) {
    EXPECT_EQ(run.err, shown);
  }
  EXPECT_EQ(machine.Messages(), boxes);
  EXPECT_EQ(machine.File("C:\\launchCmd.txt"), machine.Expanded(record));
  std::sort(starts.begin(), starts.end());
  EXPECT_EQ(Starts(machine), starts);
}

struct LaunchCase {
  std::string name;
  std::vector<std::string> arguments;
  std::optional<std::string> launchFile;  // written at the launch path
  std::string launchFileAt;  // when the launch path does not name it as written
  std::size_t leadingBytes = 0;  // 'a's before the launch file, kept out of the table
  Registry registry;
  std::string record = kNone;       // C:\launchCmd.txt
  std::vector<std::string> starts;  // in any order
  std::vector<std::string> messages;
  std::vector<std::string> extraStubs;
  // Why wine, and so Windows, shows something else; empty: both machines agree.
  std::string onlyEmulated;
};

void PrintTo(const LaunchCase& c, std::ostream* out) { *out << c.name; }

using MachineCase = testsupport::MachineCase<LaunchCase>;
constexpr auto CaseName = testsupport::MachineCaseName<LaunchCase>;

class MorrantTest : public testing::TestWithParam<MachineCase> {};

TEST_P(MorrantTest, RecordsStartsAndReportsExactly) {
  const auto& [kind, c] = GetParam();
  if (const std::string why = testsupport::Unavailable(kind); !why.empty()) GTEST_SKIP() << why;
  auto machine = testsupport::MakeMachine(kind);
  Furnish(*machine, c.registry, c.extraStubs);
  if (c.launchFile) {
    machine->SetFile(c.launchFileAt.empty() ? c.arguments.front() : c.launchFileAt,
                     std::string(c.leadingBytes, 'a') + *c.launchFile);
  }
  ExpectLaunch(*machine, c.arguments, c.record, c.starts, c.messages,
               kind == MachineKind::Emulated);
}

// The cases on the emulated machine alone, or on both machines. A case that
// names a program of the emulated machine's host ("$M") has no counterpart
// on wine; nor has one where Windows differs from the emulated machine.
std::vector<MachineCase> Emulated(const std::vector<LaunchCase>& cases) {
  std::vector<MachineCase> all;
  for (const auto& c : cases) all.emplace_back(MachineKind::Emulated, c);
  return all;
}
std::vector<MachineCase> OnBoth(const std::vector<LaunchCase>& cases) {
  std::vector<MachineCase> all = Emulated(cases);
  for (const auto& c : cases) {
    if (c.registry.Text().find(kRoot) == std::string::npos && c.onlyEmulated.empty()) {
      all.emplace_back(MachineKind::Wine, c);
    }
  }
  return all;
}

// --- Every target -----------------------------------------------------------

INSTANTIATE_TEST_SUITE_P(
    Targets, MorrantTest,
    testing::ValuesIn(OnBoth({
        LaunchCase{.name = "QuorQuotesItsPathAndTheParameterWithoutItsLineEnd",
                   .arguments = {"C:\\Suite\\quor._qk"},
                   .launchFile = "quor\nx\n",
                   .record = kQorm + " \"x\"",
                   .starts = {Started("Qorm.exe", {"x"})}},
        LaunchCase{.name = "QuorWithoutParameter",
                   .arguments = {"C:\\Suite\\quor._qk"},
                   .launchFile = "quor\n",
                   .record = kQorm,
                   .starts = {Started("Qorm.exe")}},
        LaunchCase{.name = "DrexStartsInItsFolderWithoutTrailing",
                   .arguments = {"C:\\Suite\\drex._qk", "extra"},
                   .launchFile = "drex\nx\n",
                   .record = "\"C:\\Drex\\launchDrex.exe\"",
                   .starts = {Started("launchDrex.exe", {}, "C:\\Drex")}},
        LaunchCase{.name = "DrexFolderMatchesInAnyCase",
                   .arguments = {"C:\\Suite\\drex._qk"},
                   .registry = {.environment = {{"DREX_PATH", "c:\\DREX"}}},
                   .record = "\"c:\\DREX\\launchDrex.exe\"",
                   .starts = {Started("launchDrex.exe", {}, "C:\\Drex")},
                   .onlyEmulated = "Windows keeps a working folder as it is spelt: c:\\DREX"},
        LaunchCase{.name = "DrexInAFolderThatDoesNotExist",
                   .arguments = {"C:\\Suite\\drex._qk"},
                   .registry = {.environment = {{"DREX_PATH", "C:\\Nowhere"}}},
                   .record = "\"C:\\Nowhere\\launchDrex.exe\""},
        LaunchCase{.name = "PimloOnAnotherDrive",
                   .arguments = {"C:\\Suite\\pimlo._qk"},
                   .launchFile = "1\n2\n",
                   .record = "\"D:\\Mulv\\bin\\Tessor.exe\" \"2\"",
                   .starts = {Started("Tessor.exe", {"2"})}},
        LaunchCase{.name = "FennStartsInItsFolder",
                   .arguments = {"C:\\Suite\\fenn._qk", "extra"},
                   .record = "\"C:\\Program Files\\Fenn\\launchFENN.exe\"",
                   .starts = {Started("launchFENN.exe", {}, "C:\\Program Files\\Fenn")}},
        LaunchCase{.name = "HaldenWithParameter",
                   .arguments = {"C:\\Suite\\Start\\halden._qk"},
                   .launchFile = "halden\nx\n",
                   .record = kHalden + " x",
                   .starts = {Started("iexplore.exe",
                                      {"-nohome", "http://h:8080/plov/web/gwaccess", "x"})}},
        LaunchCase{.name = "HaldenPosixBrowserWithParameter",
                   .arguments = {"C:\\Suite\\Start\\halden._qk"},
                   .launchFile = "halden\nx\n",
                   .registry = {.browser = {{"", kPosixBrowser}}},
                   .record = kPosixBrowser + " http://h:8080/plov/web/gwaccess x",
                   .starts = {Started("browser.sh", {"http://h:8080/plov/web/gwaccess", "x"})}},
        LaunchCase{.name = "HaldenPosixBrowserExtraArgumentsReplaceTheParameter",
                   .arguments = {"C:\\Suite\\Start\\halden._qk", "a", "b"},
                   .launchFile = "halden\nx\n",
                   .registry = {.browser = {{"", kPosixBrowser}}},
                   .record = kPosixBrowser + " http://h:8080/plov/web/gwaccess  a b",
                   .starts = {Started("browser.sh",
                                      {"http://h:8080/plov/web/gwaccess", "a", "b"})}},
        LaunchCase{.name = "HaldenLaunchFileWithCrLf",
                   .arguments = {"C:\\Suite\\Start\\halden._qk"},
                   .launchFile = "halden\r\nx\r\n",
                   .record = kHalden + " x",
                   .starts = {Started("iexplore.exe",
                                      {"-nohome", "http://h:8080/plov/web/gwaccess", "x"})}},
        LaunchCase{.name = "Tavish",
                   .arguments = {"C:\\Suite\\tavish._qk"},
                   .registry = {.environment = {{"KOR_BRAV", "10.0.0.1"}}},
                   .record = kIe + " http://10.0.0.1:8080/TerminalConfig",
                   .starts = {Started("iexplore.exe",
                                      {"-nohome", "http://10.0.0.1:8080/TerminalConfig"})}},
        LaunchCase{.name = "GavWithParameter",
                   .arguments = {"C:\\Suite\\gav._qk"},
                   .launchFile = "\np\n",
                   .record = kIe + " http://t/gav/index.html p",
                   .starts = {Started("iexplore.exe",
                                      {"-nohome", "http://t/gav/index.html", "p"})}},
        LaunchCase{.name = "Sorv",
                   .arguments = {"C:\\Suite\\sorv._qk"},
                   .record = kIe + " http://r/sorv/SORVServlet?What=SORVApplet",
                   .starts = {Started("iexplore.exe",
                                      {"-nohome", "http://r/sorv/SORVServlet?What=SORVApplet"})}},
        LaunchCase{.name = "NeritWorkingFolderIsMapped",
                   .arguments = {"C:\\Suite\\nerit._qk"},
                   .record = "\"C:\\Program Files\\Nerit\\NeritClient.exe\" /Working \"C:\\Program "
                             "Files\\Nerit\"",
                   .starts = {Started("NeritClient.exe",
                                      {"/Working", "C:\\Program Files\\Nerit"})}},
        LaunchCase{.name = "NeritWithParameter",
                   .arguments = {"C:\\Suite\\nerit._qk"},
                   .launchFile = "nerit\nsite one\n",
                   .record = "\"C:\\Program Files\\Nerit\\NeritClient.exe\" /Working \"C:\\Program "
                             "Files\\Nerit\" \"site one\"",
                   .starts = {Started("NeritClient.exe",
                                      {"/Working", "C:\\Program Files\\Nerit", "site one"})}},
        // A trailing backslash escapes the closing quote, as the C runtime splits it.
        LaunchCase{.name = "NeritFolderWithTrailingBackslash",
                   .arguments = {"C:\\Suite\\nerit._qk"},
                   .registry = {.environment = {{"NERIT_PATH", "C:\\Program Files\\Nerit\\"}}},
                   .record = "\"C:\\Program Files\\Nerit\\\\NeritClient.exe\" /Working "
                             "\"C:\\Program Files\\Nerit\\\"",
                   .starts = {Started("NeritClient.exe",
                                      {"/Working", "C:\\Program Files\\Nerit\""})}},
        LaunchCase{.name = "Rusk",
                   .arguments = {"C:\\Suite\\rusk._qk"},
                   .record = kIe + " http://w/cgi-bin/wexa.pl",
                   .starts = {Started("iexplore.exe", {"-nohome", "http://w/cgi-bin/wexa.pl"})}},
        LaunchCase{.name = "ZibStandAlone",
                   .arguments = {"C:\\Suite\\zib._qk"},
                   .record = kIe + " http://w" + kStandAlone,
                   .starts = {Started("iexplore.exe", {"-nohome", "http://w" + kStandAlone})}},
        LaunchCase{.name = "ZibSecureWithExtraArgument",
                   .arguments = {"C:\\Suite\\zib._qk", "z"},
                   .registry = {.environment = {{"WEXA_INSTALLED", "NNM"}}},
                   .record = kIe + " http://s" + kSecure + "  z",
                   .starts = {Started("iexplore.exe", {"-nohome", "http://s" + kSecure, "z"})}},
        LaunchCase{.name = "ZibLowerCaseStandAloneIsSecure",
                   .arguments = {"C:\\Suite\\zib._qk"},
                   .registry = {.environment = {{"WEXA_INSTALLED", "standalone"}}},
                   .record = kIe + " http://s" + kSecure,
                   .starts = {Started("iexplore.exe", {"-nohome", "http://s" + kSecure})}},
        LaunchCase{.name = "ZibWithoutModeIsSecure",
                   .arguments = {"C:\\Suite\\zib._qk"},
                   .registry = {.environment = {{"WEXA_INSTALLED", std::nullopt}}},
                   .record = kIe + " http://s" + kSecure,
                   .starts = {Started("iexplore.exe", {"-nohome", "http://s" + kSecure})}},
        LaunchCase{.name = "HobbIgnoresTrailing",
                   .arguments = {"C:\\Suite\\hobb._qk", "a"},
                   .launchFile = "1\np\n",
                   .record = kIe + " http://s\\Velmo",
                   .starts = {Started("iexplore.exe", {"-nohome", "http://s\\Velmo"})}},
        LaunchCase{.name = "JudFromItsOwnKeyWithMappedParameter",
                   .arguments = {"C:\\Suite\\jud._qk"},
                   .launchFile = "jud\nC:\\mail box\n",
                   .record = "\"C:\\Unimax\\2N.exe\" \"C:\\mail box\"",
                   .starts = {Started("2N.exe", {"C:\\mail box"})}},
        LaunchCase{.name = "JudSelectedByAFolderAfterTheExtension",
                   .arguments = {"C:\\x._qk.bak\\jud"},
                   .record = "\"C:\\Unimax\\2N.exe\"",
                   .starts = {Started("2N.exe")}},
        LaunchCase{.name = "QuorThenDrexBothStartTheRecordHoldsTheSecond",
                   .arguments = {"C:\\Suite\\quor\\drex._qk"},
                   .launchFile = "first\nsecond\n",
                   .record = "\"C:\\Drex\\launchDrex.exe\"",
                   .starts = {Started("Qorm.exe", {"second"}),
                              Started("launchDrex.exe", {}, "C:\\Drex")}},
        LaunchCase{.name = "AllThirteenInTestOrder",
                   .arguments = {"C:\\quor drex pimlo fenn halden tavish gav sorv nerit rusk zib "
                                 "hobb jud._qk"},
                   .record = "\"C:\\Unimax\\2N.exe\"",
                   .starts = {Started("Qorm.exe"),
                              Started("launchDrex.exe", {}, "C:\\Drex"),
                              Started("Tessor.exe"),
                              Started("launchFENN.exe", {}, "C:\\Program Files\\Fenn"),
                              Started("iexplore.exe",
                                      {"-nohome", "http://h:8080/plov/web/gwaccess"}),
                              Started("iexplore.exe", {"-nohome", "http://h:8080/TerminalConfig"}),
                              Started("iexplore.exe", {"-nohome", "http://t/gav/index.html"}),
                              Started("iexplore.exe",
                                      {"-nohome", "http://r/sorv/SORVServlet?What=SORVApplet"}),
                              Started("NeritClient.exe", {"/Working", "C:\\Program Files\\Nerit"}),
                              Started("iexplore.exe", {"-nohome", "http://w/cgi-bin/wexa.pl"}),
                              Started("iexplore.exe", {"-nohome", "http://w" + kStandAlone}),
                              Started("iexplore.exe", {"-nohome", "http://s\\Velmo"}),
                              Started("2N.exe")}}})),
    CaseName);

// --- Missing values: a message, and nothing starts ---------------------------

INSTANTIATE_TEST_SUITE_P(
    Missing, MorrantTest,
    testing::ValuesIn(Emulated({
        LaunchCase{.name = "QuorPath",
                   .arguments = {"C:\\Suite\\quor._qk"},
                   .registry = {.environment = {{"QUOR_PATH", std::nullopt}}},
                   .messages = {NotInstalled("QUOR_PATH")}},
        LaunchCase{.name = "QuorEnvironmentKey",
                   .arguments = {"C:\\Suite\\quor._qk"},
                   .registry = {.environmentKey = false},
                   .messages = {kNoEnvironment}},
        LaunchCase{.name = "DrexJava",
                   .arguments = {"C:\\Suite\\drex._qk"},
                   .registry = {.environment = {{"JRE2_BIN", std::nullopt}}},
                   .messages = {"Unable to find JRE2_BIN environment variable.\nPlease download "
                                "and install the Java Plugin.\n\nExiting."}},
        LaunchCase{.name = "DrexPath",
                   .arguments = {"C:\\Suite\\drex._qk"},
                   .registry = {.environment = {{"DREX_PATH", std::nullopt}}},
                   .messages = {NotInstalled("DREX_PATH")}},
        LaunchCase{.name = "MulvPath",
                   .arguments = {"C:\\Suite\\pimlo._qk"},
                   .registry = {.environment = {{"MULV_PATH", std::nullopt}}},
                   .messages = {NotInstalled("MULV_PATH")}},
        LaunchCase{.name = "FennJava",
                   .arguments = {"C:\\Suite\\fenn._qk"},
                   .registry = {.environment = {{"JRE2_BIN", std::nullopt}}},
                   .messages = {"Unable to find JRE2_BIN environment variable.\n\nExiting."}},
        LaunchCase{.name = "FennPath",
                   .arguments = {"C:\\Suite\\fenn._qk"},
                   .registry = {.environment = {{"FENN_PATH", std::nullopt}}},
                   .messages = {NotInstalled("FENN_PATH")}},
        LaunchCase{.name = "HaldenAndTavishServer",
                   .arguments = {"C:\\Suite\\halden_tavish._qk"},
                   .registry = {.environment = {{"KOR_BRAV", std::nullopt}}},
                   .messages = {NotInstalled("KOR_BRAV"), NotInstalled("KOR_BRAV")}},
        LaunchCase{.name = "GavServer",
                   .arguments = {"C:\\Suite\\gav._qk"},
                   .registry = {.environment = {{"KOR_TIRL", std::nullopt}}},
                   .messages = {NotInstalled("KOR_TIRL")}},
        LaunchCase{.name = "SorvServer",
                   .arguments = {"C:\\Suite\\sorv._qk"},
                   .registry = {.environment = {{"KOR_RONT", std::nullopt}}},
                   .messages = {NotInstalled("KOR_RONT")}},
        LaunchCase{.name = "NeritPath",
                   .arguments = {"C:\\Suite\\nerit._qk"},
                   .registry = {.environment = {{"NERIT_PATH", std::nullopt}}},
                   .messages = {NotInstalled("NERIT_PATH")}},
        LaunchCase{.name = "RuskEmptyServerIsRecordedButNotStarted",
                   .arguments = {"C:\\Suite\\rusk._qk"},
                   .registry = {.environment = {{"KOR_WEXA", ""}}},
                   .record = kIe + " http:///cgi-bin/wexa.pl",
                   .messages = {kRuskMissing}},
        LaunchCase{.name = "RuskEmptyServerWithParameter",
                   .arguments = {"C:\\Suite\\rusk._qk"},
                   .launchFile = "1\np\n",
                   .registry = {.environment = {{"KOR_WEXA", ""}}},
                   .record = kIe + " http:///cgi-bin/wexa.pl p",
                   .messages = {kRuskMissing}},
        LaunchCase{.name = "RuskServer",
                   .arguments = {"C:\\Suite\\rusk._qk"},
                   .registry = {.environment = {{"KOR_WEXA", std::nullopt}}},
                   .record = kIe + " http:///cgi-bin/wexa.pl",
                   .messages = {kRuskMissing}},
        LaunchCase{.name = "RuskEnvironmentKey",
                   .arguments = {"C:\\Suite\\rusk._qk"},
                   .registry = {.environmentKey = false},
                   .record = kIe + " http:///cgi-bin/wexa.pl",
                   .messages = {kNoEnvironment}},
        LaunchCase{.name = "ZibStandAloneServer",
                   .arguments = {"C:\\Suite\\zib._qk"},
                   .registry = {.environment = {{"KOR_WEXA", std::nullopt}}},
                   .messages = {ZibMissing("KOR_WEXA")}},
        LaunchCase{.name = "ZibSecureServer",
                   .arguments = {"C:\\Suite\\zib._qk"},
                   .registry = {.environment = {{"WEXA_INSTALLED", "NNM"},
                                                {"KOR_SERVER", std::nullopt}}},
                   .messages = {ZibMissing("KOR_SERVER")}},
        LaunchCase{.name = "ZibEnvironmentKey",
                   .arguments = {"C:\\Suite\\zib._qk"},
                   .registry = {.environmentKey = false},
                   .messages = {kNoEnvironment}},
        LaunchCase{.name = "HobbServer",
                   .arguments = {"C:\\Suite\\hobb._qk"},
                   .registry = {.environment = {{"KOR_SERVER", std::nullopt}}},
                   .messages = {NotInstalled("KOR_SERVER")}},
        LaunchCase{.name = "JudKey",
                   .arguments = {"C:\\Suite\\jud._qk"},
                   .registry = {.judKey = false},
                   .messages = {kNoEnvironment}},
        LaunchCase{.name = "JudDirectory",
                   .arguments = {"C:\\Suite\\jud._qk"},
                   .registry = {.jud = {{"ProgramDirectory", std::nullopt}}},
                   .messages = {"Unable to find local install of JUD.\nPlease download and "
                                "install the application before attempting to launch."
                                "\n\nExiting."}},
        LaunchCase{.name = "OneMissingLeavesTheOthersRunning",
                   .arguments = {"C:\\Suite\\quor\\pimlo\\hobb._qk"},
                   .registry = {.environment = {{"MULV_PATH", std::nullopt}}},
                   .record = kIe + " http://s\\Velmo",
                   .starts = {Started("Qorm.exe"),
                              Started("iexplore.exe", {"-nohome", "http://s\\Velmo"})},
                   .messages = {NotInstalled("MULV_PATH")}}})),
    CaseName);

// --- The default browser ----------------------------------------------------

INSTANTIATE_TEST_SUITE_P(
    Browser, MorrantTest,
    testing::ValuesIn(Emulated({
        LaunchCase{.name = "NetscapeStartsByItsProgramPath",
                   .arguments = {"C:\\Suite\\gav._qk"},
                   .registry = {.browser = {{"", "C:\\PROGRA~1\\NETSCP\\netscp6.exe -url \"%1\""}},
                                .netscape = {{"PathToExe", "C:\\Netscape\\Netscp6.exe"}}},
                   .record = "C:\\Netscape\\Netscp6.exe http://t/gav/index.html",
                   .starts = {Started("Netscp6.exe", {"http://t/gav/index.html"})}},
        LaunchCase{.name = "NetscapeWithoutItsKeyKeepsTheCommand",
                   .arguments = {"C:\\Suite\\gav._qk"},
                   .registry = {.browser = {{"", "C:\\PROGRA~1\\NETSCP\\netscp6.exe -url \"%1\""}}},
                   .record = "C:\\PROGRA~1\\NETSCP\\netscp6.exe -url \"%1\" http://t/gav/index.html",
                   .starts = {Started("netscp6.exe", {"-url", "%1", "http://t/gav/index.html"})}},
        LaunchCase{.name = "NetscapeKeyWithoutPathKeepsTheCommand",
                   .arguments = {"C:\\Suite\\gav._qk"},
                   .registry = {.browser = {{"", "C:\\PROGRA~1\\NETSCP\\netscp6.exe -url \"%1\""}},
                                .netscape = {{"PathToExe", std::nullopt}}},
                   .record = "C:\\PROGRA~1\\NETSCP\\netscp6.exe -url \"%1\" http://t/gav/index.html",
                   .starts = {Started("netscp6.exe", {"-url", "%1", "http://t/gav/index.html"})}},
        LaunchCase{.name = "NetscapeTestIsCaseSensitive",
                   .arguments = {"C:\\Suite\\gav._qk"},
                   .registry = {.browser = {{"", "C:\\netscp\\netscp6.exe"}},
                                .netscape = {{"PathToExe", "C:\\Netscape\\Netscp6.exe"}}},
                   .record = "C:\\netscp\\netscp6.exe http://t/gav/index.html",
                   .starts = {Started("netscp6.exe", {"http://t/gav/index.html"})}},
        LaunchCase{.name = "NoBrowserKeyLeavesALeadingBlankAndStartsNothing",
                   .arguments = {"C:\\Suite\\gav._qk"},
                   .registry = {.browserKey = false},
                   .record = " http://t/gav/index.html"},
        LaunchCase{.name = "BrowserKeyWithoutDefaultValue",
                   .arguments = {"C:\\Suite\\gav._qk"},
                   .registry = {.browser = {{"", std::nullopt}}},
                   .record = " http://t/gav/index.html",
                   .messages = {kNoBrowser}},
        LaunchCase{.name = "BrowserThatDoesNotExist",
                   .arguments = {"C:\\Suite\\gav._qk"},
                   .registry = {.browser = {{"", "\"C:\\Program Files\\Gone\\gone.exe\" %1"}}},
                   .record = "\"C:\\Program Files\\Gone\\gone.exe\" %1 http://t/gav/index.html"}})),
    CaseName);

// --- Buffers and registry limits ---------------------------------------------

const std::string kQorm255 = "C:\\" + std::string(252, 'q');
// 255 characters "é" (0xE9 in the registry file), twice as many bytes in UTF-8.
const std::string kAnsi255 = "C:\\" + std::string(126, '\xe9') + "\\" + std::string(125, '\xe9');
const std::string kDrex238 = "C:\\" + std::string(235, 'd');
// Arguments that bring halden's command line (two blanks before them) to 299 and 300.
const std::string kFill299(299 - kHalden.size() - 2, 'a');
const std::string kFill300(300 - kHalden.size() - 2, 'a');
const std::string kQuorFill999(999 - kQorm.size() - 2, 'x');
const std::string kQuorFill1000(1000 - kQorm.size() - 2, 'x');
const std::string kBrowser255 = "C:\\" + std::string(248, 'b') + ".exe";

INSTANTIATE_TEST_SUITE_P(
    Limits, MorrantTest,
    testing::ValuesIn(OnBoth({
        LaunchCase{.name = "Value255Accepted",
                   .arguments = {"C:\\Suite\\quor._qk"},
                   .registry = {.environment = {{"QUOR_PATH", kQorm255}}},
                   .record = "\"" + kQorm255 + "\\bin\\Qorm.exe\"",
                   .starts = {Started("Qorm.exe")},
                   .extraStubs = {kQorm255 + "\\bin\\Qorm.exe"},
                   .onlyEmulated = "Windows starts no program whose path is over 260 characters"},
        // The buffers hold bytes: 255 characters of two UTF-8 bytes each do not fit.
        LaunchCase{.name = "Value255TwoByteCharactersRefused",
                   .arguments = {"C:\\Suite\\quor._qk"},
                   .registry = {.environment = {{"QUOR_PATH", kAnsi255}}},
                   .messages = {TooLong("The QUOR_PATH environment variable")},
                   .onlyEmulated = "a REGEDIT4 file reads in the ANSI code page of wine's reg"},
        LaunchCase{.name = "Value256Refused",
                   .arguments = {"C:\\Suite\\quor._qk"},
                   .registry = {.environment = {{"QUOR_PATH", kQorm255 + "q"}}},
                   .messages = {TooLong("The QUOR_PATH environment variable")}},
        LaunchCase{.name = "Java256Refused",
                   .arguments = {"C:\\Suite\\fenn._qk"},
                   .registry = {.environment = {{"JRE2_BIN", std::string(256, 'j')}}},
                   .messages = {TooLong("The JRE2_BIN environment variable")}},
        LaunchCase{.name = "Server256Refused",
                   .arguments = {"C:\\Suite\\halden._qk"},
                   .registry = {.environment = {{"KOR_BRAV", std::string(256, 'h')}}},
                   .messages = {TooLong("The KOR_BRAV environment variable")}},
        LaunchCase{.name = "RuskServer256RecordedButNotStarted",
                   .arguments = {"C:\\Suite\\rusk._qk"},
                   .registry = {.environment = {{"KOR_WEXA", std::string(256, 'w')}}},
                   .record = kIe + " http:///cgi-bin/wexa.pl",
                   .messages = {TooLong("The KOR_WEXA environment variable")}},
        LaunchCase{.name = "JudDirectory256Refused",
                   .arguments = {"C:\\Suite\\jud._qk"},
                   .registry = {.jud = {{"ProgramDirectory", "C:\\" + std::string(253, 'u')}}},
                   .messages = {TooLong("The value ProgramDirectory of HKEY_LOCAL_MACHINE\\"
                                        "SOFTWARE\\Unimax\\Mailbox Manager\\5")}},
        LaunchCase{.name = "Browser256LeavesItOut",
                   .arguments = {"C:\\Suite\\gav._qk"},
                   .registry = {.browser = {{"", kBrowser255 + "x"}}},
                   .record = " http://t/gav/index.html",
                   .messages = {TooLong("The default web browser command of HKEY_CLASSES_ROOT\\"
                                        "http\\shell\\open\\command")}},
        LaunchCase{.name = "HaldenFillsItsBuffer",
                   .arguments = {"C:\\Suite\\halden._qk", kFill299},
                   .record = kHalden + "  " + kFill299,
                   .starts = {Started("iexplore.exe",
                                      {"-nohome", "http://h:8080/plov/web/gwaccess", kFill299})}},
        LaunchCase{.name = "HaldenOneByteTooLong",
                   .arguments = {"C:\\Suite\\halden._qk", kFill300},
                   .messages = {Overflow(
                       "the default web browser command, KOR_BRAV and the extra arguments", 299)}},
        LaunchCase{.name = "HaldenParameterOverflowsAfterA255Browser",
                   .arguments = {"C:\\Suite\\halden._qk"},
                   .launchFile = "halden\n" + std::string(99, 'p') + "\n",
                   .registry = {.browser = {{"", kBrowser255}}},
                   .messages = {Overflow(
                       "the default web browser command, KOR_BRAV and the launch file parameter",
                       299)}},
        // Halden would replace quor's record if it recorded anything.
        LaunchCase{.name = "QuorRunsWhileHaldenIsRefused",
                   .arguments = {"C:\\Suite\\quor\\halden._qk", kFill300},
                   .record = kQorm + "  " + kFill300,
                   .starts = {Started("Qorm.exe", {kFill300})},
                   .messages = {Overflow(
                       "the default web browser command, KOR_BRAV and the extra arguments", 299)}},
        LaunchCase{.name = "QuorFillsItsBuffer",
                   .arguments = {"C:\\Suite\\quor._qk", kQuorFill999},
                   .record = kQorm + "  " + kQuorFill999,
                   .starts = {Started("Qorm.exe", {kQuorFill999})}},
        LaunchCase{.name = "QuorOneByteTooLong",
                   .arguments = {"C:\\Suite\\quor._qk", kQuorFill1000},
                   .messages = {Overflow("QUOR_PATH and the extra arguments", 999)}},
        LaunchCase{.name = "DrexFillsTheToolBuffer",
                   .arguments = {"C:\\Suite\\drex._qk"},
                   .registry = {.environment = {{"DREX_PATH", kDrex238}}},
                   .record = "\"" + kDrex238 + "\\launchDrex.exe\"",
                   .starts = {Started("launchDrex.exe", {}, kDrex238)},
                   .extraStubs = {kDrex238 + "\\launchDrex.exe"}},
        LaunchCase{.name = "DrexOneByteTooLong",
                   .arguments = {"C:\\Suite\\drex._qk"},
                   .registry = {.environment = {{"DREX_PATH", kDrex238 + "d"}}},
                   .messages = {Overflow("DREX_PATH", 255)}},
        LaunchCase{.name = "FennOneByteTooLong",
                   .arguments = {"C:\\Suite\\fenn._qk"},
                   .registry = {.environment = {{"FENN_PATH", "C:\\" + std::string(236, 'f')}}},
                   .messages = {Overflow("FENN_PATH", 255)}}})),
    CaseName);

// --- Launch paths and launch files --------------------------------------------

std::string LongPath(std::size_t total, std::size_t component) {
  std::string path = "C:";
  const std::string tail = "\\quor._qk";
  while (path.size() + tail.size() < total) {
    path += '\\';
    path += std::string(std::min(component, total - tail.size() - path.size()), 'a');
  }
  return path + tail;
}

INSTANTIATE_TEST_SUITE_P(
    LaunchPaths, MorrantTest,
    testing::ValuesIn(Emulated({
        LaunchCase{.name = "OneHundredThousandBytesInOneName",
                   .arguments = {LongPath(100000, 100000)},
                   .record = kQorm,
                   .starts = {Started("Qorm.exe")}},
        LaunchCase{.name = "OneHundredThousandBytesInLongestNames",
                   .arguments = {LongPath(100000, 255)},
                   .record = kQorm,
                   .starts = {Started("Qorm.exe")}},
        LaunchCase{.name = "OddBytes",
                   .arguments = {"C:\\Suite\\\x01\x7f\x80\xff\xfe\x1b[0m quor._qk"},
                   .record = kQorm,
                   .starts = {Started("Qorm.exe")}},
        LaunchCase{.name = "QuotesAndBlanks",
                   .arguments = {"C:\\My \"Suite\"\\ a b quor._qk"},
                   .launchFile = "1\n2\n",
                   .record = kQorm + " \"2\"",
                   .starts = {Started("Qorm.exe", {"2"})}},
        LaunchCase{.name = "RelativeBelowTheCurrentFolder",
                   .arguments = {"quor._qk"},
                   .launchFile = "1\n2\n",
                   .launchFileAt = "C:\\quor._qk",
                   .record = kQorm + " \"2\"",
                   .starts = {Started("Qorm.exe", {"2"})}},
        LaunchCase{.name = "NameInAnyCase",
                   .arguments = {"c:\\SUITE\\quor._qk"},
                   .launchFile = "1\n2\n",
                   .launchFileAt = "C:\\Suite\\QUOR._QK",
                   .record = kQorm + " \"2\"",
                   .starts = {Started("Qorm.exe", {"2"})}},
        // In the UTF-8 code page, bytes that are not UTF-8 name the file they spell.
        LaunchCase{.name = "BytesThatAreNotUtf8NameAFile",
                   .arguments = {"C:\\Suite\\\x80\xff quor._qk"},
                   .launchFile = "1\n2\n",
                   .record = kQorm + " \"2\"",
                   .starts = {Started("Qorm.exe", {"2"})}},
        LaunchCase{.name = "Utf8NameAFile",
                   .arguments = {"C:\\Suite\\\xe2\x82\xac\xc3\xbf quor._qk"},
                   .launchFile = "1\n2\n",
                   .record = kQorm + " \"2\"",
                   .starts = {Started("Qorm.exe", {"2"})}},
        LaunchCase{.name = "FolderInsteadOfAFile",
                   .arguments = {"C:\\Suite\\quor._qk"},
                   .launchFile = "1\n2\n",
                   .launchFileAt = "C:\\Suite\\quor._qk\\inside",
                   .record = kQorm,
                   .starts = {Started("Qorm.exe")}},
        LaunchCase{.name = "NoArguments", .arguments = {}, .messages = {kUsage}},
        LaunchCase{.name = "EmptyPath", .arguments = {""}, .messages = {kUsage}},
        LaunchCase{.name = "KeyInOtherCase",
                   .arguments = {"C:\\Suite\\QUOR._qk"},
                   .messages = {kUsage}},
        LaunchCase{.name = "ExtensionInOtherCase",
                   .arguments = {"C:\\Suite\\quor._QK"},
                   .messages = {kUsage}},
        LaunchCase{.name = "OtherExtension",
                   .arguments = {"C:\\Suite\\quor.txt"},
                   .messages = {kUsage}},
        LaunchCase{.name = "ExtensionAlone", .arguments = {"._qk"}, .messages = {kUsage}},
        LaunchCase{.name = "KeyOnlyInALaterArgument",
                   .arguments = {"other", "quor._qk"},
                   .messages = {kUsage}}})),
    CaseName);

constexpr std::size_t kTenMegabytes = 10 * 1024 * 1024;

INSTANTIATE_TEST_SUITE_P(
    LaunchFiles, MorrantTest,
    testing::ValuesIn(Emulated({
        LaunchCase{.name = "Empty",
                   .arguments = {"C:\\Suite\\quor._qk"},
                   .launchFile = "",
                   .record = kQorm,
                   .starts = {Started("Qorm.exe")}},
        LaunchCase{.name = "OneLineWithoutLineEnd",
                   .arguments = {"C:\\Suite\\quor._qk"},
                   .launchFile = "only line",
                   .record = kQorm,
                   .starts = {Started("Qorm.exe")}},
        LaunchCase{.name = "SecondLineWithoutLineEnd",
                   .arguments = {"C:\\Suite\\quor._qk"},
                   .launchFile = "first\nlast",
                   .record = kQorm + " \"last\"",
                   .starts = {Started("Qorm.exe", {"last"})}},
        LaunchCase{.name = "EmptySecondLineAddsNothing",
                   .arguments = {"C:\\Suite\\quor._qk"},
                   .launchFile = "first\n\n",
                   .record = kQorm,
                   .starts = {Started("Qorm.exe")}},
        LaunchCase{.name = "CarriageReturnsBeforeTheLineEndGo",
                   .arguments = {"C:\\Suite\\quor._qk"},
                   .launchFile = "first\nx\r\r\n",
                   .record = kQorm + " \"x\"",
                   .starts = {Started("Qorm.exe", {"x"})}},
        LaunchCase{.name = "LoneCarriageReturnStays",
                   .arguments = {"C:\\Suite\\quor._qk"},
                   .launchFile = "first\r\nb\rc\r\n",
                   .record = kQorm + " \"b\rc\"",
                   .starts = {Started("Qorm.exe", {"b\rc"})}},
        LaunchCase{.name = "ZeroByteEndsTheParameter",
                   .arguments = {"C:\\Suite\\quor._qk"},
                   .launchFile = std::string("first\nab\0cd\n", 12),
                   .record = kQorm + " \"ab\"",
                   .starts = {Started("Qorm.exe", {"ab"})}},
        LaunchCase{.name = "ZeroByteFirstMakesItEmpty",
                   .arguments = {"C:\\Suite\\quor._qk"},
                   .launchFile = std::string("first\n\0tail\n", 12),
                   .record = kQorm,
                   .starts = {Started("Qorm.exe")}},
        LaunchCase{.name = "BinaryBytesArriveAsTheyAre",
                   .arguments = {"C:\\Suite\\quor._qk"},
                   .launchFile = std::string("\0\xff\xfe\n\xff\x80\x81\x9f\x01z\0rest\n", 16),
                   .record = kQorm + " \"\xff\x80\x81\x9f\x01z\"",
                   .starts = {Started("Qorm.exe", {"\xff\x80\x81\x9f\x01z"})}},
        LaunchCase{.name = "ControlZEndsTheText",
                   .arguments = {"C:\\Suite\\quor._qk"},
                   .launchFile = "first\nx\x1ay\nthird\n",
                   .record = kQorm + " \"x\"",
                   .starts = {Started("Qorm.exe", {"x"})}},
        LaunchCase{.name = "ControlZInTheFirstLine",
                   .arguments = {"C:\\Suite\\quor._qk"},
                   .launchFile = "\x1a\nsecond\n",
                   .record = kQorm,
                   .starts = {Started("Qorm.exe")}},
        LaunchCase{.name = "QuotesInTheParameter",
                   .arguments = {"C:\\Suite\\quor._qk"},
                   .launchFile = "first\nsay \"hi\" C:\\x\n",
                   .record = kQorm + " \"say \"hi\" C:\\x\"",
                   .starts = {Started("Qorm.exe", {"say hi C:\\x"})}},
        LaunchCase{.name = "LongSecondLineCutAt99",
                   .arguments = {"C:\\Suite\\quor._qk"},
                   .launchFile = "first\n" + std::string(99, 'p') + "q\n",
                   .record = kQorm + " \"" + std::string(99, 'p') + "\"",
                   .starts = {Started("Qorm.exe", {std::string(99, 'p')})}},
        // The parameter is what a second 99-character read finds in the same line.
        LaunchCase{.name = "TenMegabyteFirstLine",
                   .arguments = {"C:\\Suite\\quor._qk"},
                   .launchFile = "\nsecond\n",
                   .leadingBytes = kTenMegabytes,
                   .record = kQorm + " \"" + std::string(99, 'a') + "\"",
                   .starts = {Started("Qorm.exe", {std::string(99, 'a')})}},
        LaunchCase{.name = "TenMegabytesWithoutLineEnd",
                   .arguments = {"C:\\Suite\\gav._qk"},
                   .launchFile = "",
                   .leadingBytes = kTenMegabytes,
                   .record = kIe + " http://t/gav/index.html " + std::string(99, 'a'),
                   .starts = {Started("iexplore.exe", {"-nohome", "http://t/gav/index.html",
                                                       std::string(99, 'a')})}}})),
    CaseName);

// --- Extra arguments ------------------------------------------------------------

INSTANTIATE_TEST_SUITE_P(
    ExtraArguments, MorrantTest,
    testing::ValuesIn(Emulated({
        // Joined with blanks as they are: the started program splits them anew.
        LaunchCase{.name = "QuotesBlanksAndPathsAreSplitAgain",
                   .arguments = {"C:\\Suite\\quor._qk", "", "two words", "say \"hi\"",
                                 "C:\\Data\\a.qdb", "a\\\"b", "caf\xc3\xa9"},
                   .launchFile = "1\n2\n",
                   .record = kQorm + "   two words say \"hi\" C:\\Data\\a.qdb a\\\"b caf\xc3\xa9",
                   .starts = {Started("Qorm.exe", {"two", "words", "say", "hi", "C:\\DATA\\a.qdb",
                                                   "a\"b", "caf\xc3\xa9"})},
                   .extraStubs = {"C:\\DATA\\a.qdb"}},
        LaunchCase{.name = "UnclosedQuoteRunsToTheEnd",
                   .arguments = {"C:\\Suite\\gav._qk", "\"open", "end"},
                   .record = kIe + " http://t/gav/index.html  \"open end",
                   .starts = {Started("iexplore.exe",
                                      {"-nohome", "http://t/gav/index.html", "open end"})}},
        LaunchCase{.name = "OnlyEmptyArgumentsStillReplaceTheParameter",
                   .arguments = {"C:\\Suite\\jud._qk", ""},
                   .launchFile = "1\n2\n",
                   .record = "\"C:\\Unimax\\2N.exe\"  ",
                   .starts = {Started("2N.exe")}}})),
    CaseName);

// --- The record file, the started programs' streams, the machine ----------------

TEST(MorrantRecordTest, ReplacesALongerRecordWhole) {
  auto emulated = testsupport::MakeMachine(MachineKind::Emulated);
  TestedMachine& machine = *emulated;
  Furnish(machine, {});
  machine.SetFile("C:\\launchCmd.txt", std::string(5000, 'z') + "\r\n");
  ExpectLaunch(machine, {"C:\\Suite\\hobb._qk"}, kIe + " http://s\\Velmo",
               {Started("iexplore.exe", {"-nohome", "http://s\\Velmo"})}, {});
}

TEST(MorrantRecordTest, AnExistingRecordInOtherCaseIsTheOneWritten) {
  auto emulated = testsupport::MakeMachine(MachineKind::Emulated);
  TestedMachine& machine = *emulated;
  Furnish(machine, {});
  machine.SetFile("C:\\LAUNCHCMD.TXT", "old");
  EXPECT_EQ(machine.Run("morrant", {"C:\\Suite\\sorv._qk"}).exitStatus, 0);
  EXPECT_EQ(machine.File("C:\\LAUNCHCMD.TXT"), kIe + " http://r/sorv/SORVServlet?What=SORVApplet");
  EXPECT_FALSE(machine.Exists("C:\\launchCmd.txt"));
}

TEST(MorrantRecordTest, AnUnwritableRecordIsSkippedAndTheProgramStillStarts) {
  auto emulated = testsupport::MakeMachine(MachineKind::Emulated);
  TestedMachine& machine = *emulated;
  Furnish(machine, {});
  machine.MakeFolder("C:\\launchCmd.txt");
  const auto run = machine.Run("morrant", {"C:\\Suite\\tavish._qk"});
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(Starts(machine), (std::vector<std::string>{Started(
                                 "iexplore.exe", {"-nohome", "http://h:8080/TerminalConfig"})}));
}

TEST(MorrantRecordTest, EachRunReplacesTheRecord) {
  auto emulated = testsupport::MakeMachine(MachineKind::Emulated);
  TestedMachine& machine = *emulated;
  Furnish(machine, {});
  machine.Run("morrant", {"C:\\Suite\\nerit._qk"});
  machine.Run("morrant", {"C:\\Suite\\hobb._qk"});
  EXPECT_EQ(machine.File("C:\\launchCmd.txt"), kIe + " http://s\\Velmo");
  EXPECT_EQ(Starts(machine).size(), 2u);
}

// A POSIX folder is used as it is while the program path, holding a backslash,
// lies on C:, so here only the folder is missing.
TEST(MorrantRecordTest, AProgramWhoseFolderIsMissingDoesNotStart) {
  auto emulated = testsupport::MakeMachine(MachineKind::Emulated);
  TestedMachine& machine = *emulated;
  const std::string folder = machine.Expanded("$M/absent");
  std::string onC = "C:" + folder;
  std::replace(onC.begin(), onC.end(), '/', '\\');
  Furnish(machine, {.environment = {{"DREX_PATH", folder}}}, {onC + "\\launchDrex.exe"});
  ExpectLaunch(machine, {"C:\\Suite\\drex._qk"}, "\"" + folder + "\\launchDrex.exe\"", {}, {});

  std::filesystem::create_directories(folder);
  ExpectLaunch(machine, {"C:\\Suite\\drex._qk"}, "\"" + folder + "\\launchDrex.exe\"",
               {Started("launchDrex.exe", {}, "$M/absent")}, {});
}

TEST(MorrantStartTest, StartedProgramsDoNotShareTheLaunchersStreams) {
  Machine machine;
  machine.SetRegistry(Registry{}.Text());
  machine.AddStubProgram("C:\\Program Files\\Quor\\bin\\Qorm.exe", "echo out; echo err >&2");
  const auto run = machine.Run("morrant", {"C:\\Suite\\quor._qk"});
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(machine.Record(), std::vector<std::string>{"Qorm.exe cwd=" + (std::filesystem::canonical(machine.Root()) / "c").string()});
}

TEST(MorrantMachineTest, WithoutAMachineNothingRuns) {
  Machine machine;
  machine.SetRegistry(Registry{}.Text());
  const auto unset = machine.Run("morrant", {"C:\\Suite\\quor._qk"}, {"BRENMOOR_MACHINE="});
  EXPECT_EQ(unset.exitStatus, 1);
  EXPECT_EQ(unset.err,
            "morrant: BRENMOOR_MACHINE is not set: it must name the folder that stands for the "
            "Windows machine.\n");

  const std::string missing = (machine.Root() / "nowhere").string();
  const auto absent = machine.Run("morrant", {"C:\\Suite\\quor._qk"},
                                  {"BRENMOOR_MACHINE=" + missing});
  EXPECT_EQ(absent.exitStatus, 1);
  EXPECT_EQ(absent.err, "morrant: The machine folder " + missing +
                            " (BRENMOOR_MACHINE) does not exist or is not a folder.\n");

  testsupport::WriteFile(machine.Root() / "registry.reg", "not a registry file\n");
  const auto malformed = machine.Run("morrant", {"C:\\Suite\\quor._qk"});
  EXPECT_EQ(malformed.exitStatus, 1);
  EXPECT_NE(malformed.err.find("registry.reg"), std::string::npos) << malformed.err;

  EXPECT_FALSE(machine.Exists("C:\\launchCmd.txt"));
  EXPECT_TRUE(machine.Messages().empty());
  EXPECT_TRUE(machine.Record().empty());
}

}  // namespace
