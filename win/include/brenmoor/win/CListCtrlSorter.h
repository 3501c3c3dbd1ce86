#pragma once
// Sorts the rows of a list control in report view by the text of one
// column, read as text, date and time, integer or floating-point number.
// The two-argument sorts remember the column, so that asking for the same
// column again reverses the direction, as a click on a column heading wants.
// Rows move whole: their column texts, image, item data and state.

#include "brenmoor/ui/CListCtrl.h"

class CListCtrlSorter {
 public:
  CListCtrlSorter() = default;
  CListCtrlSorter(const CListCtrlSorter&) = default;
  CListCtrlSorter& operator=(const CListCtrlSorter&) = default;
  virtual ~CListCtrlSorter() = default;

  // The same column as last time reverses the direction; another starts ascending.
  void SetSortOrder(int column);
  bool GetSortOrder() const { return Ascending; }

  // SetSortOrder(column), then the whole list in the direction that gives.
  bool SortListCtrl(CListCtrl& list, int column);
  bool SortListCtrlByDateTime(CListCtrl& list, int column);
  bool SortListCtrlByInteger(CListCtrl& list, int column);
  bool SortListCtrlByDouble(CListCtrl& list, int column);

  // Rows low to high inclusive (high -1: the last row); the remembered
  // column and direction stay as they are. A column the header does not
  // have, or fewer than two rows, leaves the list alone. Always true.
  bool SortListCtrl(CListCtrl& list, int column, bool ascending, int low, int high);
  bool SortListCtrlByDateTime(CListCtrl& list, int column, bool ascending, int low, int high);
  bool SortListCtrlByInteger(CListCtrl& list, int column, bool ascending, int low, int high);
  bool SortListCtrlByDouble(CListCtrl& list, int column, bool ascending, int low, int high);

  // For the list control's own sort of item data: 1, -1 or 0 as a is
  // greater than, less than or equal to b; the third value is not used.
  static int CompareIntFunc(LPARAM a, LPARAM b, LPARAM unused);

 private:
  int SortColumn = -1;
  bool Ascending = true;
};
