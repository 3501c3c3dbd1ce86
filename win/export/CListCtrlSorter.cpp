#include "brenmoor/win/CListCtrlSorter.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "brenmoor/app/CWinApp.h"
#include "brenmoor/win/SortKeys.h"

namespace {

// Rows ahead whose text is fetched while this row's key is built.
constexpr int kReadAhead = 8;

// One sort of rows first to last by one column. Each row's key is built once
// from the cells read in place and travels with the row's origin through the
// same comparisons and swaps that rereading the cells would make; the
// control then moves every row to its place in one step.
template <typename Key>
class RowSort {
 public:
  RowSort(const CListCells& cells, int column, bool ascending, int first, int last)
      : cells_(cells), column_(column), ascending_(ascending), first_(first) {
    const auto count = static_cast<std::size_t>(last - first + 1);
    keys_.reserve(count);
    origins_.reserve(count);
    for (int row = first; row <= last; ++row) {
      // The texts lie scattered in memory: the one a few rows on is fetched meanwhile.
      if (row + kReadAhead <= last) __builtin_prefetch(cells.GetItemText(row + kReadAhead, column).data());
      const std::wstring& text = cells.GetItemText(row, column);
      keys_.emplace_back(text.c_str(), text.size());
      origins_.push_back(row);
    }
  }

  // Row first + i is to take what row origins[i] holds.
  const std::vector<int>& Origins() {
    Sort(first_, first_ + static_cast<int>(keys_.size()) - 1);
    return origins_;
  }

 private:
  std::size_t Index(int row) const { return static_cast<std::size_t>(row - first_); }
  const Key& KeyAt(int row) const { return keys_[Index(row)]; }
  bool Before(const Key& a, const Key& b) const { return ascending_ ? a < b : b < a; }

  // Keys that differ come from texts that differ, so only equal keys of two
  // rows need the texts.
  bool TextsDiffer(int a, int b) const {
    if (a == b) return false;
    if (KeyAt(a) < KeyAt(b) || KeyAt(b) < KeyAt(a)) return true;
    return cells_.GetItemText(origins_[Index(a)], column_) != cells_.GetItemText(origins_[Index(b)], column_);
  }

  void Swap(int a, int b) {
    std::swap(keys_[Index(a)], keys_[Index(b)]);
    std::swap(origins_[Index(a)], origins_[Index(b)]);
  }

  // Partitions around the middle row's key; rows whose texts are identical
  // are never swapped. The smaller side is sorted by a nested call and the
  // larger one in this call: the sides do not overlap, so the order they
  // are sorted in does not change the result, and the nesting stays shallow.
  void Sort(int low, int high) {
    const CWaitCursor wait;
    while (low < high) {
      int lo = low;
      int hi = high;
      const Key pivot = KeyAt((lo + hi) / 2);
      while (lo <= hi) {
        while (lo < high && Before(KeyAt(lo), pivot)) ++lo;
        while (hi > low && Before(pivot, KeyAt(hi))) --hi;
        if (lo <= hi) {
          if (TextsDiffer(lo, hi)) Swap(lo, hi);
          ++lo;
          --hi;
        }
      }
      const bool leftSmaller = hi - low < high - lo;
      if (leftSmaller) {
        if (low < hi) Sort(low, hi);
        low = lo;
      } else {
        if (lo < high) Sort(lo, high);
        high = hi;
      }
    }
  }

  CListCells cells_;
  int column_;
  bool ascending_;
  int first_;
  std::vector<Key> keys_;
  std::vector<int> origins_;
};

template <typename Key>
void SortRows(CListCtrl& list, int column, bool ascending, int low, int high) {
  const CWaitCursor wait;
  const CHeaderCtrl* header = list.GetHeaderCtrl();
  if (header == nullptr || column < 0 || column >= header->GetItemCount()) return;
  const int last = list.GetItemCount() - 1;
  if (high == -1 || high > last) high = last;
  low = std::max(low, 0);
  if (high <= low) return;
  RowSort<Key> sort(list.GetCells(), column, ascending, low, high);
  list.PermuteItems(low, sort.Origins());
}

}  // namespace

void CListCtrlSorter::SetSortOrder(int column) {
  if (column == SortColumn) {
    Ascending = !Ascending;
  } else {
    SortColumn = column;
    Ascending = true;
  }
}

bool CListCtrlSorter::SortListCtrl(CListCtrl& list, int column) {
  SetSortOrder(column);
  return SortListCtrl(list, column, Ascending, 0, -1);
}

bool CListCtrlSorter::SortListCtrlByDateTime(CListCtrl& list, int column) {
  SetSortOrder(column);
  return SortListCtrlByDateTime(list, column, Ascending, 0, -1);
}

bool CListCtrlSorter::SortListCtrlByInteger(CListCtrl& list, int column) {
  SetSortOrder(column);
  return SortListCtrlByInteger(list, column, Ascending, 0, -1);
}

bool CListCtrlSorter::SortListCtrlByDouble(CListCtrl& list, int column) {
  SetSortOrder(column);
  return SortListCtrlByDouble(list, column, Ascending, 0, -1);
}

bool CListCtrlSorter::SortListCtrl(CListCtrl& list, int column, bool ascending, int low, int high) {
  SortRows<TextKey>(list, column, ascending, low, high);
  return true;
}

bool CListCtrlSorter::SortListCtrlByDateTime(CListCtrl& list, int column, bool ascending, int low, int high) {
  SortRows<DateTimeKey>(list, column, ascending, low, high);
  return true;
}

bool CListCtrlSorter::SortListCtrlByInteger(CListCtrl& list, int column, bool ascending, int low, int high) {
  SortRows<IntegerKey>(list, column, ascending, low, high);
  return true;
}

bool CListCtrlSorter::SortListCtrlByDouble(CListCtrl& list, int column, bool ascending, int low, int high) {
  SortRows<DoubleKey>(list, column, ascending, low, high);
  return true;
}

int CListCtrlSorter::CompareIntFunc(LPARAM a, LPARAM b, LPARAM) {
  if (a > b) return 1;
  if (a < b) return -1;
  return 0;
}
