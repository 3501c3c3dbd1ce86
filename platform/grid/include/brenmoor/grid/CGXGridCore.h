#pragma once
// The grid: a table of cells with row 0 as the heading row and column 0 as
// the header column, per-cell values and styles, column widths (set, or
// fitted to the contents), hidden columns, and paged printing onto a device
// context: as many rows as fit a page below the heading row, which every
// page repeats; columns that do not fit go on to further pages, all pages
// of one band of columns before the next band.

#include <memory>
#include <unordered_map>
#include <vector>

#include "brenmoor/grid/CGXStyle.h"
#include "brenmoor/gdi/GdiObjects.h"
#include "brenmoor/core/Geometry.h"

class CDC;
class CPrintInfo;

// Print settings: margins around the printed grid, in points.
class CGXProperties {
 public:
  void SetMargins(int top, int left, int bottom, int right);
  void GetMargins(int& top, int& left, int& bottom, int& right) const;

 private:
  int top_ = 72;
  int left_ = 72;
  int bottom_ = 72;
  int right_ = 72;
};

// The settings the grid works with. While undo is enabled every value change
// is recorded so that it can be taken back; filling a grid switches it off.
class CGXGridParam {
 public:
  void EnableUndo(BOOL enable) { undo_ = enable != 0; }
  BOOL IsEnableUndo() const { return undo_; }
  CGXProperties* GetProperties() { return &properties_; }

 private:
  bool undo_ = true;
  CGXProperties properties_;
};

// Scroll bars the grid asks its window to show or hide.
constexpr UINT SB_HORZ = 0;
constexpr UINT SB_VERT = 1;

class CGXGridCore {
 public:
  CGXGridCore();
  virtual ~CGXGridCore();
  CGXGridCore(const CGXGridCore&) = delete;
  CGXGridCore& operator=(const CGXGridCore&) = delete;

  CGXGridParam* GetParam() { return &param_; }

  // Counts leave out the heading row and the header column.
  BOOL SetRowCount(ROWCOL rows, UINT flags = GX_UPDATENOW);
  BOOL SetColCount(ROWCOL cols, UINT flags = GX_UPDATENOW);
  ROWCOL GetRowCount() const { return rows_; }
  ROWCOL GetColCount() const { return cols_; }

  // False when the range reaches beyond the grid.
  BOOL SetValueRange(const CGXRange& range, const CString& value, GXModifyType modify = gxOverride, int type = 0,
                     UINT flags = GX_UPDATENOW);
  CString GetValueRowCol(ROWCOL row, ROWCOL col) const;
  // Merges the style into every cell of the range.
  BOOL SetStyleRange(const CGXRange& range, const CGXStyle& style, GXModifyType modify = gxOverride, int type = 0,
                     UINT flags = GX_UPDATENOW);
  // The cell's style with its value.
  CGXStyle GetStyleRowCol(ROWCOL row, ROWCOL col) const;
  // Takes back the last value change made while undo was enabled; false when none is left.
  BOOL Undo();
  int GetUndoCount() const { return static_cast<int>(undo_.size()); }

  BOOL HideCols(ROWCOL from, ROWCOL to, BOOL hide = true, void* reserved = nullptr, UINT flags = GX_UPDATENOW);
  BOOL IsColHidden(ROWCOL col) const;
  BOOL SetColWidth(ROWCOL from, ROWCOL to, int width, int* reserved = nullptr, UINT flags = GX_UPDATENOW);
  // 0 for a hidden column.
  int GetColWidth(ROWCOL col) const;
  // Each column of the range as wide as its widest text in the range; a
  // column only grows unless shrinking is allowed.
  BOOL ResizeColWidthsToFit(const CGXRange& range, BOOL canShrink = true, UINT flags = GX_UPDATENOW);
  int GetRowHeight() const;

  // How the last change was to reach the screen, and how many changes redrew at once.
  UINT GetLastUpdateFlags() const { return lastFlags_; }
  int GetRedrawCount() const { return redraws_; }

  void OnGridInitialUpdate();
  void OnGridDraw(CDC* dc);
  // Lays the pages out for the printable area and tells the print how many there are.
  void OnGridBeginPrinting(CDC* dc, CPrintInfo* info);
  void OnGridPrepareDC(CDC* dc, CPrintInfo* info);
  void OnGridPrint(CDC* dc, CPrintInfo* info);
  void OnGridEndPrinting(CDC* dc, CPrintInfo* info);

 protected:
  // The window that shows the grid answers these.
  virtual void ShowScrollBar(UINT bar, BOOL show = true) = 0;
  virtual CRect GetGridClientRect() const = 0;

 private:
  struct Pages;
  class TextWidths;

  bool Contains(const CGXRange& range) const;
  // Counts a redraw when the flags ask for one; a change of layout also
  // updates the scroll bars.
  void Changed(UINT flags, bool layout = false);
  void SetWidth(ROWCOL col, int width);
  void UpdateScrollbars();
  CString& Cell(ROWCOL row, ROWCOL col) { return columns_[col][row]; }
  const CString& Cell(ROWCOL row, ROWCOL col) const { return columns_[col][row]; }
  void Resize(ROWCOL rows, ROWCOL cols);
  // Draws rows first..last (row 0 before them) of the columns from the
  // corner, cut off at the right edge.
  void DrawBlock(CDC& dc, ROWCOL firstRow, ROWCOL lastRow, const std::vector<ROWCOL>& columns, CPoint corner,
                 int right);
  std::vector<ROWCOL> VisibleColumns() const;

  CGXGridParam param_;
  ROWCOL rows_ = 0;
  ROWCOL cols_ = 0;
  // One vector of rows + 1 values per column, so that adding a column costs one column.
  std::vector<std::vector<CString>> columns_;
  std::vector<int> widths_;      // cols + 1
  std::vector<bool> hidden_;     // cols + 1
  std::unordered_map<std::uint64_t, CGXStyle> styles_;
  struct UndoEntry {
    ROWCOL row;
    ROWCOL col;
    CString value;
  };
  std::vector<UndoEntry> undo_;
  long long visibleWidth_ = 0;  // of the columns not hidden
  mutable int rowHeight_ = 0;
  UINT lastFlags_ = 0;
  int redraws_ = 0;
  CFont cellFont_;
  CFont headingFont_;
  std::unique_ptr<TextWidths> cellWidths_;
  std::unique_ptr<TextWidths> headingWidths_;
  std::unique_ptr<Pages> pages_;
};
