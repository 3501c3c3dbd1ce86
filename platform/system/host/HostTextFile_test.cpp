#include "host/HostTextFile.h"

#include <gtest/gtest.h>

#include "TempFolder.h"

namespace platform {
namespace {

using testsupport::ReadFile;
using testsupport::TempFolder;
using testsupport::WriteFile;

std::vector<std::string> Pieces(const std::filesystem::path& file, std::size_t maxChars) {
  auto text = HostTextFile::Open(file, FileMode::Read);
  EXPECT_NE(text, nullptr);
  std::vector<std::string> pieces;
  std::string piece;
  while (text && text->ReadLine(piece, maxChars)) pieces.push_back(piece);
  return pieces;
}

TEST(HostTextFileTest, ReadingTranslatesLineEndsAsTheWindowsRuntime) {
  TempFolder folder;
  const auto file = folder.Path() / "a.txt";
  WriteFile(file, "one\r\ntwo\nlone\rcr\r\r\nlast");
  EXPECT_EQ(Pieces(file, 199),
            (std::vector<std::string>{"one\n", "two\n", "lone\rcr\r\n", "last"}));
}

TEST(HostTextFileTest, CtrlZEndsTheText) {
  TempFolder folder;
  const auto file = folder.Path() / "z.txt";
  WriteFile(file, "kept\n\x1a" "dropped\n");
  EXPECT_EQ(Pieces(file, 199), std::vector<std::string>{"kept\n"});
}

TEST(HostTextFileTest, PiecesStopAtTheLimitOrThroughTheLineEnd) {
  TempFolder folder;
  const auto file = folder.Path() / "p.txt";
  WriteFile(file, "abcdef\r\nxyz\r\n");
  EXPECT_EQ(Pieces(file, 3), (std::vector<std::string>{"abc", "def", "\n", "xyz", "\n"}));
  EXPECT_EQ(Pieces(file, 4), (std::vector<std::string>{"abcd", "ef\n", "xyz\n"}));
}

TEST(HostTextFileTest, LineEndsAcrossTheReadBufferStayWhole) {
  TempFolder folder;
  const auto file = folder.Path() / "big.txt";
  for (std::size_t length : {65535u, 65536u, 65537u, 131071u}) {
    WriteFile(file, std::string(length, 'a') + "\r\nb\r\rc");
    EXPECT_EQ(Pieces(file, 1000000),
              (std::vector<std::string>{std::string(length, 'a') + "\n", "b\r\rc"}))
        << length;
  }
}

TEST(HostTextFileTest, NulBytesAreRead) {
  TempFolder folder;
  const auto file = folder.Path() / "nul.txt";
  WriteFile(file, std::string("a\0b\r\n", 5));
  EXPECT_EQ(Pieces(file, 199), std::vector<std::string>{std::string("a\0b\n", 4)});
}

TEST(HostTextFileTest, WritingTurnsEveryLineEndIntoCrLf) {
  TempFolder folder;
  const auto file = folder.Path() / "w.txt";
  auto text = HostTextFile::Open(file, FileMode::Write);
  ASSERT_NE(text, nullptr);
  EXPECT_TRUE(text->Write("\nline\n\nend"));
  EXPECT_TRUE(text->Write("\r\n"));
  EXPECT_TRUE(text->Close());
  EXPECT_EQ(ReadFile(file), "\r\nline\r\n\r\nend\r\r\n");
}

TEST(HostTextFileTest, WriteReplacesAndAppendAdds) {
  TempFolder folder;
  const auto file = folder.Path() / "log.txt";
  WriteFile(file, "old contents");
  auto replaced = HostTextFile::Open(file, FileMode::Write);
  ASSERT_NE(replaced, nullptr);
  replaced->Write("a\n");
  replaced->Close();
  auto appended = HostTextFile::Open(file, FileMode::Append);
  ASSERT_NE(appended, nullptr);
  appended->Write("b\n");
  appended.reset();  // closing by destruction keeps what was written
  EXPECT_EQ(ReadFile(file), "a\r\nb\r\n");
}

TEST(HostTextFileTest, FoldersAndMissingFilesDoNotOpen) {
  TempFolder folder;
  EXPECT_EQ(HostTextFile::Open(folder.Path() / "missing.txt", FileMode::Read), nullptr);
  EXPECT_EQ(HostTextFile::Open(folder.Path() / "no" / "such.txt", FileMode::Write), nullptr);
  EXPECT_EQ(HostTextFile::Open(folder.Path(), FileMode::Read), nullptr);
  EXPECT_EQ(HostTextFile::Open(folder.Path(), FileMode::Append), nullptr);
}

TEST(HostTextFileTest, AFullDiskIsReportedOnClose) {
  auto text = HostTextFile::Open("/dev/full", FileMode::Write);
  ASSERT_NE(text, nullptr);
  text->Write(std::string(100000, 'x'));
  EXPECT_FALSE(text->Close());
}

}  // namespace
}  // namespace platform
