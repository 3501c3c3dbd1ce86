#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "brenmoor/win/CExportFormatDlg.h"
#include "brenmoor/ui/CListCtrl.h"
#include "brenmoor/core/CTime.h"
#include "HostResources.h"
#include "brenmoor/app/CWinApp.h"
#include "brenmoor/app/ScriptedUser.h"
#include "TempFolder.h"
#include "brenmoor/win/WinUtils.h"

namespace {

using Lines = std::vector<std::string>;
using testsupport::ReadFile;
using testsupport::TempFolder;
enum : int { kDelimiter = 1245, kQuote = 1246, kFile = 1247, kBrowse = 1248, kTitles = 1249, kDateInName = 1649 };

class ExportListCtrlDataTest : public ::testing::Test {
 protected:
  ExportListCtrlDataTest() {
    RegisterExportResources(app);
    main.Create(kGenericWindowClass, L"Host", WS_OVERLAPPEDWINDOW, {0, 0, 640, 480}, nullptr, 0);
    list.Create(kListViewClass, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, {0, 0, 600, 400}, &main, 1);
  }
  void Fill(const std::vector<CString>& headings, const std::vector<std::vector<CString>>& rows) {
    for (std::size_t c = 0; c < headings.size(); ++c) list.InsertColumn(static_cast<int>(c), headings[c]);
    for (std::size_t r = 0; r < rows.size(); ++r) {
      list.InsertItem(static_cast<int>(r), rows[r][0]);
      for (std::size_t c = 1; c < rows[r].size(); ++c) list.SetItemText(static_cast<int>(r), static_cast<int>(c), rows[r][c]);
    }
  }
  // The dialog answered: delimiter ";", no qualifier, the file, titles as asked.
  ScriptedUser::DialogScript& Answer(const std::string& file, bool titles) {
    return user.InDialog(234).Type(kDelimiter, L";").Pick(kQuote, L"None").Type(kFile, CString::FromUtf8(file))
        .Check(kTitles, titles);
  }
  std::string File(const char* name) const { return (folder.Path() / name).string(); }

  TempFolder folder;
  CWinApp app{L"Host"};
  CWnd main;
  CListCtrl list;
  ScriptedUser user;
};

TEST_F(ExportListCtrlDataTest, WritesTitlesAndRowsInIndexOrderAndSaysWhere) {
  Fill({L"Link", L"State"}, {{L"L01", L"UP"}, {L"L02", L"DOWN"}, {L"L03", L"multi\nline"}});
  const int shown[] = {1, 0};
  list.SetColumnOrderArray(2, shown);
  Answer(File("out.txt"), true).Click(IDOK);
  user.AnswerMessageBox();
  Answer(File("out.txt"), false).Click(IDOK);
  user.AnswerMessageBox();
  EXPECT_TRUE(WinUtils::ExportListCtrlData(list));
  EXPECT_TRUE(WinUtils::ExportListCtrlData(list));
  EXPECT_EQ(ReadFile(File("out.txt")),
            "Link;State\r\nL01;UP\r\nL02;DOWN\r\nL03;multi\r\nline\r\n"
            "L01;UP\r\nL02;DOWN\r\nL03;multi\r\nline\r\n");
  EXPECT_EQ(user.Seen()[1], "message box information: The list was exported to " + File("out.txt") + ".");
  EXPECT_EQ(CWinApp::WaitCursorDepth(), 0);
}

// However the ".csv" name reaches the dialog, the file reads back with CSV
// readers: commas, and quotes only around a field that needs them.
TEST_F(ExportListCtrlDataTest, ACsvNameTypedOrBrowsedWritesCommaSeparatedFields) {
  Fill({L"Link", L"Note"}, {{L"L02", L"codec G.711, 30 channels"}, {L"L04", L"\"flapping\" since 06:40"}});
  Answer(File("typed.csv"), true).Click(IDOK);
  user.AnswerMessageBox();
  user.InDialog(234).Type(kDelimiter, L";").Click(kBrowse).Check(kTitles, true).Click(IDOK);
  user.ConfirmFile(CString::FromUtf8(File("browsed.CSV")));
  user.AnswerMessageBox();
  EXPECT_TRUE(WinUtils::ExportListCtrlData(list));
  EXPECT_TRUE(WinUtils::ExportListCtrlData(list));
  const std::string expected =
      "Link,Note\r\nL02,\"codec G.711, 30 channels\"\r\nL04,\"\"\"flapping\"\" since 06:40\"\r\n";
  EXPECT_EQ(ReadFile(File("typed.csv")), expected);
  EXPECT_EQ(ReadFile(File("browsed.CSV")), expected);
}

// Every cell byte for byte, whatever it holds, under each kind of separator.
TEST_F(ExportListCtrlDataTest, CellsOfAnyTextComeOutAsTheyAreUnderEveryFormat) {
  Fill({L"A", L"B"}, {{L"two\nlines", L"say \"hi\""}, {L"caf\x00E9 \x4E2D", L"\xD83D\xDE00!"}, {L"<\xDC00>", L""}});
  struct Case {
    const wchar_t* delimiter;
    const wchar_t* quote;
    const char* file;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {L";", L"None", "plain.txt",
       "two\r\nlines;say \"hi\"\r\ncaf\xC3\xA9 \xE4\xB8\xAD;\xF0\x9F\x98\x80!\r\n<\xEF\xBF\xBD>;\r\n"},
      {L"\x00A6", L"'", "quoted.txt",
       "'two\r\nlines'\xC2\xA6'say \"hi\"'\r\n'caf\xC3\xA9 \xE4\xB8\xAD'\xC2\xA6'\xF0\x9F\x98\x80!'\r\n"
       "'<\xEF\xBF\xBD>'\xC2\xA6''\r\n"},
      {L";", L"None", "values.csv",
       "\"two\r\nlines\",\"say \"\"hi\"\"\"\r\ncaf\xC3\xA9 \xE4\xB8\xAD,\xF0\x9F\x98\x80!\r\n<\xEF\xBF\xBD>,\r\n"},
  };
  for (const Case& c : cases) {
    user.InDialog(234).Type(kDelimiter, c.delimiter).Type(kQuote, c.quote).Type(kFile, CString::FromUtf8(File(c.file)))
        .Check(kTitles, false).Click(IDOK);
    user.AnswerMessageBox();
    EXPECT_TRUE(WinUtils::ExportListCtrlData(list));
    EXPECT_EQ(ReadFile(File(c.file)), c.expected) << c.file;
  }
}

TEST_F(ExportListCtrlDataTest, AnEmptyListGivesOnlyTheTitlesOrNothing) {
  Answer(File("empty.txt"), true).Click(IDOK);
  user.AnswerMessageBox();
  EXPECT_TRUE(WinUtils::ExportListCtrlData(list));
  EXPECT_EQ(ReadFile(File("empty.txt")), "\r\n");
  Fill({L"A", L"B"}, {});
  Answer(File("titles.txt"), true).Click(IDOK);
  user.AnswerMessageBox();
  Answer(File("none.txt"), false).Click(IDOK);
  user.AnswerMessageBox();
  WinUtils::ExportListCtrlData(list);
  WinUtils::ExportListCtrlData(list);
  EXPECT_EQ(ReadFile(File("titles.txt")), "A;B\r\n");
  EXPECT_EQ(ReadFile(File("none.txt")), "");
}

TEST_F(ExportListCtrlDataTest, AHeadingIsCutTo255Characters) {
  const std::wstring heading(300, L'h');
  Fill({heading.c_str()}, {{L"x"}});
  Answer(File("long.txt"), true).Click(IDOK);
  user.AnswerMessageBox();
  WinUtils::ExportListCtrlData(list);
  EXPECT_EQ(ReadFile(File("long.txt")), std::string(255, 'h') + "\r\nx\r\n");
}

// Cut before a surrogate pair rather than in it, which would write U+FFFD; cells longer than the buffer stay whole.
TEST_F(ExportListCtrlDataTest, AHeadingEndingInAPairAtTheCutLosesTheWholePair) {
  const std::wstring heading = std::wstring(254, L'h') + L"\xD83D\xDE00";
  const std::wstring cell = std::wstring(254, L'c') + L"\xD83D\xDE00";
  Fill({heading.c_str()}, {{cell.c_str()}});
  Answer(File("pair.txt"), true).Click(IDOK);
  user.AnswerMessageBox();
  WinUtils::ExportListCtrlData(list);
  EXPECT_EQ(ReadFile(File("pair.txt")), std::string(254, 'h') + "\r\n" + std::string(254, 'c') + "\xF0\x9F\x98\x80\r\n");
}

TEST_F(ExportListCtrlDataTest, CancelWritesNothingAndSaysNothing) {
  Fill({L"A"}, {{L"x"}});
  Answer(File("never.txt"), true).Click(IDCANCEL);
  EXPECT_FALSE(WinUtils::ExportListCtrlData(list));
  EXPECT_EQ(ReadFile(File("never.txt")), "<missing>");
  EXPECT_EQ(user.Seen(), (Lines{"dialog 234"}));
}

// A host that lacks a resource gets what the framework gives (false as on
// Cancel, an empty box) and one line on standard error naming what it lacks.
TEST(ExportListCtrlDataWithoutResourcesTest, TellsTheDeveloperWhatIsMissing) {
  CWinApp app{L"Host"};
  CWnd main;
  main.Create(kGenericWindowClass, L"Host", WS_OVERLAPPEDWINDOW, {0, 0, 640, 480}, nullptr, 0);
  CListCtrl list;
  list.Create(kListViewClass, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, {0, 0, 600, 400}, &main, 1);
  ScriptedUser user;
  user.AnswerMessageBox();
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(WinUtils::ExportListCtrlData(list));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "dialog template 234 is not registered\n");
  ::testing::internal::CaptureStderr();
  AfxMessageBox(698, MB_ICONERROR);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "host string 698 is missing\n");
  EXPECT_EQ(user.Seen(), (Lines{"message box error: "}));
}

TEST_F(ExportListCtrlDataTest, AFileThatCannotBeOpenedIsReportedWithTheReason) {
  Fill({L"A"}, {{L"x"}});
  Answer(File("missing/out.txt"), true).Click(IDOK);
  user.AnswerMessageBox();
  Answer(folder.Path().string(), true).Click(IDOK);
  user.AnswerMessageBox();
  EXPECT_FALSE(WinUtils::ExportListCtrlData(list));
  EXPECT_FALSE(WinUtils::ExportListCtrlData(list));
  EXPECT_EQ(user.Seen(), (Lines{"dialog 234", "message box error: The export file could not be opened:\\nNo such file or directory",
                                "dialog 234", "message box error: The export file could not be opened:\\nPermission denied"}));
}

TEST_F(ExportListCtrlDataTest, AFullDiskEndsInTheFileExceptionNeverInASuccessMessage) {
  Fill({L"A"}, {});
  for (int row = 0; row < 20000; ++row) list.InsertItem(row, L"a row long enough to fill a buffer or two");
  Answer("/dev/full", false).Click(IDOK);
  EXPECT_THROW(WinUtils::ExportListCtrlData(list), CFileException);
  EXPECT_EQ(user.Seen(), (Lines{"dialog 234"}));
  EXPECT_EQ(CWinApp::WaitCursorDepth(), 0);
}

TEST_F(ExportListCtrlDataTest, ADatedNameIsTheOneTheMessageGives) {
  Fill({L"A"}, {{L"x"}});
  CTime::Substitute clock(CTime(2026, 12, 8, 0, 5, 0));
  Answer(File("links.csv"), false).Check(kDateInName, true).Click(IDOK);
  user.AnswerMessageBox();
  EXPECT_TRUE(WinUtils::ExportListCtrlData(list));
  EXPECT_EQ(ReadFile(File("links_2026-12-08.txt")), "x\r\n");
  EXPECT_EQ(user.Seen()[1], "message box information: The list was exported to " + File("links_2026-12-08.txt") + ".");
}

}  // namespace
