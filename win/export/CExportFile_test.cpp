#include "brenmoor/win/CExportFile.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

#include <climits>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "brenmoor/core/CException.h"
#include "brenmoor/core/CTime.h"
#include "brenmoor/app/CWinApp.h"
#include "TempFolder.h"

namespace {

using testsupport::ReadFile;
using testsupport::WriteFile;
using Script = std::function<void(CExportFile&)>;

CString PathOf(const std::filesystem::path& path) { return CString::FromUtf8(path.string()); }

CExportFormat Format(const std::filesystem::path& file, const wchar_t* delimiter = L";", const wchar_t* quote = L"") {
  CExportFormat format;
  format.SetDelimiter(delimiter);
  format.SetQuote(quote);
  format.SetFilename(PathOf(file));
  return format;
}

// Opens an export of the format, runs the script, closes; the file's bytes afterwards.
std::string Export(const CExportFormat& format, bool binary, const Script& script, bool force1 = false,
                   bool force2 = false) {
  CExportFile file(format, force1, force2);
  EXPECT_TRUE(file.Open(binary)) << file.GetError().ToUtf8();
  script(file);
  file.Close();
  return ReadFile(format.GetFilename().ToUtf8());
}

void Row(CExportFile& file, const std::vector<CString>& fields) {
  for (const CString& field : fields) file.WriteField(field);
  file.WriteNewline();
}

TEST(CExportFileTest, WritesUtf8InBothModesWithCarriageReturnsOnlyInTextMode) {
  struct Case {
    const char* name;
    Script script;
    std::string text;
    std::string binary;
  };
  const std::vector<Case> cases = {
      {"rows", [](CExportFile& f) { Row(f, {L"a", L"b"}), Row(f, {L"c\nd"}); }, "a;b\r\nc\r\nd\r\n", "a;b\nc\nd\n"},
      {"numbers",
       [](CExportFile& f) {
         for (int n : {0, -42, INT_MIN, INT_MAX}) f.WriteField(n);
         f.WriteNewline();
       },
       "0;-42;-2147483648;2147483647\r\n", "0;-42;-2147483648;2147483647\n"},
      {"non-ASCII",
       [](CExportFile& f) {
         f.WriteField(L"caf\x00E9");
         f.WriteLine(L" \x20AC\x00FF");
         f.WriteStream(L"\xD83D\xDE00\n");
         f.WriteField(L"\x4E2D");
       },
       "caf\xC3\xA9 \xE2\x82\xAC\xC3\xBF\r\n\xF0\x9F\x98\x80\r\n;\xE4\xB8\xAD",
       "caf\xC3\xA9 \xE2\x82\xAC\xC3\xBF\n\xF0\x9F\x98\x80\n;\xE4\xB8\xAD"},
      {"unpaired surrogate", [](CExportFile& f) { f.WriteField(L"<\xD800>"); }, "<\xEF\xBF\xBD>",
       "<\xEF\xBF\xBD>"},
      {"lines and streams leave the line start alone",
       [](CExportFile& f) {
         f.WriteStream(L"s");
         f.WriteField(L"a");
         f.WriteLine(L"x");
         f.WriteField(L"b");
       },
       "sax\r\n;b", "sax\n;b"},
      {"nothing", [](CExportFile&) {}, "", ""},
  };
  for (const Case& c : cases) {
    testsupport::TempFolder folder;
    EXPECT_EQ(Export(Format(folder.Path() / "text.txt"), false, c.script), c.text) << c.name;
    EXPECT_EQ(Export(Format(folder.Path() / "binary.txt"), true, c.script), c.binary) << c.name;
  }
}

// Separators are joined to the value before conversion: a surrogate pairs
// across the join, and a line feed in them is one as any other.
TEST(CExportFileTest, SeparatorsJoinTheirFieldsAsOneText) {
  struct Case {
    const wchar_t* delimiter;
    const wchar_t* quote;
    std::string text;
    std::string binary;
  };
  const std::vector<Case> cases = {
      {L"\xD83D", L"", "a\xF0\x9F\x98\x80" "b\r\n", "a\xF0\x9F\x98\x80" "b\n"},
      {L"-", L"\xD83D", "\xEF\xBF\xBD" "a\xEF\xBF\xBD-\xF0\x9F\x98\x80" "b\xEF\xBF\xBD\r\n",
       "\xEF\xBF\xBD" "a\xEF\xBF\xBD-\xF0\x9F\x98\x80" "b\xEF\xBF\xBD\n"},
      {L"\n", L"'", "'a'\r\n'\xEF\xBF\xBD" "b'\r\n", "'a'\n'\xEF\xBF\xBD" "b'\n"},
  };
  for (const Case& c : cases) {
    testsupport::TempFolder folder;
    const Script row = [](CExportFile& f) { Row(f, {L"a", L"\xDE00" L"b"}); };
    EXPECT_EQ(Export(Format(folder.Path() / "text.txt", c.delimiter, c.quote), false, row), c.text);
    EXPECT_EQ(Export(Format(folder.Path() / "binary.txt", c.delimiter, c.quote), true, row), c.binary);
  }
}

TEST(CExportFileTest, TheBannerShowsTheDateAndTheHourOnATwelveHourClockFromZero) {
  struct Case {
    CTime now;
    int timestampBanner;
    bool force1, force2, binary;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {CTime(2026, 3, 14, 0, 5, 0), 1, false, false, false,
       "\r\n2026-03-14  0:05 AM  -  Data Export\r\n\r\nx\r\n"},
      {CTime(2026, 3, 14, 12, 5, 0), 1, false, false, false,
       "\r\n2026-03-14  0:05 PM  -  Data Export\r\n\r\nx\r\n"},
      {CTime(2026, 12, 31, 23, 59, 59), 0, true, false, true, "\n2026-12-31  11:59 PM  -  Data Export\n\nx\n"},
      {CTime(2026, 1, 2, 11, 0, 0), 0, false, true, false, "\r\n2026-01-02  11:00 AM  -  Data Export\r\n\r\nx\r\n"},
      {CTime(2026, 1, 2, 11, 0, 0), 0, false, false, false, "x\r\n"},
  };
  for (const Case& c : cases) {
    CTime::Substitute clock(c.now);
    testsupport::TempFolder folder;
    CExportFormat format = Format(folder.Path() / "banner.txt");
    format.TimestampBanner = c.timestampBanner;
    EXPECT_EQ(Export(format, c.binary, [](CExportFile& f) { Row(f, {L"x"}); }, c.force1, c.force2), c.expected);
  }
}

TEST(CExportFileTest, ASecondExportIsAppendedToTheFirst) {
  CTime::Substitute clock(CTime(2026, 3, 14, 9, 30, 0));
  testsupport::TempFolder folder;
  CExportFormat format = Format(folder.Path() / "twice.txt", L",", L"\"");
  format.TimestampBanner = 1;
  Export(format, false, [](CExportFile& f) { Row(f, {L"first"}); });
  EXPECT_EQ(Export(format, false, [](CExportFile& f) { Row(f, {L"second", L"row"}); }),
            "\r\n2026-03-14  9:30 AM  -  Data Export\r\n\r\n\"first\"\r\n"
            "\r\n2026-03-14  9:30 AM  -  Data Export\r\n\r\n\"second\",\"row\"\r\n");
}

TEST(CExportFileTest, TheDateGoesIntoTheFileNameAndLeavesCommaSeparatedOutputAsItWas) {
  CTime::Substitute clock(CTime(2026, 3, 14, 9, 30, 0));
  // A ".csv" name given through SetFilename switched comma-separated output
  // on; the dated ".txt" name neither switches it on nor off.
  for (const auto& [csvMode, expected] : {std::pair{1, "\"a,b\",c\r\n"}, std::pair{0, "'a,b'|'c'\r\n"}}) {
    testsupport::TempFolder folder;
    CExportFormat format = Format(folder.Path() / "list.csv", L"|", L"'");
    format.CsvMode = csvMode;
    format.DateInFilename = 1;
    CExportFile file(format, false, false);
    ASSERT_TRUE(file.Open(false));
    Row(file, {L"a,b", L"c"});
    file.Close();
    EXPECT_EQ(ReadFile(folder.Path() / "list_2026-03-14.txt"), expected);
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "list.csv"));
  }
}

TEST(CExportFileTest, AFileThatCannotBeOpenedSaysWhyAndGetsNothing) {
  testsupport::TempFolder folder;
  std::filesystem::create_directory(folder.Path() / "dir");
  WriteFile(folder.Path() / "held.txt", "kept");
  CStdioFile holder;
  ASSERT_TRUE(holder.Open(PathOf(folder.Path() / "held.txt"), CFile::modeRead | CFile::shareExclusive));
  const std::vector<std::pair<std::filesystem::path, const wchar_t*>> cases = {
      {folder.Path() / "missing" / "out.txt", L"No such file or directory"},
      {folder.Path() / "dir", L"Permission denied"},
      {folder.Path() / "held.txt", L"Permission denied"},
  };
  for (const auto& [path, error] : cases) {
    CExportFormat format = Format(path);
    format.TimestampBanner = 1;
    CExportFile file(format, true, true);
    EXPECT_FALSE(file.Open(false));
    EXPECT_EQ(file.GetError(), error) << path;
  }
  EXPECT_FALSE(std::filesystem::exists(folder.Path() / "missing"));
  EXPECT_EQ(ReadFile(folder.Path() / "held.txt"), "kept");
  EXPECT_TRUE(std::filesystem::is_empty(folder.Path() / "dir"));
}

TEST(CExportFileTest, AFullDiskThrowsFromTheWritesOrCloseButNeverFromTheDestructor) {
  const CExportFormat format = Format("/dev/full");
  {
    CExportFile file(format, false, false);
    ASSERT_TRUE(file.Open(false));
    Row(file, {L"small"});
    EXPECT_THROW(file.Close(), CFileException);
    EXPECT_NO_THROW(file.Close());
  }
  {
    CExportFile file(format, false, false);
    ASSERT_TRUE(file.Open(true));
    const CString big(L'x', 100000);
    EXPECT_THROW(file.WriteField(big), CFileException);
  }  // abandoned after the failure
  {
    CExportFile file(format, false, false);
    ASSERT_TRUE(file.Open(false));
    file.WriteField(L"never flushed");
  }
}

// Files may grow by only so many bytes more while one lives; writing past that fails (EFBIG).
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &before_);
    previous_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = before_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &before_);
    std::signal(SIGXFSZ, previous_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit before_{};
  void (*previous_)(int) = nullptr;
};

// A failed export leaves the exports before it whole and nothing of itself, whether
// the writes or the close fail; the cause is the system's own words.
TEST(CExportFileTest, AFailedExportIsCutBackToTheFileBeforeIt) {
  testsupport::TempFolder folder;
  const CExportFormat format = Format(folder.Path() / "list.txt");
  Export(format, false, [](CExportFile& f) { Row(f, {L"first", L"export"}); });
  const std::string before = "first;export\r\n";
  ASSERT_EQ(ReadFile(folder.Path() / "list.txt"), before);
  {
    const FileSizeLimit limit(before.size() + 70000);
    CExportFile file(format, true, false);
    ASSERT_TRUE(file.Open(true));
    try {
      for (int row = 0; row < 200; ++row) Row(file, {CString(L'r', 1000), L"row"});
      ADD_FAILURE() << "no failure past the limit";
    } catch (const CFileException& error) {
      EXPECT_EQ(error.GetErrorMessage(), L"File too large");
    }
  }
  EXPECT_EQ(ReadFile(folder.Path() / "list.txt"), before);
  {
    const FileSizeLimit limit(before.size() + 3);
    CExportFile file(format, false, false);
    ASSERT_TRUE(file.Open(false));
    Row(file, {L"second"});
    EXPECT_THROW(file.Close(), CFileException);
  }
  EXPECT_EQ(ReadFile(folder.Path() / "list.txt"), before);

  CExportFile full(Format("/dev/full"), false, false);
  ASSERT_TRUE(full.Open(false));
  Row(full, {L"small"});
  try {
    full.Close();
    ADD_FAILURE() << "a full disk took the row";
  } catch (const CFileException& error) {
    EXPECT_EQ(error.GetErrorMessage(), L"No space left on device");
    EXPECT_EQ(error.m_cause, CFileException::diskFull);
  }
}

// Python's csv module reads back each value of a comma-separated export.
std::string ReadBackWithPython(const std::filesystem::path& file) {
  const std::string command =
      "python3 -c 'import csv,sys,json; print(json.dumps(list(csv.reader(open(sys.argv[1], newline=\"\", "
      "encoding=\"utf-8\")))))' '" +
      file.string() + "'";
  std::FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return "<no python>";
  std::string output;
  char buffer[4096];
  while (std::size_t read = std::fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, read);
  pclose(pipe);
  return output;
}

TEST(CExportFileTest, CsvReadersReadBackWhatWasWritten) {
  const std::vector<std::vector<CString>> rows = {
      {L"plain", L"a,b", L"say \"hi\"", L"two\nlines"},
      {L"cr\rhere", L"caf\x00E9 \x4E2D", L"", L"\xD83D\xDE00,\""},
  };
  const std::vector<std::pair<bool, std::string>> cases = {
      {true,
       R"([["plain", "a,b", "say \"hi\"", "two\nlines"], ["cr\rhere", "caf\u00e9 \u4e2d", "", "\ud83d\ude00,\""]])"
       "\n"},
      // Text mode keeps turning each line feed into CR LF, inside values too.
      {false,
       R"([["plain", "a,b", "say \"hi\"", "two\r\nlines"], ["cr\rhere", "caf\u00e9 \u4e2d", "", "\ud83d\ude00,\""]])"
       "\n"},
  };
  for (const auto& [binary, expected] : cases) {
    testsupport::TempFolder folder;
    const CExportFormat format = Format(folder.Path() / "values.csv", L"|", L"'");
    ASSERT_EQ(format.CsvMode, 1);
    Export(format, binary, [&rows](CExportFile& f) {
      for (const auto& row : rows) Row(f, row);
    });
    EXPECT_EQ(ReadBackWithPython(folder.Path() / "values.csv"), expected) << (binary ? "binary" : "text");
  }
}

}  // namespace
