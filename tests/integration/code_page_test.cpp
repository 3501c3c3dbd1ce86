// Text beyond Latin-1 end to end, on both machines: UTF-8 is the programs'
// ANSI code page, so command lines, file names, the files they write and
// the command lines they start carry it unharmed.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "MachineCases.h"
#include "TestedMachine.h"

namespace {

using testsupport::MachineKind;
using Strings = std::vector<std::string>;
using Files = std::vector<std::pair<std::string, std::string>>;

const std::string kMissing = "<missing>";
// "Zürich 機械 Ω" in UTF-8.
const std::string kPlace = "Z\xc3\xbcrich \xe6\xa9\x9f\xe6\xa2\xb0 \xce\xa9";
const std::string kParameter = "Z\xc3\xbcrich \xe6\xa9\x9f\xe6\xa2\xb0";
const std::string kConf = "C:\\Apache2\\conf\\httpd.conf";

std::string Key(const std::string& key, const std::string& name, const std::string& value) {
  return "[" + key + "]\r\n\"" + name + "\"=\"" + value + "\"\r\n\r\n";
}
const std::string kApache =
    Key("HKEY_LOCAL_MACHINE\\SOFTWARE\\Apache Group\\Apache\\2.0.54", "ServerRoot", "C:\\\\Apache2");
const std::string kQuorPath =
    Key("HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment",
        "QUOR_PATH", "C:\\\\Quor");

struct CodePageCase {
  std::string name;
  std::string program;
  Strings arguments;
  std::string registry;
  Files files;
  Strings stubs;
  Files expectedFiles;
  Strings starts;
};

void PrintTo(const CodePageCase& c, std::ostream* out) { *out << c.name; }

const std::vector<CodePageCase> kCases = {
    {.name = "DocumentRootInAnyLanguage",
     .program = "kelvane",
     .arguments = {"-c", "web_svr", "-d", "C:\\web\\" + kPlace},
     .registry = kApache,
     .files = {{kConf, "DocumentRoot \"C:/htdocs\"\r\n<Directory \"C:/htdocs\">\r\n"}},
     .expectedFiles = {{kConf, "DocumentRoot \"C:\\web\\" + kPlace +
                                   "\"\r\n\r\nPassEnv KOR_VERSION\r\nPassEnv PROP_PATH\r\n"
                                   "<Directory \"C:\\web\\" + kPlace + "\">\r\n"}}},
    {.name = "LauncherCopiedFromAFolderInAnyLanguage",
     .program = "kelvane",
     .arguments = {"-c", "HOBB", "-d", "C:\\" + kPlace},
     .files = {{"C:\\" + kPlace + "\\Morrant.exe", "MZ launcher"}},
     .expectedFiles = {{"C:\\Morrant.exe", "MZ launcher"}}},
    {.name = "LaunchFileAndParameterInAnyLanguage",
     .program = "morrant",
     .arguments = {"C:\\" + kPlace + "\\quor._qk"},
     .registry = kQuorPath,
     .files = {{"C:\\" + kPlace + "\\quor._qk", "quor\r\n" + kParameter + "\r\n"}},
     .stubs = {"C:\\Quor\\bin\\Qorm.exe"},
     .expectedFiles = {{"C:\\launchCmd.txt",
                        "\"C:\\Quor\\bin\\Qorm.exe\" \"" + kParameter + "\""}},
     .starts = {"Qorm.exe [" + kParameter + "] cwd=C:\\"}},
};

using MachineCase = testsupport::MachineCase<CodePageCase>;
constexpr auto CaseName = testsupport::MachineCaseName<CodePageCase>;

class CodePageTest : public testing::TestWithParam<MachineCase> {};

TEST_P(CodePageTest, TextArrivesWhole) {
  const auto& [kind, c] = GetParam();
  if (const std::string why = testsupport::Unavailable(kind); !why.empty()) GTEST_SKIP() << why;
  auto machine = testsupport::MakeMachine(kind);
  if (!c.registry.empty()) machine->SetRegistry(c.registry);
  for (const auto& [path, bytes] : c.files) machine->SetFile(path, bytes);
  for (const auto& stub : c.stubs) machine->AddStubProgram(stub);
  EXPECT_EQ(machine->Run(c.program, c.arguments).exitStatus, 0);
  EXPECT_EQ(machine->Messages(), Strings{});
  for (const auto& [path, bytes] : c.expectedFiles) EXPECT_EQ(machine->File(path), bytes) << path;
  EXPECT_EQ(machine->Starts(), c.starts);
}

INSTANTIATE_TEST_SUITE_P(Cases, CodePageTest,
                         testing::ValuesIn(testsupport::OnBothMachines(kCases)), CaseName);

}  // namespace
