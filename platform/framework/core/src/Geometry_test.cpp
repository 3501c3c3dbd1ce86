#include <gtest/gtest.h>

#include "brenmoor/core/Geometry.h"

namespace {

TEST(CRectTest, OffsetRectMovesEveryEdgeAndKeepsTheSize) {
  struct Case {
    CRect rect;
    CPoint by;
    CRect moved;
  } cases[] = {
      {{10, 20, 30, 60}, {5, -7}, {15, 13, 35, 53}},
      {{10, 20, 30, 60}, {0, 0}, {10, 20, 30, 60}},
      {{-4, -4, 0, 0}, {-1, 2}, {-5, -2, -1, 2}},
  };
  for (const Case& each : cases) {
    CRect byPoint = each.rect;
    byPoint.OffsetRect(each.by);
    CRect byParts = each.rect;
    byParts.OffsetRect(each.by.x, each.by.y);
    EXPECT_EQ(byPoint, each.moved);
    EXPECT_EQ(byParts, each.moved);
    EXPECT_EQ(byPoint.Size(), each.rect.Size());
  }
}

}  // namespace
