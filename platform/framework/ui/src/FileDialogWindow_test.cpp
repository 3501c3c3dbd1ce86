#include "brenmoor/ui/FileDialogWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ScriptedWindows.h"
#include "TempFolder.h"
#include "brenmoor/app/CWinApp.h"
#include "brenmoor/ui/CFileDialog.h"
#include "brenmoor/ui/CListCtrl.h"

namespace {

using testsupport::Do;
using testsupport::TempFolder;
using Lines = std::vector<std::string>;
using Self = CFileDialogWindow;
constexpr const wchar_t* kFilter = L"CSV (*.csv)|*.csv|Text (*.txt;*.log)|*.txt;*.log|All Files (*.*)|*.*||";

class FileDialogWindowTest : public testing::Test {
 protected:
  FileDialogWindowTest() {
    testsupport::WriteFile(folder.Path() / "a.txt", "a");
    testsupport::WriteFile(folder.Path() / "B.csv", std::string(1025, 'b'));
    testsupport::WriteFile(folder.Path() / "c.LOG", "");
    testsupport::WriteFile(folder.Path() / "sub" / "d.csv", "d");
  }
  CString In(const std::string& name) const { return CString::FromUtf8((folder.Path() / name).string()); }
  // Notes the folder and the list's rows as "name|size|type".
  ScriptedUser::DialogScript& Look(ScriptedUser::DialogScript& script) {
    return Do(script, "look", [this](CDialog& dialog) {
      std::string line = static_cast<Self&>(dialog).Folder().filename().string() + ":";
      auto& list = *static_cast<CListCtrl*>(dialog.GetDlgItem(Self::kFileList));
      for (int row = 0; row < list.GetItemCount(); ++row) {
        line += " " + list.GetItemText(row, 0).ToUtf8() + "|" + list.GetItemText(row, 1).ToUtf8() + "|" +
                list.GetItemText(row, 2).ToUtf8();
      }
      looks.push_back(line);
    });
  }
  CWinApp app{L"Tester"};
  ScriptedUser user;
  TempFolder folder;
  Lines looks;
};

TEST_F(FileDialogWindowTest, ListsTheFoldersThenTheFilesTheTypeLetsThroughAndMovesBetweenFolders) {
  CFileDialog dialog(false, L"csv", In("out"), OFN_OVERWRITEPROMPT, kFilter);
  auto& script = user.InDialog(kFileDialogWindow).Read(Self::kFileName);
  Look(script).Pick(Self::kFileTypes, L"Text (*.txt;*.log)");
  Look(script).Pick(Self::kFileTypes, L"All Files (*.*)");
  Look(script).Type(Self::kFileName, L"sub").Click(IDOK);
  Look(script).Read(Self::kFileName).Click(Self::kUpOneLevel);
  Look(script).Click(IDCANCEL);
  EXPECT_FALSE(RunFileDialogWindow(dialog));
  const std::string top = folder.Path().filename().string();
  EXPECT_EQ(looks, (Lines{top + ": sub||File Folder B.csv|2 KB|CSV File",
                          top + ": sub||File Folder a.txt|1 KB|TXT File c.LOG|0 KB|LOG File",
                          top + ": sub||File Folder a.txt|1 KB|TXT File B.csv|2 KB|CSV File c.LOG|0 KB|LOG File",
                          "sub: d.csv|1 KB|CSV File",
                          top + ": sub||File Folder a.txt|1 KB|TXT File B.csv|2 KB|CSV File "
                                "c.LOG|0 KB|LOG File"}));
  EXPECT_EQ(user.Seen(), (Lines{"dialog 65282", "read 1152: out", "read 1152: "}));
  EXPECT_EQ(dialog.GetPathName(), L"");
}

TEST_F(FileDialogWindowTest, WithNoNameTypedOkTakesTheEntrySelectedInTheList) {
  CFileDialog dialog(false, L"csv", In("x"), 0, kFilter);
  auto select = [](int row) {
    return [row](CDialog& window) {
      static_cast<CListCtrl*>(window.GetDlgItem(Self::kFileList))->SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
    };
  };
  auto& script = user.InDialog(kFileDialogWindow).Type(Self::kFileName, L"").Click(IDOK);
  Do(script, "select sub", select(0)).Click(IDOK);
  Do(Look(script), "select d.csv", select(0)).Click(IDOK);
  EXPECT_TRUE(RunFileDialogWindow(dialog));
  EXPECT_EQ(looks, Lines{"sub: d.csv|1 KB|CSV File"});
  EXPECT_EQ(dialog.GetPathName(), In("sub/d.csv"));
}

TEST_F(FileDialogWindowTest, TheLookInBoxHoldsTheWayUpAndPickingOneOpensIt) {
  CFileDialog dialog(true, nullptr, In("sub/d.csv"), 0, kFilter);
  const CString parent = CString::FromUtf8(folder.Path().string());
  Look(user.InDialog(kFileDialogWindow).Read(Self::kFolders).Pick(Self::kFolders, parent)).Read(Self::kFolders)
      .Click(IDCANCEL);
  RunFileDialogWindow(dialog);
  EXPECT_EQ(user.Seen(), (Lines{"dialog 65282", "read 1137: " + (folder.Path() / "sub").string(),
                                "read 1137: " + folder.Path().string()}));
  EXPECT_EQ(looks, Lines{folder.Path().filename().string() + ": sub||File Folder B.csv|2 KB|CSV File"});
}

TEST_F(FileDialogWindowTest, OkConfirmsTheFileWithTheDefaultExtensionAskingWhereTheFlagsSay) {
  struct Case {
    BOOL open;
    DWORD flags;
    const wchar_t* typed;
    std::vector<int> answers;  // to the message boxes, in order
    std::string message;       // the last one, the folder's path written as <folder>
    bool confirmed;
    std::string path;
  };
  const std::string where = folder.Path().string();
  for (const Case& each : std::vector<Case>{
           {false, OFN_OVERWRITEPROMPT, L"new", {}, "", true, "/new.csv"},
           {false, OFN_OVERWRITEPROMPT, L"B", {IDYES}, "<folder>/B.csv already exists.\\nDo you want to replace it?",
            true, "/B.csv"},
           {false, OFN_OVERWRITEPROMPT, L"B.csv", {IDNO}, "<folder>/B.csv already exists.\\nDo you want to replace it?",
            false, ""},
           {false, 0, L"B.csv", {}, "", true, "/B.csv"},
           {true, OFN_FILEMUSTEXIST, L"a.txt", {}, "", true, "/a.txt"},
           {true, OFN_FILEMUSTEXIST, L"gone.txt", {IDOK},
            "<folder>/gone.txt\\nFile not found.\\nCheck the file name and try again.", false, ""},
           {false, OFN_PATHMUSTEXIST, L"none/x.csv", {IDOK},
            "<folder>/none\\nPath does not exist.\\nCheck the path and try again.", false, ""},
           {false, 0, L"sub/e", {}, "", true, "/sub/e.csv"},
       }) {
    ScriptedUser script;
    CFileDialog dialog(each.open, L"csv", In("start"), each.flags, kFilter);
    auto& steps = script.InDialog(kFileDialogWindow).Type(Self::kFileName, each.typed).Click(IDOK);
    for (int answer : each.answers) script.AnswerMessageBox(answer);
    if (!each.confirmed) steps.Click(IDCANCEL);
    EXPECT_EQ(RunFileDialogWindow(dialog), each.confirmed) << CString(each.typed).ToUtf8();
    std::string last = script.Seen().back();
    if (const auto at = last.find(where); at != std::string::npos) last.replace(at, where.size(), "<folder>");
    EXPECT_EQ(each.message.empty() ? "dialog 65282" : "message box warning" +
                                                          std::string(each.answers.front() == IDOK ? "" : " yes-no") +
                                                          ": " + each.message,
              last);
    EXPECT_EQ(dialog.GetPathName(), each.confirmed ? CString::FromUtf8(where + each.path) : CString());
  }
}

TEST_F(FileDialogWindowTest, FiltersAndWildcardsReadAsTheSystemReadsThem) {
  const auto types = Self::ParseFilter(kFilter);
  ASSERT_EQ(types.size(), 3u);
  EXPECT_EQ(types[1].description, L"Text (*.txt;*.log)");
  EXPECT_EQ(types[1].patterns, (std::vector<std::wstring>{L"*.txt", L"*.log"}));
  EXPECT_TRUE(Self::ParseFilter(L"").empty());
  EXPECT_EQ(Self::ParseFilter(L"Odd|").size(), 0u);
  struct Case {
    const wchar_t* name;
    const wchar_t* pattern;
    bool matches;
  };
  for (const Case& each : std::vector<Case>{{L"a.TXT", L"*.txt", true}, {L"README", L"*.*", true},
                                            {L"abc", L"a?c", true}, {L"ac", L"a?c", false},
                                            {L"x.csv", L"*.txt", false}, {L"x.txt.bak", L"*.txt", false}}) {
    EXPECT_EQ(Self::Matches(each.name, each.pattern), each.matches) << CString(each.name).ToUtf8();
  }
}

}  // namespace
