#include "brenmoor/app/WindowedAnswers.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ScriptedWindows.h"
#include "brenmoor/app/CWinApp.h"
#include "brenmoor/docview/CPrintInfo.h"
#include "brenmoor/docview/PrintDialogWindow.h"
#include "brenmoor/ui/CColorDialog.h"
#include "brenmoor/ui/CFileDialog.h"
#include "brenmoor/ui/ColourDialogWindow.h"
#include "brenmoor/ui/FileDialogWindow.h"
#include "brenmoor/windowing/CMenu.h"

namespace {

using Lines = std::vector<std::string>;

// Each modal thing a host starts comes up as its window, the one the script acts in.
TEST(WindowedAnswersTest, EveryModalThingIsAnsweredInItsOwnWindow) {
  CWinApp app{L"Host"};
  ScriptedUser user;
  testsupport::ScriptedWindowsUser windows(user);
  AfxGetPrinter().file = L"/printer/out.pdf";
  struct Case {
    BuiltInDialogId window;
    int click;
    std::function<std::string()> host;
    std::string answer;
  };
  for (const Case& each : std::vector<Case>{
           {kMessageBoxDialog, IDNO, [] { return std::to_string(AfxMessageBox(L"Save?", MB_YESNO)); }, "7"},
           {kFileDialogWindow, IDCANCEL,
            [] { return std::to_string(CFileDialog(true, nullptr, nullptr, 0, L"All|*.*||").DoModal()); }, "2"},
           {kColourDialogWindow, CColourDialogWindow::kFirstSwatch + 28,
            [] {
              CColorDialog dialog;
              dialog.DoModal();
              return std::to_string(dialog.GetColor());
            },
            "16711680"},
           {kPrintDialogWindow, IDOK, [] { return std::to_string(CPrintDialog(false).DoModal()); }, "1"},
           {kPopupMenuWindow, 42,
            [] {
              CMenu menu;
              menu.CreatePopupMenu();
              menu.AppendMenu(MF_STRING, 42, L"Answer");
              return std::to_string(menu.TrackPopupMenu(TPM_RETURNCMD, 0, 0, nullptr));
            },
            "42"},
       }) {
    auto& script = user.InDialog(each.window).Click(each.click);
    if (each.window == kColourDialogWindow) script.Click(IDOK);
    EXPECT_EQ(each.host(), each.answer);
  }
  EXPECT_EQ(user.Seen(), (Lines{"dialog 65281", "dialog 65282", "dialog 65283", "dialog 65284", "dialog 65286"}));
}

}  // namespace
