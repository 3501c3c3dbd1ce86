#include "brenmoor/win/ScreenBuffer.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <numeric>
#include <string>

#include "brenmoor/win/ScreenCharRenderer.h"

namespace {

constexpr int kNarrowColumns = 80;
constexpr int kTabWidth = 8;
// Bounds the storage a window size can ask for.
constexpr int kMaxWindowRows = 10000;
constexpr int kSpareRows = 4;
const CursorPos kNoSelection{-1, -1};
// Repaint without erasing the background first.
constexpr BOOL kKeepBackground = FALSE;

// Below lo gives lo, above hi gives hi.
int Clamp(long long value, long long lo, long long hi) {
  if (value < lo) return static_cast<int>(lo);
  if (value > hi) return static_cast<int>(hi);
  return static_cast<int>(value);
}

int Saturate(long long value) { return Clamp(value, INT_MIN, INT_MAX); }

}  // namespace

// ---------------------------------------------------------------------------
// Construction, storage and sizes

ScreenBuffer::ScreenBuffer(EmulatorLayout& layout) : layout_(layout) {
  SetWindowSize(NumRows(), NumColumns(), false);
  ResetToInitialState();
}

ScreenBuffer::~ScreenBuffer() = default;

void ScreenBuffer::SetWindowSize(int rows, int columns, bool spare) {
  rows = std::clamp(rows, 1, kMaxWindowRows);
  columns = std::max(columns, 1);
  if (rows > allocatedRows_) {
    const int newRows = spare ? rows + kSpareRows : rows;
    AllocateBuffer(newRows, allocatedRows_);
    allocatedRows_ = newRows;
  } else if (numRows_ < windowRows_ && rows < windowRows_ && cursor_.row == windowRows_ - 1) {
    ScrollForShrink(rows);
  }
  if (scrollBottom_ == VisibleRows() - 1) scrollBottom_ = std::max(rows, numRows_) - 1;
  windowRows_ = rows;
  windowColumns_ = columns;
  KeepRegionOnScreen();
  KeepCursorOnScreen();
}

// A region reaching below a smaller window would lead the cursor there; one
// left empty becomes the whole screen, as SetScrollingRegion makes it.
void ScreenBuffer::KeepRegionOnScreen() {
  scrollBottom_ = std::min(scrollBottom_, VisibleRows() - 1);
  if (scrollTop_ >= scrollBottom_) {
    scrollTop_ = 0;
    scrollBottom_ = VisibleRows() - 1;
  }
}

void ScreenBuffer::SetAutoWrapMode(bool on) {
  autoWrap_ = on;
  KeepCursorOnScreen();
}

// A smaller window must not leave the cursor where no cell is shown.
void ScreenBuffer::KeepCursorOnScreen() {
  cursor_.row = std::min(cursor_.row, VisibleRows() - 1);
  cursor_.col = std::min(cursor_.col, VisibleColumns());
}

// As many ScrollLine(Up) calls would, but a lent context gets the region
// drawn once: each step's redraw was painted over by the next, and a large
// shrink made them cost the square of its rows.
void ScreenBuffer::ScrollForShrink(int rows) {
  const int steps = std::min(windowRows_ - rows, cursor_.row);
  if (steps <= 0) return;
  cursor_.row -= steps;
  Unselect();
  ScrollUpMany(steps);
  const int redraws = dc_ != nullptr ? 1 : steps;
  for (int i = 0; i < redraws; ++i) RedrawScrollingRegion();
}

// The rows are copied in screen order, so the new row table starts in order.
void ScreenBuffer::AllocateBuffer(int newRows, int oldRows) {
  auto cells = std::make_unique<ScreenChar[]>(static_cast<std::size_t>(newRows) * kMaxColumns);
  int kept = 0;
  if (cells_) {
    kept = std::min(oldRows, newRows);
    for (int row = 0; row < kept; ++row) {
      std::copy_n(&At(row, 0), kMaxColumns, &cells[static_cast<std::size_t>(row) * kMaxColumns]);
    }
  }
  cells_ = std::move(cells);
  rowIndex_.resize(static_cast<std::size_t>(newRows));
  std::iota(rowIndex_.begin(), rowIndex_.end(), 0);
  BlankStorageRows(kept, newRows - 1);
}

void ScreenBuffer::BlankStorageRows(int first, int last) {
  for (int row = first; row <= last; ++row) {
    for (int col = 0; col < kMaxColumns; ++col) At(row, col).Set(L' ', 0, style_, selStyle_);
  }
}

inline int ScreenBuffer::VisibleRows() const { return std::max(numRows_, windowRows_); }

inline int ScreenBuffer::VisibleColumns() const {
  if (windowColumns_ < numColumns_ || !autoWrap_) return numColumns_;
  return std::min(windowColumns_, kMaxColumns);
}

inline bool ScreenBuffer::Visible(int row, int col) const {
  return row >= 0 && row < VisibleRows() && col >= 0 && col < VisibleColumns();
}

int ScreenBuffer::VisRows() const { return VisibleRows(); }

int ScreenBuffer::VisColumns() const { return VisibleColumns(); }

bool ScreenBuffer::IsValid(int row, int col) const { return Visible(row, col); }

bool ScreenBuffer::InStorage(int row, int col) const {
  return row >= 0 && row < allocatedRows_ && col >= 0 && col < kMaxColumns;
}

const ScreenChar* ScreenBuffer::Cell(int row, int col) const {
  return InStorage(row, col) ? &At(row, col) : nullptr;
}

void ScreenBuffer::Clear() {
  cursor_ = CursorPos(0, 0);
  activeSet_ = 0;
  style_ = layout_.GetStyle(video::kNormal);
  selStyle_ = layout_.GetStyle(video::kSelected);
  Unselect();
  scrollTop_ = 0;
  scrollBottom_ = VisibleRows() - 1;
  // Fresh cells: no selected flag may outlive the selection that set it.
  std::fill(cells_.get(), cells_.get() + static_cast<std::size_t>(allocatedRows_) * kMaxColumns,
            ScreenChar());
  BlankStorageRows(0, allocatedRows_ - 1);
  if (dc_ != nullptr) Refresh(dc_);
}

// ---------------------------------------------------------------------------
// Writing characters

inline void ScreenBuffer::Set(int row, int col, wchar_t ch) {
  if (!Visible(row, col)) return;
  At(row, col).Set(ch, designatedSets_[static_cast<std::size_t>(activeSet_) & 3], style_,
                   selStyle_);
  if (dc_ != nullptr) Draw(dc_, row, col);
}

// The cell's own styles: the attributes the host set stay in force for the
// characters that follow.
void ScreenBuffer::Set(int row, int col, wchar_t ch, int mode, int charSet) {
  if (!Visible(row, col)) return;
  At(row, col).Set(ch, charSet, layout_.GetStyle(mode),
                   layout_.GetStyle((mode & video::kSelectedKeyMask) | video::kSelected));
  if (dc_ != nullptr) Draw(dc_, row, col);
}

// Vacated blanks over a whole row. Every caller redraws the rows it changed
// afterwards, so the blanks are not drawn one by one here.
void ScreenBuffer::VacateRow(int row) {
  if (row < 0 || row >= VisibleRows()) return;
  FontStyle* const normal = layout_.GetStyle(video::kNormal);
  FontStyle* const selected = layout_.GetStyle(video::kSelected);
  ScreenChar* const cells = &At(row, 0);
  const int columns = VisibleColumns();
  for (int col = 0; col < columns; ++col) cells[col].Set(L' ', charset::kUsAscii, normal, selected);
}

inline void ScreenBuffer::Put(wchar_t ch) {
  if (Selecting()) Unselect();
  WrapCursor();
  if (insert_) InsertCharacter(1);
  Set(cursor_.row, cursor_.col, ch);
  ++cursor_.col;
}

void ScreenBuffer::PutChar(wchar_t ch) { Put(ch); }

void ScreenBuffer::PutChars(std::wstring_view text) {
  while (!text.empty()) {
    const std::size_t run = std::min(text.size(), RunInRow());
    if (run == 0) {
      Put(text.front());
      text.remove_prefix(1);
    } else {
      WriteInRow(text.substr(0, run));
      text.remove_prefix(run);
    }
  }
}

inline std::size_t ScreenBuffer::RunInRow() const {
  if (insert_ || Selecting() || !Visible(cursor_.row, cursor_.col)) return 0;
  return static_cast<std::size_t>(VisibleColumns() - cursor_.col);
}

void ScreenBuffer::WriteInRow(std::wstring_view text) {
  const int charSet = designatedSets_[static_cast<std::size_t>(activeSet_) & 3];
  ScreenChar* const cells = &At(cursor_.row, 0);
  FontStyle* const style = style_;
  FontStyle* const selStyle = selStyle_;
  const int first = cursor_.col;
  int col = first;
  for (const wchar_t ch : text) cells[col++].Set(ch, charSet, style, selStyle);
  cursor_.col = col;
  if (dc_ == nullptr) return;
  // Drawing reads only the cells, so each is drawn after the row is written.
  for (col = first; col < cursor_.col; ++col) Draw(dc_, cursor_.row, col);
}

void ScreenBuffer::FillInRow(int row, int first, int last, wchar_t ch) {
  if (first > last) return;
  const int charSet = designatedSets_[static_cast<std::size_t>(activeSet_) & 3];
  FontStyle* const style = style_;
  FontStyle* const selStyle = selStyle_;
  ScreenChar* const cells = &At(row, 0);
  for (int col = first; col <= last; ++col) cells[col].Set(ch, charSet, style, selStyle);
  if (dc_ == nullptr) return;
  for (int col = first; col <= last; ++col) Draw(dc_, row, col);
}

void ScreenBuffer::AutoWrapCursor() { WrapCursor(); }

inline void ScreenBuffer::WrapCursor() {
  const int columns = VisibleColumns();
  if (!autoWrap_) {
    if (cursor_.col >= columns) cursor_.col = columns - 1;
    return;
  }
  while (cursor_.col >= columns) {
    cursor_.col -= columns;
    Index();
  }
}

// ---------------------------------------------------------------------------
// The cursor

void ScreenBuffer::SetRow(long long value, int min, int max) { cursor_.row = Clamp(value, min, max); }

void ScreenBuffer::SetCol(long long value, int min, int max) { cursor_.col = Clamp(value, min, max); }

// Negative counts move the other way; the outer bounds keep the cursor on the screen
// (or where it already is) without altering any result of a count >= 0.
void ScreenBuffer::CursorUp(int n) {
  const int limit = cursor_.row < scrollTop_ ? 0 : scrollTop_;
  SetRow(static_cast<long long>(cursor_.row) - n, limit, std::max(cursor_.row, VisibleRows() - 1));
}

void ScreenBuffer::CursorDown(int n) {
  const int limit = cursor_.row > scrollBottom_ ? NumRows() - 1 : scrollBottom_;
  SetRow(static_cast<long long>(cursor_.row) + n, std::min(0, limit), limit);
}

void ScreenBuffer::CursorForward(int n) {
  SetCol(static_cast<long long>(cursor_.col) + n, 0, NumColumns() - 1);
}

void ScreenBuffer::CursorBackward(int n) {
  SetCol(static_cast<long long>(cursor_.col) - n, 0, std::max(cursor_.col, VisibleColumns()));
}

void ScreenBuffer::CursorPosition(int row, int col) {
  SetCol(static_cast<long long>(col) - 1, 0, NumColumns() - 1);
  if (origin_) {
    SetRow(static_cast<long long>(row) - 1 + scrollTop_, 0, scrollBottom_);
  } else {
    SetRow(static_cast<long long>(row) - 1, 0, NumRows() - 1);
  }
}

void ScreenBuffer::CursorPositionRel(int dRow, int dCol) {
  CursorPosition(Saturate(static_cast<long long>(GetRow()) + dRow),
                 Saturate(static_cast<long long>(GetCol()) + dCol));
}

void ScreenBuffer::HorizontalPositionAbs(int col) {
  SetCol(static_cast<long long>(col) - 1, 0, NumColumns() - 1);
}

void ScreenBuffer::HorizontalPositionRel(int n) {
  SetCol(static_cast<long long>(cursor_.col) + n, 0, NumColumns() - 1);
}

void ScreenBuffer::VerticalPositionAbs(int row) {
  SetRow(static_cast<long long>(row) - 1, 0, NumRows() - 1);
}

void ScreenBuffer::VerticalPositionRel(int n) {
  SetRow(static_cast<long long>(cursor_.row) + n, 0, NumRows() - 1);
}

void ScreenBuffer::CursorNextLine(int n) {
  CursorDown(n);
  cursor_.col = 0;
}

void ScreenBuffer::CursorPreviousLine(int n) {
  CursorUp(n);
  cursor_.col = 0;
}

void ScreenBuffer::CarriageReturn() { cursor_.col = 0; }

void ScreenBuffer::CursorHomeDown() {
  cursor_.row = NumRows() - 1;
  cursor_.col = 0;
}

void ScreenBuffer::Index() {
  if (cursor_.row == scrollBottom_) {
    ScrollLine(Up);
  } else if (cursor_.row < VisibleRows() - 1) {
    // Below the last visible row (after the window shrank) the cursor stays too.
    ++cursor_.row;
  }
}

void ScreenBuffer::NextLine() {
  Index();
  cursor_.col = 0;
}

void ScreenBuffer::ReverseIndex() {
  if (cursor_.row == scrollTop_) {
    ScrollLine(Down);
  } else if (cursor_.row > 0) {
    --cursor_.row;
  }
}

void ScreenBuffer::SaveCursor() {
  savedCursor_.row = cursor_.row;
  savedCursor_.col = cursor_.col;
  savedCursor_.videoMode = videoMode_;
  savedCursor_.autoWrap = autoWrap_;
  savedCursor_.origin = origin_;
  savedCursor_.activeSet = activeSet_;
  savedCursor_.designatedSets = designatedSets_;
}

void ScreenBuffer::RestoreCursor() {
  cursor_ = CursorPos(savedCursor_.row, savedCursor_.col);
  videoMode_ = savedCursor_.videoMode;
  autoWrap_ = savedCursor_.autoWrap;
  origin_ = savedCursor_.origin;
  activeSet_ = savedCursor_.activeSet;
  designatedSets_ = savedCursor_.designatedSets;
  UpdateVideoMode();
  KeepCursorOnScreen();
}

// ---------------------------------------------------------------------------
// Tabs

void ScreenBuffer::DefaultTabStops() {
  const int columns = VisibleColumns();
  for (int col = 0; col < columns; ++col) tabStops_[static_cast<std::size_t>(col)] = col % kTabWidth == 0;
}

void ScreenBuffer::HorizontalTabSet() {
  if (cursor_.col >= 0 && cursor_.col < kMaxColumns) {
    tabStops_[static_cast<std::size_t>(cursor_.col)] = true;
  }
}

void ScreenBuffer::TabulationClear(int param) {
  if (param == 0) {
    if (cursor_.col >= 0 && cursor_.col < kMaxColumns) {
      tabStops_[static_cast<std::size_t>(cursor_.col)] = false;
    }
  } else if (param == 3) {
    const int columns = VisibleColumns();
    for (int col = 0; col < columns; ++col) tabStops_[static_cast<std::size_t>(col)] = false;
  }
}

void ScreenBuffer::CursorHorizontalTab(int n) {
  AutoWrapCursor();
  // Every tab moves right, and with n >= 2 the last column stops the walk, so
  // the loop ends within a screen's width whatever n is.
  for (int i = 0; i < n; ++i) {
    if (n >= 2 && cursor_.col == VisibleColumns() - 1) break;
    TabToNextTabStop();
  }
}

void ScreenBuffer::TabToNextTabStop() {
  const int columns = VisibleColumns();
  ++cursor_.col;
  while (cursor_.col < columns && !tabStops_[static_cast<std::size_t>(cursor_.col)] &&
         cursor_.col != columns - 1) {
    ++cursor_.col;
  }
}

void ScreenBuffer::CursorBackwardTab(int n) {
  // Every tab moves left, so the walk ends within the cursor's column count.
  for (int i = 0; i < n && cursor_.col > 0; ++i) TabToPrevTabStop();
}

void ScreenBuffer::TabToPrevTabStop() {
  --cursor_.col;
  while (cursor_.col > 0 && !tabStops_[static_cast<std::size_t>(cursor_.col)]) --cursor_.col;
}

// ---------------------------------------------------------------------------
// Modes, character sets, video attributes, resets

void ScreenBuffer::SetColumnMode(bool on) {
  Clear();
  column_ = on;
  numColumns_ = on ? kMaxColumns : kNarrowColumns;
}

void ScreenBuffer::Designate(int g, int charSet) {
  if (g >= 0 && g < static_cast<int>(designatedSets_.size())) {
    designatedSets_[static_cast<std::size_t>(g)] = charSet;
  }
}

void ScreenBuffer::SetVideoBit(int bit, bool on) {
  videoMode_ = on ? (videoMode_ | bit) : (videoMode_ & ~bit);
  UpdateVideoMode();
}

void ScreenBuffer::ResetVideo() {
  videoMode_ = 0;
  UpdateVideoMode();
}

void ScreenBuffer::UpdateVideoMode() {
  style_ = layout_.GetStyle(videoMode_);
  selStyle_ = layout_.GetSelStyle(videoMode_);
}

void ScreenBuffer::SoftTerminalReset() {
  cursor_ = CursorPos(0, 0);
  savedCursor_ = SavedCursor();
  videoMode_ = 0;
  activeSet_ = 0;
  designatedSets_ = {};
  insert_ = false;
  newline_ = false;
  cursorKey_ = false;
  column_ = false;
  screen_ = false;
  origin_ = false;
  autoWrap_ = false;
  scrollTop_ = 0;
  scrollBottom_ = VisibleRows() - 1;
  DefaultTabStops();
  UpdateVideoMode();
  Clear();
}

void ScreenBuffer::ResetToInitialState() { SoftTerminalReset(); }

// ---------------------------------------------------------------------------
// Editing

void ScreenBuffer::ShiftCellsRight() {
  const int row = cursor_.row;
  const int last = VisibleColumns() - 1;
  if (row >= 0 && row < allocatedRows_ && cursor_.col < last) {
    ScreenChar* line = &At(row, 0);
    std::copy_backward(line + cursor_.col, line + last, line + last + 1);
    if (dc_ != nullptr) {
      for (int col = last; col > cursor_.col; --col) Draw(dc_, row, col);
    }
  }
  SetVacated(row, cursor_.col);
}

void ScreenBuffer::ShiftCellsLeft() {
  const int row = cursor_.row;
  const int last = VisibleColumns() - 1;
  if (row >= 0 && row < allocatedRows_ && cursor_.col < last) {
    ScreenChar* line = &At(row, 0);
    std::copy(line + cursor_.col + 1, line + last + 1, line + cursor_.col);
    if (dc_ != nullptr) {
      for (int col = cursor_.col; col < last; ++col) Draw(dc_, row, col);
    }
  }
  SetVacated(row, last);
}

// After as many shifts as cells from the cursor to the last column, each
// further one leaves the cells as they are: the repetitions stop there.
void ScreenBuffer::InsertCharacter(int n) {
  Unselect();
  const long long reps = std::min<long long>(n, std::max(1, VisibleColumns() - cursor_.col));
  for (long long i = 0; i < reps; ++i) ShiftCellsRight();
}

void ScreenBuffer::DeleteCharacter(int n) {
  Unselect();
  const long long reps = std::min<long long>(n, std::max(1, VisibleColumns() - cursor_.col));
  for (long long i = 0; i < reps; ++i) ShiftCellsLeft();
}

void ScreenBuffer::ShiftRows(int top, int bottom, int by, int keptFrom) {
  const int height = bottom - top + 1;
  // A region without rows moves nothing but still vacates its edge row.
  const int count = height > 0 ? std::min(std::abs(by), height) : 1;
  const int first = by < 0 ? bottom - count + 1 : top;
  vacatedCells_.clear();
  for (int row = first; row < first + count && InStorage(row, 0); ++row) {
    const ScreenChar* from = &At(keptFrom == kOwnRow ? row : keptFrom, 0);
    vacatedCells_.insert(vacatedCells_.end(), from, from + kMaxColumns);
  }
  // Rows outside the storage move nothing rather than stray cells.
  if (height > 1 && top >= 0 && bottom < allocatedRows_) {
    const auto begin = rowIndex_.begin();
    const int pivot = by < 0 ? top + count : bottom + 1 - count;
    std::rotate(begin + top, begin + pivot, begin + bottom + 1);
  }
  const ScreenChar* kept = vacatedCells_.data();
  for (int row = first; row < first + count && InStorage(row, 0); ++row, kept += kMaxColumns) {
    std::copy_n(kept, kMaxColumns, &At(row, 0));
    VacateRow(row);
  }
}

void ScreenBuffer::ScrollLine(ScrollDirection direction) {
  Unselect();
  ShiftRows(scrollTop_, scrollBottom_, direction == Up ? -1 : 1, kOwnRow);
  RedrawScrollingRegion();
}

// One scroll after another leaves each vacated row with the cells of
// the bottom row, which they all inherit from it in turn.
void ScreenBuffer::ScrollUpMany(int count) {
  const int height = scrollBottom_ - scrollTop_ + 1;
  ShiftRows(scrollTop_, scrollBottom_, -std::clamp(count, 1, std::max(height, 1)), scrollBottom_);
}

void ScreenBuffer::InsertLine(int n) {
  Unselect();
  const int k = Clamp(std::min<long long>(n, static_cast<long long>(scrollBottom_) - cursor_.row + 1),
                      INT_MIN, INT_MAX);
  if (k > 0) ShiftRows(cursor_.row, scrollBottom_, k, kOwnRow);
  cursor_.col = 0;
  if (dc_ != nullptr) Refresh(dc_);
}

void ScreenBuffer::DeleteLine(int n) {
  Unselect();
  const int k = Clamp(std::min<long long>(n, static_cast<long long>(scrollBottom_) - cursor_.row + 1),
                      INT_MIN, INT_MAX);
  if (k > 0) ShiftRows(cursor_.row, scrollBottom_, -k, kOwnRow);
  cursor_.col = 0;
  if (dc_ != nullptr) Refresh(dc_);
}

// ---------------------------------------------------------------------------
// Erasing and the scrolling region

void ScreenBuffer::EraseChars(CursorPos from, CursorPos to) {
  if (from.row > to.row) return;
  // The cursor ends where the last row's pass leaves it.
  const int lastStart = from.row == to.row ? from.col : 0;
  const int rows = VisibleRows();
  const int columns = VisibleColumns();
  // Only visible cells change, so rows and columns off the screen are skipped.
  const int firstRow = std::max(from.row, 0);
  const int lastRow = std::min(to.row, rows - 1);
  for (int row = firstRow; row <= lastRow; ++row) {
    const int c0 = row == from.row ? from.col : 0;
    const int c1 = row == to.row ? to.col : columns - 1;
    FillInRow(row, std::max(c0, 0), std::min(c1, columns - 1), L' ');
  }
  SetRow(to.row, 0, rows - 1);
  SetCol(lastStart, 0, columns - 1);
}

void ScreenBuffer::EraseCharacter(int n) {
  const int columns = VisibleColumns();
  if (cursor_.col >= columns) {
    cursor_.col = columns - 1;
    return;
  }
  // Kept in range before narrowing: a count of INT_MIN must erase nothing,
  // not wrap round to the whole row.
  const long long end = static_cast<long long>(cursor_.col) + n;
  const int last = static_cast<int>(std::clamp<long long>(end - 1, cursor_.col - 1, columns - 1));
  EraseChars(cursor_, CursorPos(cursor_.row, last));
}

void ScreenBuffer::EraseInLine(int param) {
  SaveCursor();
  ResetVideo();
  const CursorPos lineStart(cursor_.row, 0);
  const CursorPos lineEnd(cursor_.row, VisibleColumns() - 1);
  if (param == 1) {
    EraseChars(lineStart, cursor_);
  } else if (param == 2) {
    EraseChars(lineStart, lineEnd);
  } else {
    EraseChars(cursor_, lineEnd);
  }
  RestoreCursor();
}

void ScreenBuffer::EraseInDisplay(int param, bool inBand) {
  SaveCursor();
  ResetVideo();
  int first = 0;
  int last = VisibleRows() - 1;
  if (inBand) {
    if (cursor_.row < scrollTop_) {
      last = scrollTop_;
    } else if (cursor_.row > scrollBottom_) {
      first = scrollBottom_;
    } else {
      first = scrollTop_;
      last = scrollBottom_;
    }
  }
  const CursorPos bandStart(first, 0);
  const CursorPos bandEnd(last, VisibleColumns() - 1);
  if (param == 1) {
    EraseChars(bandStart, cursor_);
  } else if (param == 2) {
    EraseChars(bandStart, bandEnd);
  } else {
    EraseChars(cursor_, bandEnd);
  }
  RestoreCursor();
}

void ScreenBuffer::SetScrollingRegion(int top, int bottom) {
  const int rows = VisibleRows();
  // A negative top is taken as 0 is.
  if (top <= 0) top = 1;
  if (top >= rows) top = rows;
  if (bottom == 0 || bottom >= rows) bottom = rows;
  if (top < bottom) {
    scrollTop_ = top - 1;
    scrollBottom_ = bottom - 1;
  } else {
    scrollTop_ = 0;
    scrollBottom_ = rows - 1;
  }
  CursorPosition(1, 1);
}

// ---------------------------------------------------------------------------
// Drawing

void ScreenBuffer::Draw(CDC* dc, int row, int col) {
  if (dc == nullptr || !Visible(row, col)) return;
  const CSize size = layout_.CharCellSize();
  const int y = layout_.RowToY(row);
  const int x = layout_.ColumnToX(col);
  ScreenCharRenderer::Instance()->Draw(dc, &At(row, col), x, y, size);
}

void ScreenBuffer::Refresh(CDC* dc) {
  const int rows = VisibleRows();
  const int columns = VisibleColumns();
  for (int row = 0; row < rows; ++row) {
    for (int col = 0; col < columns; ++col) Draw(dc, row, col);
  }
}

void ScreenBuffer::RedrawScrollingRegion() {
  if (dc_ != nullptr) {
    const int columns = VisibleColumns();
    for (int row = scrollTop_; row <= scrollBottom_; ++row) {
      for (int col = 0; col < columns; ++col) Draw(dc_, row, col);
    }
  } else if (parent_ != nullptr) {
    parent_->Invalidate(kKeepBackground);
  }
}

void ScreenBuffer::PrintBuffer(CDC* dc, CSize cell) {
  const int rows = VisibleRows();
  const int columns = VisibleColumns();
  for (int row = 0; row < rows; ++row) {
    for (int col = 0; col < columns; ++col) {
      ScreenCharRenderer::Instance()->Print(dc, &At(row, col),
                                            Saturate(static_cast<long long>(col) * cell.cx),
                                            Saturate(static_cast<long long>(row) * cell.cy), cell);
    }
  }
}

// ---------------------------------------------------------------------------
// Selection

inline CursorPos ScreenBuffer::Next(const CursorPos& p) const {
  if (p.col + 1 > VisibleColumns() - 1) return CursorPos(p.row + 1, 0);
  return CursorPos(p.row, p.col + 1);
}

inline bool ScreenBuffer::Selecting() const {
  return selStart_.row >= 0 && selStart_.col >= 0 && selEnd_.row >= 0 && selEnd_.col >= 0;
}

bool ScreenBuffer::ActiveSelection() const { return Selecting(); }

void ScreenBuffer::Unselect() {
  if (!Selecting()) return;
  for (CursorPos p = selStart_; p <= selEnd_; p = Next(p)) {
    if (!InStorage(p.row, p.col)) continue;
    At(p.row, p.col).Unselect();
    if (dc_ != nullptr) Draw(dc_, p.row, p.col);
  }
  selStart_ = kNoSelection;
  selEnd_ = kNoSelection;
}

CursorPos ScreenBuffer::ClampToScreen(long long row, long long col) const {
  return CursorPos(Clamp(row, 0, VisibleRows() - 1), Clamp(col, 0, VisibleColumns() - 1));
}

void ScreenBuffer::Select(const CursorPos& a, const CursorPos& b) {
  // Off-screen ends are pulled onto the screen, so a walk never spans more than it.
  const CursorPos pa = ClampToScreen(static_cast<long long>(a.row) - 1, static_cast<long long>(a.col) - 1);
  const CursorPos pb = ClampToScreen(static_cast<long long>(b.row) - 1, static_cast<long long>(b.col) - 1);
  const CursorPos newStart = pa <= pb ? pa : pb;
  const CursorPos newEnd = pa <= pb ? pb : pa;
  const bool hadSelection = selStart_ != kNoSelection && selEnd_ != kNoSelection;

  CursorPos lo = newStart;
  CursorPos hi = newEnd;
  bool hasGap = false;
  CursorPos gapStart;
  CursorPos gapEnd;
  if (hadSelection) {
    lo = selStart_ <= newStart ? selStart_ : newStart;
    hi = selEnd_ >= newEnd ? selEnd_ : newEnd;
    if (selEnd_ < newStart) {
      hasGap = true;
      gapStart = selEnd_;
      gapEnd = newStart;
    } else if (newEnd < selStart_) {
      hasGap = true;
      gapStart = newEnd;
      gapEnd = selStart_;
    }
  }

  for (CursorPos p = lo; p <= hi; p = Next(p)) {
    if (hasGap && gapStart < p && p < gapEnd) p = gapEnd;
    const bool inOld = hadSelection && selStart_ <= p && p <= selEnd_;
    const bool inNew = newStart <= p && p <= newEnd;
    // Cells in both selections keep their state: the walk goes past them at once.
    if (inOld && inNew) p = selEnd_ <= newEnd ? selEnd_ : newEnd;
    if (inOld == inNew || !Visible(p.row, p.col)) continue;
    if (inNew) {
      At(p.row, p.col).Select();
    } else {
      At(p.row, p.col).Unselect();
    }
    if (dc_ != nullptr) Draw(dc_, p.row, p.col);
  }
  selStart_ = newStart;
  selEnd_ = newEnd;
}

CString ScreenBuffer::SelectedText() const {
  if (!Selecting()) return CString();
  std::wstring text;
  const int lastColumn = VisibleColumns() - 1;
  for (CursorPos p = selStart_; p <= selEnd_; p = Next(p)) {
    if (const ScreenChar* cell = Cell(p.row, p.col)) text += cell->GetValue();
    if (p.col == lastColumn) {
      text.erase(text.find_last_not_of(L" \t") + 1);
      text += L"\r\n";
    }
  }
  return CString(std::move(text));
}
