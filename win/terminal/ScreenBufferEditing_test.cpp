#include <gtest/gtest.h>

#include <set>

#include "brenmoor/win/ScreenBuffer.h"
#include "ScreenBufferTesting.h"

namespace {

using namespace screen_buffer_testing;

const Op kRegion = Do(&SB::SetScrollingRegion, 6, 11);  // rows 5-10

// 80 distinct printable characters, so that every shift shows.
std::wstring Pattern() {
  std::wstring s;
  for (int c = 0; c < 80; ++c) s += static_cast<wchar_t>(L'(' + c);
  return s;
}
std::wstring Blanks(int n) { return std::wstring(static_cast<std::size_t>(n), L' '); }

struct LinesCase {
  Op setup;
  Pos start;
  Op op;
  const char* letters;  // rows marked 'A' + row
  int col;              // the cursor column after, -1 unchecked
};

const LinesCase kLines[] = {
    {{}, {0, 5}, Do(&SB::InsertLine, 1), " ABCDEFGHIJKLMNOPQRSTUVW", 0},
    {{}, {0, 5}, Do(&SB::DeleteLine, 1), "BCDEFGHIJKLMNOPQRSTUVWX ", 0},
    {{}, {20, 5}, Do(&SB::InsertLine, 100), "ABCDEFGHIJKLMNOPQRST    ", 0},
    {{}, {20, 5}, Do(&SB::DeleteLine, 100), "ABCDEFGHIJKLMNOPQRST    ", 0},
    {{}, {23, 5}, Do(&SB::InsertLine, 1), "ABCDEFGHIJKLMNOPQRSTUVW ", 0},
    {{}, {22, 5}, Do(&SB::InsertLine, 3), "ABCDEFGHIJKLMNOPQRSTUV  ", 0},
    {{}, {0, 5}, Do(&SB::InsertLine, 2000000000), "                        ", 0},
    {{}, {3, 5}, Do(&SB::DeleteLine, INT_MAX), "ABC                     ", 0},
    {kRegion, {6, 5}, Do(&SB::InsertLine, 2), "ABCDEF  GHILMNOPQRSTUVWX", 0},
    {kRegion, {6, 5}, Do(&SB::DeleteLine, 2), "ABCDEFIJK  LMNOPQRSTUVWX", 0},
    {kRegion, {10, 5}, Do(&SB::DeleteLine, INT_MAX), "ABCDEFGHIJ LMNOPQRSTUVWX", 0},
    {kRegion, {15, 5}, Do(&SB::InsertLine, 1), "ABCDEFGHIJKLMNOPQRSTUVWX", 0},
    {kRegion, {15, 5}, Do(&SB::DeleteLine, 1), "ABCDEFGHIJKLMNOPQRSTUVWX", 0},
    {{}, {7, 5}, Do(&SB::EraseInDisplay, 0, false), "ABCDEFG?                ", -1},
    {{}, {7, 5}, Do(&SB::EraseInDisplay, 1, false), "       ?IJKLMNOPQRSTUVWX", -1},
    {{}, {7, 5}, Do(&SB::EraseInDisplay, 2, false), "                        ", -1},
    {kRegion, {7, 5}, Do(&SB::EraseInDisplay, 2, true), "ABCDE      LMNOPQRSTUVWX", -1},
    {kRegion, {2, 5}, Do(&SB::EraseInDisplay, 2, true), "      GHIJKLMNOPQRSTUVWX", -1},
    {kRegion, {0, 5}, Do(&SB::ScrollLine, SB::Up), "ABCDEGHIJK LMNOPQRSTUVWX", -1},
    {kRegion, {0, 5}, Do(&SB::ScrollLine, SB::Down), "ABCDE FGHIJLMNOPQRSTUVWX", -1},
    {kRegion, {10, 5}, Do(&SB::Index), "ABCDEGHIJK LMNOPQRSTUVWX", 5},
    {kRegion, {10, 5}, Do(&SB::NextLine), "ABCDEGHIJK LMNOPQRSTUVWX", 0},
    {kRegion, {23, 5}, Do(&SB::Index), "ABCDEFGHIJKLMNOPQRSTUVWX", 5},
    {kRegion, {5, 5}, Do(&SB::ReverseIndex), "ABCDE FGHIJLMNOPQRSTUVWX", 5},
    {kRegion, {0, 5}, Do(&SB::ReverseIndex), "ABCDEFGHIJKLMNOPQRSTUVWX", 5},
};

TEST_F(ScreenBufferTest, LineOperationTable) {
  for (std::size_t i = 0; i < std::size(kLines); ++i) {
    const LinesCase& c = kLines[i];
    ScreenBuffer b(layout);
    MarkRows(b, 24);
    if (c.setup) c.setup(b);
    b.CursorPosition(c.start.first + 1, c.start.second + 1);
    c.op(b);
    EXPECT_EQ(Letters(b), c.letters) << "case " << i;
    if (c.col >= 0) {
      EXPECT_EQ(CursorOf(b).first, c.start.first) << "case " << i;
      EXPECT_EQ(CursorOf(b).second, c.col) << "case " << i;
    }
  }
}

struct CharsCase {
  const char* name;
  int col;
  Op op;
  // Row 1 becomes pattern[0, keep) + `gap` blanks + pattern from `from` + `tail` blanks.
  int keep, gap, from, tail;
  bool above, below;  // rows 0 and 2 kept, else blank
};

const CharsCase kChars[] = {
    {"ICH", 5, Do(&SB::InsertCharacter, 2), 5, 2, 5, 0, true, true},
    {"ICH last column", 79, Do(&SB::InsertCharacter, 1), 79, 1, 0, 0, true, true},
    {"ICH 100", 5, Do(&SB::InsertCharacter, 100), 5, 75, 0, 0, true, true},
    {"ICH huge", 5, Do(&SB::InsertCharacter, 2000000000), 5, 75, 0, 0, true, true},
    {"ICH INT_MAX", 0, Do(&SB::InsertCharacter, INT_MAX), 0, 80, 0, 0, true, true},
    {"DCH", 5, Do(&SB::DeleteCharacter, 2), 5, 0, 7, 2, true, true},
    {"DCH last column", 79, Do(&SB::DeleteCharacter, 1), 79, 0, 80, 1, true, true},
    {"DCH 100", 5, Do(&SB::DeleteCharacter, 100), 5, 0, 80, 75, true, true},
    {"DCH huge", 5, Do(&SB::DeleteCharacter, 2000000000), 5, 0, 80, 75, true, true},
    {"ECH", 5, Do(&SB::EraseCharacter, 3), 5, 3, 8, 0, true, true},
    {"ECH at 78", 78, Do(&SB::EraseCharacter, 3), 78, 2, 80, 0, true, true},
    {"ECH huge", 5, Do(&SB::EraseCharacter, INT_MAX), 5, 75, 80, 0, true, true},
    {"EL 0", 5, Do(&SB::EraseInLine, 0), 5, 75, 80, 0, true, true},
    {"EL 1", 5, Do(&SB::EraseInLine, 1), 0, 6, 6, 0, true, true},
    {"EL 2", 5, Do(&SB::EraseInLine, 2), 0, 80, 80, 0, true, true},
    {"ED 0", 5, Do(&SB::EraseInDisplay, 0, false), 5, 75, 80, 0, true, false},
    {"ED 1", 5, Do(&SB::EraseInDisplay, 1, false), 0, 6, 6, 0, false, true},
};

TEST_F(ScreenBufferTest, CharacterOperationTable) {
  const std::wstring s = Pattern();
  for (const CharsCase& c : kChars) {
    ScreenBuffer b(layout);
    for (int r = 0; r < 3; ++r) WriteAt(b, {r, 0}, s);
    b.CursorPosition(2, c.col + 1);
    c.op(b);
    const std::wstring moved = s.substr(static_cast<std::size_t>(c.from),
                                        static_cast<std::size_t>(80 - c.keep - c.gap - c.tail));
    EXPECT_EQ(RowText(b, 1), s.substr(0, static_cast<std::size_t>(c.keep)) + Blanks(c.gap) + moved +
                                 Blanks(c.tail))
        << c.name;
    EXPECT_EQ(RowText(b, 0), c.above ? s : Blanks(80)) << c.name;
    EXPECT_EQ(RowText(b, 2), c.below ? s : Blanks(80)) << c.name;
  }
}

TEST_F(ScreenBufferTest, EraseCharacterOnThePendingColumnOnlyStepsBack) {
  WriteAt(buffer, {0, 0}, Pattern());
  ASSERT_EQ(CursorOf(buffer), Pos(0, 80));
  buffer.EraseCharacter(3);
  EXPECT_EQ(RowText(buffer, 0), Pattern());
  EXPECT_EQ(CursorOf(buffer), Pos(0, 79));
}

struct BlankCase {
  const char* name;
  Pos start;
  Op op;
  Pos blank;
  int mode, selMode, charSet;
};

// Written bold reverse in special graphics (G1), which stay the current attributes.
const BlankCase kBlanks[] = {
    {"IL", {3, 5}, Do(&SB::InsertLine, 1), {3, 5}, 0, 0x1000, 0},
    {"DL", {3, 5}, Do(&SB::DeleteLine, 1), {23, 5}, 0, 0x1000, 0},
    {"ICH", {3, 5}, Do(&SB::InsertCharacter, 1), {3, 5}, 0, 0x1000, 0},
    {"DCH", {3, 5}, Do(&SB::DeleteCharacter, 1), {3, 79}, 0, 0x1000, 0},
    {"SU", {3, 5}, Do(&SB::ScrollLine, SB::Up), {23, 5}, 0, 0x1000, 0},
    {"SD", {3, 5}, Do(&SB::ScrollLine, SB::Down), {0, 5}, 0, 0x1000, 0},
    {"IND", {23, 5}, Do(&SB::Index), {23, 5}, 0, 0x1000, 0},
    {"RI", {0, 5}, Do(&SB::ReverseIndex), {0, 5}, 0, 0x1000, 0},
    {"EL 0", {3, 5}, Do(&SB::EraseInLine, 0), {3, 5}, 0, 0x1000, 2},
    {"EL 1", {3, 5}, Do(&SB::EraseInLine, 1), {3, 5}, 0, 0x1000, 2},
    {"EL 2", {3, 5}, Do(&SB::EraseInLine, 2), {3, 5}, 0, 0x1000, 2},
    {"ED 0", {3, 5}, Do(&SB::EraseInDisplay, 0, false), {3, 5}, 0, 0x1000, 2},
    {"ED 1", {3, 5}, Do(&SB::EraseInDisplay, 1, false), {3, 5}, 0, 0x1000, 2},
    {"ED 2", {3, 5}, Do(&SB::EraseInDisplay, 2, false), {3, 5}, 0, 0x1000, 2},
    {"ED 2 band", {3, 5}, Do(&SB::EraseInDisplay, 2, true), {3, 5}, 0, 0x1000, 2},
    {"ECH", {3, 5}, Do(&SB::EraseCharacter, 1), {3, 5}, 0x11, 0x1011, -1},
};

TEST_F(ScreenBufferTest, BlankStyleTable) {
  for (const BlankCase& c : kBlanks) {
    ScreenBuffer b(layout);
    Ops({Do(&SB::SetVideoBold), Do(&SB::SetVideoReverse), Do(&SB::SetCharSetSpecialGraphics, 1),
         Do(&SB::ShiftOut)})(b);
    MarkRows(b, 24);
    b.CursorPosition(c.start.first + 1, c.start.second + 1);
    c.op(b);
    const ScreenChar* cell = b.Cell(c.blank.first, c.blank.second);
    EXPECT_EQ(cell->GetValue(), L' ') << c.name;
    EXPECT_EQ(cell->GetStyle(), layout.GetStyle(c.mode)) << c.name;
    EXPECT_EQ(c.charSet < 0 ? -1 : cell->GetCharSet(), c.charSet) << c.name;
    b.Select({c.blank.first + 1, c.blank.second + 1}, {c.blank.first + 1, c.blank.second + 1});
    EXPECT_EQ(cell->GetStyle(), layout.GetStyle(c.selMode)) << c.name;
    b.Unselect();
    WriteAt(b, c.blank, L"n");  // the attributes stay bold reverse
    EXPECT_EQ(cell->GetStyle(), layout.GetStyle(0x11))
        << c.name << ": written in mode " << cell->GetStyle()->GetMode();
  }
}

TEST_F(ScreenBufferTest, ErasingKeepsTheSelectionAndOtherChangesDropIt) {
  const std::pair<Op, bool> cases[] = {
      {Do(&SB::EraseInLine, 2), true},      {Do(&SB::EraseInDisplay, 2, false), true},
      {Do(&SB::EraseCharacter, 80), true},  {Do(&SB::PutChar, L'x'), false},
      {Do(&SB::InsertLine, 1), false},      {Do(&SB::DeleteLine, 1), false},
      {Do(&SB::InsertCharacter, 1), false}, {Do(&SB::DeleteCharacter, 1), false},
      {Do(&SB::ScrollLine, SB::Up), false}, {Do(&SB::ScrollLine, SB::Down), false},
  };
  int i = 0;
  for (const auto& [op, kept] : cases) {
    ScreenBuffer b(layout);
    MarkRows(b, 24);
    b.Select({4, 1}, {4, 80});
    b.CursorPosition(4, 1);
    op(b);
    EXPECT_EQ(b.ActiveSelection(), kept) << i;
    EXPECT_EQ(Runs(SelectedCells(b)), kept ? "3:0-79" : "") << i;
    EXPECT_EQ(kept ? RowText(b, 3) : Blanks(80), Blanks(80)) << i++;
  }
}

TEST_F(ScreenBufferTest, EraseInLineTakesTheSaveSlot) {
  buffer.CursorPosition(2, 2);
  buffer.SaveCursor();
  buffer.CursorPosition(10, 10);
  buffer.EraseInLine(0);
  buffer.CursorPosition(5, 5);
  buffer.RestoreCursor();
  EXPECT_EQ(CursorOf(buffer), Pos(9, 9));
}

TEST_F(ScreenBufferTest, ScrollingRegionTable) {
  struct Case {
    int top, bottom, windowRows;
    bool origin;
    int first, last;  // the region's 0-based rows
  };
  const Case cases[] = {{6, 11, 24, false, 5, 10}, {6, 11, 24, true, 5, 10},
                        {5, 5, 24, false, 0, 23},  {10, 3, 24, true, 0, 23},
                        {0, 0, 30, false, 0, 29},  {3, 30, 24, false, 2, 23},
                        {3, 30, 24, true, 2, 23},  {1, 30, 30, false, 0, 29}};
  for (const Case& c : cases) {
    const std::string what = std::to_string(c.top) + "," + std::to_string(c.bottom);
    ScreenBuffer b(layout);
    b.SetWindowSize(c.windowRows, 80, true);
    MarkRows(b, c.windowRows);
    b.CursorPosition(5, 5);
    b.SetOriginMode(c.origin);
    b.SetScrollingRegion(c.top, c.bottom);
    EXPECT_EQ(CursorOf(b), Pos(c.origin ? c.first : 0, 0)) << what;
    b.ScrollLine(SB::Up);
    EXPECT_EQ(Letters(b, c.windowRows), ScrolledUp(c.windowRows, c.first, c.last)) << what;
  }
}

TEST_F(ScreenBufferTest, ScrollRedrawsTheRegionWithADCElseInvalidatesTheParent) {
  kRegion(buffer);
  Lend();
  buffer.ScrollLine(SB::Up);
  EXPECT_EQ(Runs(DrawnPositions()), Runs(Rows(5, 10, 80)));
  surface.Clear();
  buffer.CursorPosition(6, 1);
  buffer.ReverseIndex();
  EXPECT_EQ(Runs(DrawnPositions()), Runs(Rows(5, 10, 80)));
  buffer.SetDC(nullptr);
  surface.Clear();
  buffer.ScrollLine(SB::Down);
  buffer.SetParent(&parent);
  buffer.ScrollLine(SB::Up);
  EXPECT_EQ(parent.InvalidationCount(), 1);
  EXPECT_FALSE(parent.LastInvalidationErased());
  EXPECT_TRUE(surface.Calls().empty());
}

TEST_F(ScreenBufferTest, LineEditingRedrawsTheWholeScreen) {
  for (const Op& op : {Do(&SB::InsertLine, 1), Do(&SB::DeleteLine, 2)}) {
    kRegion(buffer);
    buffer.CursorPosition(8, 5);
    Lend();
    op(buffer);
    EXPECT_EQ(Runs(DrawnPositions()), Runs(Rows(0, 23, 80)));
  }
}

TEST_F(ScreenBufferTest, CharacterEditingDrawsEveryShiftedCellAsItNowIs) {
  for (const Op& op : {Do(&SB::InsertCharacter, 2), Do(&SB::DeleteCharacter, 2)}) {
    WriteAt(buffer, {0, 0}, Pattern());
    buffer.CursorPosition(1, 6);
    Lend();
    op(buffer);
    std::set<Pos> seen;
    const std::vector<Drawn> drawn = DrawnCells();
    for (auto d = drawn.rbegin(); d != drawn.rend(); ++d) {
      // The last drawing of a cell shows what it holds now.
      if (seen.insert(d->at).second) {
        EXPECT_EQ(d->ch, buffer.Cell(0, d->at.second)->GetValue()) << d->at.second;
      }
    }
    EXPECT_EQ(Runs({seen.begin(), seen.end()}), "0:5-79");
  }
}

}  // namespace
