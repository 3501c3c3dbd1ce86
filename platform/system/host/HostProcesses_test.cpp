#include "host/HostProcesses.h"

#include <gtest/gtest.h>

#include "host/MachineCodePage.h"
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "TempFolder.h"

extern char** environ;

namespace platform {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::optional<std::string>>;

// Far above any process count, so the whole list comes back.
constexpr std::size_t kEverything = 1'000'000;

// A copy of a host program started under another file name. It is killed
// and reaped with the object, however the test ends.
class StartedCopy {
 public:
  StartedCopy(const fs::path& program, const std::string& name,
              const std::vector<std::string>& arguments) {
    const fs::path file = folder_.Path() / name;
    fs::copy_file(program, file);
    const std::string path = file.string();
    std::vector<std::string> words{path};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, path.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
      throw std::runtime_error("cannot start " + path);
    }
  }
  ~StartedCopy() {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  StartedCopy(const StartedCopy&) = delete;
  StartedCopy& operator=(const StartedCopy&) = delete;

  pid_t Pid() const { return pid_; }

 private:
  testsupport::TempFolder folder_;
  pid_t pid_ = -1;
};

std::optional<std::string> ProgramOf(const std::string& process) {
  std::error_code error;
  const fs::path program = fs::read_symlink("/proc/" + process + "/exe", error);
  if (error) return std::nullopt;
  return program.filename().string();
}

long Count(const Names& names, const std::string& name) {
  return std::count(names.begin(), names.end(), std::optional<std::string>(name));
}

// Unique per test process: suites may run side by side.
std::string Unique(const std::string& name) { return name + " " + std::to_string(getpid()); }

TEST(HostProcessesTest, TheTestsOwnProcessAppearsUnderItsProgramsBaseName) {
  const std::optional<std::string> own = ProgramOf("self");
  ASSERT_TRUE(own.has_value());
  ASSERT_EQ(own->find('/'), std::string::npos);
  // Another copy of this suite may be running too.
  EXPECT_GE(Count(ListHostProcesses(kEverything), *own), 1);
}

TEST(HostProcessesTest, AStartedProgramAppearsUnderItsFileNameInTheAnsiCodePage) {
  // A machine whose registry names Windows-1252.
  machine::ScopedCodePage windows1252(encoding::CodePage::Windows1252);
  const std::string utf8Name = Unique("Stand-in Caf\xc3\xa9.exe");
  const std::string ansiName = Unique("Stand-in Caf\xe9.exe");
  StartedCopy child("/bin/sleep", utf8Name, {"30"});
  const Names names = ListHostProcesses(kEverything);
  EXPECT_EQ(Count(names, ansiName), 1);
  EXPECT_EQ(Count(names, utf8Name), 0);
}

TEST(HostProcessesTest, AProcessWhoseProgramCannotBeReadHasNoName) {
  const std::string name = Unique("ended.exe");
  StartedCopy child("/bin/true", name, {});
  // Waits for the exit without reaping: the process stays, its program is gone.
  siginfo_t info{};
  ASSERT_EQ(waitid(P_PID, static_cast<id_t>(child.Pid()), &info, WEXITED | WNOWAIT), 0);
  ASSERT_FALSE(ProgramOf(std::to_string(child.Pid())).has_value());

  const Names names = ListHostProcesses(kEverything);
  EXPECT_EQ(Count(names, name), 0);
  EXPECT_GE(std::count(names.begin(), names.end(), std::nullopt), 1);
}

TEST(HostProcessesTest, TheLimitIsRespected) {
  // With these two and the test itself, at least three processes run.
  StartedCopy first("/bin/sleep", Unique("first.exe"), {"30"});
  StartedCopy second("/bin/sleep", Unique("second.exe"), {"30"});
  for (std::size_t limit : {0u, 1u, 2u, 3u}) {
    EXPECT_EQ(ListHostProcesses(limit).size(), limit) << limit;
  }
  const Names all = ListHostProcesses(kEverything);
  EXPECT_GE(all.size(), 3u);
  EXPECT_LT(all.size(), kEverything);
  EXPECT_EQ(Count(all, Unique("first.exe")), 1);
  EXPECT_EQ(Count(all, Unique("second.exe")), 1);
}

TEST(HostProcessesTest, ProcessesComeInAscendingIdOrder) {
  StartedCopy first("/bin/sleep", Unique("first.exe"), {"30"});
  StartedCopy second("/bin/sleep", Unique("second.exe"), {"30"});
  const Names all = ListHostProcesses(kEverything);
  const auto at = [&all](const std::string& name) {
    return std::find(all.begin(), all.end(), std::optional<std::string>(name)) - all.begin();
  };
  const bool firstIsLower = first.Pid() < second.Pid();
  EXPECT_EQ(at(Unique("first.exe")) < at(Unique("second.exe")), firstIsLower);

  // Process 1 is always there and never changes; its program may be unreadable.
  const Names lowest = ListHostProcesses(1);
  ASSERT_EQ(lowest.size(), 1u);
  EXPECT_EQ(lowest[0], ProgramOf("1"));
}

}  // namespace
}  // namespace platform
