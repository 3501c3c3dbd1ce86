#include "brenmoor/ui/CPropertySheet.h"

#include <algorithm>

#include "brenmoor/ui/CButton.h"
#include "brenmoor/windowing/DialogManager.h"
#include "brenmoor/windowing/TabControl.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)
IMPLEMENT_DYNAMIC(CPropertySheet, CDialog)

namespace {

constexpr int kMargin = 8;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;

CString TemplateCaption(UINT templateId) {
  const DialogTemplate* dialog = AfxFindResource<DialogTemplate>(nullptr, templateId);
  return dialog != nullptr ? dialog->caption : CString();
}

CString LoadedString(UINT id) {
  CString text;
  text.LoadString(id);
  return text;
}

}  // namespace

CPropertyPage::CPropertyPage(UINT templateId, UINT captionId, UINT pageSize)
    : CDialog(templateId), title_(captionId != 0 ? LoadedString(captionId) : TemplateCaption(templateId)) {
  m_psp.dwSize = pageSize;
}

BOOL CPropertyPage::OnKillActive() { return UpdateData(true); }

CPropertySheet::CPropertySheet(UINT captionId, CWnd* parent, UINT selectPage)
    : CDialog(captionId, parent), m_strCaption(LoadedString(captionId)) {
  m_psh.dwSize = sizeof m_psh;
  m_psh.nStartPage = selectPage;
}

CPropertySheet::CPropertySheet(const wchar_t* caption, CWnd* parent, UINT selectPage)
    : CDialog(0, parent), m_strCaption(caption) {
  m_psh.dwSize = sizeof m_psh;
  m_psh.nStartPage = selectPage;
}

BEGIN_MESSAGE_MAP(CPropertySheet, CDialog)
  CommandEntry<&CPropertySheet::OnWizardBack>(ID_WIZBACK),
  CommandEntry<&CPropertySheet::OnWizardNext>(ID_WIZNEXT),
  CommandEntry<&CPropertySheet::OnWizardFinish>(ID_WIZFINISH),
  MessageEntry<&CPropertySheet::OnNotify>(WM_NOTIFY),
END_MESSAGE_MAP()

void CPropertySheet::AddPage(CPropertyPage* page) {
  pages_.push_back(page);
  if (CWnd* tabs = GetTabControl()) {
    TCITEMW item{TCIF_TEXT};
    item.pszText = const_cast<wchar_t*>(static_cast<const wchar_t*>(page->GetTitle()));
    tabs->SendMessage(TCM_INSERTITEMW, pages_.size() - 1, reinterpret_cast<LPARAM>(&item));
  }
}

CPropertyPage* CPropertySheet::GetPage(int index) const {
  return index >= 0 && index < GetPageCount() ? pages_[static_cast<std::size_t>(index)] : nullptr;
}

int CPropertySheet::GetPageIndex(const CPropertyPage* page) const {
  const auto found = std::find(pages_.begin(), pages_.end(), page);
  return found == pages_.end() ? -1 : static_cast<int>(found - pages_.begin());
}

CWnd* CPropertySheet::GetTabControl() const { return m_hWnd != nullptr ? GetDlgItem(AFX_IDC_TAB_CONTROL) : nullptr; }

// The sheet is as large as its largest page, with the tabs above and the buttons below.
bool CPropertySheet::CreateModalWindow(HWND owner) {
  CSize page{0, 0};
  for (const CPropertyPage* each : pages_) {
    const DialogTemplate* dialog = AfxFindResource<DialogTemplate>(nullptr, each->GetTemplateId());
    if (dialog == nullptr) return false;
    const CRect size = MapDialogRect(dialog->rect);
    page = {std::max(page.cx, size.Width()), std::max(page.cy, size.Height())};
  }
  const CRect tabs{kMargin, kMargin, kMargin + page.cx + 8, kMargin + kTabHeight + page.cy + 8};
  pageArea_ = {tabs.left + 4, tabs.top + kTabHeight + 4, tabs.left + 4 + page.cx, tabs.top + kTabHeight + 4 + page.cy};
  const int buttonsTop = tabs.bottom + kMargin;
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  const CRect frame{100, 100, 100 + tabs.right + kMargin + 6, 100 + buttonsTop + kButtonHeight + kMargin + 25};
  if (!CreateAttached(kDialogClass, m_strCaption, style, frame, owner, 0)) return false;
  const DWORD tabStyle = WS_CHILD | WS_TABSTOP | (IsWizard() ? 0 : WS_VISIBLE);
  if (CreateWindowExW(kTabControlClass, L"", tabStyle, tabs, m_hWnd, AFX_IDC_TAB_CONTROL) == nullptr) return false;
  struct ButtonPlace {
    int id;
    const wchar_t* text;
    bool shown;
  };
  const std::vector<ButtonPlace> buttons =
      IsWizard() ? std::vector<ButtonPlace>{{ID_WIZBACK, L"< &Back", true},
                                            {ID_WIZNEXT, L"&Next >", true},
                                            {ID_WIZFINISH, L"Finish", false},
                                            {IDCANCEL, L"Cancel", true}}
                 : std::vector<ButtonPlace>{{IDOK, L"OK", true}, {IDCANCEL, L"Cancel", true}, {ID_APPLY_NOW, L"&Apply", true}};
  // Placed from the right, made from the left: Tab goes through them as they are seen.
  std::vector<int> lefts(buttons.size());
  int right = tabs.right;
  for (std::size_t i = buttons.size(); i-- > 0;) {
    // Finish shares Next's place.
    if (buttons[i].id != ID_WIZNEXT) right -= kButtonWidth + (buttons[i].id == ID_WIZFINISH ? 0 : 6);
    lefts[i] = right;
  }
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    const DWORD buttonStyle = WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON | (buttons[i].shown ? WS_VISIBLE : 0);
    const CRect place{lefts[i], buttonsTop, lefts[i] + kButtonWidth, buttonsTop + kButtonHeight};
    if (CreateWindowExW(kButtonClass, buttons[i].text, buttonStyle, place, m_hWnd, buttons[i].id) == nullptr) {
      return false;
    }
  }
  if (!IsWizard()) ::EnableWindow(::GetDlgItem(m_hWnd, ID_APPLY_NOW), false);
  for (std::size_t i = 0; i < pages_.size(); ++i) {
    TCITEMW item{TCIF_TEXT};
    item.pszText = const_cast<wchar_t*>(static_cast<const wchar_t*>(pages_[i]->GetTitle()));
    ::SendMessage(::GetDlgItem(m_hWnd, AFX_IDC_TAB_CONTROL), TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
  SetDefaultButton(IsWizard() ? ID_WIZNEXT : IDOK);
  return true;
}

BOOL CPropertySheet::OnInitDialog() {
  const int start = static_cast<int>(m_psh.nStartPage) < GetPageCount() ? static_cast<int>(m_psh.nStartPage) : 0;
  SetActivePage(start);
  if (IsWizard()) SetWizardButtons(PSWIZB_NEXT);
  // A wizard's page has put the focus on its first field.
  return !IsWizard();
}

bool CPropertySheet::CreatePage(CPropertyPage& page) {
  const DialogTemplate* dialog = AfxFindResource<DialogTemplate>(nullptr, page.GetTemplateId());
  if (dialog == nullptr) return false;
  if (!page.CreateAttached(kDialogClass, dialog->caption, WS_CHILD, pageArea_, m_hWnd,
                           static_cast<int>(page.GetTemplateId())) ||
      !page.CreateControls(*dialog)) {
    return false;
  }
  page.SendMessage(WM_INITDIALOG);
  return true;
}

BOOL CPropertySheet::SetActivePage(int index) {
  CPropertyPage* page = GetPage(index);
  if (page == nullptr || m_hWnd == nullptr) return false;
  if (page->m_hWnd == nullptr && !CreatePage(*page)) return false;
  if (!page->OnSetActive()) return false;
  if (CPropertyPage* previous = GetActivePage(); previous != nullptr && previous != page) previous->ShowWindow(SW_HIDE);
  page->ShowWindow(SW_SHOW);
  active_ = index;
  CWnd* tabs = GetTabControl();
  tabs->SendMessage(TCM_SETCURSEL, static_cast<WPARAM>(index));
  if (IsWizard()) {
    // A wizard's title bar shows the tab text of its page.
    wchar_t text[256];
    TCITEMW item{TCIF_TEXT};
    item.pszText = text;
    item.cchTextMax = 256;
    tabs->SendMessage(TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    SetWindowText(text);
    // A person goes on typing into the page that shows.
    if (HWND first = GetNextDlgTabItem(page->m_hWnd, nullptr, false)) FocusDialogControl(first);
  }
  return true;
}

void CPropertySheet::Step(LRESULT answer, int step) {
  if (answer == -1) return;
  int target = active_ + step;
  if (answer != 0) {
    const auto found = std::find_if(pages_.begin(), pages_.end(), [answer](const CPropertyPage* page) {
      return static_cast<LRESULT>(page->GetTemplateId()) == answer;
    });
    if (found == pages_.end()) return;
    target = static_cast<int>(found - pages_.begin());
  }
  if (GetPage(target) == nullptr || !GetActivePage()->OnKillActive()) return;
  SetActivePage(target);
}

void CPropertySheet::OnWizardBack() {
  if (CPropertyPage* page = GetActivePage()) Step(page->OnWizardBack(), -1);
}

void CPropertySheet::OnWizardNext() {
  if (CPropertyPage* page = GetActivePage()) Step(page->OnWizardNext(), +1);
}

void CPropertySheet::OnWizardFinish() {
  CPropertyPage* page = GetActivePage();
  if (page == nullptr || !page->OnWizardFinish()) return;
  for (CPropertyPage* each : pages_) {
    if (each->m_hWnd != nullptr) each->OnOK();
  }
  EndDialog(ID_WIZFINISH);
}

void CPropertySheet::OnOK() {
  CPropertyPage* page = GetActivePage();
  if (page != nullptr && !page->OnKillActive()) return;
  for (CPropertyPage* each : pages_) {
    if (each->m_hWnd != nullptr) each->OnOK();
  }
  EndDialog(IDOK);
}

void CPropertySheet::OnCancel() {
  CPropertyPage* page = GetActivePage();
  if (page != nullptr && !page->OnQueryCancel()) return;
  for (CPropertyPage* each : pages_) {
    if (each->m_hWnd != nullptr) each->OnCancel();
  }
  EndDialog(IDCANCEL);
}

// The tabs ask before they change: the page being left may refuse.
LRESULT CPropertySheet::OnNotify(WPARAM, LPARAM lParam) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (header == nullptr || header->idFrom != static_cast<UINT_PTR>(AFX_IDC_TAB_CONTROL)) return 0;
  CPropertyPage* page = GetActivePage();
  if (header->code == TCN_SELCHANGING) return page != nullptr && !page->OnKillActive() ? 1 : 0;
  if (header->code == TCN_SELCHANGE) {
    const int selected = static_cast<int>(GetTabControl()->SendMessage(TCM_GETCURSEL));
    if (!SetActivePage(selected)) GetTabControl()->SendMessage(TCM_SETCURSEL, static_cast<WPARAM>(active_));
  }
  return 0;
}

void CPropertySheet::SetDefaultButton(int id) {
  defaultButton_ = id;
  if (HWND button = ::GetDlgItem(m_hWnd, id)) ::SendMessage(button, BM_SETSTYLE, BS_DEFPUSHBUTTON, true);
}

// Back follows its flag; Finish takes Next's place when asked for, and the
// default button moves to whichever of the two is enabled.
void CPropertySheet::SetButtons(DWORD flags) {
  const HWND back = ::GetDlgItem(m_hWnd, ID_WIZBACK);
  const HWND next = ::GetDlgItem(m_hWnd, ID_WIZNEXT);
  const HWND finish = ::GetDlgItem(m_hWnd, ID_WIZFINISH);
  ::EnableWindow(back, (flags & PSWIZB_BACK) != 0);
  const bool showFinish = (flags & (PSWIZB_FINISH | PSWIZB_DISABLEDFINISH)) != 0;
  ::ShowWindow(finish, showFinish ? SW_SHOW : SW_HIDE);
  ::ShowWindow(next, showFinish ? SW_HIDE : SW_SHOW);
  ::EnableWindow(finish, (flags & PSWIZB_FINISH) != 0);
  ::EnableWindow(next, (flags & PSWIZB_NEXT) != 0);
  if ((flags & PSWIZB_FINISH) != 0) {
    SetDefaultButton(ID_WIZFINISH);
  } else if ((flags & PSWIZB_NEXT) != 0 && !showFinish) {
    SetDefaultButton(ID_WIZNEXT);
  }
}

LRESULT CPropertySheet::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case PSM_SETWIZBUTTONS:
      SetButtons(static_cast<DWORD>(lParam));
      return 0;
    case DM_GETDEFID:
      return defaultButton_ != 0 ? static_cast<LRESULT>(MAKELPARAM(static_cast<WORD>(defaultButton_), DC_HASDEFID))
                                 : 0;
    case DM_SETDEFID:
      defaultButton_ = static_cast<int>(wParam);
      if (HWND button = ::GetDlgItem(m_hWnd, defaultButton_)) ::SendMessage(button, BM_SETSTYLE, BS_DEFPUSHBUTTON, true);
      return true;
    default:
      return CDialog::DefWindowProc(message, wParam, lParam);
  }
}
