// The link monitor: loads a table of links into a list control, sorts it on
// one column as a click on its heading would, and writes the rows in their
// new order to standard output.
//
//   link_monitor LINKS.tsv [COLUMN]

#include <charconv>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "brenmoor/app/CWinApp.h"
#include "brenmoor/ui/CListCtrl.h"
#include "brenmoor/win/CListCtrlSorter.h"
#include "brenmoor/windowing/ClassNames.h"

namespace {

std::vector<CString> SplitTabs(const std::string& line) {
  std::vector<CString> fields;
  std::size_t start = 0;
  for (std::size_t tab = line.find('\t'); tab != std::string::npos; tab = line.find('\t', start)) {
    fields.push_back(CString::FromUtf8(line.substr(start, tab - start)));
    start = tab + 1;
  }
  fields.push_back(CString::FromUtf8(line.substr(start)));
  return fields;
}

// The first line holds the headings; each further line is a row.
bool LoadLinks(const char* path, CListCtrl& list) {
  std::ifstream file(path);
  std::string line;
  if (!std::getline(file, line)) return false;
  const std::vector<CString> headings = SplitTabs(line);
  for (std::size_t column = 0; column < headings.size(); ++column) {
    list.InsertColumn(static_cast<int>(column), headings[column], LVCFMT_LEFT, 120);
  }
  for (int row = 0; std::getline(file, line); ++row) {
    const std::vector<CString> fields = SplitTabs(line);
    const int item = list.InsertItem(row, fields[0]);
    for (std::size_t column = 1; column < fields.size() && column < headings.size(); ++column) {
      list.SetItemText(item, static_cast<int>(column), fields[column]);
    }
  }
  return true;
}

void PrintRows(CListCtrl& list, int columns) {
  for (int item = 0; item < list.GetItemCount(); ++item) {
    for (int column = 0; column < columns; ++column) {
      std::printf("%s%s", column ? "\t" : "", list.GetItemText(item, column).ToUtf8().c_str());
    }
    std::printf("\n");
  }
}

// A column index from 0, or -1 for none.
int ParseColumn(const std::string& text) {
  int column = -1;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), column);
  return error == std::errc{} && end == text.data() + text.size() && column >= 0 ? column : -1;
}

}  // namespace

int main(int argc, char** argv) {
  const int column = argc == 3 ? ParseColumn(argv[2]) : 0;
  if (argc < 2 || argc > 3 || column < 0) {
    std::fputs("usage: link_monitor LINKS.tsv [COLUMN]\n", stderr);
    return 2;
  }
  CWinApp app(L"Link monitor");
  CWnd main;
  main.Create(kGenericWindowClass, L"Link monitor", WS_OVERLAPPEDWINDOW | WS_VISIBLE, {0, 0, 800, 600}, nullptr, 0);
  app.m_pMainWnd = &main;
  CListCtrl list;
  list.Create(kListViewClass, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, {0, 0, 780, 560}, &main, 1);
  if (!LoadLinks(argv[1], list)) {
    std::fprintf(stderr, "link_monitor: cannot read a table from %s\n", argv[1]);
    return 1;
  }
  CListCtrlSorter sorter;
  if (argc == 3) sorter.SortListCtrl(list, column);
  PrintRows(list, list.GetHeaderCtrl()->GetItemCount());
  return 0;
}
