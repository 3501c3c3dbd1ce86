#include "brenmoor/win/CWarningDlg.h"

#include "brenmoor/app/CWinApp.h"

IMPLEMENT_DYNAMIC(CWarningDlg, CDialog)

namespace {

constexpr const wchar_t* kSection = L"WarningDlg";

}  // namespace

CWarningDlg::CWarningDlg(const CString& message, const CString& key, CWnd* parent)
    : CDialog(IDD, parent), message_(message), key_(key) {}

BEGIN_MESSAGE_MAP(CWarningDlg, CDialog)
  CommandEntry<&CWarningDlg::OnDisable>(IDC_DONT_SHOW),
END_MESSAGE_MAP()

void CWarningDlg::DoDataExchange(CDataExchange*) {}

BOOL CWarningDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetDlgItemText(IDC_MESSAGE, message_);
  const CWinApp* app = AfxGetApp();
  if (app != nullptr && app->GetProfileInt(kSection, key_, 0) != 0) PostMessage(WM_COMMAND, IDOK);
  return true;
}

void CWarningDlg::OnDisable() {
  if (CWinApp* app = AfxGetApp()) {
    app->WriteProfileInt(kSection, key_, static_cast<int>(IsDlgButtonChecked(IDC_DONT_SHOW)));
  }
}
