#include "Gallery.h"

#include <cstdio>

#include "GalleryWizard.h"
#include "HostResources.h"
#include "brenmoor/docview/CPrintInfo.h"
#include "brenmoor/ui/CColorDialog.h"
#include "brenmoor/ui/CFileDialog.h"
#include "brenmoor/ui/CWinThread.h"
#include "brenmoor/win/CExportFormatDlg.h"
#include "brenmoor/win/CWarningDlg.h"

namespace {

std::string OnOff(int state) { return state != 0 ? "on" : "off"; }

std::string MessageBoxLine() {
  const int button = AfxMessageBox(L"Save the changes to the link list before closing?", MB_YESNOCANCEL | MB_ICONQUESTION);
  return std::string("message box: ") + (button == IDYES ? "Yes" : button == IDNO ? "No" : "Cancel");
}

// Notes the box's state as the dialog ends, while its controls still exist.
class NotedWarning : public CWarningDlg {
 public:
  using CWarningDlg::CWarningDlg;
  std::string line = "warning: Cancel";

 protected:
  void OnOK() override {
    line = "warning: OK, do not show again " + OnOff(static_cast<int>(IsDlgButtonChecked(IDC_DONT_SHOW)));
    CWarningDlg::OnOK();
  }
};

std::string WarningLine() {
  NotedWarning warning(L"The link L04 is degraded: 88% in use.", L"GalleryDegradedLink");
  warning.DoModal();
  return warning.line;
}

std::string ExportFormatLine() {
  CExportFormatDlg dialog;
  dialog.Format.Delimiter = L"Tab";
  dialog.Format.Quote = L"None";
  dialog.Format.SetFilename(L"links.txt");
  dialog.Format.TitlesCheck = 1;
  if (dialog.DoModal() != IDOK) return "export format: Cancel";
  const CExportFormat& format = dialog.Format;
  return "export format: OK, delimiter " + QuotedText(format.Delimiter) + ", qualifier " + QuotedText(format.Quote) +
         ", file " + QuotedText(format.Filename) + ", titles " + OnOff(format.Titles) + ", banner " +
         OnOff(format.TimestampBanner) + ", date in name " + OnOff(format.DateInFilename);
}

std::string FileLine() {
  CString filter;
  filter.LoadString(CExportFormatDlg::kFileFilter);
  CFileDialog dialog(false, L"txt", L"links.txt", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter);
  if (dialog.DoModal() != IDOK) return "file dialog: Cancel";
  return "file dialog: OK, " + QuotedText(dialog.GetPathName());
}

std::string ColourLine() {
  CColorDialog dialog(RGB(30, 90, 200), CC_FULLOPEN);
  if (dialog.DoModal() != IDOK) return "colour dialog: Cancel";
  const COLORREF colour = dialog.GetColor();
  char text[40];
  std::snprintf(text, sizeof text, "RGB(%d, %d, %d)", GetRValue(colour), GetGValue(colour), GetBValue(colour));
  return std::string("colour dialog: OK, ") + text;
}

std::string PrintLine() {
  if (AfxGetPrinter().file.IsEmpty()) AfxGetPrinter().file = L"links.pdf";
  CPrintDialog dialog(false);
  if (dialog.DoModal() != IDOK) return "print dialog: Cancel";
  const std::string pages = dialog.PrintRange() ? "pages " + std::to_string(dialog.GetFromPage()) + " to " +
                                                      std::to_string(dialog.GetToPage())
                                                : "all pages";
  return "print dialog: OK, " + pages + ", file " + QuotedText(dialog.GetOutputFile());
}

std::string WizardLine() {
  LinkSettings settings{L"L07", L"kestle-nms", L"2404", 1};
  return RunLinkWizard(settings);
}

}  // namespace

const std::vector<GalleryDialog>& GalleryDialogs() {
  static const std::vector<GalleryDialog> dialogs = {
      {"message-box", MessageBoxLine}, {"warning", WarningLine}, {"export-format", ExportFormatLine},
      {"file", FileLine},              {"colour", ColourLine},   {"print", PrintLine},
      {"wizard", WizardLine},
  };
  return dialogs;
}

void RegisterGalleryResources(CResourceModule& host) {
  RegisterExportResources(host);
  RegisterWindowResources(host);
  RegisterLinkWizardResources(host);
}
