#include "brenmoor/ui/PopupMenuWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ScriptedWindows.h"
#include "brenmoor/app/CWinApp.h"
#include "brenmoor/windowing/CMenu.h"
#include "brenmoor/windowing/Input.h"

namespace {

using testsupport::Do;
using testsupport::Press;

enum : UINT { kOpen = 100, kPrint = 101, kGone = 102, kDeep = 200 };

class PopupMenuWindowTest : public testing::Test {
 protected:
  PopupMenuWindowTest() {
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, kOpen, L"&Open\tCtrl+O");
    menu.AppendMenu(MF_STRING | MF_CHECKED, kPrint, L"Print");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING | MF_GRAYED, kGone, L"Gone");
    HMENU more = CreatePopupMenu();
    AppendMenuW(more, MF_STRING, kDeep, L"Deep");
    menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(more), L"More");
  }
  ScriptedUser::DialogScript& Keys(const std::vector<WPARAM>& keys) {
    ScriptedUser::DialogScript& script = user.InDialog(kPopupMenuWindow);
    for (WPARAM key : keys) Press(script, key);
    return script;
  }
  CWinApp app{L"Tester"};
  ScriptedUser user;
  CMenu menu;
};

TEST_F(PopupMenuWindowTest, AClickPicksTheCommandAndTheKeysMoveOverSeparatorsToEnter) {
  struct Case {
    std::vector<WPARAM> keys;
    UINT picked;
  };
  for (const Case& each : std::vector<Case>{
           {{VK_DOWN, VK_RETURN}, kOpen},
           {{VK_DOWN, VK_DOWN, VK_RETURN}, kPrint},
           {{VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN, VK_ESCAPE}, 0},  // the grayed item is passed over by Enter
           {{VK_UP, VK_UP, VK_UP, VK_UP, VK_RETURN}, kOpen},         // from the bottom up
           {{VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}, kOpen},  // round past the bottom
           {{VK_RETURN, VK_ESCAPE}, 0},                              // nothing chosen yet
           {{VK_LEFT}, 0},
       }) {
    Keys(each.keys);
    EXPECT_EQ(RunPopupMenuWindow(menu.m_hMenu), each.picked);
  }
  user.InDialog(kPopupMenuWindow).Click(kPrint);
  EXPECT_EQ(RunPopupMenuWindow(menu.m_hMenu), kPrint);
  EXPECT_TRUE(user.Unused().empty());
}

// The mouse over a row highlights it for Enter; over a separator nothing is.
TEST_F(PopupMenuWindowTest, TheRowUnderTheMouseIsTheOneEnterPicks) {
  std::vector<int> hot;
  auto hover = [&hot](int id) {
    return [&hot, id](CDialog& window) {
      SendMessage(GetDlgItem(window.m_hWnd, id), WM_MOUSEMOVE, 0, 0);
      hot.push_back(static_cast<CPopupMenuWindow&>(window).HotRow());
    };
  };
  auto& script = user.InDialog(kPopupMenuWindow);
  Do(script, "hover", hover(kGone));
  Do(script, "hover", hover(CPopupMenuWindow::kSeparatorRow));
  Do(script, "hover", hover(kPrint));
  Press(script, VK_RETURN);
  EXPECT_EQ(RunPopupMenuWindow(menu.m_hMenu), kPrint);
  EXPECT_EQ(hot, (std::vector<int>{3, -1, 1}));
}

// Only Open marks a letter; Print has none.
TEST_F(PopupMenuWindowTest, TheLetterARowMarksPicksIt) {
  struct Case {
    wchar_t letter;
    UINT picked;
  };
  for (const Case& each : std::vector<Case>{{L'o', kOpen}, {L'O', kOpen}, {L'p', 0}}) {
    auto& script = user.InDialog(kPopupMenuWindow);
    Do(script, "type", [letter = each.letter](CDialog&) { SendCharInput(letter); });
    if (each.picked == 0) Press(script, VK_ESCAPE);
    EXPECT_EQ(RunPopupMenuWindow(menu.m_hMenu), each.picked) << static_cast<char>(each.letter);
  }
  EXPECT_TRUE(user.Unused().empty());
}

TEST_F(PopupMenuWindowTest, APopupOpensItsOwnMenuWhoseCommandIsTheAnswer) {
  Keys({VK_UP, VK_RIGHT});
  user.InDialog(kPopupMenuWindow).Click(kDeep);
  EXPECT_EQ(RunPopupMenuWindow(menu.m_hMenu), kDeep);
  // Closing the inner menu leaves the outer one open.
  Press(user.InDialog(kPopupMenuWindow).Click(CPopupMenuWindow::kFirstPopupRow + 4), VK_ESCAPE);
  Keys({VK_ESCAPE});
  EXPECT_EQ(RunPopupMenuWindow(menu.m_hMenu), 0u);
  EXPECT_TRUE(user.Unused().empty());
}

TEST_F(PopupMenuWindowTest, AGrayedItemCannotBeClicked) {
  user.InDialog(kPopupMenuWindow).Click(kGone);
  try {
    RunPopupMenuWindow(menu.m_hMenu);
    ADD_FAILURE() << "the grayed item was clicked";
  } catch (const UserScriptError& error) {
    EXPECT_STREQ(error.what(), "cannot click 102: dialog 65286 has control 102 disabled");
  }
  user.TakeUnused();
}

}  // namespace
