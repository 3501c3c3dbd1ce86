// A dialog with a list too long for it, on screen for a person to scroll and
// pick from. On OK it says which row shows first, which are selected and
// which has the focus, and writes the dialog as it then looked; on Cancel it
// says nothing.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "brenmoor/app/CWinApp.h"
#include "brenmoor/gdi/FontCaches.h"
#include "brenmoor/ui/CDialog.h"
#include "brenmoor/ui/CListCtrl.h"
#include "brenmoor/windowing/WindowPainter.h"

namespace {

constexpr const char* kUsage =
    "usage: long_list ROWS [PNG]\n"
    "  ROWS  how many rows the list holds: \"Row 1\" and its square, and so on\n"
    "  PNG   the dialog as it looked when OK was pressed\n";

constexpr UINT kDialog = 100;
constexpr int kList = 1000;

void RegisterDialog(CWinApp& app) {
  const DialogTemplate dialog{L"Long list", {0, 0, 200, 160}, WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, {
      {kListViewClass, kList, L"", {7, 7, 193, 132}, WS_VISIBLE | WS_TABSTOP | WS_BORDER | LVS_REPORT, {}},
      {kButtonClass, IDOK, L"OK", {88, 139, 138, 153}, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, {}},
      {kButtonClass, IDCANCEL, L"Cancel", {143, 139, 193, 153}, WS_VISIBLE | WS_TABSTOP, {}},
  }};
  app.Register<DialogTemplate>(kDialog, dialog);
}

class CLongListDlg : public CDialog {
 public:
  CLongListDlg(int rows, std::string picture) : CDialog(kDialog), rows_(rows), picture_(std::move(picture)) {}

  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    list_.SubclassWindow(::GetDlgItem(m_hWnd, kList));
    list_.InsertColumn(0, L"Row", LVCFMT_LEFT, 120);
    list_.InsertColumn(1, L"Square", LVCFMT_LEFT, 120);
    for (int row = 0; row < rows_; ++row) {
      const long long number = row + 1;
      list_.InsertItem(row, (L"Row " + std::to_wstring(number)).c_str());
      list_.SetItemText(row, 1, std::to_wstring(number * number).c_str());
    }
    return true;
  }

 protected:
  // "top 9, selected 12 13, focus 13": rows counted from 0.
  void OnOK() override {
    std::string selected;
    int focus = -1;
    for (int row = 0; row < list_.GetItemCount(); ++row) {
      if (list_.GetItemState(row, LVIS_SELECTED) != 0) selected += " " + std::to_string(row);
      if (list_.GetItemState(row, LVIS_FOCUSED) != 0) focus = row;
    }
    std::printf("top %d, selected%s, focus %d\n", static_cast<int>(list_.SendMessage(LVM_GETTOPINDEX)),
                selected.c_str(), focus);
    if (!picture_.empty() && !RenderWindowToPng(m_hWnd, picture_)) {
      std::fprintf(stderr, "long_list: cannot write %s\n", picture_.c_str());
    }
    CDialog::OnOK();
  }

 private:
  int rows_;
  std::string picture_;
  CListCtrl list_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3 || std::atoi(argv[1]) <= 0) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  CWinApp app(L"Long list");
  std::string why;
  if (!app.UseScreen(why)) {
    std::fprintf(stderr, "long_list: no screen: %s\n", why.c_str());
    return 1;
  }
  RegisterDialog(app);
  int result = IDCANCEL;
  {
    CLongListDlg dialog(std::atoi(argv[1]), argc == 3 ? argv[2] : "");
    result = static_cast<int>(dialog.DoModal());
  }
  ReleaseFontCaches();
  return result == IDOK ? 0 : 1;
}
