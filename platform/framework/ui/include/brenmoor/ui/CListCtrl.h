#pragma once
// List controls in report view: columns with a heading and a width, kept by
// the header control, which is the list's child window with id 0 and holds
// the order in which the columns are shown; items with a text per column,
// an image, item data and state bits.

#include <span>
#include <string>

#include "brenmoor/ui/CWnd.h"

class CHeaderCtrl : public CWnd {
  DECLARE_DYNAMIC(CHeaderCtrl)

 public:
  int GetItemCount() const { return static_cast<int>(SendMessage(HDM_GETITEMCOUNT)); }
};

// A list's cell texts read in place by readers of many cells (the sorter,
// the export), valid until the list next changes.
class CListCells {
 public:
  explicit CListCells(const LVCELLS& cells) : cells_(cells) {}
  // The whole text, followed by a terminator; empty for a cell never set.
  const std::wstring& GetItemText(int item, int subItem) const { return cells_.text(cells_.list, item, subItem); }

 private:
  LVCELLS cells_;
};

class CListCtrl : public CWnd {
  DECLARE_DYNAMIC(CListCtrl)

 public:
  int InsertColumn(int column, const wchar_t* heading, int format = LVCFMT_LEFT, int width = -1,
                   int subItem = -1);
  BOOL DeleteColumn(int column);
  BOOL GetColumn(int column, LVCOLUMN* description) const;
  BOOL SetColumn(int column, const LVCOLUMN* description);
  int GetColumnWidth(int column) const;
  BOOL SetColumnWidth(int column, int width);
  CHeaderCtrl* GetHeaderCtrl() const;
  BOOL GetColumnOrderArray(int* order, int count) const;
  BOOL SetColumnOrderArray(int count, const int* order);

  int GetItemCount() const;
  int InsertItem(int item, const wchar_t* text);
  int InsertItem(const LVITEM* item);
  BOOL GetItem(LVITEM* item) const;
  BOOL SetItem(const LVITEM* item);
  CString GetItemText(int item, int subItem) const;
  // Copies at most length - 1 characters and the terminator; the number copied.
  int GetItemText(int item, int subItem, wchar_t* buffer, int length) const;
  BOOL SetItemText(int item, int subItem, const wchar_t* text);
  DWORD_PTR GetItemData(int item) const;
  BOOL SetItemData(int item, DWORD_PTR data);
  UINT GetItemState(int item, UINT mask) const;
  BOOL SetItemState(int item, UINT state, UINT mask);
  BOOL DeleteItem(int item);
  BOOL DeleteAllItems();
  // Orders the items by their item data with the caller's comparison.
  BOOL SortItems(PFNLVCOMPARE compare, DWORD_PTR data);
  // Rows first onward take, in one step, what the rows origins names hold,
  // as a sort moves rows: the texts of the header's columns, image, item data
  // and the state bits of focus, selection, cut, drop highlight, overlay and
  // state image. Other bits and texts beyond the header stay in place. False,
  // and nothing moved, unless origins names each row of the range once.
  BOOL PermuteItems(int first, std::span<const int> origins);
  CListCells GetCells() const;
};
