#include "brenmoor/win/CWarningDlg.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "brenmoor/app/CWinApp.h"
#include "brenmoor/app/ScriptedUser.h"
#include "TempFolder.h"

namespace {

using Lines = std::vector<std::string>;
using testsupport::ReadFile;
constexpr int kMessage = CWarningDlg::IDC_MESSAGE;
constexpr int kDontShow = CWarningDlg::IDC_DONT_SHOW;

class CWarningDlgTest : public ::testing::Test {
 protected:
  CWarningDlgTest() {
    app.SetProfileFile(profile);
    app.Register<DialogTemplate>(CWarningDlg::IDD,
                       {L"Warning", {0, 0, 200, 80}, WS_CAPTION | DS_MODALFRAME,
                        {{kStaticClass, kMessage, L"", {10, 10, 190, 30}, WS_VISIBLE},
                         {kButtonClass, kDontShow, L"Do not show this again", {10, 40, 190, 50},
                          WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX},
                         {kButtonClass, IDOK, L"OK", {80, 60, 130, 74}, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON},
                         {kButtonClass, IDCANCEL, L"Cancel", {140, 60, 190, 74}, WS_VISIBLE | WS_TABSTOP}}});
  }
  INT_PTR Warn(const wchar_t* key) { return CWarningDlg(L"The link is down.\r\nCheck the cable.", key).DoModal(); }
  UINT Stored(const wchar_t* key) const { return app.GetProfileInt(L"WarningDlg", key, 7); }

  testsupport::TempFolder folder;
  std::filesystem::path profile = folder.Path() / "host.ini";
  CWinApp app{L"Host"};
  ScriptedUser user;
};

TEST_F(CWarningDlgTest, EveryClickOnTheBoxIsStoredAtOnceWhateverButtonEndsTheDialog) {
  user.InDialog(261).Read(kMessage).Check(kDontShow, true).Check(kDontShow, false).Check(kDontShow, true)
      .Click(IDCANCEL);
  user.InDialog(261).Check(kDontShow, true).Check(kDontShow, false).Click(IDOK);
  EXPECT_EQ(Stored(L"LinkDown"), 7u);
  EXPECT_EQ(Warn(L"LinkDown"), IDCANCEL);
  EXPECT_EQ(Stored(L"LinkDown"), 1u);
  EXPECT_EQ(Warn(L"Other"), IDOK);
  EXPECT_EQ(Stored(L"Other"), 0u);
  EXPECT_EQ(user.Seen(), (Lines{"dialog 261", "read 1166: The link is down.\\r\\nCheck the cable.", "dialog 261"}));
  EXPECT_EQ(ReadFile(profile), "[WarningDlg]\r\nLinkDown=1\r\nOther=0\r\n");
}

TEST_F(CWarningDlgTest, AKeyWithTheBoxCheckedClosesItsDialogWithOkBeforeTheUserActs) {
  app.WriteProfileInt(L"WarningDlg", L"LinkDown", 1);
  app.WriteProfileInt(L"WarningDlg", L"Cleared", 0);
  user.InDialog(261);
  user.InDialog(261).Click(IDOK);
  EXPECT_EQ(Warn(L"LinkDown"), IDOK);
  EXPECT_EQ(Warn(L"Cleared"), IDOK);
  EXPECT_EQ(user.Seen(), (Lines{"dialog 261", "dialog 261"}));
  EXPECT_TRUE(user.Unused().empty());
}

TEST_F(CWarningDlgTest, TheBoxStartsUncheckedEvenForAStoredKey) {
  app.WriteProfileInt(L"WarningDlg", L"Cleared", 0);
  user.InDialog(261).Check(kDontShow, true).Click(IDOK);
  EXPECT_EQ(Warn(L"Cleared"), IDOK);
  EXPECT_EQ(Stored(L"Cleared"), 1u);
}

}  // namespace
