// List-column layouts and grid column specifications through the tokenizer:
// any stored and default layout restores without a crash or an endless
// loop and shows message 697 at most once; a layout saved and restored
// gives back the same headings and widths; any specification makes grid
// columns with message 697 at most once.

#include <stdlib.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "brenmoor/grid/CGXGridCore.h"
#include "brenmoor/win/CGXUtils.h"
#include "brenmoor/ui/CListCtrl.h"
#include "brenmoor/app/CWinApp.h"
#include "brenmoor/gdi/FontCaches.h"
#include "FuzzCheck.h"
#include "brenmoor/app/ScriptedUser.h"
#include "brenmoor/win/WinUtils.h"

namespace {

constexpr UINT kLayoutMessage = 697;
constexpr int kHeadingUnits = 64;  // what a save reads of a heading

// Counts the message boxes and answers each with OK.
class CountingUser : public ScriptedUser {
 public:
  int boxes = 0;
  int AnswerMessageBox(const CString&, const CString&, UINT) override { return ++boxes, IDOK; }
};

class Grid : public CGXGridCore {
 protected:
  void ShowScrollBar(UINT, BOOL) override {}
  CRect GetGridClientRect() const override { return {0, 0, 400, 300}; }
};

struct Column {
  std::wstring heading;
  int width;
  bool operator==(const Column&) const = default;
};

std::vector<Column> Columns(const CListCtrl& list) {
  std::vector<Column> columns;
  for (int i = 0;; ++i) {
    wchar_t heading[kHeadingUnits] = {};
    LVCOLUMN column;
    column.mask = LVCF_WIDTH | LVCF_TEXT;
    column.pszText = heading;
    column.cchTextMax = kHeadingUnits;
    if (!list.GetColumn(i, &column)) return columns;
    columns.push_back({heading, column.cx});
  }
}

void RemoveColumns(CListCtrl& list) {
  while (list.DeleteColumn(0)) {
  }
}

// One application for the run, its profile on a memory file system.
CWinApp& App() {
  static CWinApp* const app = [] {
    std::string folder = std::filesystem::exists("/dev/shm") ? "/dev/shm/fuzz-columns-XXXXXX" : "/tmp/fuzz-columns-XXXXXX";
    fuzzing::Require(::mkdtemp(folder.data()) != nullptr, "a folder for the profile");
    auto* made = new CWinApp(L"Host");
    made->SetProfileFile(std::filesystem::path(folder) / "host.ini");
    made->RegisterString(kLayoutMessage, L"The column layout cannot be read.");
    return made;
  }();
  return *app;
}

void CheckRestoreAndRoundTrip(const CString& stored, const CString& defaultLayout) {
  CWinApp& app = App();
  CountingUser user;
  app.WriteProfileString(L"Lists", L"ListColumns", stored);
  CWnd main;
  main.Create(kGenericWindowClass, L"Host", WS_OVERLAPPEDWINDOW, {0, 0, 640, 480}, nullptr, 0);
  CListCtrl list;
  list.Create(kListViewClass, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, {0, 0, 600, 400}, &main, 1);
  WinUtils::RestoreListColumns(list, L"Lists", defaultLayout);
  fuzzing::Require(user.boxes <= 1, "message 697 at most once per restore");

  const std::vector<Column> saved = Columns(list);
  app.WriteProfileString(L"Lists", L"ListColumns", L"");
  WinUtils::SaveListColumns(list, L"Lists");
  if (app.GetProfileString(L"Lists", L"ListColumns", L"").IsEmpty()) return;
  std::wstring defaults;
  for (const Column& column : saved) defaults += column.heading + L";5;";
  RemoveColumns(list);
  user.boxes = 0;
  WinUtils::RestoreListColumns(list, L"Lists", CString(defaults));
  fuzzing::Require(user.boxes == 0, "a saved layout restores without a message");
  fuzzing::Require(Columns(list) == saved, "a saved layout restores the same headings and widths");
}

// One grid for the run, emptied before each column list: a new grid's
// text measurer costs more than the rest of an input.
void CheckGridColumns(const CString& columns) {
  App();
  CountingUser user;
  static Grid* const grid = new Grid;
  grid->SetColCount(0);
  CGXUtils::CreateColumns(*grid, columns);
  fuzzing::Require(user.boxes <= 1, "message 697 at most once per column list");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // What fontconfig and cairo keep for the process is no leak of ours.
  std::atexit(ReleaseFontCaches);
  return 0;
}

// UTF-8 text: the stored layout, a 0xFF, the default layout (also the grid's specification).
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = fuzzing::AsText(data, size);
  const std::size_t split = text.find('\xFF');
  const CString stored = CString::FromUtf8(text.substr(0, split));
  const CString defaultLayout = split == std::string_view::npos ? stored : CString::FromUtf8(text.substr(split + 1));
  CheckRestoreAndRoundTrip(stored, defaultLayout);
  CheckGridColumns(defaultLayout);
  return 0;
}
