#include "brenmoor/win/ScreenBuffer.h"

#include <gtest/gtest.h>

#include <tuple>

#include "ScreenBufferTesting.h"

namespace {

using namespace screen_buffer_testing;

const Op kRegion = Do(&SB::SetScrollingRegion, 6, 11);  // rows 5-10

TEST_F(ScreenBufferTest, StartsBlankAt24By80WithTheCursorHome) {
  EXPECT_EQ(std::vector<int>({buffer.NumRows(), buffer.NumColumns(), buffer.MaxRows(),
                              buffer.MaxColumns(), buffer.VisRows(), buffer.VisColumns()}),
            std::vector<int>({24, 80, 24, 132, 24, 80}));
  EXPECT_EQ(CursorOf(buffer), Pos(0, 0));
  EXPECT_FALSE(buffer.GetCursorKeyMode());
  int odd = 0;
  for (int r = 0; r < 24; ++r) {
    for (int c = 0; c < 132; ++c) {
      const ScreenChar* cell = buffer.Cell(r, c);
      odd += !cell || cell->GetValue() != L' ' || cell->GetCharSet() != 0 || cell->IsSelected();
    }
  }
  EXPECT_EQ(odd, 0);
  for (Pos p : {Pos(24, 0), Pos(0, 132), Pos(-1, 0), Pos(0, -1), Pos(INT_MAX, INT_MAX),
                Pos(INT_MIN, INT_MIN)}) {
    EXPECT_EQ(buffer.Cell(p.first, p.second), nullptr) << p.first << "," << p.second;
    EXPECT_FALSE(buffer.IsValid(p.first, p.second)) << p.first << "," << p.second;
  }
  EXPECT_TRUE(buffer.IsValid(0, 0) && buffer.IsValid(23, 79));
}

TEST_F(ScreenBufferTest, WritingPastTheLastColumnOverwritesItOrWrapsAndScrolls) {
  MarkRows(buffer, 24);
  WriteAt(buffer, {0, 0}, std::wstring(80, L'a') + L"Z");
  EXPECT_EQ(RowText(buffer, 0), std::wstring(79, L'a') + L"Z");
  EXPECT_EQ(CursorOf(buffer), Pos(0, 80));
  buffer.CarriageReturn();
  EXPECT_EQ(buffer.GetCol(), 1);
  buffer.SetAutoWrapMode(true);
  WriteAt(buffer, {2, 0}, std::wstring(80, L'a') + L"Z");
  EXPECT_EQ(RowText(buffer, 3, 0, 2), L"ZD");
  EXPECT_EQ(CursorOf(buffer), Pos(3, 1));
  kRegion(buffer);
  WriteAt(buffer, {10, 0}, std::wstring(80, L'z') + L"!");  // the region scrolls before the wrap
  EXPECT_EQ(Letters(buffer), "?Ba?EGHIJz?LMNOPQRSTUVWX");
  EXPECT_EQ(RowText(buffer, 10), L"!" + std::wstring(79, L' '));
  EXPECT_EQ(CursorOf(buffer), Pos(10, 1));
}

struct CursorCase {
  const char* name;
  Op setup;
  Pos start;
  bool origin;  // switched on after the start is set
  Op op;
  Pos expected;
};

const Op kTab = Do(&SB::CursorHorizontalTab, 1);
const Op kStopAt5 = Ops({Do(&SB::HorizontalPositionAbs, 6), Do(&SB::HorizontalTabSet)});

const CursorCase kCursorCases[] = {
    {"CUU above region", kRegion, {2, 3}, false, Do(&SB::CursorUp, 5), {0, 3}},
    {"CUU stops at top", kRegion, {6, 3}, false, Do(&SB::CursorUp, 5), {5, 3}},
    {"CUD stops at bottom", kRegion, {8, 3}, false, Do(&SB::CursorDown, 5), {10, 3}},
    {"CUD below region", kRegion, {21, 3}, false, Do(&SB::CursorDown, 5), {23, 3}},
    {"CUU huge", {}, {10, 3}, false, Do(&SB::CursorUp, INT_MAX), {0, 3}},
    {"CUD huge", {}, {10, 3}, false, Do(&SB::CursorDown, 2000000000), {23, 3}},
    {"CUF", {}, {0, 10}, false, Do(&SB::CursorForward, 5), {0, 15}},
    {"CUF huge", {}, {0, 77}, false, Do(&SB::CursorForward, INT_MAX), {0, 79}},
    {"CUF on last column", {}, {4, 79}, false, Do(&SB::CursorForward, 1), {4, 79}},
    {"CUB", {}, {0, 3}, false, Do(&SB::CursorBackward, 5), {0, 0}},
    {"CUB huge", {}, {0, 3}, false, Do(&SB::CursorBackward, INT_MAX), {0, 0}},
    {"CUP", {}, {0, 0}, false, Do(&SB::CursorPosition, 5, 7), {4, 6}},
    {"CUP clamps", {}, {0, 0}, false, Do(&SB::CursorPosition, 50, 200), {23, 79}},
    {"CUP extremes", {}, {5, 5}, false, Do(&SB::CursorPosition, INT_MIN, INT_MAX), {0, 79}},
    {"CUP extremes 2", {}, {5, 5}, false, Do(&SB::CursorPosition, INT_MAX, INT_MIN), {23, 0}},
    {"CUP origin", kRegion, {0, 0}, true, Do(&SB::CursorPosition, 1, 1), {5, 0}},
    {"CUP origin clamps", kRegion, {0, 0}, true, Do(&SB::CursorPosition, 50, 200), {10, 79}},
    {"relative", {}, {5, 5}, false, Do(&SB::CursorPositionRel, 2, 3), {7, 8}},
    {"HPA", {}, {3, 3}, false, Do(&SB::HorizontalPositionAbs, 10), {3, 9}},
    {"HPA clamps", {}, {3, 3}, false, Do(&SB::HorizontalPositionAbs, 200), {3, 79}},
    {"VPA clamps", {}, {3, 3}, false, Do(&SB::VerticalPositionAbs, 200), {23, 3}},
    {"VPA ignores origin", kRegion, {7, 4}, true, Do(&SB::VerticalPositionAbs, 3), {2, 4}},
    {"HPR", {}, {3, 5}, false, Do(&SB::HorizontalPositionRel, 3), {3, 8}},
    {"HPR clamps", {}, {3, 5}, false, Do(&SB::HorizontalPositionRel, 200), {3, 79}},
    {"VPR clamps to screen", kRegion, {7, 4}, false, Do(&SB::VerticalPositionRel, 100), {23, 4}},
    {"CNL", {}, {5, 5}, false, Do(&SB::CursorNextLine, 2), {7, 0}},
    {"CPL", {}, {5, 5}, false, Do(&SB::CursorPreviousLine, 2), {3, 0}},
    {"CR", {}, {5, 5}, false, Do(&SB::CarriageReturn), {5, 0}},
    {"home down", kRegion, {3, 5}, false, Do(&SB::CursorHomeDown), {23, 0}},
    {"IND", {}, {5, 5}, false, Do(&SB::Index), {6, 5}},
    {"IND on bottom", kRegion, {10, 5}, false, Do(&SB::Index), {10, 5}},
    {"IND on last row", kRegion, {23, 5}, false, Do(&SB::Index), {23, 5}},
    {"NEL", {}, {5, 5}, false, Do(&SB::NextLine), {6, 0}},
    {"RI", {}, {5, 5}, false, Do(&SB::ReverseIndex), {4, 5}},
    {"RI on top", kRegion, {5, 5}, false, Do(&SB::ReverseIndex), {5, 5}},
    {"RI on row 0", kRegion, {0, 5}, false, Do(&SB::ReverseIndex), {0, 5}},
    {"HT", {}, {0, 0}, false, Do(&SB::CursorHorizontalTab, 1), {0, 8}},
    {"HT from 79", {}, {0, 79}, false, Do(&SB::CursorHorizontalTab, 1), {0, 80}},
    {"HT 3 from 70", {}, {0, 70}, false, Do(&SB::CursorHorizontalTab, 3), {0, 79}},
    {"HT huge", {}, {0, 0}, false, Do(&SB::CursorHorizontalTab, 2000000000), {0, 79}},
    {"CBT", {}, {0, 20}, false, Do(&SB::CursorBackwardTab, 1), {0, 16}},
    {"CBT 2 from 3", {}, {0, 3}, false, Do(&SB::CursorBackwardTab, 2), {0, 0}},
    {"CBT huge", {}, {0, 50}, false, Do(&SB::CursorBackwardTab, INT_MAX), {0, 0}},
    {"no stops", Do(&SB::TabulationClear, 3), {0, 0}, false, kTab, {0, 79}},
    {"stop cleared", Ops({Do(&SB::HorizontalPositionAbs, 9), Do(&SB::TabulationClear, 0)}), {0, 0},
     false, kTab, {0, 16}},
    {"stop set", kStopAt5, {0, 0}, false, kTab, {0, 5}},
    {"back to a set stop", kStopAt5, {0, 7}, false, Do(&SB::CursorBackwardTab, 1), {0, 5}},
    {"80-column stops after reset",
     Ops({Do(&SB::ResetToInitialState), Do(&SB::SetColumnMode, true)}), {0, 72}, false, kTab,
     {0, 131}},
};

TEST_F(ScreenBufferTest, CursorOperationTable) {
  for (const CursorCase& c : kCursorCases) {
    ScreenBuffer b(layout);
    if (c.setup) c.setup(b);
    b.CursorPosition(c.start.first + 1, c.start.second + 1);
    b.SetOriginMode(c.origin);
    c.op(b);
    EXPECT_EQ(CursorOf(b), c.expected) << c.name;
  }
}

TEST_F(ScreenBufferTest, DefaultTabStopsEveryEightColumns) {
  std::vector<int> seen;
  for (int i = 0; i < 11; ++i, buffer.CursorHorizontalTab(1)) seen.push_back(buffer.GetCol() - 1);
  EXPECT_EQ(seen, (std::vector<int>{0, 8, 16, 24, 32, 40, 48, 56, 64, 72, 79}));
}

TEST_F(ScreenBufferTest, RestoreCursorBringsBackPositionVideoAndCharacterSet) {
  buffer.SetCharSetSpecialGraphics(1);
  buffer.CursorPosition(3, 3);
  buffer.SaveCursor();
  buffer.SetVideoBold();
  buffer.ShiftOut();
  buffer.CursorPosition(9, 9);
  buffer.RestoreCursor();
  EXPECT_EQ(CursorOf(buffer), Pos(2, 2));
  buffer.PutChar(L'q');
  EXPECT_EQ(buffer.Cell(2, 2)->GetStyle(), layout.GetStyle(0));
  EXPECT_EQ(buffer.Cell(2, 2)->GetCharSet(), 0);
}

TEST_F(ScreenBufferTest, CharacterSetTable) {
  const Op kSO = Do(&SB::ShiftOut);
  const std::pair<Op, int> cases[] = {
      {Ops({Do(&SB::SetCharSetSpecialGraphics, 1), Do(&SB::ShiftOut)}), 2},
      {Do(&SB::SetCharSetSpecialGraphics, 1), 0},
      {Do(&SB::SetCharSetUK_National, 0), 1},
      {Do(&SB::SetCharSetExtendedGraphics, 0), 3},
      {Ops({Do(&SB::SetCharSetSpecialGraphics, 0), Do(&SB::ShiftOut), Do(&SB::ShiftIn)}), 2},
      {Ops({Do(&SB::SetCharSetUK_National, 0), Do(&SB::SetCharSetUS_ASCII, 0)}), 0},
      {Ops({Do(&SB::SetCharSetSpecialGraphics, 2), Do(&SB::SetCharSetUK_National, 3)}), 0},
      {Ops({Do(&SB::SetCharSetSpecialGraphics, 4), Do(&SB::SetCharSetUK_National, -1), kSO}), 0},
      {Ops({Do(&SB::SetCharSetExtendedGraphics, INT_MAX), Do(&SB::SetCharSetUK_National, INT_MIN),
            Do(&SB::SetCharSetUS_ASCII, INT_MIN + 1), kSO}), 0},
  };
  int i = 0;
  for (const auto& [setup, charSet] : cases) {
    ScreenBuffer b(layout);
    setup(b);
    b.PutChar(L'q');
    EXPECT_EQ(b.Cell(0, 0)->GetValue(), L'q') << i;
    EXPECT_EQ(b.Cell(0, 0)->GetCharSet(), charSet) << i++;
  }
}

TEST_F(ScreenBufferTest, VideoAttributesPickTheLayoutsStyles) {
  const Op set[] = {Do(&SB::SetVideoBold), Do(&SB::SetVideoSubdued), Do(&SB::SetVideoUnderlined),
                    Do(&SB::SetVideoBlinking), Do(&SB::SetVideoReverse)};
  const Op reset[] = {Do(&SB::ResetVideoBold), Do(&SB::ResetVideoSubdued),
                      Do(&SB::ResetVideoUnderlined), Do(&SB::ResetVideoBlinking),
                      Do(&SB::ResetVideoReverse)};
  // Set, then reset, bits; 0x1F resets through ResetVideo. Subdued blinking (0x0A) has no style.
  const std::pair<int, int> cases[] = {{0x00, 0},    {0x01, 0},    {0x02, 0},    {0x04, 0},
                                       {0x08, 0},    {0x10, 0},    {0x15, 0},    {0x0A, 0},
                                       {0x11, 0x01}, {0x06, 0x02}, {0x18, 0x10}, {0x0C, 0x04},
                                       {0x0A, 0x08}, {0x11, 0x1F}};
  ASSERT_EQ(layout.GetStyle(0x0A), layout.GetStyle(0));
  for (const auto& [on, off] : cases) {
    ScreenBuffer b(layout);
    for (int bit = 0; bit < 5; ++bit) {
      if (on & (1 << bit)) set[bit](b);
    }
    for (int bit = 0; bit < 5; ++bit) {
      if (off != 0x1F && (off & (1 << bit))) reset[bit](b);
    }
    if (off == 0x1F) b.ResetVideo();
    const int mode = on & ~off;
    b.PutChar(L'v');
    EXPECT_EQ(b.Cell(0, 0)->GetStyle(), layout.GetStyle(mode)) << on << " " << off;
    b.Select({1, 1}, {1, 1});
    EXPECT_EQ(b.Cell(0, 0)->GetStyle(), layout.GetSelStyle(mode)) << on << " " << off;
  }
}

TEST_F(ScreenBufferTest, ColumnModeClearsAndHomesAndResetsKeepIt) {
  for (const Op& reset : {Do(&SB::ResetToInitialState), Do(&SB::SoftTerminalReset)}) {
    ScreenBuffer b(layout);
    for (bool wide : {true, false}) {
      WriteAt(b, {4, 4}, L"x");
      b.SetColumnMode(wide);
      EXPECT_EQ(b.NumColumns(), wide ? 132 : 80);
      EXPECT_EQ(b.Cell(4, 4)->GetValue(), L' ');
      EXPECT_EQ(CursorOf(b), Pos(0, 0));
      if (wide) reset(b);
      EXPECT_EQ(b.NumColumns(), wide ? 132 : 80);
    }
  }
}

TEST_F(ScreenBufferTest, ResetsRestoreVideoCharacterSetsOriginAndRegion) {
  for (const Op& reset : {Do(&SB::ResetToInitialState), Do(&SB::SoftTerminalReset)}) {
    ScreenBuffer b(layout);
    Ops({Do(&SB::SetVideoBold), Do(&SB::SetVideoReverse), Do(&SB::SetCharSetUK_National, 0),
         Do(&SB::SetCharSetSpecialGraphics, 1), Do(&SB::ShiftOut), kRegion,
         Do(&SB::SetOriginMode, true), reset})(b);
    WriteAt(b, {23, 0}, L"q");
    EXPECT_EQ(b.Cell(23, 0)->GetStyle(), layout.GetStyle(0));
    EXPECT_EQ(b.Cell(23, 0)->GetCharSet(), 0);
    b.Index();
    EXPECT_EQ(b.Cell(22, 0)->GetValue(), L'q');
  }
  WriteAt(buffer, {5, 5}, L"abc");
  buffer.ResetToInitialState();
  EXPECT_EQ(CursorOf(buffer), Pos(0, 0));
  EXPECT_EQ(RowText(buffer, 5, 5, 3), L"   ");
}

TEST_F(ScreenBufferTest, WindowSizeTableAndRefreshDrawsEveryVisibleCellOnly) {
  struct Case {
    int rows, cols;
    bool spare, autoWrap;
    int maxRows, visRows, visCols;  // maxRows 0: not checked
  };
  const Case cases[] = {{30, 100, true, false, 34, 30, 80}, {30, 100, true, true, 34, 30, 100},
                        {30, 200, false, true, 0, 30, 132}, {10, 60, true, true, 0, 24, 80},
                        {24, 80, true, true, 0, 24, 80}};
  for (const Case& c : cases) {
    ScreenBuffer b(layout);
    b.SetAutoWrapMode(c.autoWrap);
    b.SetWindowSize(c.rows, c.cols, c.spare);
    const std::string what =
        std::to_string(c.rows) + "x" + std::to_string(c.cols) + (c.autoWrap ? " wrap" : "");
    EXPECT_EQ(c.maxRows ? b.MaxRows() : 0, c.maxRows) << what;
    EXPECT_EQ(Pos(b.VisRows(), b.VisColumns()), Pos(c.visRows, c.visCols)) << what;
    surface.Clear();
    b.Refresh(&dc);
    EXPECT_EQ(Runs(DrawnPositions()), Runs(Rows(0, c.visRows - 1, c.visCols))) << what;
  }
}

TEST_F(ScreenBufferTest, TheRegionBottomFollowsTheWindowAndShrinkingScrollsTheCursorIntoView) {
  MarkRows(buffer, 24);
  kRegion(buffer);
  buffer.SetWindowSize(30, 80, true);
  buffer.ScrollLine(SB::Up);
  EXPECT_EQ(Letters(buffer), ScrolledUp(24, 5, 10));  // a region above the bottom stays

  ScreenBuffer b(layout);
  b.SetWindowSize(30, 80, true);
  MarkRows(b, 30);
  ASSERT_EQ(b.GetRow(), 30);
  b.Index();
  EXPECT_EQ(Letters(b, 30), ScrolledUp(30, 0, 29));
  b.SetWindowSize(26, 80, true);
  EXPECT_EQ(b.GetRow(), 26);
  EXPECT_EQ(Letters(b, 26), "FGHIJKLMNOPQRSTUVWXYZ[\\]^ ");
  b.Index();
  EXPECT_EQ(Letters(b, 26), "GHIJKLMNOPQRSTUVWXYZ[\\]^  ");
}

TEST_F(ScreenBufferTest, WritingDrawsTheCellInItsStyleOnlyWithADC) {
  Lend();
  buffer.SetVideoBold();
  buffer.SetVideoReverse();
  WriteAt(buffer, {2, 3}, L"A");
  EXPECT_EQ(surface.Lines(), (std::vector<std::string>{"text (30,40) 'A' 0000a1 0000a0 opaque",
                                                       "text (31,40) 'A' 0000a1 0000a0 "
                                                       "transparent"}));
  surface.Clear();
  buffer.ResetVideo();
  WriteAt(buffer, {0, 0}, std::wstring(80, L'a') + L"Z");
  const std::vector<Drawn> drawn = DrawnCells();
  ASSERT_EQ(drawn.size(), 81u);
  EXPECT_EQ(drawn.back().at, Pos(0, 79));
  EXPECT_EQ(drawn.back().ch, L'Z');
  EXPECT_EQ(std::make_pair(drawn.back().text, drawn.back().back),
            std::make_pair(kNormalText, kNormalBack));
  buffer.SetDC(nullptr);
  surface.Clear();
  Write(buffer, L"xyz");
  buffer.Refresh(nullptr);
  EXPECT_TRUE(surface.Calls().empty());
}

TEST_F(ScreenBufferTest, RefreshDrawsEachCellInItsStyle) {
  WriteAt(buffer, {0, 0}, L"H");
  buffer.SetVideoReverse();
  Write(buffer, L"i");
  buffer.Refresh(&dc);
  const std::vector<Drawn> drawn = DrawnCells();
  ASSERT_EQ(drawn.size(), 24u * 80u);
  EXPECT_EQ(std::make_tuple(drawn[0].ch, drawn[0].text, drawn[0].back),
            std::make_tuple(L'H', kNormalText, kNormalBack));
  EXPECT_EQ(std::make_tuple(drawn[1].ch, drawn[1].text, drawn[1].back),
            std::make_tuple(L'i', kNormalBack, kNormalText));
}

// Every operation taking a number, with numbers a host may pass by mistake,
// from the ends of the screen, with a selection shown and a dc lent.
TEST_F(ScreenBufferTest, BadNumbersKeepEverythingOnTheScreenAndFinish) {
  using IntOp = void (SB::*)(int);
  const std::pair<const char*, IntOp> ops[] = {
      {"CUU", &SB::CursorUp},           {"CUD", &SB::CursorDown},
      {"CUF", &SB::CursorForward},      {"CUB", &SB::CursorBackward},
      {"HPA", &SB::HorizontalPositionAbs}, {"HPR", &SB::HorizontalPositionRel},
      {"VPA", &SB::VerticalPositionAbs}, {"VPR", &SB::VerticalPositionRel},
      {"CNL", &SB::CursorNextLine},     {"CPL", &SB::CursorPreviousLine},
      {"CHT", &SB::CursorHorizontalTab}, {"CBT", &SB::CursorBackwardTab},
      {"TBC", &SB::TabulationClear},    {"ICH", &SB::InsertCharacter},
      {"DCH", &SB::DeleteCharacter},    {"IL", &SB::InsertLine},
      {"DL", &SB::DeleteLine},          {"ECH", &SB::EraseCharacter},
      {"EL", &SB::EraseInLine},
  };
  std::vector<std::pair<std::string, Op>> all;
  for (const auto& [name, op] : ops) {
    for (int n : kBadCounts) all.emplace_back(name + (" " + std::to_string(n)), Do(op, n));
  }
  for (int n : kBadCounts) {
    const std::string v = std::to_string(n);
    all.emplace_back("CUP " + v, Do(&SB::CursorPosition, n, n));
    all.emplace_back("CUP rel " + v, Do(&SB::CursorPositionRel, n, -(n / 2)));
    all.emplace_back("ED " + v, Do(&SB::EraseInDisplay, n, false));
    all.emplace_back("ED band " + v, Do(&SB::EraseInDisplay, n, true));
    all.emplace_back("STBM top " + v, Do(&SB::SetScrollingRegion, n, 24));
    all.emplace_back("STBM bottom " + v, Do(&SB::SetScrollingRegion, 2, n));
    all.emplace_back("select " + v, Do(&SB::Select, CursorPos(n, n), CursorPos(3, 3)));
    all.emplace_back("select to " + v, Do(&SB::Select, CursorPos(2, 2), CursorPos(n, -(n / 2))));
  }
  Lend();
  for (const auto& [name, op] : all) {
    for (const auto& [start, origin] : {std::pair(Pos(0, 0), false), std::pair(Pos(7, 40), true),
                                        std::pair(Pos(23, 80), false),
                                        std::pair(Pos(23, 80), true)}) {
      buffer.SetOriginMode(origin);
      buffer.SetScrollingRegion(6, 11);
      buffer.Select({2, 5}, {3, 8});
      buffer.CursorPosition(start.first + 1, std::min(start.second, 79) + 1);
      if (start.second == 80) buffer.PutChar(L'p');
      surface.Clear();
      op(buffer);
      (void)buffer.SelectedText();
      ExpectInside(name);
      buffer.PutChar(L'x');
      buffer.Unselect();
      ExpectInside(name + " and on");
    }
  }
}

TEST_F(ScreenBufferTest, EmptyAndHugeWindowsStaySound) {
  buffer.SetAutoWrapMode(true);
  for (Pos size : {Pos(0, 0), Pos(-5, -5), Pos(100000, 100000), Pos(1, 1)}) {
    const std::string what = std::to_string(size.first);
    buffer.SetWindowSize(size.first, size.second, true);
    EXPECT_GE(buffer.VisRows(), 24) << what;
    EXPECT_LE(buffer.VisColumns(), 132) << what;
    EXPECT_GE(buffer.MaxRows(), buffer.VisRows()) << what;
    buffer.CursorDown(INT_MAX);
    buffer.CursorForward(INT_MAX);
    Write(buffer, L"xy");
    ExpectInside(what);
    EXPECT_NE(buffer.Cell(buffer.VisRows() - 1, buffer.VisColumns() - 1), nullptr) << what;
  }
}

}  // namespace

namespace screen_buffer_testing {

TEST_F(ScreenBufferTest, TurningAutoWrapOffMovesTheCursorIntoTheNarrowerScreen) {
  buffer.SetWindowSize(24, 120, false);
  buffer.SetAutoWrapMode(true);
  buffer.HorizontalPositionRel(0);
  for (int i = 0; i < 110; ++i) buffer.PutChar(L'x');
  EXPECT_EQ(buffer.GetCol(), 111);
  buffer.SetAutoWrapMode(false);
  EXPECT_EQ(buffer.VisColumns(), 80);
  EXPECT_EQ(buffer.GetCol(), 81);
  buffer.PutChar(L'y');
  EXPECT_EQ(buffer.Cell(0, 79)->GetValue(), L'y');
}

}  // namespace screen_buffer_testing
