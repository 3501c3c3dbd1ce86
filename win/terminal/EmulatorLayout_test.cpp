#include "brenmoor/win/EmulatorLayout.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

#include "brenmoor/gdi/RecordingSurface.h"
#include "brenmoor/win/ScreenCharRenderer.h"
#include "TerminalTesting.h"

namespace {

using terminal_testing::kColours;
using terminal_testing::TestLayout;

// Leaves out the reverse selected styles, to reach the fallback of GetSelStyle.
class PartialLayout : public TestLayout {
 protected:
  void UpdateStyle(int mode, COLORREF text, COLORREF back, CFont* font) override {
    if (mode != 0x1010) TestLayout::UpdateStyle(mode, text, back, font);
  }
};

// The underlined font measures wider, so a cell measured with it shows.
class FontSurface : public RecordingSurface {
 public:
  CSize TextExtent(const LOGFONT& font, const CString& text) override {
    return {text.GetLength() * (font.lfUnderline ? 30 : 12), 20};
  }
};

constexpr COLORREF kOther[7] = {0xB0, 0xB1, 0xB2, 0xB3, 0xB4, 0xB5, 0xB6};

struct Row {
  int key, text, back;
  bool underlined;
};
constexpr Row kTable[] = {
    {0x00, 0, 1, false}, {0x02, 2, 1, false}, {0x04, 3, 1, true},  {0x08, 4, 1, false},
    {0x06, 2, 1, true},  {0x0C, 4, 1, true},  {0x10, 1, 0, false}, {0x12, 1, 2, false},
    {0x14, 1, 3, true},  {0x18, 1, 4, false}, {0x16, 1, 2, true},  {0x1C, 1, 4, true},
    {0x1000, 5, 6, false}, {0x1004, 5, 6, true}, {0x1010, 6, 5, false}, {0x1014, 6, 5, true},
};

class EmulatorLayoutTest : public ::testing::Test {
 protected:
  void Change(EmulatorLayout& target, const COLORREF* colours = kColours, int height = -14) {
    target.ChangeLayout(colours, L"Mono", height, true, true);
  }
  FontSurface surface;
  CScreenDC::Substitute screen{surface};
  TestLayout layout;
};

TEST_F(EmulatorLayoutTest, HasNoStylesBeforeTheFirstChange) {
  for (int mode : {0x00, 0x01, 0x10, 0x1000, 0x1015, 0x0F}) {
    EXPECT_EQ(layout.GetStyle(mode), nullptr) << mode;
    EXPECT_EQ(layout.GetSelStyle(mode), nullptr) << mode;
  }
  EXPECT_EQ(layout.GetBkColor(), 0u);
}

TEST_F(EmulatorLayoutTest, ChangeBuildsEveryStyleAndItsBoldTwin) {
  Change(layout);
  EXPECT_EQ(layout.GetBkColor(), kColours[1]);
  CFont* normal = layout.GetStyle(0)->GetFont();
  CFont* underline = layout.GetStyle(0x04)->GetFont();
  ASSERT_NE(normal, underline);
  for (const Row& row : kTable) {
    for (int key : {row.key, row.key | 0x01}) {
      SCOPED_TRACE("key 0x" + std::to_string(key));
      const FontStyle* style = layout.GetStyle(key);
      ASSERT_NE(style, nullptr);
      EXPECT_EQ(style->GetMode(), key);
      EXPECT_EQ(style->GetTextColor(), kColours[row.text]);
      EXPECT_EQ(style->GetBackColor(), kColours[row.back]);
      EXPECT_EQ(style->GetFont(), row.underlined ? underline : normal);
    }
  }
}

TEST_F(EmulatorLayoutTest, FontsDifferOnlyInUnderline) {
  Change(layout);
  const LOGFONT& normal = layout.GetStyle(0)->GetFont()->GetLogFont();
  const LOGFONT& underline = layout.GetStyle(0x04)->GetFont()->GetLogFont();
  for (const LOGFONT* font : {&normal, &underline}) {
    EXPECT_EQ(std::wcscmp(font->lfFaceName, L"Mono"), 0);
    EXPECT_EQ(font->lfHeight, -14);
    EXPECT_EQ(font->lfWeight, FW_BOLD);
    EXPECT_EQ(font->lfItalic, 1);
  }
  EXPECT_EQ(normal.lfUnderline, 0);
  EXPECT_EQ(underline.lfUnderline, 1);
  layout.ChangeLayout(kColours, L"Other", 20, false, false);
  EXPECT_EQ(std::wcscmp(normal.lfFaceName, L"Other"), 0);
  EXPECT_EQ(normal.lfHeight, 20);
  EXPECT_EQ(underline.lfWeight, 0);
  EXPECT_EQ(underline.lfItalic, 0);
}

TEST_F(EmulatorLayoutTest, CellIsMeasuredWithTheNormalFontAndSetsTheLineWidth) {
  ScreenCharRenderer::Instance()->SetFontBounds({60, 0});
  Change(layout);
  EXPECT_EQ(layout.CharCellSize(), CSize(12, 20));
  EXPECT_EQ(ScreenCharRenderer::Instance()->GetLineWidth(), 2);
}

TEST_F(EmulatorLayoutTest, LookupsFallBackAsKeyed) {
  Change(layout);
  const FontStyle* bold = layout.GetStyle(0x11);
  EXPECT_EQ(bold->GetMode(), 0x11);
  EXPECT_EQ(bold->GetTextColor(), layout.GetStyle(0x10)->GetTextColor());
  EXPECT_EQ(bold->GetBackColor(), layout.GetStyle(0x10)->GetBackColor());
  EXPECT_EQ(bold->GetFont(), layout.GetStyle(0x10)->GetFont());
  EXPECT_EQ(layout.GetStyle(0x0A), layout.GetStyle(0));
  EXPECT_EQ(layout.GetStyle(0x0E), layout.GetStyle(0));
  EXPECT_EQ(layout.GetStyle(0x20), layout.GetStyle(0));
  EXPECT_EQ(layout.GetSelStyle(0x0F), layout.GetStyle(0x1005));
  EXPECT_EQ(layout.GetSelStyle(0x12), layout.GetStyle(0x1010));
  EXPECT_EQ(layout.GetSelStyle(0x00), layout.GetStyle(0x1000));
  EXPECT_EQ(layout.GetSelStyle(0x1F), layout.GetStyle(0x1015));
  EXPECT_EQ(layout.GetSelStyle(0x2A), layout.GetStyle(0x1000));
}

TEST_F(EmulatorLayoutTest, SelStyleWithoutItsKeyFallsBackToNormalNotSelected) {
  PartialLayout partial;
  Change(partial);
  ASSERT_NE(partial.GetStyle(0x1000), nullptr);
  EXPECT_EQ(partial.GetSelStyle(0x10), partial.GetStyle(0));
}

TEST_F(EmulatorLayoutTest, SecondChangeRecoloursTheSameStyles) {
  Change(layout);
  std::vector<const FontStyle*> before;
  for (const Row& row : kTable) before.push_back(layout.GetStyle(row.key | 0x01));
  Change(layout, kOther, -20);
  for (std::size_t i = 0; i < before.size(); ++i) {
    const FontStyle* style = layout.GetStyle(kTable[i].key | 0x01);
    EXPECT_EQ(style, before[i]);
    EXPECT_EQ(style->GetTextColor(), kOther[kTable[i].text]);
    EXPECT_EQ(style->GetBackColor(), kOther[kTable[i].back]);
  }
  EXPECT_EQ(layout.GetBkColor(), kOther[1]);
  EXPECT_EQ(layout.GetStyle(0)->GetFont()->GetLogFont().lfHeight, -20);
}

}  // namespace
