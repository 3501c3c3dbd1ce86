#pragma once
// The model of a VT100-family terminal screen: cells, cursor, scrolling
// region, tab stops, video attributes, character sets and modes. The host
// decodes its byte stream and calls one operation per control function; the
// buffer draws each changed cell at once on a lent device context, or asks
// the parent window to repaint. Public positions count from 1, the storage
// from 0.

#include <array>
#include <memory>
#include <string_view>
#include <vector>

#include "brenmoor/gdi/CDC.h"
#include "brenmoor/win/CellAttributes.h"
#include "brenmoor/ui/CWnd.h"
#include "brenmoor/win/CursorPos.h"
#include "brenmoor/win/EmulatorLayout.h"
#include "brenmoor/win/ScreenChar.h"

class ScreenBuffer {
 public:
  enum ScrollDirection { Up = 0, Down = 1 };
  static constexpr int kMaxColumns = 132;

  // The layout must already hold its styles (ChangeLayout) and outlive the buffer.
  explicit ScreenBuffer(EmulatorLayout& layout);
  virtual ~ScreenBuffer();
  ScreenBuffer(const ScreenBuffer&) = delete;
  ScreenBuffer& operator=(const ScreenBuffer&) = delete;

  // Storage and sizes.
  void SetWindowSize(int rows, int columns, bool spare);
  int NumRows() const { return numRows_; }
  int NumColumns() const { return numColumns_; }
  int MaxRows() const { return allocatedRows_; }
  int MaxColumns() const { return kMaxColumns; }
  int VisRows() const;
  int VisColumns() const;
  bool IsValid(int row, int col) const;
  // The cell at a 0-based position, null outside the storage.
  const ScreenChar* Cell(int row, int col) const;

  // Writing characters.
  void PutChar(wchar_t ch);
  // PutChar for each character in turn, in one call.
  void PutChars(std::wstring_view text);
  void AutoWrapCursor();

  // The cursor; GetRow and GetCol count from 1.
  int GetRow() const { return cursor_.row + 1; }
  int GetCol() const { return cursor_.col + 1; }
  void CursorUp(int n);
  void CursorDown(int n);
  void CursorForward(int n);
  void CursorBackward(int n);
  void CursorPosition(int row, int col);
  void CursorPositionRel(int dRow, int dCol);
  void HorizontalPositionAbs(int col);
  void HorizontalPositionRel(int n);
  void VerticalPositionAbs(int row);
  void VerticalPositionRel(int n);
  void CursorNextLine(int n);
  void CursorPreviousLine(int n);
  void CarriageReturn();
  void CursorHomeDown();
  void Index();
  void NextLine();
  void ReverseIndex();
  void SaveCursor();
  void RestoreCursor();

  // Tabs.
  void HorizontalTabSet();
  void TabulationClear(int param);
  void CursorHorizontalTab(int n);
  void CursorBackwardTab(int n);

  // Modes.
  void SetInsertMode(bool on) { insert_ = on; }
  void SetNewlineMode(bool on) { newline_ = on; }
  void SetCursorKeyMode(bool on) { cursorKey_ = on; }
  bool GetCursorKeyMode() const { return cursorKey_; }
  void SetScreenMode(bool on) { screen_ = on; }
  void SetOriginMode(bool on) { origin_ = on; }
  // The 0-based row that cursor addresses count from: the scrolling region's
  // first in origin mode, else the screen's.
  int AddressedFromRow() const { return origin_ ? scrollTop_ : 0; }
  // Turning auto-wrap off can narrow the screen under the cursor: it moves in.
  void SetAutoWrapMode(bool on);
  void SetColumnMode(bool on);

  // Character sets: g is 0 to 3 (G0 to G3); other values are ignored.
  void SetCharSetUS_ASCII(int g) { Designate(g, charset::kUsAscii); }
  void SetCharSetUK_National(int g) { Designate(g, charset::kUkNational); }
  void SetCharSetSpecialGraphics(int g) { Designate(g, charset::kSpecialGraphics); }
  void SetCharSetExtendedGraphics(int g) { Designate(g, charset::kExtendedGraphics); }
  void ShiftIn() { activeSet_ = 0; }
  void ShiftOut() { activeSet_ = 1; }

  // Video attributes.
  void SetVideoBold() { SetVideoBit(video::kBold, true); }
  void SetVideoSubdued() { SetVideoBit(video::kSubdued, true); }
  void SetVideoUnderlined() { SetVideoBit(video::kUnderlined, true); }
  void SetVideoBlinking() { SetVideoBit(video::kBlinking, true); }
  void SetVideoReverse() { SetVideoBit(video::kReverse, true); }
  void ResetVideoBold() { SetVideoBit(video::kBold, false); }
  void ResetVideoSubdued() { SetVideoBit(video::kSubdued, false); }
  void ResetVideoUnderlined() { SetVideoBit(video::kUnderlined, false); }
  void ResetVideoBlinking() { SetVideoBit(video::kBlinking, false); }
  void ResetVideoReverse() { SetVideoBit(video::kReverse, false); }
  void ResetVideo();

  // Resets.
  void SoftTerminalReset();
  void ResetToInitialState();

  // Editing, erasing and the scrolling region.
  void InsertCharacter(int n);
  void DeleteCharacter(int n);
  void InsertLine(int n);
  void DeleteLine(int n);
  void EraseCharacter(int n);
  void EraseInLine(int param);
  void EraseInDisplay(int param, bool inBand);
  void EraseInField(int) {}
  void EraseInArea(int) {}
  void SetScrollingRegion(int top, int bottom);
  void ScrollLine(ScrollDirection direction);

  // Drawing.
  void SetParent(CWnd* parent) { parent_ = parent; }
  void SetDC(CDC* dc) { dc_ = dc; }
  void Refresh(CDC* dc);
  CSize ScreenCharSize() const { return layout_.CharCellSize(); }
  COLORREF GetBkColor() const { return layout_.GetBkColor(); }

  // Selection, its text, printing.
  bool ActiveSelection() const;
  void Unselect();
  void Select(const CursorPos& a, const CursorPos& b);
  CString SelectedText() const;
  void PrintBuffer(CDC* dc, CSize cell);

 private:
  struct SavedCursor {
    int row = 0;
    int col = 0;
    int videoMode = 0;
    bool autoWrap = false;
    bool origin = false;
    int activeSet = 0;
    std::array<int, 4> designatedSets{};
  };

  // Screen rows lie in the storage in the order of the row table.
  std::size_t Offset(int row, int col) const {
    return static_cast<std::size_t>(rowIndex_[static_cast<std::size_t>(row)]) * kMaxColumns +
           static_cast<std::size_t>(col);
  }
  ScreenChar& At(int row, int col) { return cells_[Offset(row, col)]; }
  const ScreenChar& At(int row, int col) const { return cells_[Offset(row, col)]; }
  void AllocateBuffer(int newRows, int oldRows);
  void Clear();
  // Defined inline: the hot path of every written character.
  inline void Set(int row, int col, wchar_t ch);
  void Set(int row, int col, wchar_t ch, int mode, int charSet);
  void SetVacated(int row, int col) { Set(row, col, L' ', video::kNormal, charset::kUsAscii); }
  // PutChar's steps, inline for PutChars.
  inline void Put(wchar_t ch);
  // How many characters from the cursor on land side by side in its row
  // with nothing else to do: none while a selection, a pending wrap or
  // insert mode asks for more.
  inline std::size_t RunInRow() const;
  // Writes them there and moves the cursor past them.
  void WriteInRow(std::wstring_view text);
  // Set(row, col, ch) for the columns first..last of a visible row.
  void FillInRow(int row, int first, int last, wchar_t ch);
  void Draw(CDC* dc, int row, int col);
  void RedrawScrollingRegion();
  void UpdateVideoMode();
  void SetVideoBit(int bit, bool on);
  void Designate(int g, int charSet);
  void DefaultTabStops();
  void TabToNextTabStop();
  void TabToPrevTabStop();
  // Clamp a 64-bit value, so that huge counts cannot overflow.
  void SetRow(long long value, int min, int max);
  void SetCol(long long value, int min, int max);
  // Moves the rows top..bottom by `by` rows, down when positive, as whole
  // rows: their numbers in the row table rotate. The rows left behind get
  // the 132 cells that screen row keptFrom held, or with kOwnRow their own
  // screen row: what a block move of whole rows left there. Then they
  // become vacated blanks over the visible columns, their selected flags
  // kept, and the discarded rows' flags are lost with them.
  void ShiftRows(int top, int bottom, int by, int keptFrom);
  static constexpr int kOwnRow = -1;
  void EraseChars(CursorPos from, CursorPos to);
  // The next position in reading order over the visible columns.
  inline CursorPos Next(const CursorPos& p) const;

  bool InStorage(int row, int col) const;
  // Vacated blanks over the visible columns of a row.
  void VacateRow(int row);
  // Fills storage rows with blanks in the current styles.
  void BlankStorageRows(int first, int last);
  // The cells count ScrollLine(Up) calls leave, with one rotation.
  void ScrollUpMany(int count);
  void ShiftCellsRight();
  void ShiftCellsLeft();
  // The window's rows shrink below a cursor on its last row: scroll that text up.
  void ScrollForShrink(int rows);
  CursorPos ClampToScreen(long long row, long long col) const;
  void KeepCursorOnScreen();
  void KeepRegionOnScreen();
  // Inline twins of the public size, validity, selection and wrap operations:
  // calls to exported members cannot be inlined in the shared library, and
  // writing a character must stay cheap.
  inline int VisibleRows() const;
  inline int VisibleColumns() const;
  inline bool Visible(int row, int col) const;
  inline bool Selecting() const;
  inline void WrapCursor();

  EmulatorLayout& layout_;
  CWnd* parent_ = nullptr;
  CDC* dc_ = nullptr;
  std::unique_ptr<ScreenChar[]> cells_;
  // The storage row of each screen row: scrolling rotates these, not cells.
  std::vector<int> rowIndex_;
  // The cells of vacated rows while their rows rotate.
  std::vector<ScreenChar> vacatedCells_;
  CursorPos cursor_{0, 0};
  int numRows_ = 24;
  int numColumns_ = 80;
  int windowRows_ = 24;
  int windowColumns_ = 80;
  int allocatedRows_ = 0;
  std::array<bool, kMaxColumns> tabStops_{};
  int videoMode_ = 0;
  FontStyle* style_ = nullptr;
  FontStyle* selStyle_ = nullptr;
  int activeSet_ = 0;
  std::array<int, 4> designatedSets_{};
  bool insert_ = false;
  bool newline_ = false;
  bool cursorKey_ = false;
  bool column_ = false;
  bool screen_ = false;
  bool origin_ = false;
  bool autoWrap_ = false;
  SavedCursor savedCursor_;
  int scrollTop_ = 0;
  int scrollBottom_ = 23;
  CursorPos selStart_{-1, -1};
  CursorPos selEnd_{-1, -1};
};
