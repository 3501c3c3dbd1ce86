// Rows scroll by turning over a table of row numbers, not by moving cells:
// what that could break, seen from outside.

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <tuple>
#include <vector>

#include "brenmoor/win/ScreenBuffer.h"
#include "ScreenBufferTesting.h"

namespace {

using namespace screen_buffer_testing;

// Lines "line 1" to "line count", each on a new line: a full screen scrolls at every one.
void WriteLines(ScreenBuffer& b, int count) {
  for (int i = 1; i <= count; ++i) {
    if (i > 1) b.NextLine();
    Write(b, L"line " + std::to_wstring(i));
  }
}

// Per row the character in column 80, hidden while the screen is 80 columns wide.
std::string HiddenLetters(const ScreenBuffer& b) {
  std::string out;
  for (int r = 0; r < b.VisRows(); ++r) out += static_cast<char>(b.Cell(r, 80)->GetValue());
  return out;
}

using StoredCell = std::tuple<wchar_t, int, bool, const FontStyle*>;
std::vector<StoredCell> StoredCells(const ScreenBuffer& b) {
  std::vector<StoredCell> out;
  for (int r = 0; r < b.MaxRows(); ++r) {
    for (int c = 0; c < b.MaxColumns(); ++c) {
      const ScreenChar* cell = b.Cell(r, c);
      out.emplace_back(cell->GetValue(), cell->GetCharSet(), cell->IsSelected(), cell->GetStyle());
    }
  }
  return out;
}

TEST_F(ScreenBufferTest, RegionScrollsAfterTheWindowGrowsOverTurnedRows) {
  ScreenBuffer b(layout);
  b.SetWindowSize(30, 80, true);
  MarkRows(b, 30);
  b.SetScrollingRegion(3, 28);  // rows 2-27
  for (int i = 0; i < 3; ++i) b.ScrollLine(SB::Up);
  EXPECT_EQ(Letters(b, 30), "ABFGHIJKLMNOPQRSTUVWXYZ[\\   ]^");
  b.ScrollLine(SB::Down);
  EXPECT_EQ(Letters(b, 30), "AB FGHIJKLMNOPQRSTUVWXYZ[\\  ]^");
  // Storage grows with the rows in screen order; the region reaching the bottom follows it.
  b.SetScrollingRegion(0, 0);
  b.SetWindowSize(40, 80, true);
  EXPECT_EQ(Letters(b, 40), "AB FGHIJKLMNOPQRSTUVWXYZ[\\  ]^          ");
  b.ScrollLine(SB::Up);
  EXPECT_EQ(Letters(b, 40), "B FGHIJKLMNOPQRSTUVWXYZ[\\  ]^           ");
  b.SetScrollingRegion(2, 4);  // rows 1-3
  b.ScrollLine(SB::Down);
  EXPECT_EQ(Letters(b, 40), "B  FHIJKLMNOPQRSTUVWXYZ[\\  ]^           ");
}

TEST_F(ScreenBufferTest, RowsKeepTheirHiddenColumnsAsWholeRowMovesLeftThem) {
  buffer.SetWindowSize(24, 100, false);
  buffer.SetAutoWrapMode(true);
  for (int r = 0; r < 24; ++r) {
    buffer.CursorPosition(r + 1, 1);
    Write(buffer, std::wstring(100, static_cast<wchar_t>('a' + r)));
  }
  buffer.SetAutoWrapMode(false);  // columns 80-99 hidden
  buffer.ScrollLine(SB::Up);
  EXPECT_EQ(Letters(buffer), "bcdefghijklmnopqrstuvwx ");
  EXPECT_EQ(HiddenLetters(buffer), "bcdefghijklmnopqrstuvwxx");
  buffer.CursorPosition(6, 1);
  buffer.InsertLine(2);
  EXPECT_EQ(Letters(buffer), "bcdef  ghijklmnopqrstuvw");
  EXPECT_EQ(HiddenLetters(buffer), "bcdefghghijklmnopqrstuvw");
  buffer.SetScrollingRegion(11, 21);  // rows 10-20
  buffer.ScrollLine(SB::Down);
  EXPECT_EQ(Letters(buffer), "bcdef  ghi jklmnopqrsuvw");
  EXPECT_EQ(HiddenLetters(buffer), "bcdefghghijjklmnopqrsuvw");
  buffer.SetAutoWrapMode(true);
  EXPECT_EQ(RowText(buffer, 10, 75, 10), L"     jjjjj");
}

// A 132-column selection keeps its flags beyond column 80 through an
// Unselect made 80 columns wide; the row that holds them then leaves the
// screen, and its flags must go with it, never into the blank row.
TEST_F(ScreenBufferTest, TheFlagsOfADiscardedRowNeverReachTheBlankRow) {
  struct Case {
    const char* what;
    int windowRows;
    int selectedRow;  // 1-based: the row that is discarded
    Op op;
  };
  const Case cases[] = {
      {"scroll up", 24, 1, Do(&SB::ScrollLine, SB::Up)},
      {"scroll down", 24, 24, Do(&SB::ScrollLine, SB::Down)},
      {"index", 24, 1, Ops({Do(&SB::CursorPosition, 24, 1), Do(&SB::Index)})},
      {"next line", 24, 1, Ops({Do(&SB::CursorPosition, 24, 1), Do(&SB::NextLine)})},
      {"reverse index", 24, 24, Do(&SB::ReverseIndex)},
      {"auto-wrap", 24, 1, Ops({Do(&SB::CursorPosition, 24, 1), Do(&SB::PutChars, std::wstring(133, L'x'))})},
      {"insert line", 24, 24, Do(&SB::InsertLine, 1)},
      {"delete line", 24, 1, Do(&SB::DeleteLine, 1)},
      {"shrink", 30, 1, Ops({Do(&SB::CursorPosition, 24, 1), Do(&SB::CursorDown, 6),
                             Do(&SB::SetWindowSize, 26, 132, false)})},
  };
  for (const Case& c : cases) {
    ScreenBuffer b(layout);
    b.SetAutoWrapMode(true);
    b.SetWindowSize(c.windowRows, 132, false);
    b.Select(CursorPos(c.selectedRow, 1), CursorPos(c.selectedRow, 132));
    b.SetAutoWrapMode(false);
    b.Unselect();
    b.SetAutoWrapMode(true);
    ASSERT_EQ(Runs(SelectedCells(b)), std::to_string(c.selectedRow - 1) + ":80-131") << c.what;
    c.op(b);
    EXPECT_EQ(Runs(SelectedCells(b)), "") << c.what;
  }
}

TEST_F(ScreenBufferTest, ASelectionAcrossTurnedRowsSelectsDrawsAndCopiesScreenRows) {
  WriteLines(buffer, 30);  // six scrolls: screen row 18 lies first in the storage
  Lend();
  buffer.Select(CursorPos(18, 5), CursorPos(19, 3));
  EXPECT_EQ(Runs(SelectedCells(buffer)), "17:4-79 18:0-2");
  EXPECT_EQ(Runs(DrawnPositions()), "17:4-79 18:0-2");
  EXPECT_EQ(DrawnCells()[0].ch, L' ');
  EXPECT_EQ(DrawnCells()[1].ch, L'2');
  EXPECT_EQ(buffer.SelectedText(), CString(L" 24\r\nlin"));
  surface.Clear();
  buffer.Index();  // unselects before the scroll turns the rows again
  EXPECT_TRUE(SelectedCells(buffer).empty());
  EXPECT_EQ(RowText(buffer, 16, 0, 7), L"line 24");
  std::vector<Pos> drawn = Span({17, 4}, {18, 2}, 80);
  const std::vector<Pos> region = Rows(0, 23, 80);
  drawn.insert(drawn.end(), region.begin(), region.end());
  EXPECT_EQ(Runs(DrawnPositions()), Runs(drawn));
}

TEST_F(ScreenBufferTest, PrintingAfterManyScrollsPrintsTheScreenRowsInOrder) {
  for (int i = 1; i <= 1000; ++i) {
    if (i > 1) buffer.NextLine();
    i % 3 == 0 ? buffer.SetVideoReverse() : buffer.ResetVideo();
    Write(buffer, L"line " + std::to_wstring(i));
  }
  const std::vector<std::string> lines = Printed(buffer);
  ASSERT_EQ(lines.size(), 24u * 80u);
  EXPECT_EQ(lines[0], "text (0,0) 'l' 111111 222222 opaque");        // line 977
  EXPECT_EQ(lines[7], "text (49,0) '7' 111111 222222 opaque");
  EXPECT_EQ(lines[22 * 80 + 7], "text (49,286) '9' 222222 111111 opaque");  // line 999
  EXPECT_EQ(lines[23 * 80 + 8], "text (56,299) '0' 111111 222222 opaque");  // line 1000
  EXPECT_EQ(lines.back(), "text (553,299) ' ' 111111 222222 opaque");
}

TEST_F(ScreenBufferTest, EraseCharacterWithNoCountLeftErasesNothing) {
  struct Case {
    int col, n;
    const wchar_t* row;
  };
  const Case cases[] = {{0, INT_MIN, L"abcdefgh"}, {0, -1, L"abcdefgh"},  {0, 0, L"abcdefgh"},
                        {3, INT_MIN, L"abcdefgh"}, {3, 1, L"abc efgh"},   {0, 3, L"   defgh"},
                        {5, INT_MAX, L"abcde   "}};
  for (const Case& c : cases) {
    ScreenBuffer b(layout);
    WriteAt(b, {0, 0}, L"abcdefgh");
    b.CursorPosition(1, c.col + 1);
    b.EraseCharacter(c.n);
    EXPECT_EQ(RowText(b, 0, 0, 8), c.row) << c.col << " " << c.n;
    EXPECT_EQ(CursorOf(b), Pos(0, c.col)) << c.col << " " << c.n;
  }
}

TEST_F(ScreenBufferTest, ShrinkingUnderTheCursorDrawsTheRegionOnceAsItEnds) {
  ScreenBuffer plain(layout);
  for (ScreenBuffer* b : {&buffer, &plain}) {
    b->SetWindowSize(300, 80, true);
    MarkRows(*b, 300);
  }
  Lend();
  buffer.Select(CursorPos(1, 1), CursorPos(1, 3));
  surface.Clear();
  buffer.SetWindowSize(30, 80, true);
  plain.SetWindowSize(30, 80, true);
  EXPECT_EQ(StoredCells(buffer), StoredCells(plain));
  EXPECT_EQ(buffer.GetRow(), 30);
  std::vector<Pos> unselected = Span({0, 0}, {0, 2}, 80);
  const std::vector<Pos> region = Rows(0, 299, 80);
  unselected.insert(unselected.end(), region.begin(), region.end());
  const std::vector<Drawn> drawn = DrawnCells();
  EXPECT_EQ(Runs(DrawnPositions()), Runs(unselected));
  ASSERT_EQ(drawn.size(), 3u + 300u * 80u);
  EXPECT_EQ(drawn[3].ch, static_cast<wchar_t>('A' + 270));  // the final rows, drawn once
  EXPECT_EQ(drawn.back().ch, L' ');
}

// PutChars does what PutChar does for each character, drawing included.
TEST_F(ScreenBufferTest, PutCharsActsAsPutCharForEachCharacter) {
  struct Case {
    const char* what;
    Op setup;
    std::wstring text;
  };
  const std::wstring longText = std::wstring(70, L'x') + L"0123456789abcdefghij";
  const Case cases[] = {
      {"within a row", Do(&SB::CursorPosition, 3, 5), L"hello"},
      {"past the last column", Do(&SB::CursorPosition, 3, 5), longText},
      {"wrapping and scrolling",
       Ops({Do(&SB::SetAutoWrapMode, true), Do(&SB::CursorPosition, 24, 1)}), longText + longText},
      {"inserting", Ops({Do(&SB::SetInsertMode, true), Do(&SB::CursorPosition, 1, 1)}), L"abc"},
      {"over a selection", Do(&SB::Select, CursorPos(1, 1), CursorPos(2, 10)), L"abc"},
      {"in special graphics",
       Ops({Do(&SB::SetCharSetSpecialGraphics, 1), Do(&SB::ShiftOut), Do(&SB::SetVideoBold)}),
       L"lqk"},
  };
  for (const Case& c : cases) {
    RecordingSurface oneSurface{{10, 20}}, manySurface{{10, 20}};
    CDC oneDc{oneSurface}, manyDc{manySurface};
    ScreenBuffer one(layout), many(layout);
    for (ScreenBuffer* b : {&one, &many}) {
      MarkRows(*b, 24);
      c.setup(*b);
    }
    one.SetDC(&oneDc);
    many.SetDC(&manyDc);
    for (wchar_t ch : c.text) one.PutChar(ch);
    many.PutChars(c.text);
    EXPECT_EQ(StoredCells(many), StoredCells(one)) << c.what;
    EXPECT_EQ(CursorOf(many), CursorOf(one)) << c.what;
    EXPECT_EQ(manySurface.Lines(), oneSurface.Lines()) << c.what;
  }
}

}  // namespace
