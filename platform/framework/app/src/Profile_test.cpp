#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <memory>
#include <thread>

#include "brenmoor/app/CWinApp.h"
#include "brenmoor/core/ProfileFile.h"
#include "TempFolder.h"

namespace {

using testsupport::ReadFile;
using testsupport::WriteFile;

class ProfileTest : public ::testing::Test {
 protected:
  ProfileTest() { app_.SetProfileFile(file_); }

  testsupport::TempFolder folder_;
  std::filesystem::path file_ = folder_.Path() / "host.ini";
  CWinApp app_{L"Host"};
};

TEST_F(ProfileTest, WritesCreateSectionsAndEntriesInOrder) {
  EXPECT_TRUE(app_.WriteProfileString(L"Main", L"Title", L"Kelvin ä"));
  EXPECT_TRUE(app_.WriteProfileInt(L"Main", L"Count", -42));
  EXPECT_TRUE(app_.WriteProfileInt(L"SYSTEM", L"LastMdiPlacement", 3));
  const BYTE block[] = {0x00, 0x2C, 0xAB, 0xFF};
  EXPECT_TRUE(app_.WriteProfileBinary(L"main", L"Block", block, 4));
  EXPECT_TRUE(app_.WriteProfileString(L"MAIN", L"title", L"again"));
  EXPECT_EQ(ReadFile(file_),
            "[Main]\r\nTitle=again\r\nCount=-42\r\nBlock=002CABFF\r\n"
            "[SYSTEM]\r\nLastMdiPlacement=3\r\n");
  EXPECT_FALSE(std::filesystem::exists(folder_.Path() / ("host.ini.tmp" + std::to_string(::getpid()))));
}

TEST_F(ProfileTest, ReadsValuesNumbersAndDefaults) {
  WriteFile(file_,
            "; kept\r\n[Main]\r\nName = spaced value \r\nNumber=12abc\r\nWord=abc\r\nHuge=4294967296\r\n"
            "[Other]\nName=second\n");
  EXPECT_EQ(app_.GetProfileString(L"main", L"NAME"), L"spaced value");
  EXPECT_EQ(app_.GetProfileString(L"Other", L"Name"), L"second");
  EXPECT_EQ(app_.GetProfileString(L"Main", L"Missing", L"fallback"), L"fallback");
  EXPECT_EQ(app_.GetProfileString(L"Nowhere", L"Name"), L"");
  EXPECT_EQ(app_.GetProfileInt(L"Main", L"Number", 7), 12u);
  EXPECT_EQ(app_.GetProfileInt(L"Main", L"Word", 7), 0u);
  EXPECT_EQ(app_.GetProfileInt(L"Main", L"Huge", 7), 2147483647u);
  EXPECT_EQ(app_.GetProfileInt(L"Main", L"Missing", 9), 9u);
}

TEST_F(ProfileTest, BinaryEntriesReadOnlyWhenWholeHexBytes) {
  WriteFile(file_, "[B]\r\nGood=00ff10\r\nOdd=00F\r\nNotHex=00GG\r\nEmpty=\r\n");
  BYTE* data = nullptr;
  UINT bytes = 99;
  ASSERT_TRUE(app_.GetProfileBinary(L"B", L"Good", &data, &bytes));
  const std::unique_ptr<BYTE[]> owned(data);
  ASSERT_EQ(bytes, 3u);
  EXPECT_EQ(data[0], 0x00);
  EXPECT_EQ(data[1], 0xFF);
  EXPECT_EQ(data[2], 0x10);
  for (const wchar_t* entry : {L"Odd", L"NotHex", L"Empty", L"Missing"}) {
    BYTE* none = reinterpret_cast<BYTE*>(&bytes);
    bytes = 99;
    EXPECT_FALSE(app_.GetProfileBinary(L"B", entry, &none, &bytes)) << entry;
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(bytes, 0u);
  }
}

TEST_F(ProfileTest, RewriteKeepsEverythingElseByteForByte) {
  WriteFile(file_, "; comment\r\njunk line\r\n[A]\r\nOne=1\r\n\r\n[B]\r\nTwo=2\r\n[A]\r\nOne=shadowed\r\n");
  EXPECT_TRUE(app_.WriteProfileString(L"A", L"Three", L"3"));
  EXPECT_TRUE(app_.WriteProfileString(L"B", L"Two", L"two"));
  EXPECT_EQ(ReadFile(file_),
            "; comment\r\njunk line\r\n[A]\r\nOne=1\r\nThree=3\r\n\r\n[B]\r\nTwo=two\r\n[A]\r\nOne=shadowed\r\n");
  EXPECT_EQ(app_.GetProfileString(L"A", L"One"), L"1");
}

TEST_F(ProfileTest, EmptyAndTruncatedFilesKeepWhatTheyHold) {
  WriteFile(file_, "");
  EXPECT_EQ(app_.GetProfileInt(L"SYSTEM", L"LastMdiPlacement", 9), 9u);
  EXPECT_TRUE(app_.WriteProfileInt(L"SYSTEM", L"LastMdiPlacement", 1));
  EXPECT_EQ(ReadFile(file_), "[SYSTEM]\r\nLastMdiPlacement=1\r\n");

  WriteFile(file_, "[A]\r\nOne=1\r\n[B]\r\nTw");
  EXPECT_EQ(app_.GetProfileString(L"A", L"One"), L"1");
  EXPECT_TRUE(app_.WriteProfileString(L"A", L"One", L"won"));
  EXPECT_EQ(ReadFile(file_), "[A]\r\nOne=won\r\n[B]\r\nTw\r\n");
}

TEST_F(ProfileTest, FileThatIsNotTextIsNeverOverwritten) {
  for (const std::string& bytes : {std::string("[A]\r\nOne=1\r\n\0\x01\x02", 15), std::string("[A]\r\nOne=\xff\xfe\r\n")}) {
    WriteFile(file_, bytes);
    EXPECT_EQ(app_.GetProfileString(L"A", L"One", L"default"), L"default");
    EXPECT_FALSE(app_.WriteProfileString(L"A", L"Two", L"2"));
    EXPECT_EQ(ReadFile(file_), bytes);
  }
}

TEST_F(ProfileTest, NamesAndValuesThatWouldBreakTheFileAreRefused) {
  WriteFile(file_, "[A]\r\nOne=1\r\n");
  const struct {
    const wchar_t* section;
    const wchar_t* entry;
    const wchar_t* value;
  } refused[] = {
      {L"A", L"Two", L"line\r\nbreak"}, {L"A", L"Tw=o", L"2"}, {L"A", L"[Two]", L"2"}, {L"A", L"", L"2"},
      {L"A", L" Two", L"2"},            {L"A]", L"Two", L"2"},  {L"", L"Two", L"2"},  {L"A", L"Two", nullptr},
      {L"A\n", L"Two", L"2"},           {L"A", L";Two", L"2"},
  };
  for (const auto& write : refused) {
    EXPECT_FALSE(app_.WriteProfileString(write.section, write.entry, write.value)) << write.entry;
  }
  // A zero unit would leave a file that is not text, which no later write could change.
  const CString zero(std::wstring(L"t\0wo", 4));
  const ProfileFile profile(file_);
  EXPECT_FALSE(profile.Write(L"A", zero, L"2"));
  EXPECT_FALSE(profile.Write(zero, L"Two", L"2"));
  EXPECT_FALSE(profile.Write(L"A", L"Two", zero));
  EXPECT_EQ(ReadFile(file_), "[A]\r\nOne=1\r\n");
}

TEST_F(ProfileTest, FailedRewriteLeavesNoTemporaryFileAndReportsIt) {
  CWinApp nowhere(L"Nowhere");
  nowhere.SetProfileFile(folder_.Path() / "missing" / "host.ini");
  EXPECT_FALSE(nowhere.WriteProfileInt(L"A", L"One", 1));
  std::filesystem::create_directory(file_);  // a folder cannot be replaced by the rewrite
  EXPECT_FALSE(app_.WriteProfileInt(L"A", L"One", 1));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_.Path()), {}), 1);
}

// A child process writing entries First..Last of a section; its exit status counts the refused writes.
pid_t StartWriter(const std::filesystem::path& file, const wchar_t* section, int first, int last) {
  const pid_t child = ::fork();
  if (child != 0) return child;
  const ProfileFile profile(file);
  int refused = 0;
  for (int i = first; i <= last; ++i) {
    const CString name(L"Entry" + std::to_wstring(i));
    if (!profile.Write(CString(section), name, CString(std::to_wstring(i)))) ++refused;
  }
  ::_exit(refused > 100 ? 100 : refused);
}

// The exit status of a child, or -1 when it does not end within a minute (it is then killed).
int ExitStatusOf(pid_t child) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
  int status = 0;
  while (::waitpid(child, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      ::kill(child, SIGKILL);
      ::waitpid(child, &status, 0);
      return -1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(ProfileTest, TwoProcessesWritingOneProfileLoseNoEntry) {
  const pid_t one = StartWriter(file_, L"Shared", 1, 500);
  const pid_t two = StartWriter(file_, L"Shared", 501, 1000);
  EXPECT_EQ(ExitStatusOf(one), 0);
  EXPECT_EQ(ExitStatusOf(two), 0);
  const ProfileFile profile(file_);
  int found = 0;
  for (int i = 1; i <= 1000; ++i) {
    if (profile.Read(L"Shared", CString(L"Entry" + std::to_wstring(i))) == CString(std::to_wstring(i))) ++found;
  }
  EXPECT_EQ(found, 1000);
}

TEST_F(ProfileTest, RewriteKeepsTheFileModeAndWritesThroughSymbolicLinks) {
  WriteFile(folder_.Path() / "real" / "host.ini", "[A]\r\nOne=1\r\n");
  ::chmod((folder_.Path() / "real" / "host.ini").c_str(), 0600);
  std::filesystem::create_symlink("real/host.ini", file_);
  EXPECT_TRUE(app_.WriteProfileString(L"A", L"Two", L"2"));
  EXPECT_TRUE(std::filesystem::is_symlink(file_));
  EXPECT_EQ(ReadFile(folder_.Path() / "real" / "host.ini"), "[A]\r\nOne=1\r\nTwo=2\r\n");
  struct stat status {};
  ASSERT_EQ(::stat(file_.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0600u);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_.Path() / "real"), {}), 1);
}

TEST(ProfileWithoutFile, ReadsDefaultsAndWritesFail) {
  CWinApp app(L"Host");
  EXPECT_EQ(app.GetProfileString(L"A", L"B", L"d"), L"d");
  EXPECT_EQ(app.GetProfileInt(L"A", L"B", 5), 5u);
  EXPECT_FALSE(app.WriteProfileString(L"A", L"B", L"c"));
}

}  // namespace
