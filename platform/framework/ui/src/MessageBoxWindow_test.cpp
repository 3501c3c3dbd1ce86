#include "brenmoor/ui/MessageBoxWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ScriptedWindows.h"
#include "brenmoor/app/CWinApp.h"

namespace {

using testsupport::Do;
using Lines = std::vector<std::string>;

// The buttons left to right by id, the default one marked with a star, then
// the one with the focus.
std::string Buttons(CDialog& box) {
  std::string line;
  for (HWND child : GetChildren(box.m_hWnd)) {
    if (FindWindowState(child)->className != kButtonClass || (GetStyle(child) & BS_TYPEMASK) == BS_OWNERDRAW) continue;
    line += std::to_string(GetDlgCtrlID(child)) + ((GetStyle(child) & BS_TYPEMASK) == BS_DEFPUSHBUTTON ? "* " : " ");
  }
  return line + "focus " + std::to_string(GetDlgCtrlID(GetFocus()));
}

class MessageBoxWindowTest : public testing::Test {
 protected:
  CWinApp app{L"Tester"};
  ScriptedUser user;
};

TEST_F(MessageBoxWindowTest, EachTypeShowsItsButtonsWithTheDefaultOneFocusedAndAnswersTheOneClicked) {
  struct Case {
    UINT type;
    int click;
    std::string buttons;
  };
  for (const Case& each : std::vector<Case>{
           {MB_OK, IDOK, "1* focus 1"},
           {MB_OKCANCEL | MB_DEFBUTTON2, IDCANCEL, "1 2* focus 2"},
           {MB_ABORTRETRYIGNORE | MB_DEFBUTTON3, IDIGNORE, "3 4 5* focus 5"},
           {MB_YESNOCANCEL | MB_ICONQUESTION, IDNO, "6* 7 2 focus 6"},
           {MB_YESNO | MB_DEFBUTTON3, IDYES, "6* 7 focus 6"},
           {MB_RETRYCANCEL | MB_ICONWARNING, IDRETRY, "4* 2 focus 4"},
       }) {
    std::string seen;
    Do(user.InDialog(kMessageBoxDialog), "look", [&seen](CDialog& box) { seen = Buttons(box); }).Click(each.click);
    EXPECT_EQ(RunMessageBoxWindow(L"Text", L"Caption", each.type), each.click) << each.buttons;
    EXPECT_EQ(seen, each.buttons);
  }
}

// Escape comes as Cancel from the dialog's keys.
TEST_F(MessageBoxWindowTest, EscapeAnswersCancelOrTheOnlyOkAndIsIgnoredOtherwise) {
  auto escape = [](CDialog& box) { box.SendMessage(WM_COMMAND, IDCANCEL); };
  Do(user.InDialog(kMessageBoxDialog), "escape", escape);
  EXPECT_EQ(RunMessageBoxWindow(L"Text", L"", MB_OK), IDOK);
  Do(user.InDialog(kMessageBoxDialog), "escape", escape);
  EXPECT_EQ(RunMessageBoxWindow(L"Text", L"", MB_YESNOCANCEL), IDCANCEL);
  Do(user.InDialog(kMessageBoxDialog), "escape", escape).Click(IDNO);
  EXPECT_EQ(RunMessageBoxWindow(L"Text", L"", MB_YESNO), IDNO);
}

TEST_F(MessageBoxWindowTest, ShowsTheCaptionOrErrorAndTheTextLineByLine) {
  std::vector<std::string> captions;
  auto caption = [&captions](CDialog& box) { captions.push_back(box.GetWindowText().ToUtf8()); };
  Do(user.InDialog(kMessageBoxDialog), "caption", caption).Read(0xFFFF).Click(IDOK);
  Do(user.InDialog(kMessageBoxDialog), "caption", caption).Click(IDOK);
  RunMessageBoxWindow(L"First line\nsecond\r\n\nafter a blank", L"Kelvane", MB_OK | MB_ICONERROR);
  RunMessageBoxWindow(L"x", L"", MB_OK);
  EXPECT_EQ(captions, (Lines{"Kelvane", "Error"}));
  EXPECT_EQ(user.Seen(), (Lines{"dialog 65281", "read 65535: First line\\r\\nsecond\\r\\n\\r\\nafter a blank",
                                "dialog 65281"}));
}

TEST_F(MessageBoxWindowTest, LongTextWrapsAtWordsAndTheBoxGrowsWithIt) {
  std::wstring words;
  for (int i = 0; i < 60; ++i) words += L"configuration ";
  words += L"end";
  const std::vector<std::wstring> lines = CMessageBoxWindow::WrapText(CString(words));
  ASSERT_GT(lines.size(), 3u);
  std::wstring joined;
  for (const std::wstring& line : lines) {
    EXPECT_EQ(line.substr(0, 13), L"configuration") << CString(line).ToUtf8();
    joined += (joined.empty() ? L"" : L" ") + line;
  }
  EXPECT_EQ(joined, words);

  CRect small;
  CRect large;
  auto measure = [](CRect& size) { return [&size](CDialog& box) { size = ::GetWindowRect(box.m_hWnd); }; };
  Do(user.InDialog(kMessageBoxDialog), "measure", measure(small)).Click(IDOK);
  Do(user.InDialog(kMessageBoxDialog), "measure", measure(large)).Click(IDOK);
  RunMessageBoxWindow(L"Short.", L"", MB_OK);
  RunMessageBoxWindow(CString(words), L"", MB_OK);
  EXPECT_GT(large.Width(), small.Width());
  EXPECT_GT(large.Height(), small.Height() + static_cast<int>(lines.size() - 2) * 13);
}

}  // namespace
