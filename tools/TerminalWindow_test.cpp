#include "TerminalWindow.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "brenmoor/windowing/WinMessages.h"
#include "PdfText.h"
#include "TempFolder.h"
#include "brenmoor/app/ScriptedUser.h"
#include "brenmoor/docview/CPrintInfo.h"
#include "brenmoor/win/WinUtils.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kLongestWait = std::chrono::seconds(20);

// A terminal window running the command.
class LiveTerminal {
 public:
  explicit LiveTerminal(std::vector<std::string> command) {
    std::string error;
    opened_ = window_.Open(L"Terminal", {std::move(command)}, error);
    EXPECT_TRUE(opened_) << error;
  }

  TerminalWindow& Window() { return window_; }
  // Pumps frames until the screen holds the text; false when it did not come in time.
  bool ShowsWithin(const std::string& text) {
    return PumpUntil([&] { return window_.ScreenText().find(text) != std::string::npos; });
  }
  // Pumps frames until the command has ended and all it wrote is shown.
  std::optional<int> Ended() {
    std::optional<int> status;
    PumpUntil([&] { return (status = window_.Pump()).has_value(); });
    return status;
  }
  void Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) { window_.SendMessage(message, wParam, lParam); }
  void Type(const std::wstring& text) {
    for (const wchar_t c : text) Send(WM_CHAR, c);
  }
  // The client point in the middle of the 1-based cell.
  LPARAM AtCell(int row, int col) {
    const CSize cell = window_.Screen().ScreenCharSize();
    return MAKELPARAM(static_cast<WORD>((col - 1) * cell.cx + cell.cx / 2),
                      static_cast<WORD>((row - 1) * cell.cy + cell.cy / 2));
  }

 private:
  bool PumpUntil(const std::function<bool()>& done) {
    for (const auto end = Clock::now() + kLongestWait; Clock::now() < end;) {
      PumpPostedMessages();
      window_.Pump();
      if (done()) return true;
      window_.WaitForOutput(20);
    }
    return false;
  }

  TerminalWindow window_;
  bool opened_ = false;
};

TEST(TerminalWindow, ShowsWhatTheCommandWritesAndEndsWithItsStatus) {
  LiveTerminal terminal({"sh", "-c", "printf 'hello\\n\\tworld\\033[1;20Hthere'; exit 4"});
  EXPECT_EQ(terminal.Ended(), 4);
  EXPECT_EQ(terminal.Window().ScreenText(), "hello              there\n        world\n");
}

TEST(TerminalWindow, TypedTextAndEnterReachTheCommand) {
  LiveTerminal terminal({"sh", "-c", "printf 'name? '; read name; echo \"hello $name\""});
  ASSERT_TRUE(terminal.ShowsWithin("name?"));
  terminal.Type(L"echo\r");
  EXPECT_EQ(terminal.Ended(), 0);
  EXPECT_EQ(terminal.Window().ScreenText(), "name? echo\nhello echo\n");
}

// The command turns off the line discipline and shows the bytes each key sent.
TEST(TerminalWindow, KeysFollowCursorKeyMode) {
  LiveTerminal terminal({"sh", "-c", "stty raw -echo; printf '\\033[?1hready\\r\\n'; head -c 7 | od -An -tx1"});
  ASSERT_TRUE(terminal.ShowsWithin("ready"));
  EXPECT_TRUE(terminal.Window().Screen().GetCursorKeyMode());
  terminal.Send(WM_KEYDOWN, 0x26);  // Up
  terminal.Send(WM_KEYDOWN, 0x2E);  // Delete
  terminal.Send(WM_CHAR, 0x03);     // Ctrl+C, a byte like any other here
  EXPECT_EQ(terminal.Ended(), 0);
  EXPECT_EQ(terminal.Window().ScreenText(), "ready\n 1b 4f 41 1b 5b 33 7e\n");
}

TEST(TerminalWindow, RequestsAreAnsweredToTheCommand) {
  LiveTerminal terminal({"sh", "-c", "stty raw -echo; printf '\\033[5;9H\\033[6n\\033[c'; head -c 11 | od -An -c"});
  EXPECT_EQ(terminal.Ended(), 0);
  EXPECT_EQ(terminal.Window().ScreenText(), "\n\n\n\n         033   [   5   ;   9   R 033   [   ?   6   c\n");
}

TEST(TerminalWindow, ResizingReachesTheCommand) {
  LiveTerminal terminal({"sh", "-c", "printf 'ready '; read x; stty size"});
  ASSERT_TRUE(terminal.ShowsWithin("ready"));
  TerminalWindow& window = terminal.Window();
  const CSize cell = window.Screen().ScreenCharSize();
  CRect outer;
  window.GetWindowRect(&outer);
  CRect client;
  window.GetClientRect(&client);
  // 30 rows of 100 columns, and half a cell more, which shows no cell.
  window.MoveWindow({outer.left, outer.top, outer.left + outer.Width() - client.Width() + 100 * cell.cx + cell.cx / 2,
                     outer.top + outer.Height() - client.Height() + 30 * cell.cy + cell.cy / 2});
  EXPECT_EQ(window.Screen().VisRows(), 30);
  EXPECT_EQ(window.Screen().VisColumns(), 100);
  terminal.Type(L"\r");
  EXPECT_EQ(terminal.Ended(), 0);
  // The cursor is put on the first 24 rows only: programs are told those.
  EXPECT_EQ(window.ScreenText(), "ready\n24 100\n");
}

TEST(TerminalWindow, DraggingCopiesAndTheMiddleButtonPastes) {
  LiveTerminal terminal({"sh", "-c", "printf 'hello world\\n'; read line; echo \"got $line\""});
  ASSERT_TRUE(terminal.ShowsWithin("hello world"));
  terminal.Send(WM_LBUTTONDOWN, MK_LBUTTON, terminal.AtCell(1, 7));
  terminal.Send(WM_MOUSEMOVE, MK_LBUTTON, terminal.AtCell(1, 9));
  terminal.Send(WM_MOUSEMOVE, MK_LBUTTON, terminal.AtCell(1, 11));
  terminal.Send(WM_LBUTTONUP, 0, terminal.AtCell(1, 11));
  EXPECT_EQ(WinUtils::PasteFromClipboard(), L"world");
  terminal.Send(WM_MBUTTONDOWN, 0, terminal.AtCell(5, 5));
  terminal.Type(L"\r");
  EXPECT_EQ(terminal.Ended(), 0);
  EXPECT_EQ(terminal.Window().ScreenText(), "hello world\nworld\ngot world\n");
}

TEST(TerminalWindow, ShiftInsertPastesAndCtrlInsertCopies) {
  LiveTerminal terminal({"sh", "-c", "printf 'ready\\n'; read line; echo \"got $line\""});
  ASSERT_TRUE(terminal.ShowsWithin("ready"));
  ASSERT_TRUE(WinUtils::CopyToClipboard(L"two words"));
  terminal.Send(WM_KEYDOWN, VK_SHIFT);
  terminal.Send(WM_KEYDOWN, VK_INSERT);
  terminal.Send(WM_KEYUP, VK_SHIFT);
  terminal.Send(WM_KEYDOWN, VK_INSERT);  // Insert alone goes to the command
  terminal.Type(L"\r");
  EXPECT_EQ(terminal.Ended(), 0);
  // The line discipline echoes the VT220 Insert key's ESC as ^[; echo's is
  // an unknown sequence to the screen.
  EXPECT_EQ(terminal.Window().ScreenText(), "ready\ntwo words^[[2~\ngot two words\n");

  terminal.Send(WM_LBUTTONDOWN, MK_LBUTTON, terminal.AtCell(3, 1));
  terminal.Send(WM_MOUSEMOVE, MK_LBUTTON, terminal.AtCell(3, 3));
  ASSERT_TRUE(WinUtils::CopyToClipboard(L"other"));
  terminal.Send(WM_KEYDOWN, VK_CONTROL);
  terminal.Send(WM_KEYDOWN, VK_INSERT);
  EXPECT_EQ(WinUtils::PasteFromClipboard(), L"got");
}

TEST(TerminalWindow, TheContextMenuPrintsTheScreen) {
  testsupport::TempFolder folder;
  const auto pdf = folder.Path() / "screen.pdf";
  LiveTerminal terminal({"printf", "first line\\n  second line"});
  EXPECT_EQ(terminal.Ended(), 0);
  ScriptedUser user;
  user.PickMenuItem(TerminalWindow::kPrintCommand);
  user.AnswerPrintDialog(CString::FromUtf8(pdf.string()));
  terminal.Send(WM_CONTEXTMENU, 0, MAKELPARAM(10, 10));
  PumpPostedMessages();
  EXPECT_EQ(user.Seen(),
            (std::vector<std::string>{
                "popup menu: &Copy\\tCtrl+Insert [grayed], &Paste\\tShift+Insert, -, P&rint the screen...",
                "print dialog, pages 0 to 0, printer \"\""}));
  EXPECT_EQ(testsupport::PdfPages(pdf), std::vector<std::string>{"first line\nsecond line\n"});
}

}  // namespace
