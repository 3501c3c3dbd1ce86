// A frame's menu bar and accelerators as a person uses them: clicks and
// keys in, the popups the user was shown and the commands the frame got out.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "brenmoor/app/CWinApp.h"
#include "brenmoor/app/ScriptedUser.h"
#include "brenmoor/docview/CFrameWnd.h"
#include "brenmoor/windowing/Input.h"
#include "brenmoor/gdi/ClassicLook.h"
#include "brenmoor/windowing/MenuBar.h"
#include "brenmoor/windowing/WindowPainter.h"
#include "PngPixels.h"
#include "TempFolder.h"

namespace {

constexpr UINT kFrameId = 700;
enum : UINT { kOpen = 100, kGone = 101, kCopy = 110, kHelp = 120 };

class CommandFrame : public CFrameWnd {
 public:
  explicit CommandFrame(std::vector<UINT>& commands) : commands_(commands) {}
  bool OnCmdMsg(UINT id, UINT code) override {
    if (code != 0 || id < kOpen || id > kHelp) return CFrameWnd::OnCmdMsg(id, code);
    commands_.push_back(id);
    return true;
  }

 private:
  std::vector<UINT>& commands_;
};

// Remembers where each popup was asked to show.
class PlacingUser : public ScriptedUser {
 public:
  UINT AnswerPopupMenu(HMENU menu, CPoint at) override {
    places.push_back(at);
    return ScriptedUser::AnswerPopupMenu(menu, at);
  }
  std::vector<CPoint> places;
};

MenuTemplate FrameMenu() {
  MenuItemTemplate file{MF_POPUP, 0, L"&File", {}};
  file.popup = {{MF_STRING, kOpen, L"&Open\tCtrl+O", {}}, {MF_STRING | MF_GRAYED, kGone, L"&Gone\tCtrl+G", {}}};
  MenuItemTemplate edit{MF_POPUP, 0, L"&Edit", {}};
  edit.popup = {{MF_STRING, kCopy, L"&Copy\tCtrl+Shift+C", {}}};
  return {file, edit, {MF_STRING, kHelp, L"&Help", {}}, {MF_POPUP | MF_GRAYED, 0, L"&Tools", {{MF_STRING, 130, L"X", {}}}}};
}

// Public: the cases' steps act on it.
class MenuBarTest : public testing::Test {
 public:
  MenuBarTest() {
    app.RegisterString(kFrameId, L"Menus");
    app.Register<MenuTemplate>(kFrameId, FrameMenu());
    app.Register<AcceleratorTemplate>(kFrameId, {{FVIRTKEY | FCONTROL, 'O', kOpen},
                                                 {FVIRTKEY | FCONTROL, 'G', kGone},
                                                 {FVIRTKEY | FCONTROL | FSHIFT, 'C', kCopy},
                                                 {FVIRTKEY, VK_F1, kHelp}});
    frame->LoadFrame(kFrameId, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    frame->SetFocus();
  }
  ~MenuBarTest() override { frame->DestroyWindow(); }

  // The middle of the bar's item, on the screen.
  CPoint Item(int position) const {
    const CRect item = MenuBarItemRects(frame->m_hWnd).at(static_cast<std::size_t>(position));
    const CPoint origin = GetClientOrigin(frame->m_hWnd);
    return {origin.x + (item.left + item.right) / 2, origin.y + (item.top + item.bottom) / 2};
  }
  void Click(CPoint at) const {
    SendMouseInput(frame->m_hWnd, WM_LBUTTONDOWN, at, MK_LBUTTON);
    SendMouseInput(frame->m_hWnd, WM_LBUTTONUP, at, 0);
  }
  // The keys go down in order and come up in the reverse order.
  static void Keys(const std::vector<WPARAM>& keys) {
    const bool alt = std::find(keys.begin(), keys.end(), VK_MENU) != keys.end();
    const UINT down = alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
    const LPARAM flags = alt ? static_cast<LPARAM>(KF_ALTDOWN) << 16 : 0;
    for (WPARAM key : keys) SendKeyInput(down, key, flags);
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) SendKeyInput(alt ? WM_SYSKEYUP : WM_KEYUP, *key, flags);
  }

  CWinApp app{L"Tester"};
  PlacingUser user;
  std::vector<UINT> commands;
  CommandFrame* frame = new CommandFrame(commands);
};

TEST_F(MenuBarTest, TheBarTakesItsHeightFromTheClientAreaUnderTheCaption) {
  EXPECT_EQ(frame->GetWindowText(), CString(L"Menus"));
  EXPECT_EQ(GetClientRect(frame->m_hWnd), CRect(0, 0, 1018, 724));
  EXPECT_EQ(GetClientOrigin(frame->m_hWnd), CPoint(3, 41));
  const std::vector<CRect> items = MenuBarItemRects(frame->m_hWnd);
  ASSERT_EQ(items.size(), 4u);
  EXPECT_EQ(items[0].left, 0);
  EXPECT_EQ(items[0].top, -19);
  EXPECT_EQ(items[0].bottom, 0);
  EXPECT_EQ(items[1].left, items[0].right);
  // Taken off, the menu is the caller's again.
  const HMENU menu = GetMenu(frame->m_hWnd);
  SetMenu(frame->m_hWnd, nullptr);
  EXPECT_EQ(GetClientRect(frame->m_hWnd), CRect(0, 0, 1018, 743));
  EXPECT_TRUE(DestroyMenu(menu));
}

// What the frame looks like: the caption, the bar's texts, the grayed one embossed.
TEST_F(MenuBarTest, TheFrameIsPaintedWithItsCaptionAndTheBarUnderIt) {
  const testsupport::TempFolder folder;
  const auto png = folder.Path() / "frame.png";
  ASSERT_TRUE(RenderWindowToPng(frame->m_hWnd, png.string()));
  const testsupport::PngPixels pixels(png);
  const std::vector<CRect> items = MenuBarItemRects(frame->m_hWnd);
  auto textIn = [&pixels](const CRect& item, std::uint32_t colour) {
    for (int y = 41 + item.top; y < 41 + item.bottom; ++y) {
      for (int x = 3 + item.left; x < 3 + item.right; ++x) {
        if (pixels.At(x, y) == colour) return true;
      }
    }
    return false;
  };
  EXPECT_EQ(pixels.At(0, 0), classic::kLight);
  EXPECT_EQ(pixels.At(500, 10), classic::kCaption);
  EXPECT_EQ(pixels.At(500, 30), classic::kFace);  // the bar past its items
  EXPECT_TRUE(textIn(items[0], classic::kText));
  EXPECT_FALSE(textIn(items[3], classic::kText));
  EXPECT_TRUE(textIn(items[3], classic::kGrayText));
}

TEST_F(MenuBarTest, ClicksAndKeysOpenTheMenusAndSendTheirCommands) {
  struct Case {
    const char* what;
    std::function<void(ScriptedUser&)> expect;
    std::function<void(MenuBarTest&)> act;
    std::vector<std::string> seen;
    std::vector<UINT> commands;
  };
  const auto pick = [](UINT id) { return [id](ScriptedUser& u) { u.PickMenuItem(id); }; };
  const auto dismiss = [](ScriptedUser& u) { u.DismissMenu(); };
  const auto none = [](ScriptedUser&) {};
  const std::string file = "popup menu: &Open\\tCtrl+O, &Gone\\tCtrl+G [grayed]";
  const std::string edit = "popup menu: &Copy\\tCtrl+Shift+C";
  const std::vector<Case> cases{
      {"click File, pick Open", pick(kOpen), [](MenuBarTest& t) { t.Click(t.Item(0)); }, {file}, {kOpen}},
      {"click Edit, dismiss", dismiss, [](MenuBarTest& t) { t.Click(t.Item(1)); }, {edit}, {}},
      {"a quick second click, on Edit", dismiss,
       [](MenuBarTest& t) { SendMouseInput(t.frame->m_hWnd, WM_LBUTTONDBLCLK, t.Item(1), MK_LBUTTON); }, {edit}, {}},
      {"click Help, a command on the bar", none, [](MenuBarTest& t) { t.Click(t.Item(2)); }, {}, {kHelp}},
      {"click the grayed Tools", none, [](MenuBarTest& t) { t.Click(t.Item(3)); }, {}, {}},
      {"click the bar past its items", none, [](MenuBarTest& t) { t.Click({t.Item(3).x + 200, t.Item(3).y}); }, {}, {}},
      {"Alt+F, pick Open", pick(kOpen), [](MenuBarTest&) { Keys({VK_MENU, 'F'}); }, {file}, {kOpen}},
      {"Alt+E, pick Copy", pick(kCopy), [](MenuBarTest&) { Keys({VK_MENU, 'E'}); }, {edit}, {kCopy}},
      {"Alt+H, the command on the bar", none, [](MenuBarTest&) { Keys({VK_MENU, 'H'}); }, {}, {kHelp}},
      {"Alt+T, grayed", none, [](MenuBarTest&) { Keys({VK_MENU, 'T'}); }, {}, {}},
      {"Alt+Z, no such letter", none, [](MenuBarTest&) { Keys({VK_MENU, 'Z'}); }, {}, {}},
      {"Ctrl+O", none, [](MenuBarTest&) { Keys({VK_CONTROL, 'O'}); }, {}, {kOpen}},
      {"O alone", none, [](MenuBarTest&) { Keys({'O'}); }, {}, {}},
      {"Ctrl+Shift+O, Shift not in the entry", none, [](MenuBarTest&) { Keys({VK_CONTROL, VK_SHIFT, 'O'}); }, {}, {}},
      {"Ctrl+Shift+C", none, [](MenuBarTest&) { Keys({VK_CONTROL, VK_SHIFT, 'C'}); }, {}, {kCopy}},
      {"Ctrl+C, Shift missing", none, [](MenuBarTest&) { Keys({VK_CONTROL, 'C'}); }, {}, {}},
      {"F1", none, [](MenuBarTest&) { Keys({VK_F1}); }, {}, {kHelp}},
      {"Ctrl+G, grayed in the menu", none, [](MenuBarTest&) { Keys({VK_CONTROL, 'G'}); }, {}, {}},
      {"Ctrl+O while the frame is disabled", none,
       [](MenuBarTest& t) {
         t.frame->EnableWindow(false);
         Keys({VK_CONTROL, 'O'});
         t.frame->EnableWindow(true);
       },
       {}, {}},
  };
  for (const Case& each : cases) {
    SCOPED_TRACE(each.what);
    PlacingUser fresh;
    const CUserScope scope(fresh);
    each.expect(fresh);
    commands.clear();
    frame->SetFocus();
    each.act(*this);
    PumpPostedMessages();
    EXPECT_EQ(fresh.Seen(), each.seen);
    EXPECT_EQ(commands, each.commands);
    EXPECT_TRUE(fresh.TakeUnused().empty());
  }
}

TEST_F(MenuBarTest, APopupShowsUnderItsItem) {
  user.DismissMenu();
  user.DismissMenu();
  const CUserScope scope(user);
  Click(Item(1));
  Keys({VK_MENU, 'F'});
  const CRect edit = MenuBarItemRects(frame->m_hWnd)[1];
  EXPECT_EQ(user.places, (std::vector<CPoint>{{3 + edit.left, 41}, {3, 41}}));
}

}  // namespace
