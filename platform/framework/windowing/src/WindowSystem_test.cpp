#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "brenmoor/ui/CButton.h"
#include "brenmoor/ui/CComboBox.h"
#include "brenmoor/ui/CEdit.h"
#include "brenmoor/core/CException.h"
#include "brenmoor/ui/CListCtrl.h"
#include "brenmoor/app/CWinApp.h"
#include "brenmoor/app/ScriptedUser.h"

namespace {

using Lines = std::vector<std::string>;

// A window that notes the messages its map takes, for the dispatch order.
class Noting : public CWnd {
  DECLARE_DYNCREATE(Noting)
 public:
  Lines seen;
  LRESULT OnUser(WPARAM wParam, LPARAM lParam) {
    seen.push_back("user " + std::to_string(wParam) + "," + std::to_string(lParam));
    return 7;
  }
  void OnClicked() { seen.push_back("clicked 5"); }
  DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(Noting, CWnd)

BEGIN_MESSAGE_MAP(Noting, CWnd)
  MessageEntry<&Noting::OnUser>(WM_USER + 1),
  ControlEntry<&Noting::OnClicked>(BN_CLICKED, 5),
END_MESSAGE_MAP()

// Adds one entry of its own to what it inherits.
class NotingMore : public Noting {
 public:
  LRESULT OnOther(WPARAM, LPARAM) {
    seen.push_back("other");
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(NotingMore, Noting)
  MessageEntry<&NotingMore::OnOther>(WM_USER + 2),
END_MESSAGE_MAP()

// A window whose commands fail with the framework's exceptions, as an export onto a full disk does.
class Failing : public CWnd {
 public:
  Lines seen;
  void OnFullDisk() { throw CFileException(CFileException::diskFull, L"/home/u/list.txt", ENOSPC); }
  void OnBadArchive() { throw CArchiveException(CArchiveException::badClass, L"/home/u/doc.bin"); }
  void OnFine() { seen.push_back("fine"); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Failing, CWnd)
  ControlEntry<&Failing::OnFullDisk>(0, 101),
  ControlEntry<&Failing::OnBadArchive>(0, 102),
  ControlEntry<&Failing::OnFine>(0, 103),
END_MESSAGE_MAP()

TEST(WindowSystemTest, ACommandsFrameworkExceptionIsReportedAndTheApplicationGoesOn) {
  CWinApp app(L"Host");
  ScriptedUser user;
  user.AnswerMessageBox(IDOK);
  user.AnswerMessageBox(IDOK);
  Failing window;
  ASSERT_TRUE(window.Create(kGenericWindowClass, L"w", WS_VISIBLE, {0, 0, 50, 50}, nullptr, 0));
  EXPECT_EQ(window.SendMessage(WM_COMMAND, 101), 1);
  EXPECT_EQ(window.SendMessage(WM_COMMAND, 102), 1);
  EXPECT_EQ(window.SendMessage(WM_COMMAND, 103), 1);
  EXPECT_EQ(window.seen, Lines{"fine"});
  EXPECT_EQ(user.Seen(), (Lines{"message box warning: /home/u/list.txt: No space left on device",
                                "message box warning: archive: bad class"}));
}

TEST(WindowSystemTest, MessagesGoThroughTheMapsFromTheClassToItsBases) {
  NotingMore window;
  ASSERT_TRUE(window.Create(kGenericWindowClass, L"w", WS_VISIBLE, {0, 0, 50, 50}, nullptr, 0));
  EXPECT_EQ(window.SendMessage(WM_USER + 1, 3, -4), 7);
  window.SendMessage(WM_USER + 2);
  CButton button;
  ASSERT_TRUE(button.Create(kButtonClass, L"b", WS_CHILD | WS_VISIBLE, {0, 0, 20, 20}, &window, 5));
  button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(30, 3));  // released outside: no click
  EXPECT_EQ(window.seen, (Lines{"user 3,-4", "other", "clicked 5"}));
  EXPECT_EQ(window.SendMessage(WM_USER + 3), 0);  // nobody takes it
}

TEST(WindowSystemTest, PostedMessagesWaitForThePumpAndKeepTheirOrder) {
  Noting window;
  ASSERT_TRUE(window.Create(kGenericWindowClass, L"w", 0, {0, 0, 10, 10}, nullptr, 0));
  window.PostMessage(WM_USER + 1, 1);
  window.PostMessage(WM_USER + 1, 2);
  EXPECT_TRUE(window.seen.empty());
  EXPECT_TRUE(PumpPostedMessage());
  EXPECT_EQ(window.seen, (Lines{"user 1,0"}));
  PumpPostedMessages();
  EXPECT_EQ(window.seen, (Lines{"user 1,0", "user 2,0"}));
  EXPECT_FALSE(PumpPostedMessage());
}

TEST(WindowSystemTest, AHandleOfADestroyedWindowNeverNamesAnotherOne) {
  CWnd parent;
  ASSERT_TRUE(parent.Create(kGenericWindowClass, L"p", 0, {0, 0, 100, 100}, nullptr, 0));
  CEdit first;
  ASSERT_TRUE(first.Create(kEditClass, L"1", WS_CHILD, {0, 0, 10, 10}, &parent, 1));
  const HWND old = first.m_hWnd;
  first.DestroyWindow();
  EXPECT_EQ(first.m_hWnd, nullptr);
  CEdit second;
  ASSERT_TRUE(second.Create(kEditClass, L"2", WS_CHILD, {0, 0, 10, 10}, &parent, 2));
  EXPECT_FALSE(IsWindow(old));
  EXPECT_EQ(CWnd::FromHandle(old), nullptr);
  EXPECT_EQ(SendMessage(old, WM_GETTEXTLENGTH), 0);
  EXPECT_EQ(GetChildren(parent.m_hWnd), (std::vector<HWND>{second.m_hWnd}));
  EXPECT_EQ(CreateWindowExW(L"NoSuchClass", L"", 0, {}, nullptr, 0), nullptr);
  EXPECT_EQ(CreateWindowExW(kEditClass, L"", WS_CHILD, {}, nullptr, 0), nullptr);  // a child needs a parent
}

TEST(WindowSystemTest, FromHandleGivesTheControlsFrameworkClassAndRunTimeClassesKnowTheirKind) {
  CWnd parent;
  ASSERT_TRUE(parent.Create(kGenericWindowClass, L"p", 0, {0, 0, 100, 100}, nullptr, 0));
  const HWND combo = CreateWindowExW(kComboBoxClass, L"", WS_CHILD | CBS_DROPDOWN, {0, 0, 50, 12}, parent.m_hWnd, 3);
  CWnd* found = parent.GetDlgItem(3);
  EXPECT_EQ(found, CWnd::FromHandle(combo));
  EXPECT_NE(DYNAMIC_DOWNCAST(CComboBox, found), nullptr);
  EXPECT_EQ(DYNAMIC_DOWNCAST(CEdit, found), nullptr);
  EXPECT_TRUE(found->IsKindOf(RUNTIME_CLASS(CWnd)));
  EXPECT_STREQ(found->GetRuntimeClass()->m_lpszClassName, "CComboBox");
  EXPECT_EQ(CWnd::FromHandlePermanent(combo), nullptr);

  CObject* made = CRuntimeClass::CreateObject("Noting");
  ASSERT_NE(made, nullptr);
  EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CCmdTarget)));
  delete made;
  EXPECT_EQ(CRuntimeClass::CreateObject("CComboBox"), nullptr);  // not made for dynamic creation
  EXPECT_EQ(CRuntimeClass::FromName("Nothing"), nullptr);
}

// Another module's subclass procedure: answers WM_USER + 2, leaves the rest to the class.
LRESULT AnswersUserTwo(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return message == WM_USER + 2 ? 22 : CallClassProcedure(window, message, wParam, lParam);
}

TEST(WindowSystemTest, ASubclassingObjectLeavesWhatItDoesNotHandleToThePreviousProcedure) {
  CWnd parent;
  ASSERT_TRUE(parent.Create(kGenericWindowClass, L"p", 0, {0, 0, 100, 100}, nullptr, 0));
  const HWND edit = CreateWindowExW(kEditClass, L"before", WS_CHILD, {0, 0, 50, 12}, parent.m_hWnd, 3);
  const WindowProcedure editProcedure = SetWindowProcedure(edit, &AnswersUserTwo);
  ASSERT_NE(editProcedure, nullptr);
  Noting noting;
  ASSERT_TRUE(noting.SubclassWindow(edit));
  EXPECT_FALSE(Noting().SubclassWindow(edit));  // one object per window
  EXPECT_EQ(CWnd::FromHandle(edit), &noting);
  EXPECT_EQ(SendMessage(edit, WM_USER + 1, 4, 5), 7);  // the map
  EXPECT_EQ(SendMessage(edit, WM_USER + 2), 22);       // the previous procedure
  noting.SetWindowText(L"after");                      // the class's, through both
  EXPECT_EQ(noting.GetWindowText(), CString(L"after"));
  EXPECT_EQ(noting.seen, Lines{"user 4,5"});

  EXPECT_EQ(noting.UnsubclassWindow(), edit);
  EXPECT_EQ(noting.m_hWnd, nullptr);
  EXPECT_EQ(CWnd::FromHandlePermanent(edit), nullptr);
  EXPECT_EQ(SendMessage(edit, WM_USER + 1, 4, 5), 0);
  EXPECT_EQ(SendMessage(edit, WM_USER + 2), 22);
  EXPECT_EQ(SetWindowProcedure(edit, editProcedure), &AnswersUserTwo);
  EXPECT_EQ(SendMessage(edit, WM_USER + 2), 0);
  EXPECT_EQ(noting.seen, Lines{"user 4,5"});
}

TEST(WindowSystemTest, AnAttachedObjectIsToldWhenItsWindowIsGoneAndForgetsIt) {
  CWnd parent;
  ASSERT_TRUE(parent.Create(kGenericWindowClass, L"p", 0, {0, 0, 100, 100}, nullptr, 0));
  const HWND edit = CreateWindowExW(kEditClass, L"", WS_CHILD, {0, 0, 50, 12}, parent.m_hWnd, 3);
  CWnd* wrapper = CWnd::FromHandle(edit);
  ASSERT_NE(DYNAMIC_DOWNCAST(CEdit, wrapper), nullptr);
  Noting noting;
  ASSERT_TRUE(noting.SubclassDlgItem(3, &parent));
  EXPECT_EQ(CWnd::FromHandle(edit), &noting);
  parent.DestroyWindow();
  EXPECT_EQ(noting.m_hWnd, nullptr);
  EXPECT_EQ(CWnd::FromHandle(edit), nullptr);
  EXPECT_EQ(CWnd::FromHandlePermanent(edit), nullptr);
}

TEST(WindowSystemTest, ChildrenMoveWithTheirParentAndDisabledWindowsLoseTheFocus) {
  CWnd parent;
  ASSERT_TRUE(parent.Create(kDialogClass, L"p", WS_CAPTION | DS_MODALFRAME | WS_VISIBLE, {100, 100, 300, 300}, nullptr, 0));
  CEdit edit;
  ASSERT_TRUE(edit.Create(kEditClass, L"", WS_CHILD | WS_VISIBLE, {10, 20, 60, 40}, &parent, 4));
  CRect rect;
  edit.GetWindowRect(&rect);
  EXPECT_EQ(rect, CRect(113, 142, 163, 162));  // frame 3, caption 19
  parent.MoveWindow({0, 0, 200, 200});
  edit.GetWindowRect(&rect);
  EXPECT_EQ(rect, CRect(13, 42, 63, 62));
  parent.GetClientRect(&rect);
  EXPECT_EQ(rect, CRect(0, 0, 194, 175));
  edit.SetFocus();
  EXPECT_EQ(CWnd::GetFocus(), &edit);
  edit.EnableWindow(false);
  EXPECT_EQ(GetFocus(), nullptr);
  parent.ShowWindow(SW_HIDE);
  EXPECT_FALSE(edit.IsWindowVisible());
}

TEST(WindowSystemTest, EditTypingReplacesTheSelection) {
  CWnd parent;
  ASSERT_TRUE(parent.Create(kGenericWindowClass, L"p", 0, {0, 0, 100, 100}, nullptr, 0));
  CEdit edit;
  ASSERT_TRUE(edit.Create(kEditClass, L"hello", WS_CHILD, {0, 0, 50, 12}, &parent, 1));
  edit.SetSel(1, 3);
  edit.SendMessage(WM_CHAR, L'E');
  EXPECT_EQ(edit.GetWindowText(), L"hElo");
  edit.SendMessage(WM_CHAR, VK_BACK);
  edit.SendMessage(WM_KEYDOWN, VK_DELETE);
  EXPECT_EQ(edit.GetWindowText(), L"ho");
  edit.SetSel(0, -1);
  edit.ReplaceSel(L"new");
  int start = 0, end = 0;
  edit.GetSel(start, end);
  EXPECT_EQ(edit.GetWindowText(), L"new");
  EXPECT_EQ(start, 3);
  EXPECT_EQ(end, 3);
  edit.SetReadOnly(true);
  edit.SendMessage(WM_CHAR, L'x');
  EXPECT_EQ(edit.GetWindowText(), L"new");
}

TEST(WindowSystemTest, ComboChoicesAreFoundWithoutRegardToCase) {
  CWnd parent;
  ASSERT_TRUE(parent.Create(kGenericWindowClass, L"p", 0, {0, 0, 100, 100}, nullptr, 0));
  CComboBox combo;
  ASSERT_TRUE(combo.Create(kComboBoxClass, L"", WS_CHILD | CBS_DROPDOWN, {0, 0, 80, 14}, &parent, 1));
  for (const wchar_t* choice : {L"Tab", L"Space", L"tab"}) combo.AddString(choice);
  EXPECT_EQ(combo.FindStringExact(-1, L"TAB"), 0);
  EXPECT_EQ(combo.FindStringExact(0, L"TAB"), 2);  // searching after the first
  EXPECT_EQ(combo.FindStringExact(-1, L"Ta"), CB_ERR);
  EXPECT_EQ(combo.SelectString(-1, L"sp"), 1);
  EXPECT_EQ(combo.GetWindowText(), L"Space");
  EXPECT_EQ(combo.SelectString(-1, L""), CB_ERR);
  EXPECT_EQ(combo.SetCurSel(7), CB_ERR);
  EXPECT_EQ(combo.GetWindowText(), L"");
  combo.InsertString(0, L"First");
  combo.SetCurSel(2);
  combo.DeleteString(0);
  EXPECT_EQ(combo.GetCurSel(), 1);
  CString text;
  combo.GetLBText(1, text);
  EXPECT_EQ(text, L"Space");
  combo.ResetContent();
  EXPECT_EQ(combo.GetCount(), 0);
}

TEST(ListCtrlTest, ColumnsLiveInTheHeaderWhichIsChildZero) {
  CWnd parent;
  ASSERT_TRUE(parent.Create(kGenericWindowClass, L"p", 0, {0, 0, 400, 300}, nullptr, 0));
  CListCtrl list;
  ASSERT_TRUE(list.Create(kListViewClass, L"", WS_CHILD | LVS_REPORT, {0, 0, 300, 200}, &parent, 9));
  list.InsertColumn(0, L"Link", LVCFMT_LEFT, 80);
  list.InsertColumn(1, L"State", LVCFMT_LEFT, 60);
  list.InsertColumn(1, L"Exchange");
  auto* header = static_cast<CHeaderCtrl*>(list.GetDlgItem(0));
  ASSERT_NE(header, nullptr);
  EXPECT_EQ(header, list.GetHeaderCtrl());
  EXPECT_EQ(header->GetItemCount(), 3);

  wchar_t small[5];
  LVCOLUMN column;
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.pszText = small;
  column.cchTextMax = 5;
  ASSERT_TRUE(list.GetColumn(1, &column));
  EXPECT_EQ(std::wstring(small), L"Exch");  // four units and the terminator
  EXPECT_EQ(column.cx, 0);
  EXPECT_FALSE(list.GetColumn(3, &column));

  int order[3] = {};
  ASSERT_TRUE(list.GetColumnOrderArray(order, 3));
  EXPECT_EQ(std::vector<int>(order, order + 3), (std::vector<int>{0, 1, 2}));
  const int shown[3] = {2, 0, 1};
  EXPECT_TRUE(list.SetColumnOrderArray(3, shown));
  const int twice[3] = {2, 2, 1};
  EXPECT_FALSE(list.SetColumnOrderArray(3, twice));
  EXPECT_FALSE(list.GetColumnOrderArray(order, 2));
  list.GetColumnOrderArray(order, 3);
  EXPECT_EQ(std::vector<int>(order, order + 3), (std::vector<int>{2, 0, 1}));
  list.DeleteColumn(0);
  EXPECT_EQ(header->GetItemCount(), 2);
  list.GetColumnOrderArray(order, 2);
  EXPECT_EQ(std::vector<int>(order, order + 2), (std::vector<int>{1, 0}));
}

TEST(ListCtrlTest, ItemsKeepTextsImageDataAndState) {
  CWnd parent;
  ASSERT_TRUE(parent.Create(kGenericWindowClass, L"p", 0, {0, 0, 400, 300}, nullptr, 0));
  CListCtrl list;
  ASSERT_TRUE(list.Create(kListViewClass, L"", WS_CHILD | LVS_REPORT, {0, 0, 300, 200}, &parent, 9));
  EXPECT_EQ(list.InsertItem(0, L"b"), 0);
  EXPECT_EQ(list.InsertItem(0, L"a"), 0);
  EXPECT_EQ(list.InsertItem(99, L"c"), 2);
  const std::wstring longText(1000, L'x');
  list.SetItemText(1, 3, longText.c_str());
  EXPECT_EQ(list.GetItemText(1, 0), L"b");
  EXPECT_EQ(list.GetItemText(1, 3).Str(), longText);
  EXPECT_EQ(list.GetItemText(1, 2), L"");
  EXPECT_EQ(list.GetItemText(7, 0), L"");
  list.SetItemData(2, 0xDEADBEEF);
  list.SetItemState(2, LVIS_SELECTED | 0x0300, LVIS_SELECTED | LVIS_OVERLAYMASK);
  LVITEM item;
  item.mask = LVIF_IMAGE;
  item.iItem = 2;
  item.iImage = 4;
  list.SetItem(&item);
  item = {};
  item.mask = LVIF_IMAGE | LVIF_PARAM | LVIF_STATE;
  item.iItem = 2;
  item.stateMask = 0xFF0F;
  ASSERT_TRUE(list.GetItem(&item));
  EXPECT_EQ(item.iImage, 4);
  EXPECT_EQ(static_cast<DWORD_PTR>(item.lParam), 0xDEADBEEFu);
  EXPECT_EQ(item.state, LVIS_SELECTED | 0x0300u);
  EXPECT_EQ(list.GetItemState(2, LVIS_SELECTED), LVIS_SELECTED);
  list.DeleteItem(0);
  EXPECT_EQ(list.GetItemText(0, 3).Str(), longText);
  list.DeleteAllItems();
  EXPECT_EQ(list.GetItemCount(), 0);
}

}  // namespace
