#include "brenmoor/ui/CDialog.h"

#include <cstdio>
#include <stdexcept>

#include "brenmoor/windowing/CUser.h"
#include "brenmoor/windowing/DialogManager.h"
#include "brenmoor/ui/CWinThread.h"
#include "brenmoor/windowing/Screen.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

namespace {

// Dialogs open in the middle of a screen of this size.

// What a modal run changes and gives back on every way out.
class ModalScope {
 public:
  ModalScope(HWND owner) : owner_(owner), focus_(GetFocus()) {
    ownerWasEnabled_ = IsWindowEnabled(owner_);
    if (ownerWasEnabled_) EnableWindow(owner_, false);
  }
  ~ModalScope() {
    if (ownerWasEnabled_) EnableWindow(owner_, true);
    if (IsWindow(focus_)) SetFocus(focus_);
  }
  ModalScope(const ModalScope&) = delete;
  ModalScope& operator=(const ModalScope&) = delete;

 private:
  HWND owner_;
  HWND focus_;
  bool ownerWasEnabled_ = false;
};

}  // namespace

CRect MapDialogRect(const CRect& units) {
  return {MulDiv(units.left, 6, 4), MulDiv(units.top, 13, 8), MulDiv(units.right, 6, 4),
          MulDiv(units.bottom, 13, 8)};
}

HWND CDataExchange::PrepareCtrl(int id) const {
  const HWND control = ::GetDlgItem(m_pDlgWnd->m_hWnd, id);
  if (control == nullptr) {
    throw std::logic_error("the dialog has no control " + std::to_string(id) + " to exchange data with");
  }
  return control;
}

void DDX_Control(CDataExchange* exchange, int id, CWnd& control) {
  if (control.m_hWnd == nullptr) control.SubclassWindow(exchange->PrepareCtrl(id));
}

void DDX_Text(CDataExchange* exchange, int id, CString& value) {
  CWnd* control = CWnd::FromHandle(exchange->PrepareCtrl(id));
  if (exchange->m_bSaveAndValidate) {
    value = control->GetWindowText();
  } else {
    control->SetWindowText(value);
  }
}

void DDX_CBString(CDataExchange* exchange, int id, CString& value) {
  const HWND control = exchange->PrepareCtrl(id);
  const bool hasField = (GetStyle(control) & CBS_TYPEMASK) == CBS_DROPDOWN;
  if (!exchange->m_bSaveAndValidate) {
    if (SendMessage(control, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(
                                                                           static_cast<const wchar_t*>(value))) ==
        CB_ERR) {
      SendMessage(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(static_cast<const wchar_t*>(value)));
    }
    return;
  }
  if (hasField) {
    value = CWnd::FromHandle(control)->GetWindowText();
    return;
  }
  const LRESULT selected = SendMessage(control, CB_GETCURSEL);
  const LRESULT length = SendMessage(control, CB_GETLBTEXTLEN, static_cast<WPARAM>(selected));
  if (selected == CB_ERR || length < 0) {
    value.Empty();
    return;
  }
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  SendMessage(control, CB_GETLBTEXT, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  value = CString(std::move(text));
}

void DDX_Check(CDataExchange* exchange, int id, int& value) {
  const HWND control = exchange->PrepareCtrl(id);
  if (exchange->m_bSaveAndValidate) {
    value = static_cast<int>(SendMessage(control, BM_GETCHECK));
  } else {
    SendMessage(control, BM_SETCHECK, value != 0 ? BST_CHECKED : BST_UNCHECKED);
  }
}

CDialog::CDialog(UINT templateId, CWnd* parent) : templateId_(templateId), parent_(parent) {}

BEGIN_MESSAGE_MAP(CDialog, CWnd)
  CommandEntry<&CDialog::OnOK>(IDOK),
  CommandEntry<&CDialog::OnCancel>(IDCANCEL),
  MessageEntry<&CDialog::HandleInitDialog>(WM_INITDIALOG),
END_MESSAGE_MAP()

INT_PTR CDialog::DoModal() {
  CWnd* main = AfxGetMainWnd();
  HWND owner = parent_ != nullptr ? parent_->m_hWnd : (main != nullptr ? main->m_hWnd : nullptr);
  ModalScope scope(owner);
  result_ = IDCANCEL;
  running_ = true;
  if (!CreateModalWindow(owner)) {
    running_ = false;
    return -1;
  }
  try {
    SendMessage(WM_INITDIALOG);
    ShowWindow(SW_SHOW);
    RunModalLoop();
  } catch (...) {
    running_ = false;
    DestroyWindow();
    throw;
  }
  DestroyWindow();
  return result_;
}

void CDialog::EndDialog(int result) {
  result_ = result;
  running_ = false;
}

BOOL CDialog::OnInitDialog() {
  UpdateData(false);
  return true;
}

void CDialog::OnOK() {
  if (!UpdateData(true)) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) {
  if (OnInitDialog()) {
    FocusDialogControl(GetNextDlgTabItem(m_hWnd, nullptr, false));
  }
  return true;
}

bool CDialog::CreateFromTemplate(const DialogTemplate& dialog, HWND owner) {
  const CRect size = MapDialogRect(dialog.rect);
  const DWORD style = (dialog.style | WS_POPUP) & ~WS_VISIBLE & ~WS_CHILD;
  CRect frame{0, 0, size.Width() + 6, size.Height() + ((style & WS_CAPTION) == WS_CAPTION ? 25 : 6)};
  const CRect screen = ScreenRect();
  const CPoint corner{(screen.Width() - frame.Width()) / 2, (screen.Height() - frame.Height()) / 2};
  frame = {corner.x, corner.y, corner.x + frame.Width(), corner.y + frame.Height()};
  return CreateAttached(kDialogClass, dialog.caption, style, frame, owner, 0) &&
         CreateControls(dialog);
}

// A missing template fails the dialog as the system does; the line on
// standard error tells the developer why, as the framework's trace does.
bool CDialog::CreateModalWindow(HWND owner) {
  const DialogTemplate* dialog = AfxFindResource<DialogTemplate>(nullptr, templateId_);
  if (dialog == nullptr) {
    std::fprintf(stderr, "dialog template %u is not registered\n", templateId_);
    return false;
  }
  return CreateFromTemplate(*dialog, owner);
}

bool CDialog::CreateControls(const DialogTemplate& dialog) {
  for (const DialogItemTemplate& item : dialog.items) {
    const HWND control = CreateWindowExW(item.className.c_str(), item.text, item.style | WS_CHILD,
                                         MapDialogRect(item.rect), m_hWnd, item.id);
    if (control == nullptr) {
      DestroyWindow();
      return false;
    }
    for (const CString& choice : item.choices) {
      ::SendMessage(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(static_cast<const wchar_t*>(choice)));
    }
  }
  return true;
}

// Posted messages are delivered between the user's actions, as the pump does.
void CDialog::RunModalLoop() {
  CUser& user = AfxGetUser();
  user.BeginDialog(*this);
  PumpPostedMessages();
  while (running_) {
    user.ActInDialog(*this);
    PumpPostedMessages();
  }
  user.EndDialog(*this);
}
