#include "TableExport.h"

#include <fstream>
#include <iterator>

#include "brenmoor/win/CExportFormatDlg.h"
#include "brenmoor/ui/CListCtrl.h"
#include "brenmoor/app/ScriptedUser.h"
#include "brenmoor/win/WinUtils.h"

std::string ExportAsTable(const Table& table, const std::filesystem::path& file) {
  std::filesystem::remove(file);
  CWnd main;
  main.Create(kGenericWindowClass, L"Table", WS_OVERLAPPEDWINDOW, {0, 0, 640, 480}, nullptr, 0);
  CListCtrl list;
  list.Create(kListViewClass, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, {0, 0, 600, 400}, &main, 1);
  FillList(list, table);
  ScriptedUser user;
  user.InDialog(CExportFormatDlg::IDD)
      .Pick(CExportFormatDlg::kDelimiter, L"Tab")
      .Pick(CExportFormatDlg::kQuote, L"None")
      .Type(CExportFormatDlg::kFile, CString::FromUtf8(file.string()))
      .Check(CExportFormatDlg::kTitles, true)
      .Check(CExportFormatDlg::kBanner, false)
      .Check(CExportFormatDlg::kDateInName, false)
      .Click(IDOK);
  user.AnswerMessageBox();
  WinUtils::ExportListCtrlData(list);
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
