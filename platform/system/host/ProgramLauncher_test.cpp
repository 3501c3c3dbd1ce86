#include "host/ProgramLauncher.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <sstream>

#include "TempFolder.h"

namespace platform {
namespace {

using testsupport::ReadFile;
using testsupport::TempFolder;
using testsupport::WriteFile;

class ProgramLauncherTest : public testing::Test {
 protected:
  ProgramLauncherTest() : paths_(folder_.Path()), launcher_(paths_) {
    std::filesystem::create_directories(folder_.Path() / "c");
  }

  // A program that records its arguments, one per line in brackets, and its folder.
  void AddRecorder(const std::string& relative, const std::string& extra = "") {
    const auto file = folder_.Path() / relative;
    WriteFile(file, "#!/bin/sh\n{ for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done; pwd; } >> '" +
                        Record().string() + "'\n" + extra);
    std::filesystem::permissions(file, std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add);
  }
  std::filesystem::path Record() const { return folder_.Path() / "record.txt"; }
  std::string C() const { return (folder_.Path() / "c").string(); }

  TempFolder folder_;
  MachinePaths paths_;
  ProgramLauncher launcher_;
};

TEST_F(ProgramLauncherTest, ArgumentsAreSplitAndAbsolutePathsMapped) {
  AddRecorder("c/Tools/rec.exe");
  WriteFile(folder_.Path() / "c/Data/x.txt", "");
  launcher_.StartAndWait(
      "\"C:\\Tools\\rec.exe\" C:\\DATA\\X.TXT -f \"a b\" D:\\Missing\\Y \\rel \"C:\\K\\f.asn1\"\n",
      std::chrono::milliseconds(60000));
  EXPECT_EQ(ReadFile(Record()), "[" + C() + "/Data/x.txt]\n[-f]\n[a b]\n[" +
                                    (folder_.Path() / "d/Missing/Y").string() + "]\n[\\rel]\n[" +
                                    C() + "/K/f.asn1\n]\n" + C() + "\n");
}

TEST_F(ProgramLauncherTest, ProgramsResolveWithTheirExtensionsAndAnyCase) {
  AddRecorder("c/Tools/one.exe");
  AddRecorder("c/Tools/two.com");
  AddRecorder("c/Tools/Three");
  launcher_.StartAndWait("C:\\TOOLS\\ONE 1", std::chrono::milliseconds(60000));
  launcher_.StartAndWait("c:/tools/two 2", std::chrono::milliseconds(60000));
  launcher_.StartAndWait("\\tools\\three 3", std::chrono::milliseconds(60000));
  EXPECT_EQ(ReadFile(Record()), "[1]\n" + C() + "\n[2]\n" + C() + "\n[3]\n" + C() + "\n");
}

TEST_F(ProgramLauncherTest, BatchFilesRunInTheCommandInterpreter) {
  AddRecorder("c/Tools/rec.exe");
  WriteFile(folder_.Path() / "c/Jobs/job.bat",
            "@rem is not known\r\n  \"C:\\Tools\\rec.exe\" first\r\n\r\n\techo done> C:\\out.txt\r\n");
  EXPECT_TRUE(launcher_.RunProgram("\"C:\\Jobs\\job\"", STDOUT_FILENO));
  EXPECT_EQ(ReadFile(Record()), "[first]\n" + C() + "\n");
  EXPECT_EQ(ReadFile(folder_.Path() / "c/out.txt"), "done\r\n");
}

TEST_F(ProgramLauncherTest, OutputGoesWhereTheInterpreterSends) {
  AddRecorder("c/Tools/say.exe", "echo said \"$1\"\n");
  TempFolder out;
  const auto file = out.Path() / "out.txt";
  int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  ASSERT_GE(fd, 0);
  EXPECT_TRUE(launcher_.RunProgram("C:\\Tools\\say.exe hello", fd));
  ::close(fd);
  EXPECT_EQ(ReadFile(file), "said hello\n");
}

TEST_F(ProgramLauncherTest, MissingProgramsAreNotStarted) {
  EXPECT_FALSE(launcher_.RunProgram("C:\\Tools\\none.exe x", STDOUT_FILENO));
  EXPECT_FALSE(launcher_.RunProgram("", STDOUT_FILENO));
  EXPECT_FALSE(launcher_.RunProgram("   ", STDOUT_FILENO));
  std::filesystem::create_directories(folder_.Path() / "c/Tools/folder.exe");
  EXPECT_FALSE(launcher_.RunProgram("C:\\Tools\\folder.exe", STDOUT_FILENO));
  launcher_.StartAndWait("C:\\Tools\\none.exe", std::chrono::milliseconds(60000));
  EXPECT_FALSE(std::filesystem::exists(Record()));
}

TEST_F(ProgramLauncherTest, TheWaitEndsWhenTheProgramEnds) {
  AddRecorder("c/Tools/quick.exe");
  const auto start = std::chrono::steady_clock::now();
  launcher_.StartAndWait("C:\\Tools\\quick.exe", std::chrono::minutes(5));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::minutes(1));
  EXPECT_TRUE(std::filesystem::exists(Record()));
}

TEST_F(ProgramLauncherTest, TheWaitEndsAtTheLimitAndLeavesTheProgramRunning) {
  const auto pidFile = folder_.Path() / "pid";
  AddRecorder("c/Tools/hang.exe",
              "echo $$ > '" + pidFile.string() + "'\nexec >/dev/null 2>&1\nexec sleep 120\n");
  const auto start = std::chrono::steady_clock::now();
  launcher_.StartAndWait("C:\\Tools\\hang.exe", std::chrono::milliseconds(300));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::minutes(1));
  for (int i = 0; i < 1000 && ReadFile(pidFile).find('\n') == std::string::npos; ++i) {
    usleep(10000);
  }
  const pid_t hung = std::stoi(ReadFile(pidFile));
  EXPECT_EQ(kill(hung, 0), 0) << "the program must still run";
  kill(hung, SIGKILL);
}

}  // namespace
}  // namespace platform
