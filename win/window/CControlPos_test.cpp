#include "brenmoor/win/CControlPos.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "brenmoor/ui/CStatic.h"
#include "testing/TestParent.h"

namespace {

using Rects = std::vector<std::string>;
enum : int { kMoveX = 1, kMoveDownGrow = 2, kStretchX = 3, kFixed = 4 };

struct Step {
  int width, height;
  Rects expected;  // move-x, move-y and grow-y, stretch-x, fixed
};

// Four controls on a 400 x 300 parent, anchored four ways.
class CControlPosTest : public ::testing::Test {
 protected:
  CControlPosTest() {
    parent.AddChild(kStaticClass, kMoveX, {10, 10, 60, 30});
    parent.AddChild(kStaticClass, kMoveDownGrow, {10, 40, 60, 60});
    parent.AddChild(kStaticClass, kStretchX, {10, 70, 160, 90});
    parent.AddChild(kStaticClass, kFixed, {10, 100, 60, 120});
    positions.SetParent(&parent);
    positions.AddControl(UINT{kMoveX}, AnchorMoveX);
    positions.AddControl(UINT{kMoveDownGrow}, AnchorMoveY | AnchorSizeY);
    positions.AddControl(UINT{kStretchX}, AnchorSizeX);
    positions.AddControl(UINT{kFixed}, 0);
  }
  Rects ResizeTo(int width, int height) {
    parent.Resize(width, height);
    positions.MoveControls();
    return {parent.ChildRect(kMoveX), parent.ChildRect(kMoveDownGrow), parent.ChildRect(kStretchX),
            parent.ChildRect(kFixed)};
  }
  // Resizes the parent step by step; the controls' rectangles after each.
  void ExpectSteps(const std::vector<Step>& steps) {
    for (const Step& step : steps) {
      EXPECT_EQ(ResizeTo(step.width, step.height), step.expected) << step.width << " x " << step.height;
    }
  }
  TestParent parent{{0, 0, 400, 300}};
  CControlPos positions;
};

TEST_F(CControlPosTest, WithoutNegativeMovesTheParentNeverCountsAsSmallerThanAtTheStart) {
  ExpectSteps({
      {300, 300, {"(10,10,60,30)", "(10,40,60,60)", "(10,70,160,90)", "(10,100,60,120)"}},
      {500, 300, {"(110,10,160,30)", "(10,40,60,60)", "(10,70,260,90)", "(10,100,60,120)"}},
      {500, 350, {"(110,10,160,30)", "(10,90,60,160)", "(10,70,260,90)", "(10,100,60,120)"}},
      {400, 250, {"(10,10,60,30)", "(10,40,60,60)", "(10,70,160,90)", "(10,100,60,120)"}},
      {200, 100, {"(10,10,60,30)", "(10,40,60,60)", "(10,70,160,90)", "(10,100,60,120)"}},
      {401, 301, {"(11,10,61,30)", "(10,41,60,62)", "(10,70,161,90)", "(10,100,60,120)"}},
  });
}

TEST_F(CControlPosTest, WithNegativeMovesTheControlsFollowEveryChange) {
  positions.SetNegativeMoves(1);
  EXPECT_EQ(positions.GetNegativeMoves(), 1);
  ExpectSteps({
      {300, 300, {"(-90,10,-40,30)", "(10,40,60,60)", "(10,70,60,90)", "(10,100,60,120)"}},
      {500, 300, {"(110,10,160,30)", "(10,40,60,60)", "(10,70,260,90)", "(10,100,60,120)"}},
      {500, 350, {"(110,10,160,30)", "(10,90,60,160)", "(10,70,260,90)", "(10,100,60,120)"}},
      {400, 300, {"(10,10,60,30)", "(10,40,60,60)", "(10,70,160,90)", "(10,100,60,120)"}},
  });
}

TEST_F(CControlPosTest, AControlRegisteredTwiceMovesTwiceUntilItsFirstRecordIsRemoved) {
  CWnd* fixed = parent.GetDlgItem(kFixed);
  EXPECT_EQ(positions.AddControl(fixed, AnchorMoveX), 1);
  EXPECT_EQ(positions.AddControl(fixed, AnchorMoveY), 1);
  EXPECT_EQ(ResizeTo(420, 310)[3], "(30,110,80,130)");
  EXPECT_EQ(positions.RemoveControl(fixed), 1);  // the record with no anchor
  EXPECT_EQ(ResizeTo(440, 320)[3], "(50,120,100,140)");
  EXPECT_EQ(positions.RemoveControl(UINT{kFixed}), 1);  // the one that moved it right
  EXPECT_EQ(ResizeTo(460, 330)[3], "(50,130,100,150)");
  EXPECT_EQ(positions.RemoveControl(fixed), 1);
  EXPECT_EQ(positions.RemoveControl(fixed), 0);
  EXPECT_EQ(ResizeTo(480, 340)[3], "(50,130,100,150)");
}

TEST_F(CControlPosTest, ResetControlsLeavesEveryControlWhereItIs) {
  positions.ResetControls();
  EXPECT_EQ(ResizeTo(600, 500),
            (Rects{"(10,10,60,30)", "(10,40,60,60)", "(10,70,160,90)", "(10,100,60,120)"}));
}

TEST(CControlPos, RegistrationFailsWithoutAParentOrAControl) {
  TestParent parent{{0, 0, 100, 100}};
  CWnd* label = CWnd::FromHandle(parent.AddChild(kStaticClass, 5, {0, 0, 10, 10}));
  CControlPos positions;
  EXPECT_EQ(positions.AddControl(label, AnchorMoveX), 0);
  EXPECT_EQ(positions.AddControl(UINT{5}, AnchorMoveX), 0);
  EXPECT_EQ(positions.RemoveControl(UINT{5}), 0);
  positions.MoveControls();
  positions.SetParent(&parent);
  EXPECT_EQ(positions.AddControl(nullptr, AnchorMoveX), 0);
  EXPECT_EQ(positions.AddControl(UINT{6}, AnchorMoveX), 0);
  EXPECT_EQ(positions.RemoveControl(UINT{6}), 0);
  EXPECT_EQ(positions.RemoveControl(label), 0);
  EXPECT_EQ(positions.GetNegativeMoves(), 0);
}

}  // namespace
