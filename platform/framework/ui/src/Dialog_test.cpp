#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "brenmoor/ui/CButton.h"
#include "brenmoor/ui/CComboBox.h"
#include "brenmoor/ui/CDialog.h"
#include "brenmoor/ui/CFileDialog.h"
#include "brenmoor/app/CWinApp.h"
#include "brenmoor/gdi/RasterSurface.h"
#include "brenmoor/app/ScriptedUser.h"
#include "brenmoor/windowing/CMenu.h"
#include "brenmoor/windowing/Input.h"
#include "TempFolder.h"
#include "brenmoor/windowing/WindowPainter.h"

namespace {

using testsupport::TempFolder;
using Lines = std::vector<std::string>;

constexpr UINT kTemplate = 100;
enum : int { kName = 10, kChoice = 11, kFlag = 12, kLabel = 13, kNote = 14, kChoiceList = 15 };

DialogTemplate TestTemplate() {
  DialogTemplate dialog{L"Test dialog", {0, 0, 200, 120}, WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, {}};
  dialog.items = {
      {kStaticClass, kLabel, L"Name:", {7, 7, 40, 15}, WS_VISIBLE},
      {kEditClass, kName, L"", {50, 7, 190, 19}, WS_VISIBLE | WS_TABSTOP | WS_BORDER},
      {kComboBoxClass, kChoice, L"", {50, 25, 190, 37}, WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWN, {L"Tab", L"Space", L","}},
      {kComboBoxClass, kChoiceList, L"", {50, 43, 190, 55}, WS_VISIBLE | CBS_DROPDOWNLIST, {L"One", L"Two"}},
      {kButtonClass, kFlag, L"Flag", {7, 60, 100, 70}, WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX},
      {kEditClass, kNote, L"note", {7, 75, 190, 95}, WS_VISIBLE | ES_READONLY | ES_MULTILINE},
      {kButtonClass, IDOK, L"OK", {80, 100, 130, 114}, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON},
      {kButtonClass, IDCANCEL, L"Cancel", {140, 100, 190, 114}, WS_VISIBLE | WS_TABSTOP},
  };
  return dialog;
}

// A dialog that notes every notification it gets, with what its controls show then.
class TestDialog : public CDialog {
 public:
  TestDialog() : CDialog(kTemplate) {}
  CString name = L"start";
  CString choice = L"Sp";
  CString listChoice = L"Two";
  int flag = 1;
  bool flagEnabled = true;
  Lines notes;

 protected:
  void DoDataExchange(CDataExchange* exchange) override {
    DDX_Text(exchange, kName, name);
    DDX_CBString(exchange, kChoice, choice);
    DDX_CBString(exchange, kChoiceList, listChoice);
    DDX_Check(exchange, kFlag, flag);
  }
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    GetDlgItem(kFlag)->EnableWindow(flagEnabled);
    if (CWnd* main = AfxGetApp()->m_pMainWnd) notes.push_back(main->IsWindowEnabled() ? "owner on" : "owner off");
    return true;
  }
  void Note(const char* what, int id) {
    CComboBox* combo = DYNAMIC_DOWNCAST(CComboBox, GetDlgItem(id));
    std::string line = std::string(what) + " " + VisibleText(GetDlgItem(id)->GetWindowText());
    if (combo != nullptr) line += " sel " + std::to_string(combo->GetCurSel());
    notes.push_back(line);
  }
  void OnNameChange() { Note("EN_CHANGE", kName); }
  void OnChoiceEdit() { Note("CBN_EDITCHANGE", kChoice); }
  void OnChoiceSelect() { Note("CBN_SELCHANGE", kChoice); }
  void OnFlag() { Note("BN_CLICKED", kFlag); }

  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestDialog, CDialog)
  ControlEntry<&TestDialog::OnNameChange>(EN_CHANGE, kName),
  ControlEntry<&TestDialog::OnChoiceEdit>(CBN_EDITCHANGE, kChoice),
  ControlEntry<&TestDialog::OnChoiceSelect>(CBN_SELCHANGE, kChoice),
  ControlEntry<&TestDialog::OnFlag>(BN_CLICKED, kFlag),
END_MESSAGE_MAP()

class DialogTest : public ::testing::Test {
 protected:
  DialogTest() { app.Register<DialogTemplate>(kTemplate, TestTemplate()); }
  CWinApp app{L"Tester"};
  ScriptedUser user;
  TestDialog dialog;
};

TEST_F(DialogTest, LoadsTheMembersThenSavesWhatTheUserDidOnOk) {
  user.InDialog(kTemplate).Read(kName).Read(kChoice).Read(kChoiceList).Type(kName, L"ab").Pick(kChoice, L",")
      .Check(kFlag, false).Click(IDOK);
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(user.Seen(), (Lines{"dialog 100", "read 10: start", "read 11: Space", "read 15: Two"}));
  EXPECT_EQ(dialog.notes, (Lines{"EN_CHANGE start", "EN_CHANGE a", "EN_CHANGE ab", "CBN_SELCHANGE Space sel 2",
                                 "BN_CLICKED Flag"}));
  EXPECT_EQ(dialog.name, L"ab");
  EXPECT_EQ(dialog.choice, L",");
  EXPECT_EQ(dialog.listChoice, L"Two");
  EXPECT_EQ(dialog.flag, 0);
  EXPECT_TRUE(user.Unused().empty());
  EXPECT_FALSE(IsWindow(dialog.m_hWnd));
}

TEST_F(DialogTest, TypingInTheComboFieldDropsTheSelection) {
  dialog.choice = L"Tab";
  user.InDialog(kTemplate).Type(kChoice, L"|x").Type(kChoice, L"").Click(IDOK);
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.notes, (Lines{"EN_CHANGE start", "CBN_EDITCHANGE | sel -1", "CBN_EDITCHANGE |x sel -1",
                                 "CBN_EDITCHANGE  sel -1"}));
  EXPECT_EQ(dialog.choice, L"");
}

TEST_F(DialogTest, LoadingAValueNoChoiceBeginsWithPutsItIntoTheField) {
  for (const auto& [loaded, shown] : std::vector<std::pair<CString, std::string>>{
           {L"sp", "Space"}, {L";", ";"}, {L"", ""}, {L"TAB", "Tab"}}) {
    ScriptedUser again;
    TestDialog other;
    other.choice = loaded;
    again.InDialog(kTemplate).Read(kChoice).Click(IDCANCEL);
    EXPECT_EQ(other.DoModal(), IDCANCEL);
    EXPECT_EQ(again.Seen().back(), "read 11: " + shown);
  }
}

// A person at the screen: each of the dialog's turns is one thing done with
// the mouse or the keyboard; nothing else modal is expected.
class PersonUser : public CUser {
 public:
  using Act = std::function<void(CDialog&)>;
  explicit PersonUser(std::vector<Act> acts) : acts_(acts.begin(), acts.end()) {}
  void BeginDialog(CDialog&) override {}
  void ActInDialog(CDialog&) override;
  void EndDialog(CDialog&) override {}
  int AnswerMessageBox(const CString&, const CString&, UINT) override { throw UserScriptError("a message box"); }
  bool AnswerFileDialog(CFileDialog&) override { throw UserScriptError("a file dialog"); }

 private:
  std::deque<Act> acts_;
  CUserScope scope_{*this};
};

void PersonUser::ActInDialog(CDialog& dialog) {
  if (acts_.empty()) throw UserScriptError("the dialog is still open");
  const Act act = std::move(acts_.front());
  acts_.pop_front();
  act(dialog);
}

PersonUser::Act Typing(const wchar_t* text) {
  return [text](CDialog&) {
    for (const wchar_t* unit = text; *unit != 0; ++unit) SendCharInput(*unit);
  };
}

PersonUser::Act Pressing(WPARAM key) {
  return [key](CDialog&) {
    SendKeyInput(WM_KEYDOWN, key, 1);
    SendKeyInput(WM_KEYUP, key, 1);
  };
}

PersonUser::Act ClickingOn(int id) {
  return [id](CDialog& dialog) {
    const CRect place = GetWindowRect(GetDlgItem(dialog.m_hWnd, id));
    const CPoint middle{(place.left + place.right) / 2, (place.top + place.bottom) / 2};
    SendMouseInput(dialog.m_hWnd, WM_LBUTTONDOWN, middle, MK_LBUTTON);
    SendMouseInput(dialog.m_hWnd, WM_LBUTTONUP, middle, 0);
  };
}

// The name field has the focus with its text selected when the dialog opens.
TEST_F(DialogTest, APersonEndsTheDialogWithEnterEscapeOrTheMouse) {
  struct Case {
    std::vector<PersonUser::Act> acts;
    INT_PTR result;
    const wchar_t* name;
    int flag;
  };
  const std::vector<Case> cases{
      {{Typing(L"xy"), Pressing(VK_RETURN)}, IDOK, L"xy", 1},
      {{Typing(L"xy"), Pressing(VK_ESCAPE)}, IDCANCEL, L"start", 1},
      {{Pressing(VK_TAB), Pressing(VK_TAB), Pressing(VK_SPACE), Pressing(VK_RETURN)}, IDOK, L"start", 0},
      {{Typing(L"z"), ClickingOn(kFlag), ClickingOn(IDOK)}, IDOK, L"z", 0},
      {{Pressing(VK_TAB), Pressing(VK_TAB), Pressing(VK_TAB), Pressing(VK_RETURN)}, IDOK, L"start", 1},
      {{Pressing(VK_TAB), Pressing(VK_TAB), Pressing(VK_TAB), Pressing(VK_TAB), Pressing(VK_RETURN)}, IDCANCEL, L"start", 1},
  };
  for (const Case& each : cases) {
    PersonUser person(each.acts);
    TestDialog shown;
    EXPECT_EQ(shown.DoModal(), each.result);
    EXPECT_EQ(shown.name, each.name);
    EXPECT_EQ(shown.flag, each.flag);
  }
}

TEST_F(DialogTest, CancelKeepsTheMembersAsTheyWere) {
  user.InDialog(kTemplate).Type(kName, L"zz").Click(IDCANCEL);
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(dialog.name, L"start");
}

TEST_F(DialogTest, ClosingTheWindowIsCancel) {
  auto& script = user.InDialog(kTemplate).Type(kName, L"zz");
  script.Actions().push_back({"close", [](CDialog& shown) { shown.SendMessage(WM_CLOSE); }});
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(dialog.name, L"start");
}

// A person who presses OK at the first chance, counting the chances.
class PressingOk : public CUser {
 public:
  int turns = 0;
  void BeginDialog(CDialog&) override { throw UserScriptError("the person began a dialog"); }
  void ActInDialog(CDialog& shown) override {
    ++turns;
    shown.SendMessage(WM_COMMAND, IDOK);
  }
  void EndDialog(CDialog&) override { throw UserScriptError("the person ended a dialog"); }
  int AnswerMessageBox(const CString&, const CString&, UINT) override { return IDOK; }
  bool AnswerFileDialog(CFileDialog&) override { return false; }
};

TEST_F(DialogTest, AfterTheScriptsLastActionThePersonHandedOverToFinishesTheDialog) {
  PressingOk person;
  user.HandOverTo(person);
  user.InDialog(kTemplate).Type(kName, L"filled");
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.name, L"filled");
  EXPECT_EQ(person.turns, 1);
  EXPECT_TRUE(user.Unused().empty());
}

TEST_F(DialogTest, ANonzeroFlagShowsChecked) {
  dialog.flag = 5;
  user.InDialog(kTemplate).Click(IDOK);
  dialog.DoModal();
  EXPECT_EQ(dialog.flag, 1);
}

TEST_F(DialogTest, StepsAPersonCannotTakeFailAtOnceNamingThem) {
  const std::vector<std::pair<std::function<void(ScriptedUser::DialogScript&)>, std::string>> cases = {
      {[](auto& s) { s.Click(kFlag); }, "cannot click 12: dialog 100 has control 12 disabled"},
      {[](auto& s) { s.Type(kNote, L"x"); }, "cannot type 14 \"x\": the edit control is read-only"},
      {[](auto& s) { s.Type(kChoiceList, L"x"); }, "cannot type 15 \"x\": dialog 100 has no field to type into there"},
      {[](auto& s) { s.Pick(kChoice, L"tab"); }, "cannot pick 11 \"tab\": the combo box has no such choice"},
      {[](auto& s) { s.Click(99); }, "cannot click 99: dialog 100 has no control 99"},
      {[](auto&) {}, "dialog 100 is still open after the script's last action in it"},
  };
  for (const auto& [step, message] : cases) {
    ScriptedUser again;
    TestDialog other;
    other.flagEnabled = false;
    step(again.InDialog(kTemplate));
    try {
      other.DoModal();
      ADD_FAILURE() << "no failure for " << message;
    } catch (const UserScriptError& error) {
      EXPECT_EQ(std::string(error.what()), message);
    }
    EXPECT_FALSE(IsWindow(other.m_hWnd)) << message;
  }
}

TEST_F(DialogTest, UnexpectedModalThingsFailWithTheirName) {
  EXPECT_THROW(
      {
        try {
          dialog.DoModal();
        } catch (const UserScriptError& error) {
          EXPECT_STREQ(error.what(), "unexpected dialog 100: the script has no step left");
          throw;
        }
      },
      UserScriptError);
  user.AnswerMessageBox();
  EXPECT_THROW(dialog.DoModal(), UserScriptError);
  user.InDialog(101);
  try {
    AfxMessageBox(L"Hello");
  } catch (const UserScriptError& error) {
    EXPECT_STREQ(error.what(), "unexpected message box : Hello: the script expected a dialog");
  }
  EXPECT_EQ(user.TakeUnused(), (Lines{"dialog 101"}));
}

// A popup menu where the script expects another kind of modal thing is
// refused with the kind expected; the expectation stays unused.
TEST(ScriptedUserTest, AnUnexpectedKindIsRefusedNamingTheKindExpected) {
  struct Case {
    void (*expect)(ScriptedUser& user);
    const char* refusal;
    Lines unused;
  };
  const Case cases[] = {
      {[](ScriptedUser& user) { user.InDialog(7); }, "a dialog", {"dialog 7"}},
      {[](ScriptedUser& user) { user.AnswerMessageBox(); }, "a message box", {"message box"}},
      {[](ScriptedUser& user) { user.CancelFileDialog(); }, "a file dialog", {"file dialog"}},
      {[](ScriptedUser& user) { user.CancelPrintDialog(); }, "a print dialog", {"print dialog"}},
      {[](ScriptedUser& user) { user.ClosePreview(); }, "a print preview", {"print preview"}},
      {[](ScriptedUser& user) { user.CancelColourDialog(); }, "a colour dialog", {"colour dialog"}},
  };
  CMenu menu;
  menu.CreatePopupMenu();
  menu.AppendMenu(MF_STRING, 1, L"Open");
  const auto refusal = [](const std::function<void()>& modal) -> std::string {
    try {
      modal();
    } catch (const UserScriptError& error) {
      return error.what();
    }
    return "nothing refused";
  };
  for (const Case& each : cases) {
    ScriptedUser user;
    each.expect(user);
    EXPECT_EQ(refusal([&user, &menu] { static_cast<CUser&>(user).AnswerPopupMenu(menu.GetSafeHmenu(), {}); }),
              "unexpected popup menu: Open: the script expected " + std::string(each.refusal));
    EXPECT_EQ(user.TakeUnused(), each.unused);
  }
  ScriptedUser user;
  user.DismissMenu();
  EXPECT_EQ(refusal([] { AfxMessageBox(L"Hello"); }), "unexpected message box : Hello: the script expected a popup menu");
  EXPECT_EQ(user.TakeUnused(), (Lines{"popup menu"}));
}

// Expectations left when a user ends fail the test by themselves; not when an
// exception ends it, whose failure was told already, nor once taken.
TEST(ScriptedUserTest, ExpectationsLeftUnusedAtTheEndAreReported) {
  static Lines reported;
  reported.clear();
  const ScriptedUser::UnusedHandler previous =
      ScriptedUser::SetUnusedHandler([](const std::string& unused) { reported.push_back(unused); });
  {
    ScriptedUser user;
    user.InDialog(101).Click(IDOK);
    user.AnswerMessageBox();
  }
  { ScriptedUser user; }
  try {
    ScriptedUser user;
    user.AnswerMessageBox();
    throw UserScriptError("ended");
  } catch (const UserScriptError&) {
  }
  {
    ScriptedUser user;
    user.CancelFileDialog();
    EXPECT_EQ(user.TakeUnused(), (Lines{"file dialog"}));
  }
  ScriptedUser::SetUnusedHandler(previous);
  EXPECT_EQ(reported, (Lines{"expectations left unused: dialog 101; click 1; message box"}));
}

TEST_F(DialogTest, AScriptLeftOverWhenTheDialogEndsFails) {
  user.InDialog(kTemplate).Click(IDOK).Type(kName, L"late");
  try {
    dialog.DoModal();
    ADD_FAILURE();
  } catch (const UserScriptError& error) {
    EXPECT_STREQ(error.what(), "dialog 100 ended before the script's action \"type 10 \"late\"\"");
  }
}

TEST_F(DialogTest, AMissingTemplateEndsAtOnceWithoutAskingTheUser) {
  CDialog missing(4711);
  EXPECT_EQ(missing.DoModal(), -1);
  EXPECT_TRUE(user.Seen().empty());
}

TEST_F(DialogTest, TheOwnerIsDisabledWhileTheDialogRunsAndTheFocusComesBack) {
  CWnd main;
  ASSERT_TRUE(main.Create(kGenericWindowClass, L"Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, {0, 0, 400, 300}, nullptr, 0));
  CWnd field;
  ASSERT_TRUE(field.Create(kEditClass, L"", WS_CHILD | WS_VISIBLE, {5, 5, 100, 25}, &main, 7));
  field.SetFocus();
  app.m_pMainWnd = &main;
  user.InDialog(kTemplate).Click(IDOK);
  user.AnswerMessageBox();
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.notes, (Lines{"EN_CHANGE start", "owner off"}));
  EXPECT_TRUE(main.IsWindowEnabled());
  EXPECT_EQ(CWnd::GetFocus(), &field);
  EXPECT_EQ(AfxMessageBox(L"Done", MB_ICONINFORMATION), IDOK);
  app.m_pMainWnd = nullptr;
}

TEST_F(DialogTest, MessageBoxesAreRecordedWithIconAndButtons) {
  user.AnswerMessageBox(IDOK);
  user.AnswerMessageBox(IDNO);
  user.AnswerMessageBox(IDCANCEL);
  EXPECT_EQ(AfxMessageBox(L"Disk\tfull\r\nnow", MB_ICONERROR), IDOK);
  EXPECT_EQ(AfxMessageBox(L"Save?", MB_YESNO | MB_ICONQUESTION), IDNO);
  EXPECT_EQ(AfxMessageBox(L"Go on", MB_OKCANCEL | MB_ICONWARNING), IDCANCEL);
  EXPECT_EQ(user.Seen(), (Lines{"message box error: Disk\\tfull\\r\\nnow", "message box question yes-no: Save?",
                                "message box warning ok-cancel: Go on"}));
}

TEST_F(DialogTest, FileDialogsTakeTheDefaultExtensionAndNeedAnExistingFolder) {
  TempFolder folder;
  const CString base = CString::FromUtf8(folder.Path().string());
  user.ConfirmFile(base + L"/links");
  user.ConfirmFile(base + L"/links.csv");
  user.CancelFileDialog();
  user.ConfirmFile(base + L"/missing/links");
  CFileDialog open(true, L"txt", L"start.txt", 0x806, L"Text (*.txt)|*.txt||");
  EXPECT_EQ(open.DoModal(), IDOK);
  EXPECT_EQ(open.GetPathName(), base + L"/links.txt");
  EXPECT_EQ(open.DoModal(), IDOK);
  EXPECT_EQ(open.GetPathName(), base + L"/links.csv");
  EXPECT_EQ(open.DoModal(), IDCANCEL);
  EXPECT_EQ(open.GetPathName(), base + L"/links.csv");
  EXPECT_THROW(open.DoModal(), UserScriptError);
  EXPECT_EQ(user.Seen().front(),
            "file dialog open, extension \"txt\", file \"start.txt\", flags 0x806, filter \"Text (*.txt)|*.txt||\"");
}

TEST_F(DialogTest, APictureShowsTheCaptionAndTheCheckedBox) {
  TempFolder folder;
  const std::string picture = std::getenv("KEEP_PICTURE") ? std::getenv("KEEP_PICTURE") : (folder.Path() / "dialog.png").string();
  user.InDialog(kTemplate).Render(picture).Click(IDOK);
  dialog.DoModal();
  ASSERT_TRUE(std::filesystem::exists(picture));

  // Drawn again onto a surface of our own to look at its pixels.
  RasterSurface surface(310, 220);
  CWnd holder;
  ASSERT_TRUE(holder.Create(kDialogClass, L"Test dialog", WS_CAPTION | DS_MODALFRAME | WS_VISIBLE, {0, 0, 306, 220},
                            nullptr, 0));
  CButton box;
  ASSERT_TRUE(box.Create(kButtonClass, L"Flag", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, {10, 10, 100, 30}, &holder, 12));
  box.SetCheck(BST_CHECKED);
  CDC dc(surface);
  PaintWindow(holder.m_hWnd, dc);
  // The box's client area starts at (3, 22); the check box's square at (13, 35).
  EXPECT_EQ(surface.Pixel(200, 8), RGB(10, 36, 106));  // caption
  EXPECT_EQ(surface.Pixel(13, 40), RGB(128, 128, 128));
  EXPECT_EQ(surface.Pixel(14, 40), RGB(64, 64, 64));
  EXPECT_EQ(surface.Pixel(17, 42), RGB(0, 0, 0));  // the tick
  EXPECT_EQ(surface.Pixel(22, 44), RGB(255, 255, 255));
  box.SetCheck(BST_UNCHECKED);
  PaintWindow(holder.m_hWnd, dc);
  EXPECT_EQ(surface.Pixel(17, 42), RGB(255, 255, 255));
}

}  // namespace
