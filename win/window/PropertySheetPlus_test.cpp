// Property sheets and wizards as a person steps through them.
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "brenmoor/win/CPropertySheetPlus.h"
#include "brenmoor/app/CWinApp.h"
#include "brenmoor/app/ScriptedUser.h"
#include "brenmoor/windowing/Input.h"
#include "brenmoor/windowing/TabControl.h"

namespace {

using Lines = std::vector<std::string>;

constexpr UINT kCaption = 500;
constexpr UINT kFirst = 501;
constexpr UINT kSecond = 502;
constexpr int kField = 1001;

std::string TabText(CPropertySheet& sheet, int index) {
  wchar_t text[300] = {};
  TCITEMW item{TCIF_TEXT};
  item.pszText = text;
  item.cchTextMax = 300;
  sheet.GetTabControl()->SendMessage(TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  return CString(text).ToUtf8();
}

// A page that notes what the sheet showed each time it became active.
class NotingPage : public CPropertyPagePlus {
 public:
  NotingPage(UINT templateId, Lines& seen) : CPropertyPagePlus(templateId, 0), seen_(seen) {}
  BOOL OnSetActive() override {
    auto* sheet = static_cast<CPropertySheet*>(GetParent());
    seen_.push_back("active " + std::to_string(GetTemplateId()) + ": \"" + sheet->GetWindowText().ToUtf8() +
                    "\" tab \"" + TabText(*sheet, sheet->GetPageIndex(this)) + "\"");
    if (onSetActive) onSetActive(*sheet);
    return true;
  }
  LRESULT OnWizardNext() override { return nextAnswer; }

  std::function<void(CPropertySheet&)> onSetActive;
  LRESULT nextAnswer = 0;

 private:
  Lines& seen_;
};

// The host's page templates, registered before the pages read their titles.
struct HostResources {
  HostResources() {
    for (UINT id : {kFirst, kSecond}) {
      DialogTemplate page;
      page.caption = id == kFirst ? L"First" : L"  Second ";
      page.rect = {0, 0, 200, 100};
      page.items = {{kEditClass, kField, L"", {10, 10, 100, 22}, WS_VISIBLE | WS_TABSTOP}};
      app.Register<DialogTemplate>(id, page);
    }
    app.RegisterString(kCaption, L"  Setup  ");
  }
  CWinApp app{L"Host"};
};

class PropertySheetTest : public ::testing::Test, protected HostResources {
 protected:
  int DefaultButton(CPropertySheet& sheet) { return static_cast<int>(sheet.SendMessage(DM_GETDEFID)); }

  ScriptedUser user;
  Lines seen;
  NotingPage first{kFirst, seen};
  NotingPage second{kSecond, seen};
};

TEST_F(PropertySheetTest, WizardPagesAreTitledWithTheTrimmedCaption) {
  CPropertySheetPlus sheet(kCaption);
  sheet.AddPage(&first);
  sheet.AddPage(&second);
  sheet.SetWizardMode();
  first.onSetActive = [](CPropertySheet& s) { s.SetWizardButtons(PSWIZB_NEXT); };
  second.onSetActive = [](CPropertySheet& s) { s.SetWizardButtons(PSWIZB_BACK | PSWIZB_FINISH); };
  user.InDialog(kCaption).Click(ID_WIZNEXT).Click(ID_WIZBACK).Click(ID_WIZNEXT).Click(ID_WIZFINISH);
  EXPECT_EQ(sheet.DoModal(), ID_WIZFINISH);
  // The title bar still shows the page being left while the next one is asked.
  EXPECT_EQ(seen, (Lines{"active 501: \"  Setup  \" tab \"Setup - First\"",
                         "active 502: \"Setup - First\" tab \"Setup - Second\"",
                         "active 501: \"Setup - Second\" tab \"Setup - First\"",
                         "active 502: \"Setup - First\" tab \"Setup - Second\""}));
  EXPECT_EQ(sheet.m_strCaption, L"Setup");
  EXPECT_EQ(first.m_psp.dwSize, 52u);
}

TEST_F(PropertySheetTest, ABlankCaptionLeavesTheTabsAloneAndIsTrimmedToEmpty) {
  CPropertySheetPlus sheet(L" \t ");
  sheet.AddPage(&first);
  sheet.SetWizardMode();
  user.InDialog(0).Click(IDCANCEL);
  EXPECT_EQ(sheet.DoModal(), IDCANCEL);
  EXPECT_EQ(seen, (Lines{"active 501: \" \t \" tab \"First\""}));
  EXPECT_EQ(sheet.m_strCaption, L"");
}

TEST_F(PropertySheetTest, AJoinedTitleLongerThanTheTabBufferIsCutToFit) {
  CPropertySheetPlus sheet(CString(L'c', 250));
  sheet.AddPage(&first);
  sheet.SetWizardMode();
  std::string tab;
  first.onSetActive = [&tab](CPropertySheet& s) { tab = TabText(s, 0); };
  user.InDialog(0).Click(IDCANCEL);
  sheet.DoModal();
  EXPECT_EQ(tab, std::string(250, 'c') + " - Fi");
}

TEST_F(PropertySheetTest, InTabbedModeAPageWhoseNextRefusesCannotBeLeft) {
  CPropertySheetPlus sheet(kCaption);
  sheet.AddPage(&first);
  sheet.AddPage(&second);
  first.nextAnswer = -1;
  user.InDialog(kCaption).Pick(AFX_IDC_TAB_CONTROL, L"  Second ").Click(IDOK).Click(IDCANCEL);
  EXPECT_EQ(sheet.DoModal(), IDCANCEL);
  EXPECT_EQ(seen, (Lines{"active 501: \"  Setup  \" tab \"First\""}));

  seen.clear();
  first.nextAnswer = 0;
  user.InDialog(kCaption).Pick(AFX_IDC_TAB_CONTROL, L"  Second ").Type(kField, L"typed").Click(IDOK);
  EXPECT_EQ(sheet.DoModal(), IDOK);
  EXPECT_EQ(seen, (Lines{"active 501: \"  Setup  \" tab \"First\"", "active 502: \"  Setup  \" tab \"  Second \""}));
}

TEST_F(PropertySheetTest, ATabbedSheetIgnoresWizardButtons) {
  CPropertySheetPlus plus(kCaption);
  plus.AddPage(&first);
  CPropertySheet plain(kCaption);
  plain.AddPage(&second);
  std::vector<int> defaults;
  const auto setButtons = [this, &defaults](CPropertySheet& sheet) {
    defaults.push_back(DefaultButton(sheet));
    sheet.SetWizardButtons(PSWIZB_NEXT);
    defaults.push_back(DefaultButton(sheet));
  };
  first.onSetActive = setButtons;
  second.onSetActive = setButtons;
  user.InDialog(kCaption).Click(IDOK);
  user.InDialog(kCaption).Click(IDOK);
  plus.DoModal();
  plain.DoModal();
  const int ok = MAKELPARAM(IDOK, DC_HASDEFID);
  EXPECT_EQ(defaults, (std::vector<int>{ok, ok, ok, static_cast<int>(MAKELPARAM(ID_WIZNEXT, DC_HASDEFID))}));
}

TEST_F(PropertySheetTest, ADisabledNextStopsBeingTheDefaultButton) {
  for (bool isPlus : {true, false}) {
    std::unique_ptr<CPropertySheet> sheet = isPlus ? std::make_unique<CPropertySheetPlus>(kCaption)
                                                   : std::make_unique<CPropertySheet>(kCaption);
    sheet->AddPage(&first);
    sheet->SetWizardMode();
    std::vector<int> state;
    first.onSetActive = [this, &state](CPropertySheet& s) {
      s.SetWizardButtons(PSWIZB_BACK);
      state.push_back(DefaultButton(s));
      state.push_back(static_cast<int>(s.GetDlgItem(ID_WIZNEXT)->GetStyle() & BS_TYPEMASK));
      state.push_back(s.GetDlgItem(ID_WIZNEXT)->IsWindowEnabled());
    };
    user.InDialog(kCaption).Click(IDCANCEL);
    sheet->DoModal();
    const std::vector<int> expected =
        isPlus ? std::vector<int>{0, static_cast<int>(BS_PUSHBUTTON), 0}
               : std::vector<int>{static_cast<int>(MAKELPARAM(ID_WIZNEXT, DC_HASDEFID)),
                                  static_cast<int>(BS_DEFPUSHBUTTON), 0};
    EXPECT_EQ(state, expected) << (isPlus ? "plus" : "plain");
  }
}


// A person at the keyboard: each turn in the sheet presses keys or types,
// then notes where the focus is.
class KeyboardUser : public CUser {
 public:
  explicit KeyboardUser(std::vector<std::string> turns) : turns_(turns.begin(), turns.end()) {}
  void BeginDialog(CDialog&) override { focus.push_back(Focus()); }
  void ActInDialog(CDialog&) override {
    if (turns_.empty()) throw UserScriptError("the sheet is still open");
    const std::string turn = turns_.front();
    turns_.pop_front();
    if (turn == "Tab" || turn == "Enter") {
      const WPARAM key = turn == "Tab" ? VK_TAB : VK_RETURN;
      SendKeyInput(WM_KEYDOWN, key, 1);
      SendKeyInput(WM_KEYUP, key, 1);
    } else if (turn.starts_with("Alt+")) {
      const LPARAM alt = static_cast<LPARAM>(KF_ALTDOWN) << 16;
      SendKeyInput(WM_SYSKEYDOWN, VK_MENU, alt);
      SendKeyInput(WM_SYSKEYDOWN, static_cast<WPARAM>(turn.back()), alt);
      SendKeyInput(WM_SYSKEYUP, static_cast<WPARAM>(turn.back()), alt);
      SendKeyInput(WM_KEYUP, VK_MENU, 0);
    } else {
      for (char c : turn) SendCharInput(static_cast<wchar_t>(c));
    }
    focus.push_back(Focus());
  }
  void EndDialog(CDialog&) override {}
  int AnswerMessageBox(const CString&, const CString&, UINT) override { throw UserScriptError("a message box"); }
  bool AnswerFileDialog(CFileDialog&) override { throw UserScriptError("a file dialog"); }

  // "<page>/<control> <text>" for a page's field, "<control>" for the sheet's.
  static std::string Focus() {
    const HWND focused = GetFocus();
    if (focused == nullptr) return "none";
    const HWND parent = GetParent(focused);
    const std::string control = std::to_string(GetDlgCtrlID(focused));
    if (parent == nullptr || GetParent(parent) == nullptr) return control;
    return std::to_string(GetDlgCtrlID(parent)) + "/" + control + " " +
           CWnd::FromHandle(focused)->GetWindowText().ToUtf8();
  }

  std::vector<std::string> focus;

 private:
  std::deque<std::string> turns_;
  CUserScope scope_{*this};
};

TEST_F(PropertySheetTest, AWizardIsWalkedWithTheKeyboardThePagesFirstFieldTakingTheFocus) {
  CPropertySheetPlus sheet(kCaption);
  sheet.AddPage(&first);
  sheet.AddPage(&second);
  sheet.SetWizardMode();
  first.onSetActive = [](CPropertySheet& s) { s.SetWizardButtons(PSWIZB_NEXT); };
  second.onSetActive = [](CPropertySheet& s) { s.SetWizardButtons(PSWIZB_BACK | PSWIZB_FINISH); };
  KeyboardUser person({"one", "Tab", "Tab", "Tab", "Enter", "two", "Tab", "Tab", "Alt+B", "Enter", "Enter"});
  EXPECT_EQ(sheet.DoModal(), ID_WIZFINISH);
  const std::string back = std::to_string(ID_WIZBACK), next = std::to_string(ID_WIZNEXT),
                    finish = std::to_string(ID_WIZFINISH), cancel = std::to_string(IDCANCEL);
  // Tab goes from the page's field through the buttons as they are seen,
  // passing over the disabled Back and the hidden Finish, and round.
  EXPECT_EQ(person.focus, (Lines{"501/1001 ", "501/1001 one", next, cancel, "501/1001 one", "502/1001 ",
                                 "502/1001 two", back, finish, "501/1001 one", "502/1001 two", "502/1001 two"}));
}

}  // namespace
