#include "CListCtrlSorter.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "brenmoor/app/CWinApp.h"
#include "SortKeys.h"

namespace {

// What moves with a row besides its texts: image, item data and the state
// bits of focus, selection, cut, drop highlight, overlay and state image.
constexpr UINT kMovedAttributes = LVIF_IMAGE | LVIF_PARAM | LVIF_STATE;
constexpr UINT kMovedStates = LVIS_FOCUSED | LVIS_SELECTED | LVIS_CUT | LVIS_DROPHILITED | LVIS_OVERLAYMASK |
                              LVIS_STATEIMAGEMASK;

// A cell's text read into a buffer kept from row to row, grown until the text fits.
class CellText {
 public:
  void Read(const CListCtrl& list, int row, int column) {
    for (;;) {
      const int length = static_cast<int>(buffer_.size());
      if (list.GetItemText(row, column, buffer_.data(), length) < length - 1) return;
      buffer_.resize(buffer_.size() * 2);
    }
  }
  const wchar_t* Text() const { return buffer_.data(); }

 private:
  std::vector<wchar_t> buffer_ = std::vector<wchar_t>(256);
};

// A row's texts and attributes on their way to another row. The text of the
// sorted column is not kept here: the sort holds it already.
struct RowContents {
  std::vector<CellText> texts;  // one per column of the header
  LVITEM attributes;

  void Read(const CListCtrl& list, int row, int sortedColumn) {
    for (std::size_t column = 0; column < texts.size(); ++column) {
      if (static_cast<int>(column) != sortedColumn) texts[column].Read(list, row, static_cast<int>(column));
    }
    attributes.mask = kMovedAttributes;
    attributes.stateMask = kMovedStates;
    attributes.iItem = row;
    list.GetItem(&attributes);
  }

  void Write(CListCtrl& list, int row, int sortedColumn, const CString& sortedText) {
    for (std::size_t column = 0; column < texts.size(); ++column) {
      const auto at = static_cast<int>(column);
      list.SetItemText(row, at, at == sortedColumn ? static_cast<const wchar_t*>(sortedText) : texts[column].Text());
    }
    attributes.iItem = row;
    list.SetItem(&attributes);
  }
};

// One sort of rows first to last by one column. Each row's key is built
// once and travels with the row through the same comparisons and swaps that
// rereading the cells would make; the rows are moved in the control once,
// at the end, each to the place the swaps took it.
template <typename Key>
class RowSort {
 public:
  RowSort(CListCtrl& list, int column, bool ascending, int first, int last)
      : list_(list), column_(column), ascending_(ascending), first_(first) {
    rows_.reserve(static_cast<std::size_t>(last - first + 1));
    for (int row = first; row <= last; ++row) {
      CString text = list.GetItemText(row, column);
      Key key(text);
      rows_.push_back({std::move(key), std::move(text), row});
    }
  }

  void Run() {
    Sort(first_, first_ + static_cast<int>(rows_.size()) - 1);
    MoveRows();
  }

 private:
  struct Row {
    Key key;
    CString text;
    int origin;  // the row it was before the sort
  };

  Row& At(int row) { return rows_[static_cast<std::size_t>(row - first_)]; }
  bool Before(const Key& a, const Key& b) const { return ascending_ ? a < b : b < a; }

  // Partitions around the middle row's key; rows whose texts are identical
  // are never swapped. The smaller side is sorted by a nested call and the
  // larger one in this call: the sides do not overlap, so the order they
  // are sorted in does not change the result, and the nesting stays shallow.
  void Sort(int low, int high) {
    const CWaitCursor wait;
    while (low < high) {
      int lo = low;
      int hi = high;
      const Key pivot = At((lo + hi) / 2).key;
      while (lo <= hi) {
        while (lo < high && Before(At(lo).key, pivot)) ++lo;
        while (hi > low && Before(pivot, At(hi).key)) --hi;
        if (lo <= hi) {
          if (At(lo).text != At(hi).text) std::swap(At(lo), At(hi));
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

  // Each row goes to its place once, following the cycles of the permutation.
  void MoveRows() {
    const auto columns = static_cast<std::size_t>(list_.GetHeaderCtrl()->GetItemCount());
    RowContents displaced{std::vector<CellText>(columns)};
    RowContents moving{std::vector<CellText>(columns)};
    std::vector<bool> placed(rows_.size(), false);
    for (int start = first_; start < first_ + static_cast<int>(rows_.size()); ++start) {
      if (placed[Index(start)] || At(start).origin == start) continue;
      displaced.Read(list_, start, column_);
      int to = start;
      for (;;) {
        placed[Index(to)] = true;
        const int from = At(to).origin;
        if (from == start) {
          displaced.Write(list_, to, column_, At(to).text);
          break;
        }
        moving.Read(list_, from, column_);
        moving.Write(list_, to, column_, At(to).text);
        to = from;
      }
    }
  }

  std::size_t Index(int row) const { return static_cast<std::size_t>(row - first_); }

  CListCtrl& list_;
  int column_;
  bool ascending_;
  int first_;
  std::vector<Row> rows_;
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
  RowSort<Key>(list, column, ascending, low, high).Run();
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
