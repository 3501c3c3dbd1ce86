#include "brenmoor/ui/CStatusBar.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "brenmoor/app/CWinApp.h"
#include "brenmoor/gdi/RecordingSurface.h"
#include "brenmoor/windowing/WindowPainter.h"

namespace {

using Lines = std::vector<std::string>;

std::string Text(const CRect& r) {
  return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom) + ")";
}

class CStatusBarTest : public ::testing::Test {
 protected:
  CStatusBarTest() {
    app.RegisterString(501, L"NUM");
    frame.Create(kGenericWindowClass, L"", 0, {0, 0, 300, 100}, nullptr, 0);
    bar.Create(&frame);
  }
  CWinApp app{L"Host"};
  CWnd frame;
  CStatusBar bar;
};

TEST_F(CStatusBarTest, LiesAlongTheBottomWithTheIndicatorsTextsAndTheFirstPaneStretching) {
  RecordingSurface screen;  // 8 pixels a character
  const CScreenDC::Substitute measuring(screen);
  CRect rect;
  bar.GetWindowRect(&rect);
  EXPECT_EQ(Text(rect), "(0,80,300,100)");
  EXPECT_EQ(bar.GetDlgCtrlID(), static_cast<int>(AFX_IDW_STATUS_BAR));
  const UINT panes[] = {ID_SEPARATOR, 501, 502};
  ASSERT_TRUE(bar.SetIndicators(panes, 3));
  bar.SetPaneWidth(2, 40);
  Lines seen;
  for (int i = 0; i < bar.GetCount(); ++i) {
    bar.GetItemRect(i, &rect);
    seen.push_back(Text(rect) + " '" + bar.GetPaneText(i).ToUtf8() + "'");
  }
  // No string 502: an empty pane of the width given.
  EXPECT_EQ(seen, (Lines{"(0,2,226,20) ''", "(228,2,258,20) 'NUM'", "(260,2,300,20) ''"}));
  EXPECT_TRUE(bar.SetPaneText(2, L"OVR"));
  EXPECT_EQ(bar.GetPaneText(2), L"OVR");
  EXPECT_FALSE(bar.SetPaneText(3, L"none"));
  EXPECT_EQ(bar.GetPaneText(3), L"");
  EXPECT_FALSE(bar.SetIndicators(panes, 0));
}

TEST_F(CStatusBarTest, PaintsEachPaneSunkenWithItsText) {
  const UINT panes[] = {ID_SEPARATOR, ID_SEPARATOR};
  bar.SetIndicators(panes, 2);
  bar.SetPaneWidth(1, 50);
  bar.SetPaneText(0, L"Ready");
  bar.SetPaneText(1, L"NUM");
  RecordingSurface surface;
  CDC dc(surface);
  PaintWindow(bar.m_hWnd, dc);
  EXPECT_EQ(surface.Lines(), (Lines{
                                 "polygon w1 s0 cc8d0d4 bc8d0d4 (0,0)-(299,0)-(299,19)-(0,19)",
                                 "polygon w1 s0 c808080 b808080 (0,2)-(246,2)-(246,2)-(0,2)",
                                 "polygon w1 s0 c808080 b808080 (0,2)-(0,2)-(0,18)-(0,18)",
                                 "polygon w1 s0 cffffff bffffff (247,2)-(247,2)-(247,19)-(247,19)",
                                 "polygon w1 s0 cffffff bffffff (0,19)-(247,19)-(247,19)-(0,19)",
                                 "text (3,5) 'Ready' 000000 ffffff transparent",
                                 "polygon w1 s0 c808080 b808080 (250,2)-(298,2)-(298,2)-(250,2)",
                                 "polygon w1 s0 c808080 b808080 (250,2)-(250,2)-(250,18)-(250,18)",
                                 "polygon w1 s0 cffffff bffffff (299,2)-(299,2)-(299,19)-(299,19)",
                                 "polygon w1 s0 cffffff bffffff (250,19)-(299,19)-(299,19)-(250,19)",
                                 "text (253,5) 'NUM' 000000 ffffff transparent",
                             }));
}

}  // namespace
