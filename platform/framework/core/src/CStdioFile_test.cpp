#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "brenmoor/core/CException.h"
#include "brenmoor/core/CFile.h"
#include "TempFolder.h"

namespace {

using testsupport::ReadFile;
using testsupport::WriteFile;

constexpr UINT kAppend = CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite;

CString PathOf(const std::filesystem::path& path) { return CString::FromUtf8(path.string()); }

// Opens, writes each piece, closes; the file's bytes afterwards.
std::string WriteAndRead(const std::filesystem::path& file, UINT flags, const std::vector<std::string>& pieces) {
  CStdioFile stream;
  EXPECT_TRUE(stream.Open(PathOf(file), flags));
  for (const std::string& piece : pieces) stream.Write(piece.data(), static_cast<UINT>(piece.size()));
  stream.Close();
  return ReadFile(file);
}

TEST(CStdioFileTest, TextModeWritesEachLineFeedAsCarriageReturnLineFeed) {
  struct Case {
    std::string before;
    UINT flags;
    std::vector<std::string> pieces;
    std::string after;
  };
  const std::vector<Case> cases = {
      {"<missing>", kAppend, {"a\nb\n", "\n"}, "a\r\nb\r\n\r\n"},
      {"<missing>", kAppend | CFile::typeText, {"\r\n", "x\n\ny"}, "\r\r\nx\r\n\r\ny"},
      {"<missing>", kAppend | CFile::typeBinary, {"a\nb\r\n", std::string("\0\n", 2)}, std::string("a\nb\r\n\0\n", 7)},
      {"old\r\n", kAppend, {"new\n"}, "old\r\nnew\r\n"},
      {"old\r\n", kAppend | CFile::typeBinary, {"new\n"}, "old\r\nnew\n"},
      {"old content", CFile::modeCreate | CFile::modeWrite, {"new"}, "new"},
      {"old", CFile::modeWrite | CFile::typeBinary, {"er"}, "older"},
      {"<missing>", kAppend, {}, ""},
  };
  for (const Case& c : cases) {
    testsupport::TempFolder folder;
    const auto file = folder.Path() / "out.txt";
    if (c.before != "<missing>") WriteFile(file, c.before);
    EXPECT_EQ(WriteAndRead(file, c.flags, c.pieces), c.after) << c.before << " " << c.flags;
  }
}

TEST(CStdioFileTest, WritesLargerThanTheBufferKeepTheirOrderAndLineEnds) {
  testsupport::TempFolder folder;
  std::string lines;
  std::string expected;
  for (int i = 0; i < 50000; ++i) {
    lines += "row\n";
    expected += "row\r\n";
  }
  const std::string text = WriteAndRead(folder.Path() / "big.txt", kAppend, {"head\n", lines, "tail"});
  EXPECT_EQ(text, "head\r\n" + expected + "tail");
}

TEST(CStdioFileTest, AppendsAtTheEndWhateverElseWritesThere) {
  testsupport::TempFolder folder;
  const auto file = folder.Path() / "log.txt";
  WriteFile(file, "1234");
  CStdioFile stream;
  ASSERT_TRUE(stream.Open(PathOf(file), kAppend | CFile::typeBinary));
  EXPECT_EQ(stream.SeekToEnd(), 4u);
  stream.Write("ab", 2);
  EXPECT_EQ(stream.SeekToEnd(), 6u);
  WriteFile(file, "xyz");  // replaced meanwhile by another writer
  stream.Write("c", 1);
  stream.Close();
  EXPECT_EQ(ReadFile(file), "xyzc");
}

struct OpenFailure {
  std::string name;
  int cause;
  LONG osError;
  const wchar_t* message;
};

void ExpectRefused(const std::filesystem::path& path, UINT flags, const OpenFailure& expected) {
  CStdioFile stream;
  CFileException error;
  EXPECT_FALSE(stream.Open(PathOf(path), flags, &error)) << expected.name;
  EXPECT_FALSE(stream.IsOpen());
  EXPECT_EQ(error.m_cause, expected.cause) << expected.name;
  EXPECT_EQ(error.m_lOsError, expected.osError) << expected.name;
  EXPECT_EQ(error.GetErrorMessage(), expected.message) << expected.name;
  EXPECT_EQ(error.m_strFileName, PathOf(path)) << expected.name;
}

TEST(CStdioFileTest, RefusedOpensSayWhyInTheCRuntimesWords) {
  testsupport::TempFolder folder;
  WriteFile(folder.Path() / "plain", "x");
  std::filesystem::create_directory(folder.Path() / "dir");
  const std::vector<std::pair<std::filesystem::path, OpenFailure>> cases = {
      {"missing/out.txt", {"missing folder", CFileException::fileNotFound, ENOENT, L"No such file or directory"}},
      {"dir", {"folder", CFileException::accessDenied, EACCES, L"Permission denied"}},
      {"plain/out.txt", {"file as folder", CFileException::fileNotFound, ENOENT, L"No such file or directory"}},
  };
  for (const auto& [relative, failure] : cases) {
    ExpectRefused(folder.Path() / relative, kAppend, failure);
    ExpectRefused(folder.Path() / relative, CFile::modeRead, failure);
  }
  EXPECT_FALSE(std::filesystem::exists(folder.Path() / "missing"));
}

TEST(CStdioFileTest, AnExclusiveOpenerKeepsEveryOtherOut) {
  testsupport::TempFolder folder;
  const auto file = folder.Path() / "held.txt";
  const OpenFailure sharing{"sharing", CFileException::sharingViolation, EACCES, L"Permission denied"};
  {
    CStdioFile holder;
    ASSERT_TRUE(holder.Open(PathOf(file), kAppend | CFile::shareExclusive));
    holder.Write("kept\n", 5);
    ExpectRefused(file, kAppend | CFile::shareExclusive, sharing);
    ExpectRefused(file, CFile::modeCreate | CFile::modeWrite, sharing);  // and does not truncate
    ExpectRefused(file, CFile::modeRead, sharing);
    // Another process: flock(1) cannot take the lock either.
    const std::string command = "flock -n -s '" + file.string() + "' true";
    EXPECT_NE(std::system(command.c_str()), 0);
  }
  EXPECT_EQ(ReadFile(file), "kept\r\n");
  CStdioFile reader;
  ASSERT_TRUE(reader.Open(PathOf(file), CFile::modeRead));
  ExpectRefused(file, kAppend | CFile::shareExclusive, sharing);
  reader.Close();
  CStdioFile writer;
  EXPECT_TRUE(writer.Open(PathOf(file), kAppend | CFile::shareExclusive));
}

TEST(CStdioFileTest, ALockHeldByAnotherOpenerOfTheFileRefusesTheExclusiveOpen) {
  testsupport::TempFolder folder;
  const auto file = folder.Path() / "locked.txt";
  WriteFile(file, "");
  const int other = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(other, 0);
  ASSERT_EQ(::flock(other, LOCK_EX | LOCK_NB), 0);
  ExpectRefused(file, kAppend | CFile::shareExclusive, {"lock", CFileException::sharingViolation, EACCES,
                                                         L"Permission denied"});
  ExpectRefused(file, kAppend, {"lock", CFileException::sharingViolation, EACCES, L"Permission denied"});
  ::close(other);
  CStdioFile stream;
  EXPECT_TRUE(stream.Open(PathOf(file), kAppend | CFile::shareExclusive));
}

TEST(CStdioFileTest, DevicesStayOpenToEveryone) {
  CStdioFile first;
  CStdioFile second;
  ASSERT_TRUE(first.Open(L"/dev/null", kAppend | CFile::shareExclusive));
  EXPECT_TRUE(second.Open(L"/dev/null", kAppend | CFile::shareExclusive));
  const std::string command = "flock -n -x /dev/null true";
  EXPECT_EQ(std::system(command.c_str()), 0);
}

TEST(CStdioFileTest, AFullDiskSurfacesAsAFileExceptionOnceTheBufferGoesOut) {
  CStdioFile small;
  ASSERT_TRUE(small.Open(L"/dev/full", kAppend | CFile::shareExclusive));
  small.Write("fits the buffer\n", 16);
  try {
    small.Close();
    ADD_FAILURE() << "Close did not throw";
  } catch (const CFileException& error) {
    EXPECT_EQ(error.m_cause, CFileException::diskFull);
    EXPECT_EQ(error.m_lOsError, ENOSPC);
    EXPECT_EQ(error.GetErrorMessage(), L"No space left on device");
    EXPECT_EQ(error.m_strFileName, L"/dev/full");
  }
  EXPECT_FALSE(small.IsOpen());
  EXPECT_NO_THROW(small.Close());

  CStdioFile large;
  ASSERT_TRUE(large.Open(L"/dev/full", kAppend | CFile::typeBinary));
  const std::string block(100000, 'x');
  EXPECT_THROW(large.Write(block.data(), static_cast<UINT>(block.size())), CFileException);
  EXPECT_NO_THROW(large.Abort());
  EXPECT_THROW(large.Write("x", 1), CFileException);

  CStdioFile abandoned;
  ASSERT_TRUE(abandoned.Open(L"/dev/full", kAppend));
  abandoned.Write("lost", 4);  // the destructor must not throw
}

TEST(CStdioFileTest, ErrorNumbersReadAsTheWindowsCRuntimeWordsThem) {
  const std::vector<std::pair<int, const wchar_t*>> cases = {
      {ENOENT, L"No such file or directory"}, {EACCES, L"Permission denied"},   {EEXIST, L"File exists"},
      {EINVAL, L"Invalid argument"},          {EMFILE, L"Too many open files"}, {ENOSPC, L"No space left on device"},
  };
  for (const auto& [osError, text] : cases) EXPECT_EQ(CFileException::ErrnoText(osError), text) << osError;
}

}  // namespace
