#include "brenmoor/win/CExportFormatDlg.h"

#include "brenmoor/ui/CFileDialog.h"
#include "brenmoor/win/CResourceString.h"

IMPLEMENT_DYNAMIC(CExportFormatDlg, CDialog)

CExportFormatDlg::CExportFormatDlg(CWnd* parent) : CDialog(IDD, parent) {}

BEGIN_MESSAGE_MAP(CExportFormatDlg, CDialog)
  ControlEntry<&CExportFormatDlg::OnEditchangeDelimiter>(CBN_EDITCHANGE, kDelimiter),
  ControlEntry<&CExportFormatDlg::OnEditchangeQuote>(CBN_EDITCHANGE, kQuote),
  ControlEntry<&CExportFormatDlg::OnSelchangeDelimiter>(CBN_SELCHANGE, kDelimiter),
  ControlEntry<&CExportFormatDlg::OnSelchangeQuote>(CBN_SELCHANGE, kQuote),
  ControlEntry<&CExportFormatDlg::OnBrowseFile>(BN_CLICKED, kBrowse),
  ControlEntry<&CExportFormatDlg::OnTitles>(BN_CLICKED, kTitles),
END_MESSAGE_MAP()

// The file name is stored plainly: the export file applies the ".csv" rule
// to the name it writes. The titles box is exchanged twice so that it saves
// into both flags and shows TitlesCheck.
void CExportFormatDlg::DoDataExchange(CDataExchange* exchange) {
  CDialog::DoDataExchange(exchange);
  DDX_Control(exchange, kQuote, QuoteCombo);
  DDX_Control(exchange, kDelimiter, DelimiterCombo);
  DDX_CBString(exchange, kDelimiter, Format.Delimiter);
  DDX_CBString(exchange, kQuote, Format.Quote);
  DDX_Text(exchange, kFile, Format.Filename);
  DDX_Check(exchange, kTitles, Format.Titles);
  DDX_Check(exchange, kBanner, Format.TimestampBanner);
  DDX_Check(exchange, kDateInName, Format.DateInFilename);
  DDX_Check(exchange, kTitles, Format.TitlesCheck);
}

BOOL CExportFormatDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  UpdatePreview();
  GetDlgItem(kTitles)->EnableWindow(TitlesEnabled);
  CheckDlgButton(kTitles, static_cast<UINT>(Format.TitlesCheck));
  return true;
}

void CExportFormatDlg::OnEditchangeDelimiter() {
  UpdateData(true);
  UpdatePreview();
}

void CExportFormatDlg::OnEditchangeQuote() {
  UpdateData(true);
  UpdatePreview();
}

void CExportFormatDlg::OnSelchangeDelimiter() {
  Format.Delimiter = Selected(DelimiterCombo);
  UpdatePreview();
}

void CExportFormatDlg::OnSelchangeQuote() {
  Format.Quote = Selected(QuoteCombo);
  UpdatePreview();
}

void CExportFormatDlg::OnBrowseFile() {
  UpdateData(true);
  CFileDialog dialog(true, L"txt", Format.Filename, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST,
                     CResourceString(kFileFilter), nullptr);
  if (dialog.DoModal() == IDOK) SetDlgItemText(kFile, dialog.GetPathName());
}

void CExportFormatDlg::OnTitles() {
  UpdateData(true);
  UpdatePreview();
}

// Three columns as the current settings write them: a titles line when
// titles are on, then two data lines, separated by CR LF for the edit control.
void CExportFormatDlg::UpdatePreview() {
  auto line = [this](const CString& label) {
    return Format.FormatData(label + L"1", true) + Format.FormatData(label + L"2", false) +
           Format.FormatData(label + L"3", false) + L"\r\n";
  };
  CString preview;
  if (Format.Titles != 0) preview += line(CResourceString(kPreviewTitle));
  const CString data = CResourceString(kPreviewData);
  preview += line(data);
  preview += line(data);
  SetDlgItemText(kPreview, preview);
}

CString CExportFormatDlg::Selected(const CComboBox& combo) {
  CString text;
  const int selected = combo.GetCurSel();
  if (selected != CB_ERR) combo.GetLBText(selected, text);
  return text;
}
