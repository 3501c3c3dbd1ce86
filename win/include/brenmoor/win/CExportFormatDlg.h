#pragma once
// The modal dialog in which the user picks the delimiter, the text
// qualifier, the file and the options of an export, with a live preview of
// three columns of output. Its template (234), control texts, choices and
// the strings it shows belong to the host.

#include "brenmoor/ui/CComboBox.h"
#include "brenmoor/ui/CDialog.h"
#include "brenmoor/win/CExportFormat.h"

class CExportFormatDlg : public CDialog {
  DECLARE_DYNAMIC(CExportFormatDlg)

 public:
  static constexpr UINT IDD = 234;
  // Control ids of the host's template and the host strings the dialog shows.
  enum : int {
    kPreview = 1238,
    kDelimiter = 1245,
    kQuote = 1246,
    kFile = 1247,
    kBrowse = 1248,
    kTitles = 1249,
    kBanner = 1629,
    kDateInName = 1649,
  };
  static constexpr UINT kFileFilter = 422;
  static constexpr UINT kPreviewTitle = 695;
  static constexpr UINT kPreviewData = 696;

  CExportFormatDlg() : CExportFormatDlg(nullptr) {}
  explicit CExportFormatDlg(CWnd* parent);
  ~CExportFormatDlg() override = default;

  CExportFormat Format;

 protected:
  CComboBox QuoteCombo;
  CComboBox DelimiterCombo;

 public:
  // When false the titles box is shown disabled; its state is still saved.
  bool TitlesEnabled = true;

 protected:
  void DoDataExchange(CDataExchange* exchange) override;
  BOOL OnInitDialog() override;
  void OnEditchangeDelimiter();
  void OnEditchangeQuote();
  void OnSelchangeDelimiter();
  void OnSelchangeQuote();
  void OnBrowseFile();
  void OnTitles();

  DECLARE_MESSAGE_MAP()

 private:
  void UpdatePreview();
  // The picked choice's text, or empty when none is picked.
  static CString Selected(const CComboBox& combo);
};
