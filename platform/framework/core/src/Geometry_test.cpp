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

TEST(CRectTest, IntersectAndUnionKeepEmptyRectanglesOut) {
  struct Case {
    CRect a, b, common, around;
  } cases[] = {
      {{0, 0, 10, 10}, {5, 5, 20, 20}, {5, 5, 10, 10}, {0, 0, 20, 20}},
      {{0, 0, 10, 10}, {10, 0, 20, 10}, {}, {0, 0, 20, 10}},
      {{0, 0, 10, 10}, {}, {}, {0, 0, 10, 10}},
      {{}, {3, 4, 5, 6}, {}, {3, 4, 5, 6}},
      {{-5, -5, 5, 5}, {-2, -8, 2, 8}, {-2, -5, 2, 5}, {-5, -8, 5, 8}},
  };
  for (const Case& each : cases) {
    CRect common, around;
    EXPECT_EQ(common.IntersectRect(each.a, each.b), !each.common.IsRectEmpty());
    EXPECT_EQ(common, each.common);
    around.UnionRect(each.a, each.b);
    EXPECT_EQ(around, each.around);
  }
}

}  // namespace
