#include "brenmoor/docview/PrintDialogWindow.h"

#include <string>

#include "brenmoor/docview/CPrintInfo.h"
#include "brenmoor/windowing/CUser.h"

namespace {

DialogTemplate LayOut() {
  using Self = CPrintDialogWindow;
  DialogTemplate layout{L"Print", {0, 0, 263, 142}, WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, {}};
  layout.items = {
      Label(0xFFFF, L"Printer", {7, 6, 100, 14}),
      Label(0xFFFF, L"Name:", {14, 20, 50, 28}),
      DropList(Self::kPrinter, {52, 18, 256, 30}, {Self::kPrinterName}),
      Label(0xFFFF, L"Where:", {14, 36, 50, 44}),
      Label(Self::kWhere, L"", {52, 36, 256, 44}),
      CheckBox(Self::kPrintToFile, L"Print to file", {14, 50, 80, 60}),
      Field(Self::kOutputFile, L"", {82, 49, 256, 61}),
      Label(0xFFFF, L"Print range", {7, 70, 100, 78}),
      CheckBox(Self::kAllPages, L"All", {14, 82, 60, 92}),
      CheckBox(Self::kPageRange, L"Pages", {14, 97, 50, 107}),
      Label(0xFFFF, L"from:", {52, 98, 72, 106}),
      Field(Self::kFromPage, L"", {74, 96, 104, 108}),
      Label(0xFFFF, L"to:", {110, 98, 122, 106}),
      Field(Self::kToPage, L"", {124, 96, 154, 108}),
      Button(IDOK, L"OK", {150, 122, 200, 136}, true),
      Button(IDCANCEL, L"Cancel", {206, 122, 256, 136}),
  };
  return layout;
}

bool ReadNumber(const CString& text, int& value) {
  const std::wstring& digits = text.Str();
  if (digits.empty() || digits.size() > 5 || digits.find_first_not_of(L"0123456789") != std::wstring::npos) {
    return false;
  }
  value = std::stoi(digits);
  return true;
}

CString Number(int value) { return CString(std::to_wstring(value)); }

}  // namespace

CPrintDialogWindow::CPrintDialogWindow(CPrintDialog& dialog)
    : CBuiltInDialog(kPrintDialogWindow, LayOut()), dialog_(dialog) {}

BOOL CPrintDialogWindow::OnInitDialog() {
  const PRINTDLG& pages = dialog_.m_pd;
  ::SendMessage(::GetDlgItem(m_hWnd, kPrinter), CB_SETCURSEL, 0);
  SetItemText(kWhere, AfxGetPrinter().file);
  SetItemText(kOutputFile, dialog_.GetOutputFile());
  SetItemText(kFromPage, Number(pages.nFromPage));
  SetItemText(kToPage, Number(pages.nToPage));
  SetPrintToFile((pages.Flags & PD_PRINTTOFILE) != 0);
  ChooseRange(dialog_.PrintRange());
  return true;
}

void CPrintDialogWindow::ChooseRange(bool pages) {
  SetChecked(kAllPages, !pages);
  SetChecked(kPageRange, pages);
}

void CPrintDialogWindow::SetPrintToFile(bool toFile) {
  SetChecked(kPrintToFile, toFile);
  ::EnableWindow(::GetDlgItem(m_hWnd, kOutputFile), toFile);
}

BOOL CPrintDialogWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam);
  const UINT code = HIWORD(wParam);
  if (code == BN_CLICKED && (id == kAllPages || id == kPageRange)) {
    ChooseRange(id == kPageRange);
    return true;
  }
  if (code == BN_CLICKED && id == kPrintToFile) {
    SetPrintToFile(!IsChecked(kPrintToFile));
    return true;
  }
  // Typing a page number chooses the range, as in the system's dialog.
  if (code == EN_CHANGE && (id == kFromPage || id == kToPage)) {
    if (::GetFocus() == ::GetDlgItem(m_hWnd, id)) ChooseRange(true);
    return true;
  }
  return CBuiltInDialog::OnCommand(wParam, lParam);
}

bool CPrintDialogWindow::ReadRange(int& from, int& to) {
  const int first = dialog_.m_pd.nMinPage;
  const int last = dialog_.m_pd.nMaxPage;
  if (ReadNumber(ItemText(kFromPage), from) && ReadNumber(ItemText(kToPage), to) && first <= from && from <= to &&
      to <= last) {
    return true;
  }
  AfxGetUser().AnswerMessageBox(L"The page range is not valid.\nEnter page numbers from " + Number(first) + L" to " +
                                    Number(last) + L", the first no greater than the last.",
                                L"Print", MB_OK | MB_ICONWARNING);
  ::SetFocus(::GetDlgItem(m_hWnd, kFromPage));
  return false;
}

void CPrintDialogWindow::OnOK() {
  int from = 0;
  int to = 0;
  if (IsChecked(kPageRange) && !ReadRange(from, to)) return;
  const bool toFile = IsChecked(kPrintToFile);
  const CString file = ItemText(kOutputFile);
  if (toFile && file.IsEmpty()) {
    AfxGetUser().AnswerMessageBox(L"Enter the name of the file to print to.", L"Print", MB_OK | MB_ICONWARNING);
    ::SetFocus(::GetDlgItem(m_hWnd, kOutputFile));
    return;
  }
  if (IsChecked(kPageRange)) {
    dialog_.ChoosePages(from, to);
  } else {
    dialog_.m_pd.Flags &= ~PD_PAGENUMS;
  }
  if (toFile) dialog_.PrintToFile(file);
  EndDialog(IDOK);
}

bool RunPrintDialogWindow(CPrintDialog& dialog) {
  CPrintDialogWindow window(dialog);
  return window.DoModal() == IDOK;
}
