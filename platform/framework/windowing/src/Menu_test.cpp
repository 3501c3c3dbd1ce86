#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "brenmoor/windowing/CMenu.h"
#include "brenmoor/app/CWinApp.h"
#include "brenmoor/ui/CWnd.h"
#include "brenmoor/app/ScriptedUser.h"

namespace {

using Lines = std::vector<std::string>;

constexpr UINT kOpen = 100;
constexpr UINT kPrint = 101;
constexpr UINT kClose = 102;
constexpr UINT kZoom = 110;
constexpr UINT kHidden = 120;

// File: Open, Print (checked), -, View > (Zoom), Locked > (Hidden) grayed, Close (grayed).
MenuTemplate FileMenu() {
  return {{MF_STRING, kOpen, L"&Open"},
          {MF_CHECKED, kPrint, L"&Print"},
          {MF_SEPARATOR, 0, L""},
          {MF_STRING, 0, L"View", {{MF_STRING, kZoom, L"Zoom"}}},
          {MF_GRAYED, 0, L"Locked", {{MF_STRING, kHidden, L"Hidden"}}},
          {MF_GRAYED, kClose, L"Close"}};
}

// Notes the commands it gets and the menus it is asked to prepare.
class MenuOwner : public CWnd {
 public:
  Lines seen;
  void OnOpen() { seen.push_back("command open"); }
  void OnZoom() { seen.push_back("command zoom"); }
  LRESULT OnInitMenuPopup(WPARAM, LPARAM) {
    seen.push_back("init menu");
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(MenuOwner, CWnd)
  CommandEntry<&MenuOwner::OnOpen>(kOpen),
  CommandEntry<&MenuOwner::OnZoom>(kZoom),
  MessageEntry<&MenuOwner::OnInitMenuPopup>(WM_INITMENUPOPUP),
END_MESSAGE_MAP()

class MenuTest : public ::testing::Test {
 protected:
  MenuTest() {
    app_.Register<MenuTemplate>(13, FileMenu());
    EXPECT_TRUE(owner_.Create(kGenericWindowClass, L"owner", WS_VISIBLE, {0, 0, 80, 80}, nullptr, 0));
    EXPECT_TRUE(menu_.LoadMenu(13));
  }

  CWinApp app_{L"Host"};
  MenuOwner owner_;
  CMenu menu_;
};

// The object the table made for a menu never destroyed goes at exit with
// the table, once.
TEST(MenuAtExitTest, AMenuSeenThroughFromHandleAndNeverDestroyedEndsCleanly) {
  EXPECT_EXIT(
      {
        const HMENU menu = CreateMenuFromTemplate({{MF_STRING, 1, L"&Close", {}}});
        CMenu::FromHandle(menu);
        std::exit(0);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST_F(MenuTest, ItemsKeepTheirTextsIdsAndStates) {
  ASSERT_EQ(menu_.GetMenuItemCount(), 6u);
  const UINT ids[] = {kOpen, kPrint, 0, kNoMenuItem, kNoMenuItem, kClose};
  const UINT states[] = {MF_STRING, MF_CHECKED, MF_SEPARATOR, 0x100 | MF_POPUP, 0x100 | MF_POPUP | MF_GRAYED,
                         MF_GRAYED};
  const wchar_t* texts[] = {L"&Open", L"&Print", L"", L"View", L"Locked", L"Close"};
  for (UINT i = 0; i < 6; ++i) {
    EXPECT_EQ(menu_.GetMenuItemID(static_cast<int>(i)), ids[i]) << i;
    EXPECT_EQ(menu_.GetMenuState(i, MF_BYPOSITION), states[i]) << i;
    CString text;
    menu_.GetMenuString(i, text, MF_BYPOSITION);
    EXPECT_EQ(text, texts[i]) << i;
  }
  EXPECT_EQ(menu_.GetMenuState(kZoom, MF_BYCOMMAND), MF_STRING);
  EXPECT_EQ(menu_.GetMenuState(6, MF_BYPOSITION), kNoMenuItem);
  EXPECT_EQ(menu_.GetMenuState(999, MF_BYCOMMAND), kNoMenuItem);
  EXPECT_EQ(menu_.GetSubMenu(3)->GetMenuItemID(0), kZoom);
  EXPECT_EQ(menu_.GetSubMenu(0), nullptr);

  wchar_t small[4] = {L'x', L'x', L'x', L'x'};
  EXPECT_EQ(GetMenuStringW(menu_.m_hMenu, kPrint, small, 3, MF_BYCOMMAND), 2);
  EXPECT_EQ(std::wstring(small), L"&P");
}

TEST_F(MenuTest, CheckingAndEnablingReturnThePreviousState) {
  EXPECT_EQ(menu_.CheckMenuItem(kPrint, MF_UNCHECKED), MF_CHECKED);
  EXPECT_EQ(menu_.CheckMenuItem(kZoom, MF_CHECKED), MF_UNCHECKED);
  EXPECT_EQ(menu_.EnableMenuItem(5, MF_BYPOSITION | MF_ENABLED), MF_GRAYED);
  EXPECT_EQ(menu_.EnableMenuItem(kOpen, MF_DISABLED), MF_ENABLED);
  EXPECT_EQ(menu_.EnableMenuItem(999, MF_GRAYED), kNoMenuItem);
  EXPECT_EQ(menu_.GetMenuState(kPrint, MF_BYCOMMAND), MF_STRING);
  EXPECT_EQ(menu_.GetMenuState(kZoom, MF_BYCOMMAND), MF_CHECKED);
  EXPECT_EQ(menu_.GetMenuState(kClose, MF_BYCOMMAND), MF_STRING);
  EXPECT_EQ(menu_.GetMenuState(kOpen, MF_BYCOMMAND), MF_DISABLED);
}

TEST_F(MenuTest, PopupsBelongToOneMenuAndNeverHoldThemselves) {
  const HMENU view = menu_.GetSubMenu(3)->m_hMenu;
  CMenu other;
  ASSERT_TRUE(other.CreateMenu());
  EXPECT_FALSE(other.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(view), L"again"));
  const HMENU loop = CreatePopupMenu();
  ASSERT_TRUE(AppendMenuW(view, MF_POPUP, reinterpret_cast<UINT_PTR>(loop), L"Loop"));
  EXPECT_FALSE(AppendMenuW(loop, MF_POPUP, reinterpret_cast<UINT_PTR>(menu_.m_hMenu), L"back"));
  EXPECT_FALSE(AppendMenuW(loop, MF_POPUP, reinterpret_cast<UINT_PTR>(loop), L"self"));
  EXPECT_FALSE(AppendMenuW(nullptr, MF_STRING, 1, L"x"));

  menu_.DestroyMenu();
  EXPECT_FALSE(IsMenu(view));
  EXPECT_FALSE(IsMenu(loop));
  EXPECT_EQ(menu_.m_hMenu, nullptr);
  EXPECT_FALSE(CMenu().LoadMenu(14));
}

TEST_F(MenuTest, UserPicksCommandsThroughPopups) {
  ScriptedUser user;
  user.PickMenuItem(kOpen);
  user.PickMenuItem(kZoom);
  user.DismissMenu();
  EXPECT_TRUE(menu_.TrackPopupMenu(TPM_LEFTALIGN, 10, 10, &owner_));
  EXPECT_EQ(menu_.TrackPopupMenu(TPM_RETURNCMD, 10, 10, &owner_), static_cast<BOOL>(kZoom));
  EXPECT_EQ(menu_.TrackPopupMenu(TPM_RETURNCMD, 10, 10, &owner_), 0);
  EXPECT_EQ(owner_.seen, (Lines{"init menu", "init menu", "init menu"}));
  PumpPostedMessages();
  EXPECT_EQ(owner_.seen.back(), "command open");
  const std::string shown = "popup menu: &Open, &Print [checked], -, View >, Locked > [grayed], Close [grayed]";
  EXPECT_EQ(user.Seen(), (Lines{shown, shown, shown}));
  EXPECT_TRUE(user.Unused().empty());
}

TEST_F(MenuTest, UserCannotPickWhatIsNotThereOrNotEnabled) {
  const struct {
    UINT id;
    const char* error;
  } refused[] = {
      {kClose, "cannot pick menu item 102: it is not enabled"},
      {kHidden, "cannot pick menu item 120: it is not enabled"},
      {999, "cannot pick menu item 999: the menu has no such item"},
  };
  for (const auto& pick : refused) {
    ScriptedUser user;
    user.PickMenuItem(pick.id);
    try {
      menu_.TrackPopupMenu(TPM_RETURNCMD, 0, 0, &owner_);
      ADD_FAILURE() << pick.error;
    } catch (const UserScriptError& error) {
      EXPECT_STREQ(error.what(), pick.error);
    }
  }
  EXPECT_THROW(menu_.TrackPopupMenu(TPM_RETURNCMD, 0, 0, &owner_), UserScriptError);  // nobody answers
  ScriptedUser expectsAMessageBox;
  expectsAMessageBox.AnswerMessageBox(IDOK);
  EXPECT_THROW(menu_.TrackPopupMenu(TPM_RETURNCMD, 0, 0, &owner_), UserScriptError);
  EXPECT_EQ(expectsAMessageBox.TakeUnused(), (Lines{"message box"}));
}

TEST_F(MenuTest, MenusNestedDeepAreBuiltPickedAndDestroyed) {
  MenuTemplate deep{{MF_STRING, 1000, L"leaf"}};
  for (int level = 0; level < 100; ++level) deep = {{MF_STRING, 0, L"level", std::move(deep)}};
  app_.Register<MenuTemplate>(50, deep);
  CMenu menu;
  ASSERT_TRUE(menu.LoadMenu(50));
  HMENU inner = menu.m_hMenu;
  for (int level = 0; level < 100; ++level) inner = GetSubMenu(inner, 0);
  EXPECT_EQ(GetMenuItemID(inner, 0), 1000u);
  ScriptedUser user;
  user.PickMenuItem(1000);
  EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 0, 0, nullptr), 1000);
  menu.DestroyMenu();
  EXPECT_FALSE(IsMenu(inner));
}

}  // namespace
