#include "brenmoor/win/CColorStatusBar.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

#include "brenmoor/gdi/RecordingSurface.h"
#include "brenmoor/windowing/WindowPainter.h"
#include "testing/TestParent.h"

namespace {

using Lines = std::vector<std::string>;

class CColorStatusBarTest : public ::testing::Test {
 protected:
  CColorStatusBarTest() {
    bar.Create(&parent);
    const UINT panes[] = {ID_SEPARATOR, ID_SEPARATOR};
    bar.SetIndicators(panes, 2);
    bar.SetPaneWidth(1, 60);
  }
  Lines Painted() {
    RecordingSurface surface;
    CDC dc(surface);
    PaintWindow(parent.m_hWnd, dc);
    painted = surface.Calls();
    return surface.Lines();
  }
  TestParent parent{{0, 0, 300, 100}};
  CColorStatusBar bar;
  std::vector<RecordingSurface::Call> painted;
};

TEST_F(CColorStatusBarTest, OnlyTheFirstPaneIsPaintedWhiteOnNavyWithABlankAfterIt) {
  bar.SetPaneText(0, L"Ready");
  bar.SetPaneText(1, L"NUM");
  EXPECT_EQ(Painted(), (Lines{"text (0,83) 'Ready ' ffffff 800000 opaque"}));
  EXPECT_STREQ(painted[0].state.font.lfFaceName, L"Tahoma");
}

TEST_F(CColorStatusBarTest, TheBarsOwnFontIsTheOneDrawnWith) {
  CFont font;
  LOGFONT description;
  description.lfHeight = -20;
  std::wcsncpy(description.lfFaceName, L"Courier", LF_FACESIZE - 1);
  font.CreateFontIndirect(&description);
  bar.SetFont(&font);
  bar.SetPaneText(0, L"Connected");
  EXPECT_EQ(Painted(), (Lines{"text (0,83) 'Connected ' ffffff 800000 opaque"}));
  EXPECT_STREQ(painted[0].state.font.lfFaceName, L"Courier");
  EXPECT_EQ(painted[0].state.font.lfHeight, -20);
}

TEST_F(CColorStatusBarTest, AnEmptyFirstPanePaintsNothing) {
  bar.SetPaneText(1, L"NUM");
  EXPECT_EQ(Painted(), Lines{});
}

}  // namespace
