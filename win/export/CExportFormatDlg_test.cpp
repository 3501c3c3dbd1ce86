#include "brenmoor/win/CExportFormatDlg.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HostResources.h"
#include "brenmoor/app/CWinApp.h"
#include "brenmoor/app/ScriptedUser.h"

namespace {

using Lines = std::vector<std::string>;
enum : int { kPreview = 1238, kDelimiter = 1245, kQuote = 1246, kFile = 1247, kBrowse = 1248, kTitles = 1249 };

class CExportFormatDlgTest : public ::testing::Test {
 protected:
  CExportFormatDlgTest() {
    RegisterExportResources(app);
    dialog.Format.SetDelimiter(L"");
    dialog.Format.SetQuote(L"");
    dialog.Format.Filename = L"/data/start.txt";
    dialog.Format.TitlesCheck = 1;
  }
  // The readings of the preview the script took, then what DoModal gave.
  Lines Previews() {
    Lines previews;
    for (const std::string& line : user.Seen()) {
      if (line.starts_with("read 1238: ")) previews.push_back(line.substr(11));
    }
    return previews;
  }
  CWinApp app{L"Host"};
  ScriptedUser user;
  CExportFormatDlg dialog;
};

TEST_F(CExportFormatDlgTest, ThePreviewFollowsEveryChange) {
  user.InDialog(234).Read(kPreview).Pick(kDelimiter, L"Tab").Read(kPreview).Type(kDelimiter, L" | ").Read(kPreview)
      .Pick(kQuote, L"'").Read(kPreview).Pick(kQuote, L"None").Pick(kDelimiter, L"Space").Read(kPreview)
      .Click(kTitles).Read(kPreview).Click(IDOK);
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(Previews(), (Lines{
                            "Title1Title2Title3\\r\\nData1Data2Data3\\r\\nData1Data2Data3\\r\\n",
                            "Title1\\tTitle2\\tTitle3\\r\\nData1\\tData2\\tData3\\r\\nData1\\tData2\\tData3\\r\\n",
                            "Title1 | Title2 | Title3\\r\\nData1 | Data2 | Data3\\r\\nData1 | Data2 | Data3\\r\\n",
                            "'Title1' | 'Title2' | 'Title3'\\r\\n'Data1' | 'Data2' | 'Data3'\\r\\n"
                            "'Data1' | 'Data2' | 'Data3'\\r\\n",
                            "Title1 Title2 Title3\\r\\nData1 Data2 Data3\\r\\nData1 Data2 Data3\\r\\n",
                            "Data1 Data2 Data3\\r\\nData1 Data2 Data3\\r\\n",
                        }));
  EXPECT_EQ(dialog.Format.Delimiter, L"Space");
  EXPECT_EQ(dialog.Format.Quote, L"None");
  EXPECT_EQ(dialog.Format.Titles, 0);
  EXPECT_EQ(dialog.Format.TitlesCheck, 0);
}

TEST_F(CExportFormatDlgTest, CommaSeparatedModeShowsInThePreview) {
  dialog.Format.SetFilename(L"/data/out.CSV");
  user.InDialog(234).Read(kPreview).Click(IDCANCEL);
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(Previews(), (Lines{"Title1,Title2,Title3\\r\\nData1,Data2,Data3\\r\\nData1,Data2,Data3\\r\\n"}));
}

TEST_F(CExportFormatDlgTest, ADisabledTitlesBoxShowsTitlesCheckAndIsStillSaved) {
  dialog.TitlesEnabled = false;
  dialog.Format.Titles = 1;
  dialog.Format.TitlesCheck = 0;
  user.InDialog(234).Click(IDOK);
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.Format.Titles, 0);
  EXPECT_EQ(dialog.Format.TitlesCheck, 0);

  ScriptedUser again;
  CExportFormatDlg other;
  other.TitlesEnabled = false;
  other.Format.TitlesCheck = 1;
  again.InDialog(234).Click(kTitles);
  EXPECT_THROW(other.DoModal(), UserScriptError);
}

TEST_F(CExportFormatDlgTest, ATypedCsvNameDoesNotSwitchCommaSeparatedModeOn) {
  user.InDialog(234).Type(kFile, L"/data/links.csv").Click(IDOK);
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.Format.Filename, L"/data/links.csv");
  EXPECT_EQ(dialog.Format.CsvMode, 0);
}

TEST_F(CExportFormatDlgTest, BrowsingChangesOnlyTheFieldAndCancelKeepsTheSavedName) {
  user.InDialog(234).Type(kDelimiter, L";").Click(kBrowse).Read(kFile).Click(IDCANCEL);
  user.ConfirmFile(L"/tmp/picked");
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(user.Seen(), (Lines{"dialog 234",
                                "file dialog open, extension \"txt\", file \"/data/start.txt\", flags 0x806, filter "
                                "\"Text files (*.txt)|*.txt|Comma-separated files (*.csv)|*.csv|All files (*.*)|*.*||\"",
                                "read 1247: /tmp/picked.txt"}));
  EXPECT_EQ(dialog.Format.Filename, L"/data/start.txt");
  EXPECT_EQ(dialog.Format.Delimiter, L";");  // saved by the typing and by the browse button
}

TEST_F(CExportFormatDlgTest, APickedChoiceIsReadFromTheListNotFromTheFieldItReplaces) {
  dialog.Format.SetDelimiter(L"Tab");
  user.InDialog(234).Type(kQuote, L"x").Pick(kDelimiter, L"|").Click(IDCANCEL);
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(dialog.Format.Delimiter, L"|");
  EXPECT_EQ(dialog.Format.Quote, L"x");
}

}  // namespace
