#include "brenmoor/ui/ColourDialogWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ScriptedWindows.h"
#include "brenmoor/app/CWinApp.h"
#include "brenmoor/ui/CColorDialog.h"

namespace {

using Lines = std::vector<std::string>;
using Self = CColourDialogWindow;

class ColourDialogWindowTest : public testing::Test {
 protected:
  CWinApp app{L"Tester"};
  ScriptedUser user;
};

TEST_F(ColourDialogWindowTest, ShowsTheColourInItsFieldsAndTakesASwatchOrTypedFieldsOnOk) {
  struct Case {
    COLORREF initial;
    std::function<void(ScriptedUser::DialogScript&)> act;
    bool picked;
    COLORREF answer;
  };
  for (const Case& each : std::vector<Case>{
           {RGB(0, 128, 128), [](auto& s) { s.Click(Self::kFirstSwatch + 8).Click(IDOK); }, true, RGB(255, 0, 0)},
           {RGB(0, 128, 128), [](auto& s) { s.Click(Self::kFirstSwatch + 47).Click(IDOK); }, true, RGB(255, 255, 255)},
           {0,
            [](auto& s) { s.Type(Self::kRed, L"12").Type(Self::kGreen, L"34").Type(Self::kBlue, L"255").Click(IDOK); },
            true, RGB(12, 34, 255)},
           {RGB(1, 2, 3), [](auto& s) { s.Click(IDOK); }, true, RGB(1, 2, 3)},
           {RGB(1, 2, 3), [](auto& s) { s.Click(Self::kFirstSwatch).Click(IDCANCEL); }, false, RGB(1, 2, 3)},
       }) {
    CColorDialog dialog(each.initial);
    ScriptedUser::DialogScript& script = user.InDialog(kColourDialogWindow).Read(Self::kRed).Read(Self::kBlue);
    each.act(script);
    EXPECT_EQ(RunColourDialogWindow(dialog), each.picked);
    EXPECT_EQ(dialog.GetColor(), each.answer);
  }
  EXPECT_EQ(user.Seen(), (Lines{"dialog 65283", "read 706: 0", "read 708: 128", "dialog 65283", "read 706: 0",
                                "read 708: 128", "dialog 65283", "read 706: 0", "read 708: 0", "dialog 65283",
                                "read 706: 1", "read 708: 3", "dialog 65283", "read 706: 1", "read 708: 3"}));
}

TEST_F(ColourDialogWindowTest, ASwatchFillsTheFields) {
  CColorDialog dialog;
  user.InDialog(kColourDialogWindow).Click(Self::kFirstSwatch + 21).Read(Self::kRed).Read(Self::kGreen)
      .Read(Self::kBlue).Click(IDCANCEL);
  RunColourDialogWindow(dialog);
  EXPECT_EQ(user.Seen(), (Lines{"dialog 65283", "read 706: 128", "read 707: 128", "read 708: 255"}));
}

TEST_F(ColourDialogWindowTest, AFieldOutsideZeroTo255IsRefusedWithAMessageAndTheDialogStaysOpen) {
  for (const wchar_t* wrong : {L"256", L"-1", L"", L"1a", L"0012"}) {
    CColorDialog dialog(RGB(9, 9, 9));
    user.InDialog(kColourDialogWindow).Type(Self::kGreen, wrong).Click(IDOK).Click(IDCANCEL);
    user.AnswerMessageBox(IDOK);
    EXPECT_FALSE(RunColourDialogWindow(dialog)) << CString(wrong).ToUtf8();
    EXPECT_EQ(user.Seen().back(), "message box warning: Enter a number between 0 and 255.");
    EXPECT_EQ(dialog.GetColor(), RGB(9, 9, 9));
  }
}

}  // namespace
