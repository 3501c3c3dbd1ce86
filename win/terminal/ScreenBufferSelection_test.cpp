#include <gtest/gtest.h>

#include "brenmoor/win/ScreenBuffer.h"
#include "ScreenBufferTesting.h"

namespace {

using namespace screen_buffer_testing;

// "row:first-last" runs of the cells drawn, each with the text colour it was drawn in.
std::string Painted(const std::vector<Drawn>& drawn) {
  std::vector<Pos> selected, normal;
  for (const Drawn& d : drawn) (d.text == kSelText ? selected : normal).push_back(d.at);
  return "selected " + Runs(selected, true) + ", normal " + Runs(normal, true);
}

TEST_F(ScreenBufferTest, SelectTakesEitherOrderAndRunsInReadingOrder) {
  const std::pair<std::pair<CursorPos, CursorPos>, const char*> cases[] = {
      {{{1, 1}, {1, 5}}, "0:0-4"},         {{{1, 5}, {1, 1}}, "0:0-4"},
      {{{1, 70}, {2, 10}}, "0:69-79 1:0-9"}, {{{2, 10}, {1, 70}}, "0:69-79 1:0-9"},
      {{{3, 7}, {3, 7}}, "2:6"},           {{{23, 1}, {24, 80}}, "22:0-79 23:0-79"},
  };
  EXPECT_FALSE(buffer.ActiveSelection());
  for (const auto& [range, cells] : cases) {
    buffer.Select(range.first, range.second);
    EXPECT_TRUE(buffer.ActiveSelection()) << cells;
    EXPECT_EQ(Runs(SelectedCells(buffer)), cells);
    buffer.Unselect();
    EXPECT_FALSE(buffer.ActiveSelection()) << cells;
    EXPECT_EQ(Runs(SelectedCells(buffer)), "") << cells;
  }
}

TEST_F(ScreenBufferTest, ChangingTheSelectionDrawsOnlyTheCellsThatChange) {
  const std::pair<std::pair<CursorPos, CursorPos>, const char*> steps[] = {
      {{{1, 1}, {1, 5}}, "selected 0:0-4, normal "},
      {{{1, 1}, {2, 3}}, "selected 0:5-79 1:0-2, normal "},
      {{{1, 1}, {1, 2}}, "selected , normal 0:2-79 1:0-2"},
      {{{1, 1}, {1, 3}}, "selected 0:2, normal "},
      {{{5, 1}, {5, 3}}, "selected 4:0-2, normal 0:0-2"},
  };
  Lend();
  for (const auto& [range, painted] : steps) {
    surface.Clear();
    buffer.Select(range.first, range.second);
    EXPECT_EQ(Painted(DrawnCells()), painted);
  }
  EXPECT_EQ(Runs(SelectedCells(buffer)), "4:0-2");
  surface.Clear();
  buffer.Unselect();
  EXPECT_EQ(Painted(DrawnCells()), "selected , normal 4:0-2");
  surface.Clear();
  buffer.Unselect();
  EXPECT_TRUE(surface.Calls().empty());
}

TEST_F(ScreenBufferTest, WritingRemovesTheSelectionFirst) {
  buffer.Select({1, 1}, {1, 3});
  buffer.CursorPosition(6, 6);
  Lend();
  buffer.PutChar(L'x');
  std::vector<Drawn> drawn = DrawnCells();
  ASSERT_EQ(drawn.size(), 4u);
  EXPECT_EQ(std::make_pair(drawn.back().at, drawn.back().ch), std::make_pair(Pos(5, 5), L'x'));
  drawn.pop_back();
  EXPECT_EQ(Painted(drawn), "selected , normal 0:0-2");
  EXPECT_FALSE(buffer.ActiveSelection());
}

TEST_F(ScreenBufferTest, RefreshDrawsSelectedCellsInTheSelectedStyle) {
  WriteAt(buffer, {0, 0}, L"abc");
  buffer.Select({1, 2}, {2, 1});
  buffer.Refresh(&dc);
  EXPECT_EQ(Painted(DrawnCells()),
            "selected 0:1-79 1:0, normal 0:0 1:1-79 " + Runs(Rows(2, 23, 80)));
}

TEST_F(ScreenBufferTest, SelectedTextEndsRowsWithCRLFAndDropsTheBlanksEndingARow) {
  WriteAt(buffer, {0, 0}, L"ab");
  WriteAt(buffer, {1, 0}, L"c");
  EXPECT_TRUE(buffer.SelectedText().IsEmpty());
  const std::pair<std::pair<CursorPos, CursorPos>, const wchar_t*> cases[] = {
      {{{1, 1}, {2, 80}}, L"ab\r\nc\r\n"},
      {{{1, 1}, {2, 3}}, L"ab\r\nc  "},
      {{{2, 3}, {1, 1}}, L"ab\r\nc  "},
  };
  for (const auto& [range, text] : cases) {
    buffer.Select(range.first, range.second);
    EXPECT_EQ(buffer.SelectedText().Str(), std::wstring(text));
  }
  buffer.Unselect();
  EXPECT_TRUE(buffer.SelectedText().IsEmpty());
}

TEST_F(ScreenBufferTest, PrintBufferUsesTheContextColoursAndTheGivenCellSize) {
  WriteAt(buffer, {0, 0}, L"A");
  buffer.SetVideoReverse();
  Write(buffer, L"R");
  buffer.SetVideoUnderlined();
  WriteAt(buffer, {23, 79}, L"U");
  const std::vector<std::string> lines = Printed(buffer);
  ASSERT_EQ(lines.size(), 24u * 80u);
  EXPECT_EQ(lines[0], "text (0,0) 'A' 111111 222222 opaque");
  EXPECT_EQ(lines[1], "text (7,0) 'R' 222222 111111 opaque");
  EXPECT_EQ(lines[2], "text (14,0) ' ' 111111 222222 opaque");
  EXPECT_EQ(lines[80], "text (0,13) ' ' 111111 222222 opaque");
  EXPECT_EQ(lines.back(), "text (553,299) 'U' 222222 111111 opaque");
}

}  // namespace
