#include "brenmoor/app/ScreenUser.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "brenmoor/app/CWinApp.h"
#include "brenmoor/ui/CColorDialog.h"
#include "brenmoor/ui/CDialog.h"
#include "brenmoor/ui/CFileDialog.h"
#include "brenmoor/ui/CWnd.h"
#include "brenmoor/windowing/Screen.h"

namespace {

std::string Refusal(const std::function<void()>& ask) {
  try {
    ask();
  } catch (const UserScriptError& error) {
    return error.what();
  }
  return "answered";
}

// The test programs run headless: what needs the screen says so, every
// modal thing as the window it would show.
TEST(ScreenUserTest, WithoutTheScreenEachModalThingSaysWhy) {
  ASSERT_FALSE(IsOnScreen());
  ScreenUser person;
  CUserScope installed(person);
  CDialog dialog(234);
  CFileDialog file(true);
  CColorDialog colour;
  const std::vector<std::pair<std::function<void()>, std::string>> cases = {
      {[&] { person.BeginDialog(dialog); }, "dialog 234 cannot be shown: the windows are not on screen"},
      {[&] { person.ActInDialog(dialog); }, "dialog 234 lost its screen"},
      {[&] { person.AnswerMessageBox(L"Saved.", L"Host", 0); },
       "dialog 65281 cannot be shown: the windows are not on screen"},
      {[&] { person.AnswerFileDialog(file); }, "dialog 65282 cannot be shown: the windows are not on screen"},
      {[&] { person.AnswerColorDialog(colour); }, "dialog 65283 cannot be shown: the windows are not on screen"},
  };
  for (const auto& [ask, said] : cases) EXPECT_EQ(Refusal(ask), said);
}

// Headless, the loop delivers what was posted and returns: nobody is there to wait for.
TEST(ScreenUserTest, RunDeliversWhatWasPostedAndReturnsWhenHeadless) {
  CWinApp app(L"Host");
  CWnd main;
  main.Create(kGenericWindowClass, L"Main", WS_OVERLAPPEDWINDOW, {0, 0, 200, 100}, nullptr, 0);
  app.m_pMainWnd = &main;
  ::PostMessage(main.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Posted"));
  EXPECT_EQ(app.Run(), 0);
  EXPECT_EQ(main.GetWindowText(), CString(L"Posted"));
  main.DestroyWindow();
}

}  // namespace
