#include "OffsetSurface.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "brenmoor/gdi/RecordingSurface.h"

namespace {

TEST(OffsetSurface, MovesEveryDrawingCallAndNothingElse) {
  RecordingSurface target({7, 11});
  OffsetSurface page(target, 36, 20);
  DrawState state;
  state.textColour = RGB(1, 2, 3);
  page.TextOut(state, 5, 6, L"A");
  page.Polyline(state, {{0, 0}, {10, 0}});
  page.Polygon(state, {{1, 1}, {2, 1}, {2, 2}});
  page.TextOut(state, INT_MAX - 1, INT_MIN + 1, L"B");
  ASSERT_EQ(target.Calls().size(), 4u);
  EXPECT_EQ(target.Calls()[0].at, CPoint(41, 26));
  EXPECT_EQ(target.Calls()[0].state.textColour, RGB(1, 2, 3));
  EXPECT_EQ(target.Calls()[1].points, (std::vector<CPoint>{{36, 20}, {46, 20}}));
  EXPECT_EQ(target.Calls()[2].points, (std::vector<CPoint>{{37, 21}, {38, 21}, {38, 22}}));
  // Far-off text stays far off rather than wrapping onto the page.
  EXPECT_EQ(target.Calls()[3].at, CPoint(INT_MAX, INT_MIN + 21));
  EXPECT_EQ(page.TextExtent(LOGFONT(), L"abc"), CSize(21, 11));
  EXPECT_FALSE(page.IsPrinting());
  target.SetPrinting(true);
  EXPECT_TRUE(page.IsPrinting());
}

}  // namespace
