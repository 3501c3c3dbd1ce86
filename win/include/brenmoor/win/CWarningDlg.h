#pragma once
// A warning with a box for not showing it again. The box's state is kept in
// the application profile (section "WarningDlg", entry named by the key) as
// soon as it is clicked; once it is checked, the dialog for that key closes
// itself with IDOK before the user sees it. Made on the host's template 261.

#include "brenmoor/ui/CDialog.h"

class CWarningDlg : public CDialog {
  DECLARE_DYNAMIC(CWarningDlg)

 public:
  enum { IDD = 261, IDC_MESSAGE = 1166, IDC_DONT_SHOW = 1260 };

  CWarningDlg(const CString& message, const CString& key, CWnd* parent = nullptr);
  BOOL OnInitDialog() override;

 protected:
  void DoDataExchange(CDataExchange* exchange) override;
  void OnDisable();

  DECLARE_MESSAGE_MAP()

 private:
  CString message_;
  CString key_;
};
