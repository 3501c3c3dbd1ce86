#include "host/CommandInterpreter.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <ostream>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "TempFolder.h"

namespace platform {
namespace {

namespace fs = std::filesystem;
using testsupport::ReadFile;
using testsupport::WriteFile;
using namespace std::string_literals;

const std::string kBinary = "\0\r\n\xff\x1a end"s;
const std::string kRan = "program output\n";
const std::string kNotFound = "The system cannot find the file specified.\n";
const std::string kNoPath = "The system cannot find the path specified.\n";
const std::string kDenied = "Access is denied.\n";
const std::string kSyntax = "The syntax of the command is incorrect.\n";
const std::string kNoneCopied = "        0 file(s) copied.\n";
const std::string kMissing = "<missing>";  // what ReadFile gives for a file that is not there

std::string NotRecognized(const std::string& name) {
  return "'" + name +
         "' is not recognized as an internal or external command,\n"
         "operable program or batch file.\n";
}

std::string ReadFromStart(int fd) {
  std::string bytes;
  char buffer[4096];
  lseek(fd, 0, SEEK_SET);
  for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;) {
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  return bytes;
}

struct Output {
  std::string out;
  std::string err;
};

// Points fds 1 and 2 at files while the action runs.
Output Capture(const std::function<void()>& action) {
  std::fflush(nullptr);
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  const int savedOut = dup(STDOUT_FILENO);
  const int savedErr = dup(STDERR_FILENO);
  dup2(fileno(out), STDOUT_FILENO);
  dup2(fileno(err), STDERR_FILENO);
  action();
  std::fflush(nullptr);
  dup2(savedOut, STDOUT_FILENO);
  dup2(savedErr, STDERR_FILENO);
  close(savedOut);
  close(savedErr);
  Output output{ReadFromStart(fileno(out)), ReadFromStart(fileno(err))};
  std::fclose(out);
  std::fclose(err);
  return output;
}

// Knows the programs whose command line mentions "prog".
class RecordingRunner : public ProgramRunner {
 public:
  bool RunProgram(std::string_view commandLine, int outputFd) override {
    calls.emplace_back(commandLine);
    const bool known = commandLine.find("prog") != std::string_view::npos;
    if (known && write(outputFd, kRan.data(), kRan.size()) < 0) return false;
    return known;
  }
  std::vector<std::string> calls;
};

class CommandInterpreterTest : public ::testing::Test {
 protected:
  CommandInterpreterTest() : paths_(root_.Path()), interpreter_(paths_, runner_) {
    WriteFile(C("data/b.txt"), "new b");
    WriteFile(C("data/A.bin"), kBinary);
    WriteFile(C("data/sub/inner.txt"), "inner");
    WriteFile(C("out/b.txt"), "old b");
    WriteFile(C("out/A.BIN"), "old A");
    WriteFile(C("tree/deep/x.txt"), "x");
    WriteFile(C("tree/noext"), "n");
    fs::create_directories(C("empty"));
    WriteFile(C("run.bat"),
              "  echo first\r\n\r\n\t prog.exe one\r\n   \r\n"
              "echo second > C:\\two.txt\r\necho third");
    WriteFile(C("my scripts/go.cmd"), "echo a\n\necho b\n");
    WriteFile(C("quiet.bat"), "@echo off\r\nrem a remark\r\n:label\r\necho\r\n");
    WriteFile(C("first.bat"), "echo in first\r\n\"C:\\my scripts\\go.cmd\"\r\necho after\r\n");
    WriteFile(C("self.bat"), "echo x\r\nC:\\self.bat\r\n");
    WriteFile(Outside(), "outside");
  }

  Output Run(std::string_view line) {
    return Capture([&] { interpreter_.Run(line); });
  }
  fs::path C(std::string_view relative) const { return root_.Path() / "c" / relative; }
  fs::path Outside() const { return outside_.Path() / "keep.txt"; }

  testsupport::TempFolder root_;
  testsupport::TempFolder outside_;
  MachinePaths paths_;
  RecordingRunner runner_;
  CommandInterpreter interpreter_;
};

struct LineCase {
  std::string line;  // "{}" stands for a file outside the machine folder
  std::string out = {};
  std::string err = {};
  std::vector<std::pair<std::string, std::string>> files = {};  // below C:\ after the line
  std::vector<std::string> programs = {};
};

// Test names show the line with gtest's escapes, which ctest accepts.
void PrintTo(const LineCase& c, std::ostream* out) { *out << ::testing::PrintToString(c.line); }

class CommandInterpreterLineTest : public CommandInterpreterTest,
                                   public ::testing::WithParamInterface<LineCase> {};

TEST_P(CommandInterpreterLineTest, WritesReportsAndChangesExactlyAsCmd) {
  std::string line = GetParam().line;
  if (const auto mark = line.find("{}"); mark != std::string::npos) {
    line.replace(mark, 2, Outside().string());
  }

  const Output output = Run(line);

  EXPECT_EQ(output.out, GetParam().out);
  EXPECT_EQ(output.err, GetParam().err);
  for (const auto& [file, bytes] : GetParam().files) EXPECT_EQ(ReadFile(C(file)), bytes) << file;
  EXPECT_EQ(runner_.calls, GetParam().programs);
  EXPECT_EQ(ReadFile(Outside()), "outside");
}

INSTANTIATE_TEST_SUITE_P(
    CommandInterpreterEcho, CommandInterpreterLineTest,
    ::testing::Values(
        LineCase{"echo hi", "hi\n"}, LineCase{"ECHO   two  blanks  ", "  two  blanks  \n"},
        LineCase{"  @echo\tmarked", "marked\n"}, LineCase{"echo", "ECHO is on.\n"},
        LineCase{"echo    ", "ECHO is on.\n"}, LineCase{"echo off", ""},
        LineCase{"echo caf\xE9 \"not > redirected\"", "caf\xE9 \"not > redirected\"\n"},
        LineCase{"echo line end\r\n", "line end\n"},
        LineCase{"echo hi > C:\\OUT\\b.txt", "", "", {{"out/b.txt", "hi \r\n"}}},
        LineCase{"echo a>C:\\t.txt", "", "", {{"t.txt", "a\r\n"}}},
        LineCase{"echo b >  \"C:\\with blank.txt\"", "", "", {{"with blank.txt", "b \r\n"}}},
        // As in cmd, the text after the file name stays part of the command.
        LineCase{"echo a >C:\\m.txt b ", "", "", {{"m.txt", "a  b \r\n"}}},
        LineCase{">C:\\f.txt echo front", "", "", {{"f.txt", "front\r\n"}}},
        LineCase{"echo two>>C:\\out\\b.txt", "", "", {{"out/b.txt", "old btwo\r\n"}}},
        LineCase{"echo gone > NUL", "", "", {{"NUL", kMissing}}}));

INSTANTIATE_TEST_SUITE_P(
    CommandInterpreterCopy, CommandInterpreterLineTest,
    ::testing::Values(
        LineCase{"copy C:\\data\\*.* C:\\out",
                 "C:\\data\\A.bin\nC:\\data\\b.txt\n        2 file(s) copied.\n",
                 "",
                 {{"out/A.BIN", kBinary}, {"out/A.bin", kMissing}, {"out/b.txt", "new b"},
                  {"out/sub", kMissing}}},
        LineCase{"copy \"C:\\data\\\" C:\\out\\",
                 "C:\\data\\A.bin\nC:\\data\\b.txt\n        2 file(s) copied.\n",
                 "",
                 {{"out/b.txt", "new b"}, {"out/sub", kMissing}}},
        LineCase{"copy c:\\DATA\\*.TXT C:\\Out",
                 "c:\\DATA\\b.txt\n        1 file(s) copied.\n",
                 "",
                 {{"out/b.txt", "new b"}, {"out/A.BIN", "old A"}}},
        LineCase{"copy C:\\DATA\\B.TXT C:\\out", "        1 file(s) copied.\n", "",
                 {{"out/b.txt", "new b"}}},
        LineCase{"copy \"C:\\data\\b.txt\" \"C:\\out\\new name.txt\"",
                 "        1 file(s) copied.\n",
                 "",
                 {{"out/new name.txt", "new b"}, {"data/b.txt", "new b"}}},
        LineCase{"copy C:\\data\\*.* C:\\out > C:\\log.txt", "", "",
                 {{"log.txt",
                   "C:\\data\\A.bin\r\nC:\\data\\b.txt\r\n        2 file(s) copied.\r\n"}}},
        LineCase{"copy C:\\nothing.txt C:\\out", kNoneCopied, kNotFound},
        LineCase{"copy C:\\data\\*.none C:\\out", kNoneCopied, kNotFound},
        LineCase{"copy C:\\nofolder\\*.* C:\\out", kNoneCopied, kNotFound},
        LineCase{"copy C:\\empty C:\\out", kNoneCopied, kNotFound},
        LineCase{"copy C:\\out\\b.txt C:\\out", kNoneCopied,
                 "The file cannot be copied onto itself.\n", {{"out/b.txt", "old b"}}},
        LineCase{"copy C:\\data\\b.txt C:\\no\\such\\b.txt", kNoneCopied, kNoPath},
        LineCase{"copy C:\\data\\b.txt \"{}\"", kNoneCopied, kDenied},
        LineCase{"copy", "", kSyntax}, LineCase{"copy a b c", "", kSyntax}));

INSTANTIATE_TEST_SUITE_P(
    CommandInterpreterMove, CommandInterpreterLineTest,
    ::testing::Values(
        LineCase{"move C:\\DATA\\B.TXT C:\\out\\b.txt", "        1 file(s) moved.\n", "",
                 {{"out/b.txt", "new b"}, {"data/b.txt", kMissing}}},
        LineCase{"move \"C:\\data\\b.txt\" C:\\OUT > C:\\log.txt", "", "",
                 {{"log.txt", "        1 file(s) moved.\r\n"}, {"out/b.txt", "new b"}}},
        LineCase{"move C:\\data\\sub C:\\moved", "        1 dir(s) moved.\n", "",
                 {{"moved/inner.txt", "inner"}, {"data/sub", kMissing}}},
        LineCase{"move C:\\missing.txt C:\\b.txt", "", kNotFound, {{"b.txt", kMissing}}},
        LineCase{"move C:\\data\\b.txt \"{}\"", "", kDenied, {{"data/b.txt", "new b"}}},
        LineCase{"move \"{}\" C:\\b.txt", "", kDenied, {{"b.txt", kMissing}}},
        LineCase{"move C:\\ C:\\elsewhere", "", kDenied}, LineCase{"move C:\\a", "", kSyntax}));

INSTANTIATE_TEST_SUITE_P(
    CommandInterpreterDel, CommandInterpreterLineTest,
    ::testing::Values(
        LineCase{"del /q C:\\DATA\\b.txt", "", "", {{"data/b.txt", kMissing}}},
        LineCase{"DEL \"C:\\data\\b.txt\" /Q", "", "", {{"data/b.txt", kMissing}}},
        LineCase{"del /q C:\\data", "", "",
                 {{"data/b.txt", kMissing},
                  {"data/A.bin", kMissing},
                  {"data/sub/inner.txt", "inner"}}},
        LineCase{"del /q C:\\data\\*.TXT", "", "",
                 {{"data/b.txt", kMissing}, {"data/A.bin", kBinary}}},
        // A final ".*" also matches a name without an extension.
        LineCase{"del /q C:\\tree\\NOEXT.*", "", "", {{"tree/noext", kMissing}}},
        LineCase{"del /q C:\\tree\\?o?x?", "", "", {{"tree/noext", kMissing}}},
        LineCase{"del /q C:\\nothing.txt", "", "Could Not Find C:\\nothing.txt\n"},
        LineCase{"del /q \"C:\\no thing.txt\"", "", "Could Not Find C:\\no thing.txt\n"},
        LineCase{"del /q C:\\data\\*.none", "", "Could Not Find C:\\data\\*.none\n"},
        LineCase{"del /q C:\\Program Files\\x", "",
                 "Could Not Find C:\\Program\nCould Not Find Files\\x\n"},
        // Unquoted blanks separate paths: the first part is deleted on its own.
        LineCase{"del /q C:\\data\\b.txt Files\\x", "", "Could Not Find Files\\x\n",
                 {{"data/b.txt", kMissing}}},
        LineCase{"del /q \"{}\"", "", kDenied}, LineCase{"del /q", "", kSyntax}));

INSTANTIATE_TEST_SUITE_P(
    CommandInterpreterRmdir, CommandInterpreterLineTest,
    ::testing::Values(
        LineCase{"rmdir /S /Q C:\\tree", "", "", {{"tree", kMissing}, {"data/b.txt", "new b"}}},
        LineCase{"rmdir /q /s C:\\Tree", "", "", {{"tree", kMissing}}},
        LineCase{"RD /s /q \"C:\\tree\"", "", "", {{"tree", kMissing}}},
        LineCase{"rd C:\\tree\\ /S/Q", "", "", {{"tree", kMissing}}},
        LineCase{"rmdir /S /Q C:\\missing", "", kNotFound},
        LineCase{"rmdir /q C:\\tree", "", "The directory is not empty.\n",
                 {{"tree/deep/x.txt", "x"}}},
        LineCase{"rmdir /s /q C:\\", "", kDenied, {{"data/b.txt", "new b"}}},
        LineCase{"rd /s /q C:\\..\\..\\..", "", kDenied, {{"data/b.txt", "new b"}}},
        LineCase{"rd /s /q", "", kSyntax}));

INSTANTIATE_TEST_SUITE_P(
    CommandInterpreterBatch, CommandInterpreterLineTest,
    ::testing::Values(
        LineCase{"C:\\RUN.BAT", "first\n" + kRan + "third\n", "", {{"two.txt", "second \r\n"}},
                 {"prog.exe one"}},
        LineCase{"C:\\run.bat > C:\\log.txt", "", "",
                 {{"log.txt", "first\r\n" + kRan + "third\r\n"}, {"two.txt", "second \r\n"}},
                 {"prog.exe one"}},
        LineCase{"\"C:\\my scripts\\go.cmd\"", "a\nb\n"},
        LineCase{"C:\\quiet.bat", "ECHO is off.\n"},
        // As in cmd, a batch file started from another one does not return to it.
        LineCase{"C:\\first.bat", "in first\na\nb\n"},
        LineCase{"C:\\none.bat", "", NotRecognized("C:\\none.bat"), {}, {"C:\\none.bat"}}));

INSTANTIATE_TEST_SUITE_P(
    CommandInterpreterProgram, CommandInterpreterLineTest,
    ::testing::Values(
        LineCase{"  prog.exe a \"b c\"   ", kRan, "", {}, {"prog.exe a \"b c\""}},
        LineCase{"prog.exe \"C:\\x\\file.asn1\"\n", kRan, "", {},
                 {"prog.exe \"C:\\x\\file.asn1\"\n"}},
        LineCase{"\"C:\\my tools\\prog.exe\" -x > \"C:\\prog out.txt\"", "", "",
                 {{"prog out.txt", kRan}}, {"\"C:\\my tools\\prog.exe\" -x"}},
        LineCase{"nothere.exe x > C:\\log.txt", "", NotRecognized("nothere.exe"), {{"log.txt", ""}},
                 {"nothere.exe x"}},
        LineCase{"\"C:\\no where\\p.exe\" x", "", NotRecognized("C:\\no where\\p.exe"), {},
                 {"\"C:\\no where\\p.exe\" x"}}));

INSTANTIATE_TEST_SUITE_P(
    CommandInterpreterMalformed, CommandInterpreterLineTest,
    ::testing::Values(
        LineCase{""}, LineCase{"   \t "}, LineCase{"\r\n"}, LineCase{"@"},
        LineCase{">", "", kSyntax}, LineCase{"echo hi >", "", kSyntax},
        LineCase{"echo hi >>  ", "", kSyntax}, LineCase{"echo hi > \"\"", "", kSyntax},
        LineCase{"echo hi > > f", "", kSyntax}, LineCase{"echo hi > C:\\no\\f.txt", "", kNoPath},
        LineCase{"echo x > {}", "", kDenied}, LineCase{"echo x >> \"{}\"", "", kDenied},
        // An unbalanced quote runs to the end of the line.
        LineCase{"echo \"open > C:\\f.txt", "\"open > C:\\f.txt\n", "", {{"f.txt", kMissing}}},
        LineCase{"\"C:\\odd prog.exe -x > C:\\g.txt", kRan, "", {{"g.txt", kMissing}},
                 {"\"C:\\odd prog.exe -x > C:\\g.txt"}}));

TEST_F(CommandInterpreterTest, BatchFileThatStartsItselfStopsAtTheRecursionLimit) {
  const Output output = Run("C:\\self.bat");

  std::string expected;
  for (int i = 0; i < 32; ++i) expected += "x\n";
  EXPECT_EQ(output.out, expected);
  EXPECT_EQ(output.err, "******  B A T C H   R E C U R S I O N  exceeds STACK limits ******\n");
}

TEST_F(CommandInterpreterTest, RunBatchFileWritesWindowsLineEndsToTheGivenFd) {
  const int fd = open(C("log.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  ASSERT_GE(fd, 0);

  const Output output = Capture([&] { interpreter_.RunBatchFile(C("my scripts/go.cmd"), fd); });
  close(fd);

  EXPECT_EQ(output.out, "");
  EXPECT_EQ(ReadFile(C("log.txt")), "a\r\nb\r\n");
}

TEST_F(CommandInterpreterTest, OutputThisProcessBufferedComesFirst) {
  const Output output = Capture([&] {
    std::fputs("pending ", stdout);
    interpreter_.Run("echo mine");
  });

  EXPECT_EQ(output.out, "pending mine\n");
}

TEST_F(CommandInterpreterTest, ThousandsOfArguments) {
  std::string del = "del /q";
  std::string program = "prog.exe";
  std::string expectedErrors;
  for (int i = 0; i < 3000; ++i) {
    del += " C:\\f" + std::to_string(i);
    program += " a" + std::to_string(i);
    expectedErrors += "Could Not Find C:\\f" + std::to_string(i) + "\n";
  }

  const Output deleted = Run(del);
  Run(program);

  EXPECT_EQ(deleted.err, expectedErrors);
  EXPECT_EQ(runner_.calls, std::vector<std::string>{program});
}

TEST_F(CommandInterpreterTest, SurvivesBinaryJunk) {
  const std::string alphabet = "\"\"\"> >>\\\\//**??@@:.\t\r\nabcXYZ019\x80\xE9\xFF";
  const std::vector<std::string> heads = {"",        "echo ",     "copy ", "move ",
                                          "del /q ", "rd /s /q ", "x.bat "};
  std::mt19937 random(20240611);
  std::vector<std::string> lines;
  for (int i = 0; i < 400; ++i) {
    std::string line = heads[random() % heads.size()];
    for (std::size_t length = random() % 80; length > 0; --length) {
      line += alphabet[random() % alphabet.size()];
    }
    lines.push_back(line);
  }

  Capture([&] {
    for (const std::string& line : lines) interpreter_.Run(line);
  });

  EXPECT_EQ(ReadFile(C("tree/deep/x.txt")), "x");
  EXPECT_EQ(ReadFile(Outside()), "outside");
}

const std::string kInvalidName = "The filename, directory name, or volume label syntax is incorrect.\n";

// This host would see only the text before a NUL: the drive folder itself.
INSTANTIATE_TEST_SUITE_P(
    CommandInterpreterControlCharacters, CommandInterpreterLineTest,
    ::testing::Values(
        LineCase{"rd /s \0"s, "", kInvalidName, {{"data/b.txt", "new b"}}},
        LineCase{"rd /s /q C:\\tree\0x"s, "", kInvalidName, {{"tree/deep/x.txt", "x"}}},
        LineCase{"rmdir /s /q C:\\tree \x01"s, "", kInvalidName, {{"tree/deep/x.txt", "x"}}},
        LineCase{"move C:\0 t"s, "", kInvalidName, {{"t", kMissing}, {"data/b.txt", "new b"}}},
        LineCase{"move C:\\data\\b.txt \"C:\\out\\\x1f\"", "", kInvalidName,
                 {{"data/b.txt", "new b"}, {"out/b.txt", "old b"}}},
        LineCase{"copy C:\\data\\b.txt C:\\out\\b.txt\x07", "", kInvalidName,
                 {{"out/b.txt", "old b"}}},
        LineCase{"del /q C:\\data\\b.txt\0.bak"s, "", kInvalidName, {{"data/b.txt", "new b"}}},
        LineCase{"echo x > C:\\out\\b.txt\0"s, "", kInvalidName, {{"out/b.txt", "old b"}}},
        LineCase{"echo a\x01z", "a\x01z\n"}));

TEST_F(CommandInterpreterTest, BatchLinesWithNulTouchNoDrive) {
  WriteFile(root_.Path() / "d" / "keep.txt", "d");
  WriteFile(C("nul.bat"), "move d:\0 t\r\nrd /s \0\r\nrd /s /q d:\\\0\r\necho done\r\n"s);

  const Output output = Run("C:\\nul.bat");

  EXPECT_EQ(output.out, "done\n");
  EXPECT_EQ(output.err, kInvalidName + kInvalidName + kInvalidName);
  EXPECT_EQ(ReadFile(root_.Path() / "d" / "keep.txt"), "d");
  EXPECT_EQ(ReadFile(C("data/b.txt")), "new b");
  EXPECT_EQ(ReadFile(C("t")), kMissing);
}

}  // namespace
}  // namespace platform
