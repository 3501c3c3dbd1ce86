#include "brenmoor/grid/CGXGridCore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "brenmoor/gdi/CDC.h"
#include "brenmoor/docview/CPrintInfo.h"
#include "brenmoor/gdi/FontCaches.h"
#include "brenmoor/gdi/RecordingSurface.h"

namespace {

class Grid : public CGXGridCore {
 public:
  std::vector<std::string> scrollBars;

 protected:
  void ShowScrollBar(UINT bar, BOOL show) override {
    scrollBars.push_back(std::string(bar == SB_VERT ? "vertical " : "horizontal ") + (show ? "on" : "off"));
  }
  CRect GetGridClientRect() const override { return {0, 0, 200, 100}; }
};

// The grid measures its rows with the screen's fonts; their caches go with each test.
class GridCore : public testing::Test {
 protected:
  void TearDown() override { ReleaseFontCaches(); }
};

std::vector<std::string> Row(const CGXGridCore& grid, ROWCOL row) {
  std::vector<std::string> cells;
  for (ROWCOL col = 0; col <= grid.GetColCount(); ++col) cells.push_back(grid.GetValueRowCol(row, col).ToUtf8());
  return cells;
}

TEST_F(GridCore, CellsKeepTheirValuesWhileTheGridGrowsAndShrinks) {
  Grid grid;
  grid.SetRowCount(2);
  grid.SetColCount(2);
  EXPECT_TRUE(grid.SetValueRange(CGXRange(1, 1, 2, 2), L"v"));
  EXPECT_TRUE(grid.SetValueRange(CGXRange(0, 2), L"H2"));
  EXPECT_FALSE(grid.SetValueRange(CGXRange(3, 1), L"beyond"));
  grid.SetColCount(3);
  EXPECT_EQ(Row(grid, 0), (std::vector<std::string>{"", "", "H2", ""}));
  EXPECT_EQ(Row(grid, 2), (std::vector<std::string>{"", "v", "v", ""}));
  grid.SetRowCount(1);
  grid.SetRowCount(2);
  EXPECT_EQ(Row(grid, 2), (std::vector<std::string>{"", "", "", ""}));
  EXPECT_EQ(grid.GetValueRowCol(9, 9).ToUtf8(), "");
}

TEST_F(GridCore, ValueChangesCanBeTakenBackOnlyWhileUndoIsOn) {
  Grid grid;
  grid.SetRowCount(1);
  grid.SetColCount(1);
  grid.SetValueRange(CGXRange(1, 1), L"first");
  grid.SetValueRange(CGXRange(1, 1), L"second");
  grid.GetParam()->EnableUndo(false);
  grid.SetValueRange(CGXRange(1, 1), L"third");
  EXPECT_EQ(grid.GetUndoCount(), 2);
  EXPECT_TRUE(grid.Undo());
  EXPECT_EQ(grid.GetValueRowCol(1, 1).ToUtf8(), "first");
  EXPECT_TRUE(grid.Undo());
  EXPECT_EQ(grid.GetValueRowCol(1, 1).ToUtf8(), "");
  EXPECT_FALSE(grid.Undo());
}

TEST_F(GridCore, HiddenColumnsHaveNoWidthAndScrollBarsFollowTheSize) {
  Grid grid;
  grid.SetColCount(2);
  EXPECT_EQ(grid.scrollBars.back(), "vertical off");
  EXPECT_EQ(grid.scrollBars[grid.scrollBars.size() - 2], "horizontal off");  // 3 columns of 64 fit in 200
  grid.SetColCount(3);
  EXPECT_EQ(grid.scrollBars[grid.scrollBars.size() - 2], "horizontal on");
  grid.HideCols(0, 0);
  EXPECT_EQ(grid.GetColWidth(0), 0);
  EXPECT_TRUE(grid.IsColHidden(0));
  EXPECT_EQ(grid.scrollBars[grid.scrollBars.size() - 2], "horizontal off");
  grid.SetRowCount(20);
  EXPECT_EQ(grid.scrollBars.back(), "vertical on");
  EXPECT_FALSE(grid.SetColWidth(2, 9, 10));
}

TEST_F(GridCore, FittedWidthsShrinkOnlyWhenAllowed) {
  RecordingSurface oneUnitACharacter(CSize{1, 16});
  CScreenDC::Substitute screen(oneUnitACharacter);
  Grid grid;
  grid.SetRowCount(1);
  grid.SetColCount(1);
  grid.SetValueRange(CGXRange(1, 1), L"abc");
  grid.SetColWidth(1, 1, 50);
  grid.ResizeColWidthsToFit(CGXRange(0, 1, 1, 1), false);
  EXPECT_EQ(grid.GetColWidth(1), 50);
  grid.ResizeColWidthsToFit(CGXRange(0, 1, 1, 1), true);
  EXPECT_EQ(grid.GetColWidth(1), 10);  // the text and 3 on each side and the line
}

TEST_F(GridCore, PagesAreBandsOfRowsTimesBandsOfColumns) {
  RecordingSurface oneUnitACharacter(CSize{1, 16});
  CDC dc(oneUnitACharacter);
  Grid grid;
  grid.SetRowCount(10);
  grid.SetColCount(3);
  grid.HideCols(0, 0);
  grid.SetColWidth(1, 3, 60);
  grid.GetParam()->GetProperties()->SetMargins(10, 10, 10, 10);
  CPrintInfo info;
  // 22 units a row: the heading row and 3 rows fit 100 - 20; 2 columns fit 140 - 20.
  info.m_rectDraw = {0, 0, 140, 100};
  grid.OnGridBeginPrinting(&dc, &info);
  EXPECT_EQ(info.GetMaxPage(), 8u);
  info.m_nCurPage = 8;
  grid.OnGridPrepareDC(&dc, &info);
  EXPECT_TRUE(info.m_bContinuePrinting);
  info.m_nCurPage = 9;
  grid.OnGridPrepareDC(&dc, &info);
  EXPECT_FALSE(info.m_bContinuePrinting);
}

}  // namespace
