#include "brenmoor/grid/CGXGridCore.h"

#include <algorithm>
#include <cwchar>

#include "brenmoor/gdi/CDC.h"
#include "brenmoor/docview/CPrintInfo.h"

namespace {

constexpr int kDefaultColWidth = 64;
// Space between a cell's text and its lines.
constexpr int kCellPadding = 3;
constexpr COLORREF kLineColour = RGB(128, 128, 128);
constexpr COLORREF kHeadingColour = RGB(224, 224, 224);

LOGFONT GridFont(LONG weight) {
  LOGFONT font;
  font.lfHeight = -11;
  font.lfWeight = weight;
  std::wcscpy(font.lfFaceName, L"MS Sans Serif");
  return font;
}

std::uint64_t Key(ROWCOL row, ROWCOL col) { return (static_cast<std::uint64_t>(row) << 32) | col; }

}  // namespace

void CGXProperties::SetMargins(int top, int left, int bottom, int right) {
  top_ = top;
  left_ = left;
  bottom_ = bottom;
  right_ = right;
}

void CGXProperties::GetMargins(int& top, int& left, int& bottom, int& right) const {
  top = top_;
  left = left_;
  bottom = bottom_;
  right = right_;
}

// Text widths in one font, from each character's advance measured once, so
// that measuring costs one look-up a character however much text there is.
// Screens, printers and previews measure alike here (one unit a pixel or a
// point), so what was measured on one context holds for the others.
class CGXGridCore::TextWidths {
 public:
  explicit TextWidths(CFont& font) : font_(font), advances_(0x10000, -1) {}
  int Height(CDC& dc) {
    if (height_ < 0) height_ = Measure(dc, L"Xg").cy;
    return height_;
  }
  int Of(CDC& dc, const std::wstring& text) {
    int width = 0;
    for (wchar_t unit : text) width += Advance(dc, unit);
    return width;
  }
  // The longest beginning of the text that fits the width.
  std::size_t Fitting(CDC& dc, const std::wstring& text, int width) {
    int used = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
      used += Advance(dc, text[i]);
      if (used > width) return i;
    }
    return text.size();
  }

 private:
  int Advance(CDC& dc, wchar_t unit) {
    int& advance = advances_[static_cast<std::size_t>(unit) & 0xFFFF];
    if (advance < 0) advance = Measure(dc, CString(unit)).cx;
    return advance;
  }
  CSize Measure(CDC& dc, const CString& text) {
    CFont* previous = dc.SelectObject(&font_);
    const CSize size = dc.GetTextExtent(text);
    dc.SelectObject(previous);
    return size;
  }

  CFont& font_;
  std::vector<int> advances_;
  int height_ = -1;
};

// The print's pages: bands of rows below the heading row, times bands of columns.
struct CGXGridCore::Pages {
  std::vector<ROWCOL> rowBandStarts;               // first data row of each band
  ROWCOL rowsPerPage = 1;
  std::vector<std::vector<ROWCOL>> columnBands;    // the columns of each band
  CPoint corner;                                   // where the grid starts on the page
  int right = 0;                                   // where it must end
  UINT Count() const { return static_cast<UINT>(rowBandStarts.size() * columnBands.size()); }
};

CGXGridCore::CGXGridCore() {
  const LOGFONT cell = GridFont(FW_NORMAL);
  const LOGFONT heading = GridFont(FW_BOLD);
  cellFont_.CreateFontIndirect(&cell);
  headingFont_.CreateFontIndirect(&heading);
  cellWidths_ = std::make_unique<TextWidths>(cellFont_);
  headingWidths_ = std::make_unique<TextWidths>(headingFont_);
  Resize(0, 0);
}

CGXGridCore::~CGXGridCore() = default;

void CGXGridCore::Resize(ROWCOL rows, ROWCOL cols) {
  const std::size_t before = columns_.size();
  const std::size_t after = static_cast<std::size_t>(cols) + 1;
  for (std::size_t col = after; col < before; ++col) {
    if (!hidden_[col]) visibleWidth_ -= widths_[col];
  }
  if (after > before) visibleWidth_ += static_cast<long long>(after - before) * kDefaultColWidth;
  columns_.resize(after);
  // Only new columns need their rows unless the number of rows changed.
  const std::size_t first = rows == rows_ ? std::min(before, after) : 0;
  for (std::size_t col = first; col < after; ++col) columns_[col].resize(static_cast<std::size_t>(rows) + 1);
  widths_.resize(cols + 1, kDefaultColWidth);
  hidden_.resize(cols + 1, false);
  if (rows < rows_ || cols < cols_) {
    std::erase_if(styles_, [rows, cols](const auto& entry) {
      return (entry.first >> 32) > rows || (entry.first & 0xFFFFFFFF) > cols;
    });
    std::erase_if(undo_, [rows, cols](const UndoEntry& entry) { return entry.row > rows || entry.col > cols; });
  }
  rows_ = rows;
  cols_ = cols;
}

void CGXGridCore::Changed(UINT flags, bool layout) {
  lastFlags_ = flags;
  if ((flags & GX_UPDATENOW) == 0) return;
  ++redraws_;
  if (layout) UpdateScrollbars();
}

BOOL CGXGridCore::SetRowCount(ROWCOL rows, UINT flags) {
  Resize(rows, cols_);
  Changed(flags, true);
  return true;
}

BOOL CGXGridCore::SetColCount(ROWCOL cols, UINT flags) {
  Resize(rows_, cols);
  Changed(flags, true);
  return true;
}

bool CGXGridCore::Contains(const CGXRange& range) const {
  return range.top <= range.bottom && range.left <= range.right && range.bottom <= rows_ && range.right <= cols_;
}

BOOL CGXGridCore::SetValueRange(const CGXRange& range, const CString& value, GXModifyType, int, UINT flags) {
  if (!Contains(range)) return false;
  for (ROWCOL col = range.left; col <= range.right; ++col) {
    for (ROWCOL row = range.top; row <= range.bottom; ++row) {
      if (param_.IsEnableUndo()) undo_.push_back({row, col, Cell(row, col)});
      Cell(row, col) = value;
    }
  }
  Changed(flags);
  return true;
}

CString CGXGridCore::GetValueRowCol(ROWCOL row, ROWCOL col) const {
  return row <= rows_ && col <= cols_ ? Cell(row, col) : CString();
}

BOOL CGXGridCore::SetStyleRange(const CGXRange& range, const CGXStyle& style, GXModifyType, int, UINT flags) {
  if (!Contains(range)) return false;
  for (ROWCOL row = range.top; row <= range.bottom; ++row) {
    for (ROWCOL col = range.left; col <= range.right; ++col) {
      CGXStyle& cell = styles_[Key(row, col)];
      cell.ChangeStyle(style);
      if (style.GetIncludeValue()) {
        if (param_.IsEnableUndo()) undo_.push_back({row, col, Cell(row, col)});
        Cell(row, col) = style.GetValue();
      }
    }
  }
  Changed(flags);
  return true;
}

CGXStyle CGXGridCore::GetStyleRowCol(ROWCOL row, ROWCOL col) const {
  CGXStyle style;
  if (row > rows_ || col > cols_) return style;
  if (const auto found = styles_.find(Key(row, col)); found != styles_.end()) style = found->second;
  style.SetValue(Cell(row, col));
  return style;
}

BOOL CGXGridCore::Undo() {
  if (undo_.empty()) return false;
  const UndoEntry last = undo_.back();
  undo_.pop_back();
  Cell(last.row, last.col) = last.value;
  Changed(GX_UPDATENOW);
  return true;
}

BOOL CGXGridCore::HideCols(ROWCOL from, ROWCOL to, BOOL hide, void*, UINT flags) {
  if (from > to || to > cols_) return false;
  for (ROWCOL col = from; col <= to; ++col) {
    if (hidden_[col] != (hide != 0)) visibleWidth_ += hide ? -widths_[col] : widths_[col];
    hidden_[col] = hide != 0;
  }
  Changed(flags, true);
  return true;
}

BOOL CGXGridCore::IsColHidden(ROWCOL col) const { return col <= cols_ && hidden_[col]; }

BOOL CGXGridCore::SetColWidth(ROWCOL from, ROWCOL to, int width, int*, UINT flags) {
  if (from > to || to > cols_) return false;
  for (ROWCOL col = from; col <= to; ++col) SetWidth(col, std::max(width, 0));
  Changed(flags, true);
  return true;
}

void CGXGridCore::SetWidth(ROWCOL col, int width) {
  if (!hidden_[col]) visibleWidth_ += width - widths_[col];
  widths_[col] = width;
}

int CGXGridCore::GetColWidth(ROWCOL col) const { return col <= cols_ && !hidden_[col] ? widths_[col] : 0; }

int CGXGridCore::GetRowHeight() const {
  if (rowHeight_ == 0) {
    CScreenDC screen;
    rowHeight_ = headingWidths_->Height(screen) + 2 * kCellPadding;
  }
  return rowHeight_;
}

BOOL CGXGridCore::ResizeColWidthsToFit(const CGXRange& range, BOOL canShrink, UINT flags) {
  if (!Contains(range)) return false;
  CScreenDC screen;
  for (ROWCOL col = range.left; col <= range.right; ++col) {
    int widest = 0;
    for (ROWCOL row = range.top; row <= range.bottom; ++row) {
      widest = std::max(widest, (row == 0 ? *headingWidths_ : *cellWidths_).Of(screen, Cell(row, col).Str()));
    }
    const int fitted = widest + 2 * kCellPadding + 1;
    SetWidth(col, canShrink ? fitted : std::max(widths_[col], fitted));
  }
  Changed(flags, true);
  return true;
}

std::vector<ROWCOL> CGXGridCore::VisibleColumns() const {
  std::vector<ROWCOL> visible;
  for (ROWCOL col = 0; col <= cols_; ++col) {
    if (!hidden_[col]) visible.push_back(col);
  }
  return visible;
}

void CGXGridCore::UpdateScrollbars() {
  const CRect client = GetGridClientRect();
  const long long width = visibleWidth_;
  const long long height = static_cast<long long>(rows_ + 1) * GetRowHeight();
  ShowScrollBar(SB_HORZ, width > client.Width());
  ShowScrollBar(SB_VERT, height > client.Height());
}

void CGXGridCore::OnGridInitialUpdate() { UpdateScrollbars(); }

void CGXGridCore::OnGridDraw(CDC* dc) {
  const CRect client = GetGridClientRect();
  const int rowHeight = GetRowHeight();
  const auto shown = static_cast<ROWCOL>(std::max(0, client.Height() / std::max(rowHeight, 1)));
  DrawBlock(*dc, 1, std::min(rows_, shown), VisibleColumns(), {0, 0}, client.right);
}

void CGXGridCore::OnGridBeginPrinting(CDC* dc, CPrintInfo* info) {
  int top = 0;
  int left = 0;
  int bottom = 0;
  int right = 0;
  param_.GetProperties()->GetMargins(top, left, bottom, right);
  const CRect area{info->m_rectDraw.left + left, info->m_rectDraw.top + top, info->m_rectDraw.right - right,
                   info->m_rectDraw.bottom - bottom};
  const int rowHeight = headingWidths_->Height(*dc) + 2 * kCellPadding;

  pages_ = std::make_unique<Pages>();
  pages_->corner = {area.left, area.top};
  pages_->right = area.right;
  pages_->rowsPerPage = static_cast<ROWCOL>(std::max(1, area.Height() / rowHeight - 1));
  for (ROWCOL first = 1; first <= rows_; first += pages_->rowsPerPage) pages_->rowBandStarts.push_back(first);
  if (pages_->rowBandStarts.empty()) pages_->rowBandStarts.push_back(1);  // the heading row alone

  // The header column, when shown, starts every band; the other columns fill bands in turn.
  std::vector<ROWCOL> header;
  long long headerWidth = 0;
  if (!hidden_[0]) {
    header.push_back(0);
    headerWidth = widths_[0];
  }
  std::vector<ROWCOL> band = header;
  long long used = headerWidth;
  for (ROWCOL col = 1; col <= cols_; ++col) {
    if (hidden_[col]) continue;
    if (band.size() > header.size() && used + widths_[col] > area.Width()) {
      pages_->columnBands.push_back(std::move(band));
      band = header;
      used = headerWidth;
    }
    band.push_back(col);
    used += widths_[col];
  }
  if (band.size() > header.size() || pages_->columnBands.empty()) pages_->columnBands.push_back(std::move(band));
  info->SetMaxPage(pages_->Count());
}

void CGXGridCore::OnGridPrepareDC(CDC*, CPrintInfo* info) {
  if (info != nullptr) info->m_bContinuePrinting = pages_ != nullptr && info->m_nCurPage <= pages_->Count();
}

void CGXGridCore::OnGridPrint(CDC* dc, CPrintInfo* info) {
  if (pages_ == nullptr || info->m_nCurPage < 1 || info->m_nCurPage > pages_->Count()) return;
  const std::size_t page = info->m_nCurPage - 1;
  const std::size_t rowBands = pages_->rowBandStarts.size();
  const ROWCOL first = pages_->rowBandStarts[page % rowBands];
  const ROWCOL last = std::min(rows_, first + pages_->rowsPerPage - 1);
  DrawBlock(*dc, first, last, pages_->columnBands[page / rowBands], pages_->corner, pages_->right);
}

void CGXGridCore::OnGridEndPrinting(CDC*, CPrintInfo*) { pages_.reset(); }

void CGXGridCore::DrawBlock(CDC& dc, ROWCOL firstRow, ROWCOL lastRow, const std::vector<ROWCOL>& columns,
                            CPoint corner, int right) {
  const int rowHeight = headingWidths_->Height(dc) + 2 * kCellPadding;
  // Column edges; a column too wide for the space ends where the space does.
  std::vector<int> lefts{corner.x};
  for (ROWCOL col : columns) {
    lefts.push_back(static_cast<int>(std::min<long long>(static_cast<long long>(lefts.back()) + widths_[col], right)));
  }
  const int rows = 1 + static_cast<int>(lastRow >= firstRow ? lastRow - firstRow + 1 : 0);
  const int bottom = corner.y + rows * rowHeight;

  dc.FillSolidRect({corner.x, corner.y, lefts.back(), corner.y + rowHeight}, kHeadingColour);
  CPen pen(PS_SOLID, 1, kLineColour);
  CPen* previousPen = dc.SelectObject(&pen);
  for (int line = 0; line <= rows; ++line) {
    const int y = corner.y + line * rowHeight;
    const CPoint across[] = {{corner.x, y}, {lefts.back() + 1, y}};
    dc.Polyline(across, 2);
  }
  for (int x : lefts) {
    const CPoint down[] = {{x, corner.y}, {x, bottom + 1}};
    dc.Polyline(down, 2);
  }
  dc.SelectObject(previousPen);

  const int previousMode = dc.SetBkMode(TRANSPARENT);
  CFont* previousFont = dc.SelectObject(&headingFont_);
  auto drawRow = [&](ROWCOL row, int y, TextWidths& widths) {
    for (std::size_t i = 0; i < columns.size(); ++i) {
      const std::wstring& text = Cell(row, columns[i]).Str();
      if (text.empty()) continue;
      const int room = lefts[i + 1] - lefts[i] - 2 * kCellPadding;
      const std::size_t fitting = room > 0 ? widths.Fitting(dc, text, room) : 0;
      if (fitting > 0) {
        dc.TextOut(lefts[i] + kCellPadding, y + kCellPadding, text.data(), static_cast<int>(fitting));
      }
    }
  };
  drawRow(0, corner.y, *headingWidths_);
  dc.SelectObject(&cellFont_);
  int y = corner.y + rowHeight;
  for (ROWCOL row = firstRow; row <= lastRow; ++row, y += rowHeight) drawRow(row, y, *cellWidths_);
  dc.SelectObject(previousFont);
  dc.SetBkMode(previousMode);
}
