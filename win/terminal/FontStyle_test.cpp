#include "brenmoor/win/FontStyle.h"

#include <gtest/gtest.h>

#include "brenmoor/gdi/RecordingSurface.h"

namespace {

TEST(FontStyleTest, SetStyleReplacesColoursAndFontButKeepsTheMode) {
  CFont a, b;
  FontStyle style(0x11, RGB(1, 2, 3), RGB(4, 5, 6), &a);
  EXPECT_EQ(style.GetMode(), 0x11);
  EXPECT_EQ(style.GetTextColor(), RGB(1, 2, 3));
  EXPECT_EQ(style.GetBackColor(), RGB(4, 5, 6));
  EXPECT_EQ(style.GetFont(), &a);
  style.SetStyle(RGB(7, 8, 9), RGB(10, 11, 12), &b);
  EXPECT_EQ(style.GetMode(), 0x11);
  EXPECT_EQ(style.GetTextColor(), RGB(7, 8, 9));
  EXPECT_EQ(style.GetBackColor(), RGB(10, 11, 12));
  EXPECT_EQ(style.GetFont(), &b);
}

class FontStyleSetupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    LOGFONT description;
    description.lfFaceName[0] = L'F';
    font.CreateFontIndirect(&description);
  }
  RecordingSurface surface;
  CDC dc{surface};
  CFont font;
  FontStyle style{0, RGB(0x10, 0x20, 0x30), RGB(0x40, 0x50, 0x60), &font};
};

TEST_F(FontStyleSetupTest, SetupTextAppliesColoursAndSelectsTheFontWithoutKeepingThePrevious) {
  style.SetupText(&dc);
  EXPECT_EQ(dc.GetTextColor(), RGB(0x10, 0x20, 0x30));
  EXPECT_EQ(dc.GetBkColor(), RGB(0x40, 0x50, 0x60));
  CFont other;
  const LOGFONT otherDescription;
  other.CreateFontIndirect(&otherDescription);
  EXPECT_EQ(dc.SelectObject(&other), &font);
  style.SetupText(&dc);
  EXPECT_EQ(dc.SelectObject(&font), &font);  // nothing put "other" back
}

TEST_F(FontStyleSetupTest, SetupTextReverseSwapsTheColours) {
  style.SetupTextReverse(&dc);
  EXPECT_EQ(dc.GetTextColor(), RGB(0x40, 0x50, 0x60));
  EXPECT_EQ(dc.GetBkColor(), RGB(0x10, 0x20, 0x30));
  dc.TextOut(0, 0, L"x");
  EXPECT_EQ(surface.Calls().at(0).state.font.lfFaceName[0], L'F');
}

}  // namespace
