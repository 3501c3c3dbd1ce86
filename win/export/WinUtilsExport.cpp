#include <string>

#include "brenmoor/win/CExportFile.h"
#include "brenmoor/win/CExportFormatDlg.h"
#include "brenmoor/ui/CListCtrl.h"
#include "brenmoor/core/CTime.h"
#include "brenmoor/app/CWinApp.h"
#include "brenmoor/utils/Utils.h"
#include "brenmoor/win/WinUtils.h"

namespace {

constexpr UINT kOpenFailed = 698;
constexpr UINT kExported = 771;
constexpr int kHeadingBuffer = 256;

void ShowMessage(UINT textId, const CString& argument, UINT icon) {
  CString text;
  AfxFormatString1(text, textId, argument);
  AfxMessageBox(text, icon);
}

// Headings through the column query with a buffer of 256, so at most 255 characters.
void WriteTitles(CListCtrl& list, int columns, CExportFile& file) {
  for (int column = 0; column < columns; ++column) {
    wchar_t heading[kHeadingBuffer] = {};
    LVCOLUMN description;
    description.mask = LVCF_TEXT;
    description.pszText = heading;
    description.cchTextMax = kHeadingBuffer;
    list.GetColumn(column, &description);
    file.WriteField(heading);
  }
  file.WriteNewline();
}

// The cells are read in place: the texts are the same whole texts a read
// through the list's messages gives.
void WriteRows(const CListCtrl& list, int rows, int columns, CExportFile& file) {
  const CListCells cells = list.GetCells();
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < columns; ++column) {
      const std::wstring& text = cells.GetItemText(row, column);
      file.WriteField(text.data(), static_cast<int>(text.size()));
    }
    file.WriteNewline();
  }
}

}  // namespace

// Only the file name's own extension counts: a dot in a folder name does not.
void WinUtils::AppendDateToFileName(CString& name) {
  const std::wstring& text = name.Str();
  const std::size_t folderEnd = text.find_last_of(L"\\/");
  const std::size_t dot = text.rfind(L'.');
  if (dot == std::wstring::npos || (folderEnd != std::wstring::npos && dot < folderEnd)) return;
  const CString date = CTime::GetCurrentTime().Format(Utils::GetDefaultDateFormatSpecifier());
  name = name.Left(static_cast<int>(dot)) + L"_" + date + L".txt";
}

bool WinUtils::ExportListCtrlData(CListCtrl& list) {
  CExportFormatDlg dialog;
  if (dialog.DoModal() != IDOK) return false;
  CExportFile file(dialog.Format, false, false);
  if (!file.Open(false)) {
    ShowMessage(kOpenFailed, file.GetError(), MB_ICONERROR);
    return false;
  }
  {
    CWaitCursor wait;
    const int rows = list.GetItemCount();
    // The header control is the list's child with id 0.
    const auto* header = static_cast<const CHeaderCtrl*>(list.GetDlgItem(0));
    const int columns = header != nullptr ? header->GetItemCount() : 0;
    if (dialog.Format.Titles != 0) WriteTitles(list, columns, file);
    WriteRows(list, rows, columns, file);
    file.Close();
  }
  // The message names the file written, even when the date changed meanwhile.
  if (dialog.Format.DateInFilename != 0) dialog.Format.SetFilename(file.GetFilename());
  ShowMessage(kExported, dialog.Format.Filename, MB_ICONINFORMATION);
  return true;
}
