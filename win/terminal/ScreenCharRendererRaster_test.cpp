// The renderer's line drawing as pixels: a cell drawn on the cairo surface
// and read back. The cell is the font's own, as the layout measures it, so
// the blank that paints the background covers it exactly.

#include <gtest/gtest.h>

#include "brenmoor/gdi/FontCaches.h"
#include "brenmoor/gdi/RasterSurface.h"
#include "brenmoor/win/ScreenCharRenderer.h"
#include "brenmoor/win/WinUtils.h"

namespace {

constexpr COLORREF kText = RGB(255, 255, 255);
constexpr COLORREF kBack = RGB(0, 0, 128);
constexpr COLORREF kPaper = RGB(200, 200, 200);
constexpr int kX = 4;
constexpr int kY = 6;

// What LeakSanitizer reports at exit is then a real leak, not a font cache.
class FontCaches : public testing::Environment {
 public:
  void TearDown() override { ReleaseFontCaches(); }
};
const auto* const kFontCaches = testing::AddGlobalTestEnvironment(new FontCaches);

class RasterCellTest : public testing::Test {
 protected:
  void SetUp() override {
    cell_ = WinUtils::CreateFontW(&font_, L"Courier New", -20, false, false, false);
    ScreenCharRenderer::Instance()->SetFontBounds(cell_);
    line_ = cell_.cx / 6;
    cx_ = kX + cell_.cx / 2;
    cy_ = kY + cell_.cy / 2;
  }
  void Draw(wchar_t value) {
    ScreenChar cell;
    cell.Set(value, 2, &style_, &style_);
    ScreenCharRenderer::Instance()->Draw(&dc_, &cell, kX, kY, cell_);
  }
  COLORREF At(int x, int y) const { return surface_.Pixel(x, y); }
  // The pixels a line of the pen's width centred on row or column c covers.
  int First(int c) const { return c - line_ / 2; }
  int Last(int c) const { return c + (line_ - 1) / 2; }

  RasterSurface surface_{40, 50, kPaper};
  CDC dc_{surface_};
  CFont font_;
  FontStyle style_{0, kText, kBack, &font_};
  CSize cell_;
  int line_ = 0;
  int cx_ = 0;
  int cy_ = 0;
};

TEST_F(RasterCellTest, TheCellIsLargeEnoughForTheseChecks) {
  ASSERT_GE(cell_.cx, 12);
  ASSERT_GE(cell_.cy, 20);
  EXPECT_EQ(ScreenCharRenderer::Instance()->GetLineWidth(), cell_.cx / 6);
}

TEST_F(RasterCellTest, ACrossingReachesEveryEdgeOfTheCell) {
  Draw(0x6E);
  for (int y = kY; y < kY + cell_.cy; ++y) {
    EXPECT_EQ(At(First(cx_), y), kText) << y;
    EXPECT_EQ(At(Last(cx_), y), kText) << y;
  }
  for (int x = kX; x < kX + cell_.cx; ++x) {
    EXPECT_EQ(At(x, First(cy_)), kText) << x;
    EXPECT_EQ(At(x, Last(cy_)), kText) << x;
  }
  EXPECT_EQ(At(First(cx_) - 1, kY + 2), kBack);
  EXPECT_EQ(At(Last(cx_) + 1, kY + 2), kBack);
  EXPECT_EQ(At(kX, kY), kBack);
  EXPECT_EQ(At(kX + cell_.cx - 1, kY + cell_.cy - 1), kBack);
  // Lines stop at the cell's far edges.
  EXPECT_EQ(At(kX + cell_.cx, cy_), kPaper);
  EXPECT_EQ(At(cx_, kY + cell_.cy), kPaper);
  EXPECT_EQ(At(kX - 1, cy_), kPaper);
}

TEST_F(RasterCellTest, ACornerDrawsOnlyItsTwoArms) {
  Draw(0x6C);  // upper-left corner: from the bottom edge up to the middle, then right
  EXPECT_EQ(At(cx_, kY + cell_.cy - 1), kText);
  EXPECT_EQ(At(kX + cell_.cx - 1, cy_), kText);
  EXPECT_EQ(At(cx_, kY + 1), kBack);
  EXPECT_EQ(At(kX + 1, cy_), kBack);
}

TEST_F(RasterCellTest, ScanLinesOneAndNineTouchTheTopAndBottom) {
  Draw(0x6F);
  EXPECT_EQ(At(kX, kY), kText);
  EXPECT_EQ(At(kX + cell_.cx - 1, kY), kText);
  EXPECT_EQ(At(cx_, kY + line_ + 1), kBack);
  Draw(0x73);
  EXPECT_EQ(At(kX, kY + cell_.cy - 1), kText);
  EXPECT_EQ(At(cx_, kY + cell_.cy - line_ - 2), kBack);
}

TEST_F(RasterCellTest, TheDiamondIsFilledInTheTextColour) {
  Draw(0x60);
  EXPECT_EQ(At(cx_, cy_), kText);
  EXPECT_EQ(At(cx_ - (cell_.cx / 2 - line_) + 2, cy_), kText);
  EXPECT_EQ(At(kX + 1, kY + 1), kBack);
  EXPECT_EQ(At(kX + cell_.cx - 2, kY + cell_.cy - 2), kBack);
}

}  // namespace
