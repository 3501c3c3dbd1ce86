// The list sorter beside std::sort: 100 000 rows of 6 columns in a list
// control sorted by each key kind through CListCtrlSorter, and std::sort
// ordering the same keys already built in a vector. Prints the best of three
// runs of each, their ratio, and how long reading the column and building its
// keys alone takes. Times are CPU times of this process, so that other work
// on the machine does not tilt the comparison.

#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "brenmoor/ui/CListCtrl.h"
#include "brenmoor/win/CListCtrlSorter.h"
#include "brenmoor/win/SortKeys.h"

namespace {

constexpr int kRows = 100000;
constexpr int kColumns = 6;
constexpr int kRuns = 3;

using Row = std::vector<std::wstring>;

// Names in mixed case, integers, decimals, dates with times, and two more columns that only travel.
std::vector<Row> MakeRows() {
  std::mt19937 random(2026);
  const auto below = [&random](int limit) { return static_cast<int>(random() % static_cast<unsigned>(limit)); };
  const wchar_t* names[] = {L"Kestle", L"kestle", L"Halden", L"HALDEN", L"Velmo", L"Drex", L"quor", L"Pell"};
  std::vector<Row> rows;
  rows.reserve(kRows);
  for (int row = 0; row < kRows; ++row) {
    wchar_t date[40];
    std::swprintf(date, 40, L"%d/%d/%d %02d:%02d:%02d", 1 + below(12), 1 + below(28), 1970 + below(60), below(24),
                  below(60), below(60));
    rows.push_back({std::wstring(names[below(8)]) + L" link " + std::to_wstring(below(50000)),
                    std::to_wstring(below(2000000) - 1000000), std::to_wstring(below(1000000) / 100.0), date,
                    L"peer-" + std::to_wstring(row) + L".net.example", row % 11 == 0 ? L"DEGRADED" : L"UP"});
  }
  return rows;
}

void Fill(CListCtrl& list, const std::vector<Row>& rows) {
  list.DeleteAllItems();
  for (int row = 0; row < kRows; ++row) {
    list.InsertItem(row, rows[static_cast<std::size_t>(row)][0].c_str());
    for (int column = 1; column < kColumns; ++column) {
      list.SetItemText(row, column, rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)].c_str());
    }
  }
}

double Now() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double Seconds(double start) { return Now() - start; }

// Every row one place down, the last to the top: each row read and written
// once, texts and attributes, as the sorter moves rows.
double MoveEveryRowSeconds(CListCtrl& list) {
  const auto start = Now();
  wchar_t texts[kColumns][256];
  LVITEM attributes;
  const auto readRow = [&](int row) {
    for (int column = 0; column < kColumns; ++column) list.GetItemText(row, column, texts[column], 256);
    attributes.mask = LVIF_IMAGE | LVIF_PARAM | LVIF_STATE;
    attributes.stateMask = 0xFF0F;
    attributes.iItem = row;
    list.GetItem(&attributes);
  };
  const auto writeRow = [&](int row) {
    for (int column = 0; column < kColumns; ++column) list.SetItemText(row, column, texts[column]);
    attributes.iItem = row;
    list.SetItem(&attributes);
  };
  wchar_t last[kColumns][256];
  readRow(kRows - 1);
  std::copy(&texts[0][0], &texts[0][0] + kColumns * 256, &last[0][0]);
  const LVITEM lastAttributes = attributes;
  for (int row = kRows - 1; row > 0; --row) {
    readRow(row - 1);
    writeRow(row);
  }
  std::copy(&last[0][0], &last[0][0] + kColumns * 256, &texts[0][0]);
  attributes = lastAttributes;
  writeRow(0);
  return Seconds(start);
}

struct Times {
  double sorter = 1e9;
  double keys = 1e9;
  double standard = 1e9;
  double move = 1e9;
};

template <typename Key>
Times Measure(CListCtrl& list, const std::vector<Row>& rows, int column,
              bool (CListCtrlSorter::*sort)(CListCtrl&, int, bool, int, int)) {
  Times best;
  for (int run = 0; run < kRuns; ++run) {
    Fill(list, rows);
    auto start = Now();
    std::vector<Key> keys;
    keys.reserve(kRows);
    for (int row = 0; row < kRows; ++row) keys.emplace_back(list.GetItemText(row, column));
    best.keys = std::min(best.keys, Seconds(start));

    start = Now();
    std::sort(keys.begin(), keys.end());
    best.standard = std::min(best.standard, Seconds(start));

    CListCtrlSorter sorter;
    start = Now();
    (sorter.*sort)(list, column, true, 0, -1);
    best.sorter = std::min(best.sorter, Seconds(start));
    for (int row = 1; row < kRows; ++row) {
      if (Key(list.GetItemText(row, column)) < Key(list.GetItemText(row - 1, column))) std::abort();
    }
    best.move = std::min(best.move, MoveEveryRowSeconds(list));
  }
  return best;
}

void Print(const char* kind, const Times& times) {
  std::printf("%-8s sorter %7.1f ms  std::sort %6.1f ms  ratio %5.1f  (reading, building keys %6.1f ms; "
              "moving every row once %6.1f ms)\n",
              kind, times.sorter * 1e3, times.standard * 1e3, times.sorter / times.standard, times.keys * 1e3,
              times.move * 1e3);
}

}  // namespace

int main() {
  setenv("LC_ALL", "en_US.UTF-8", 1);
  CWnd parent;
  parent.Create(kGenericWindowClass, L"Host", WS_OVERLAPPEDWINDOW, {0, 0, 640, 480}, nullptr, 0);
  CListCtrl list;
  list.Create(kListViewClass, L"", WS_CHILD | LVS_REPORT, {0, 0, 600, 400}, &parent, 1);
  for (int column = 0; column < kColumns; ++column) list.InsertColumn(column, L"Column", LVCFMT_LEFT, 80);
  const std::vector<Row> rows = MakeRows();
  std::printf("%d rows of %d columns, ascending, best of %d runs\n", kRows, kColumns, kRuns);
  Print("text", Measure<TextKey>(list, rows, 0, &CListCtrlSorter::SortListCtrl));
  Print("integer", Measure<IntegerKey>(list, rows, 1, &CListCtrlSorter::SortListCtrlByInteger));
  Print("double", Measure<DoubleKey>(list, rows, 2, &CListCtrlSorter::SortListCtrlByDouble));
  Print("date", Measure<DateTimeKey>(list, rows, 3, &CListCtrlSorter::SortListCtrlByDateTime));
  return 0;
}
