#include "brenmoor/win/CListCtrlSorter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "brenmoor/app/CWinApp.h"
#include "ScopedEnvironment.h"
#include "brenmoor/win/SortKeys.h"

namespace {

using Texts = std::vector<std::wstring>;

// Everything a row holds that a sort may move or must leave.
struct RowSnapshot {
  Texts texts;
  int image;
  LPARAM data;
  UINT state;
  friend bool operator==(const RowSnapshot&, const RowSnapshot&) = default;
};

class ListSortTest : public ::testing::Test {
 protected:
  ListSortTest() { parent.Create(kGenericWindowClass, L"Host", WS_OVERLAPPEDWINDOW, {0, 0, 640, 480}, nullptr, 0); }

  void Create(CListCtrl& target, int columns) {
    target.Create(kListViewClass, L"", WS_CHILD | LVS_REPORT, {0, 0, 600, 400}, &parent, ++lists);
    for (int column = 0; column < columns; ++column) target.InsertColumn(column, L"Column");
  }
  // Rows of column texts; row r has image r, item data 100 + r and no state.
  void Fill(CListCtrl& target, const std::vector<Texts>& rows) {
    Create(target, static_cast<int>(rows.front().size()));
    for (std::size_t r = 0; r < rows.size(); ++r) {
      LVITEM item;
      item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
      item.iItem = static_cast<int>(r);
      item.pszText = const_cast<wchar_t*>(rows[r][0].c_str());
      item.iImage = static_cast<int>(r);
      item.lParam = static_cast<LPARAM>(100 + r);
      target.InsertItem(&item);
      for (std::size_t c = 1; c < rows[r].size(); ++c) {
        target.SetItemText(static_cast<int>(r), static_cast<int>(c), rows[r][c].c_str());
      }
    }
  }
  // One text per row, in column 0.
  void FillColumn(const Texts& cells) {
    std::vector<Texts> rows;
    for (const std::wstring& cell : cells) rows.push_back({cell});
    Fill(list, rows);
  }
  Texts Column(const CListCtrl& from, int column) const {
    Texts texts;
    for (int row = 0; row < from.GetItemCount(); ++row) texts.push_back(from.GetItemText(row, column).Str());
    return texts;
  }
  static std::vector<RowSnapshot> Snapshot(const CListCtrl& from, int subItems) {
    std::vector<RowSnapshot> rows;
    for (int row = 0; row < from.GetItemCount(); ++row) {
      LVITEM item;
      item.mask = LVIF_IMAGE | LVIF_PARAM | LVIF_STATE;
      item.iItem = row;
      item.stateMask = 0xFFFF;
      from.GetItem(&item);
      RowSnapshot snapshot{{}, item.iImage, item.lParam, item.state};
      for (int column = 0; column < subItems; ++column) snapshot.texts.push_back(from.GetItemText(row, column).Str());
      rows.push_back(snapshot);
    }
    return rows;
  }

  testsupport::ScopedEnvironment locale{"LC_ALL", "en_US.UTF-8"};
  CWnd parent;
  CListCtrl list;
  int lists = 0;
  CListCtrlSorter sorter;
};

TEST_F(ListSortTest, ASecondRequestOnTheSameColumnReversesTheDirection) {
  Fill(list, {{L"b", L"x", L"2"}, {L"a", L"y", L"10"}, {L"c", L"z", L"1"}});
  EXPECT_TRUE(sorter.SortListCtrlByInteger(list, 2));
  EXPECT_TRUE(sorter.GetSortOrder());
  EXPECT_EQ(Column(list, 2), (Texts{L"1", L"2", L"10"}));
  EXPECT_TRUE(sorter.SortListCtrlByInteger(list, 2));
  EXPECT_FALSE(sorter.GetSortOrder());
  EXPECT_EQ(Column(list, 2), (Texts{L"10", L"2", L"1"}));
  const CListCtrlSorter copy(sorter);
  EXPECT_TRUE(sorter.SortListCtrl(list, 0));
  EXPECT_TRUE(sorter.GetSortOrder());
  EXPECT_EQ(Column(list, 0), (Texts{L"a", L"b", L"c"}));
  EXPECT_FALSE(copy.GetSortOrder());
  sorter.SetSortOrder(0);
  EXPECT_FALSE(sorter.GetSortOrder());
  EXPECT_EQ(CWinApp::WaitCursorDepth(), 0);
}

TEST_F(ListSortTest, EachKeyKindOrdersItsCellsAsTheUserReadsThem) {
  struct Case {
    bool (CListCtrlSorter::*sort)(CListCtrl&, int, bool, int, int);
    bool ascending;
    Texts cells;
    Texts expected;
  };
  const std::vector<Case> cases = {
      {&CListCtrlSorter::SortListCtrlByInteger, true, {L"12abc", L"-5", L"", L"abc", L"3", L"-20"},
       {L"", L"-20", L"-5", L"abc", L"3", L"12abc"}},
      {&CListCtrlSorter::SortListCtrlByInteger, false, {L"12abc", L"-5", L"", L"abc", L"3", L"-20"},
       {L"12abc", L"3", L"abc", L"-5", L"-20", L""}},
      {&CListCtrlSorter::SortListCtrlByDouble, true, {L"2.5", L"", L"-1e2", L"x", L"10", L"1,5"},
       {L"", L"-1e2", L"x", L"1,5", L"2.5", L"10"}},
      {&CListCtrlSorter::SortListCtrl, true, {L"pear", L"Banana", L"apple", L"cherry"},
       {L"apple", L"Banana", L"cherry", L"pear"}},
      {&CListCtrlSorter::SortListCtrl, false, {L"pear", L"Banana", L"apple", L"cherry"},
       {L"pear", L"cherry", L"Banana", L"apple"}},
      {&CListCtrlSorter::SortListCtrlByDateTime, true,
       {L"6/30/2011 01:20:34", L"2011-06-30", L"13:00", L"Jan 2 1970 1 am", L"1/2/1970"},
       {L"13:00", L"1/2/1970", L"Jan 2 1970 1 am", L"2011-06-30", L"6/30/2011 01:20:34"}},
  };
  for (const Case& c : cases) {
    CListCtrl cells;
    std::vector<Texts> rows;
    for (const std::wstring& cell : c.cells) rows.push_back({cell});
    Fill(cells, rows);
    EXPECT_TRUE((sorter.*c.sort)(cells, 0, c.ascending, 0, -1));
    EXPECT_EQ(Column(cells, 0), c.expected);
  }
}

TEST_F(ListSortTest, TextKeysIgnoreCaseAndRowsWithIdenticalTextsAreNeverSwapped) {
  FillColumn({L"pear", L"APPLE", L"apple", L"Apple", L"banana"});
  sorter.SortListCtrl(list, 0, true, 0, -1);
  Texts shown = Column(list, 0);
  EXPECT_EQ(Texts(shown.begin() + 3, shown.end()), (Texts{L"banana", L"pear"}));
  std::sort(shown.begin(), shown.begin() + 3);
  EXPECT_EQ(Texts(shown.begin(), shown.begin() + 3), (Texts{L"APPLE", L"Apple", L"apple"}));

  CListCtrl same;
  Fill(same, {{L"same"}, {L"same"}, {L"same"}, {L"same"}});
  sorter.SortListCtrl(same, 0, false, 0, -1);
  EXPECT_EQ(same.GetItemData(0), 100u);
  EXPECT_EQ(same.GetItemData(3), 103u);
}

TEST_F(ListSortTest, ADateSortWithCellsThatDoNotParseKeepsEveryRow) {
  FillColumn({L"6/30/2011", L"True", L"1/2/1970", L"", L"Jan 35"});
  EXPECT_TRUE(sorter.SortListCtrlByDateTime(list, 0, true, 0, -1));
  Texts shown = Column(list, 0);
  std::sort(shown.begin(), shown.end());
  EXPECT_EQ(shown, (Texts{L"", L"1/2/1970", L"6/30/2011", L"Jan 35", L"True"}));
}

// Cells that name no date come first, as empty cells do in the number
// sorts, so the dates around them still end in date order.
TEST_F(ListSortTest, ADateSortPutsCellsThatDoNotParseFirstAndTheDatesInOrder) {
  Texts cells;
  std::mt19937 random(7);
  const double start = COleDateTime(1970, 1, 1, 0, 0, 0).m_dt;
  for (int i = 0; i < 5000; ++i) {
    const COleDateTime date(start + static_cast<double>(random() % 20000));
    cells.push_back(i % 7 == 0 ? L"" : date.Format(L"%m/%d/%Y").Str());
  }
  cells[3] = L"True";
  FillColumn(cells);
  for (const bool ascending : {true, false}) {
    sorter.SortListCtrlByDateTime(list, 0, ascending, 0, -1);
    std::vector<double> keys;  // a cell that names no date as minus infinity
    for (const std::wstring& text : Column(list, 0)) {
      COleDateTime date;
      keys.push_back(date.ParseDateTime(text.c_str()) ? date.m_dt : -HUGE_VAL);
    }
    EXPECT_EQ(std::count(keys.begin(), keys.end(), -HUGE_VAL), 716);  // the empty cells and "True"
    EXPECT_TRUE(ascending ? std::is_sorted(keys.begin(), keys.end()) : std::is_sorted(keys.rbegin(), keys.rend()))
        << (ascending ? "ascending" : "descending");
  }
}

TEST_F(ListSortTest, ImagesItemDataAndStatesTravelWithTheirRowsOtherBitsStay) {
  Fill(list, {{L"3", L"three"}, {L"1", L"one"}, {L"2", L"two"}});
  list.SetItemText(0, 2, L"beyond the header");
  list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED | 0x0100 | 0x2000 | 0x0010, 0xFFFF);
  list.SetItemState(1, LVIS_CUT | LVIS_DROPHILITED, 0xFFFF);
  sorter.SortListCtrlByInteger(list, 0, true, 0, -1);
  const std::vector<RowSnapshot> expected = {
      {{L"1", L"one", L"beyond the header"}, 1, 101, LVIS_CUT | LVIS_DROPHILITED | 0x0010},
      {{L"2", L"two", L""}, 2, 102, 0},
      {{L"3", L"three", L""}, 0, 100, LVIS_SELECTED | LVIS_FOCUSED | 0x0100 | 0x2000},
  };
  EXPECT_EQ(Snapshot(list, 3), expected);
}

TEST_F(ListSortTest, SortsOnlyTheRowsOfTheRangeAndStopsAtTheLastRow) {
  FillColumn({L"9", L"8", L"7", L"6", L"5", L"4"});
  EXPECT_TRUE(sorter.SortListCtrlByInteger(list, 0, true, 2, 4));
  EXPECT_EQ(Column(list, 0), (Texts{L"9", L"8", L"5", L"6", L"7", L"4"}));
  EXPECT_TRUE(sorter.SortListCtrlByInteger(list, 0, true, 3, 99));
  EXPECT_EQ(Column(list, 0), (Texts{L"9", L"8", L"5", L"4", L"6", L"7"}));
  EXPECT_TRUE(sorter.SortListCtrlByInteger(list, 0, true, -3, 1));
  EXPECT_EQ(Column(list, 0), (Texts{L"8", L"9", L"5", L"4", L"6", L"7"}));
  EXPECT_EQ(list.GetItemCount(), 6);
}

TEST_F(ListSortTest, ColumnsBeyondTheHeaderAndRangesOfOneRowChangeNothing) {
  Fill(list, {{L"b", L"2"}, {L"a", L"1"}});
  const std::vector<RowSnapshot> before = Snapshot(list, 2);
  EXPECT_TRUE(sorter.SortListCtrl(list, 2, true, 0, -1));
  EXPECT_TRUE(sorter.SortListCtrl(list, -1, true, 0, -1));
  EXPECT_TRUE(sorter.SortListCtrl(list, 0, true, 1, 1));
  EXPECT_TRUE(sorter.SortListCtrl(list, 0, true, 1, 0));
  EXPECT_TRUE(sorter.SortListCtrl(list, 0, true, 0, -2));
  EXPECT_EQ(Snapshot(list, 2), before);
  CListCtrl empty;
  Create(empty, 1);
  EXPECT_TRUE(sorter.SortListCtrlByDouble(empty, 0, true, 0, -1));
  EXPECT_EQ(CWinApp::WaitCursorDepth(), 0);
}

// The sort as the control's rows are read and swapped directly: every key
// read anew from its cell, every swap made at once in the control.
void SwapRows(CListCtrl& list, int first, int second) {
  const int columns = list.GetHeaderCtrl()->GetItemCount();
  std::vector<CString> saved;
  for (int column = 0; column < columns; ++column) saved.push_back(list.GetItemText(first, column));
  LVITEM a;
  LVITEM b;
  for (LVITEM* item : {&a, &b}) {
    item->mask = LVIF_IMAGE | LVIF_PARAM | LVIF_STATE;
    item->stateMask = 0xFF0F;
  }
  a.iItem = first;
  b.iItem = second;
  list.GetItem(&a);
  list.GetItem(&b);
  for (int column = 0; column < columns; ++column) list.SetItemText(first, column, list.GetItemText(second, column));
  b.iItem = first;
  list.SetItem(&b);
  for (int column = 0; column < columns; ++column) list.SetItemText(second, column, saved[static_cast<std::size_t>(column)]);
  a.iItem = second;
  list.SetItem(&a);
}

template <typename Key>
void SortDirectly(CListCtrl& list, int column, bool ascending, int low, int high) {
  if (high == -1) high = list.GetItemCount() - 1;
  int lo = low;
  int hi = high;
  if (hi <= lo) return;
  const auto key = [&](int row) { return Key(list.GetItemText(row, column)); };
  const auto before = [&](const Key& x, const Key& y) { return ascending ? x < y : y < x; };
  const Key pivot = key((lo + hi) / 2);
  while (lo <= hi) {
    while (lo < high && before(key(lo), pivot)) ++lo;
    while (hi > low && before(pivot, key(hi))) --hi;
    if (lo <= hi) {
      if (list.GetItemText(lo, column) != list.GetItemText(hi, column)) SwapRows(list, lo, hi);
      ++lo;
      --hi;
    }
  }
  if (low < hi) SortDirectly<Key>(list, column, ascending, low, hi);
  if (lo < high) SortDirectly<Key>(list, column, ascending, lo, high);
}

// Many equal keys with different texts, and dates that do not parse, so
// that the place of every equal row depends on the exact swaps.
std::vector<Texts> RandomRows(int count) {
  const Texts texts = {L"Apple", L"apple", L"APPLE", L"pear", L"Pear", L"fig", L""};
  const Texts integers = {L"12abc", L"12", L"-3", L"", L"abc", L"0", L"7", L"4294967296"};
  const Texts doubles = {L"1.5", L"1.50", L"-2", L"", L"x", L"1e1", L"10", L"0"};
  const Texts dates = {L"1/2/1970", L"Jan 2 1970", L"6/30/2011 01:20:34", L"", L"True", L"2011-06-30", L"1 am"};
  std::mt19937 random(11);
  const auto pick = [&random](const Texts& from) { return from[random() % from.size()]; };
  std::vector<Texts> rows;
  for (int row = 0; row < count; ++row) {
    rows.push_back({L"r" + std::to_wstring(row), pick(texts), pick(integers), pick(doubles), pick(dates)});
  }
  return rows;
}

TEST_F(ListSortTest, MakesExactlyTheSwapsOfTheSortThatRereadsTheControl) {
  struct Case {
    bool (CListCtrlSorter::*sort)(CListCtrl&, int, bool, int, int);
    void (*direct)(CListCtrl&, int, bool, int, int);
    int column;
  };
  const std::vector<Case> kinds = {
      {&CListCtrlSorter::SortListCtrl, &SortDirectly<TextKey>, 1},
      {&CListCtrlSorter::SortListCtrlByInteger, &SortDirectly<IntegerKey>, 2},
      {&CListCtrlSorter::SortListCtrlByDouble, &SortDirectly<DoubleKey>, 3},
      {&CListCtrlSorter::SortListCtrlByDateTime, &SortDirectly<DateTimeKey>, 4},
  };
  const std::vector<std::pair<int, int>> ranges = {{0, -1}, {17, 140}};
  const std::vector<Texts> rows = RandomRows(300);
  for (const Case& kind : kinds) {
    for (const bool ascending : {true, false}) {
      for (const auto& [low, high] : ranges) {
        CListCtrl fast;
        CListCtrl direct;
        Fill(fast, rows);
        Fill(direct, rows);
        for (CListCtrl* both : {&fast, &direct}) {
          for (int row = 0; row < 300; row += 7) both->SetItemState(row, static_cast<UINT>(0x1234 * row), 0xFFFF);
        }
        (sorter.*kind.sort)(fast, kind.column, ascending, low, high);
        kind.direct(direct, kind.column, ascending, low, high);
        EXPECT_EQ(Snapshot(fast, 5), Snapshot(direct, 5)) << kind.column << ascending << low;
      }
    }
  }
}

// Independently of the swaps, the keys end in order: the keys of the sorted
// column equal the same keys put in order by the standard sort.
TEST_F(ListSortTest, LeavesTheKeysInTheOrderOfTheStandardSort) {
  const std::vector<Texts> rows = RandomRows(500);
  Fill(list, rows);
  const auto ordered = [&](int column, auto value) {
    Texts cells = Column(list, column);
    std::vector<decltype(value(L""))> expected;
    for (const std::wstring& cell : cells) expected.push_back(value(cell.c_str()));
    std::sort(expected.begin(), expected.end());
    std::vector<decltype(value(L""))> shown;
    for (const std::wstring& cell : Column(list, column)) shown.push_back(value(cell.c_str()));
    return std::make_pair(shown, expected);
  };
  sorter.SortListCtrl(list, 1, true, 0, -1);
  const auto [texts, expectedTexts] = ordered(1, [](const wchar_t* text) { return TextKey(text).Value(); });
  EXPECT_EQ(texts, expectedTexts);
  sorter.SortListCtrlByInteger(list, 2, true, 0, -1);
  const auto [integers, expectedIntegers] = ordered(2, [](const wchar_t* text) { return IntegerKey(text).Value(); });
  EXPECT_EQ(integers, expectedIntegers);
  sorter.SortListCtrlByDouble(list, 3, true, 0, -1);
  const auto [doubles, expectedDoubles] = ordered(3, [](const wchar_t* text) { return DoubleKey(text).Value(); });
  EXPECT_EQ(doubles, expectedDoubles);
}

TEST(CompareIntFuncTest, ComparesTheFirstTwoValuesOnly) {
  EXPECT_EQ(CListCtrlSorter::CompareIntFunc(5, 3, 0), 1);
  EXPECT_EQ(CListCtrlSorter::CompareIntFunc(3, 5, 0), -1);
  EXPECT_EQ(CListCtrlSorter::CompareIntFunc(4, 4, 0), 0);
  EXPECT_EQ(CListCtrlSorter::CompareIntFunc(5, 3, -99), 1);
  EXPECT_EQ(CListCtrlSorter::CompareIntFunc(-2147483647 - 1, 2147483647, 7), -1);
}

}  // namespace
