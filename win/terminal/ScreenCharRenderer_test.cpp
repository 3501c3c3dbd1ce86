#include "brenmoor/win/ScreenCharRenderer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "brenmoor/gdi/RecordingSurface.h"

namespace {

using Lines = std::vector<std::string>;

constexpr COLORREF kText = RGB(255, 0, 0);  // "0000ff" in the recording
constexpr COLORREF kBack = RGB(0, 255, 0);  // "00ff00"

// Drawing at (10, 20) in a 12x20 cell: L = 2, cx = 16, cy = 30.
std::string Text(const std::string& text, int x = 10, const char* mode = "opaque") {
  return "text (" + std::to_string(x) + ",20) '" + text + "' 0000ff 00ff00 " + mode;
}
const std::string kBlank = Text(" ");
const std::string kUnsupported = Text("\x01");
std::string Line(const std::string& points) { return "polyline w2 s10200 c0000ff " + points; }
const std::string kDiamond = "polygon w1 s11200 c0000ff b0000ff (12,30)-(16,26)-(20,30)-(16,34)";

struct Case {
  wchar_t value;
  Lines lines;
};

const Case kSpecialGraphics[] = {
    {0x5F, {kBlank}},
    {0x60, {kBlank, kDiamond}},
    {0x61, {kUnsupported}}, {0x62, {kUnsupported}}, {0x63, {kUnsupported}},
    {0x64, {kUnsupported}}, {0x65, {kUnsupported}},
    {0x66, {Text("\u00B0")}},
    {0x67, {Text("\u00B1")}},
    {0x68, {kUnsupported}}, {0x69, {kUnsupported}},
    {0x6A, {kBlank, Line("(10,30)-(16,30)-(16,20)")}},
    {0x6B, {kBlank, Line("(10,30)-(16,30)-(16,40)")}},
    {0x6C, {kBlank, Line("(16,40)-(16,30)-(22,30)")}},
    {0x6D, {kBlank, Line("(16,20)-(16,30)-(22,30)")}},
    {0x6E, {kBlank, Line("(16,20)-(16,40)"), Line("(10,30)-(22,30)")}},
    {0x6F, {kBlank, Line("(10,21)-(22,21)")}},
    {0x70, {kBlank, Line("(10,25)-(22,25)")}},
    {0x71, {kBlank, Line("(10,30)-(22,30)")}},
    {0x72, {kBlank, Line("(10,35)-(22,35)")}},
    {0x73, {kBlank, Line("(10,39)-(22,39)")}},
    {0x74, {kBlank, Line("(16,20)-(16,40)"), Line("(16,30)-(22,30)")}},
    {0x75, {kBlank, Line("(16,20)-(16,40)"), Line("(10,30)-(16,30)")}},
    {0x76, {kBlank, Line("(16,20)-(16,30)"), Line("(10,30)-(22,30)")}},
    {0x77, {kBlank, Line("(16,30)-(16,40)"), Line("(10,30)-(22,30)")}},
    {0x78, {kBlank, Line("(16,20)-(16,40)")}},
    {0x79, {kUnsupported}}, {0x7A, {kUnsupported}}, {0x7B, {kUnsupported}},
    {0x7C, {Text("="), Text("/", 10, "transparent")}},
    {0x7D, {Text("\u00A3")}},
    {0x7E, {Text("\u00B7")}},
    {L'A', {Text("A")}},
    {0x5E, {Text("^")}},
    {0x7F, {Text("\x7f")}},
    {0x80, {Text("\u20AC")}},
    {0x81, {Text("\u0081")}},  // undefined in Windows-1252: the C1 control
    {0xE9, {Text("\u00E9")}},
    {0xFF, {Text("\u00FF")}},
    {0x16A, {kBlank, Line("(10,30)-(16,30)-(16,20)")}},  // only the low 8 bits count
    {0x2060, {kBlank, kDiamond}},
};

const Case kExtendedGraphics[] = {
    {0x40, {kUnsupported}}, {0x41, {kUnsupported}}, {0x5D, {kUnsupported}}, {0x5E, {kUnsupported}},
    {0x3F, {Text("?")}},
    {0x5F, {kBlank}},
    {0x60, {kBlank, kDiamond}},
    {0x66, {Text("\u00B0")}},
    {0x71, {kBlank, Line("(10,30)-(22,30)")}},
    {0x7C, {Text("="), Text("/", 10, "transparent")}},
    {0x80, {Text("\u20AC")}},
};

class ScreenCharRendererTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The singleton keeps its line width from whatever ran before.
    renderer->SetFontBounds({12, 20});
    LOGFONT description;
    description.lfFaceName[0] = L'C';
    font.CreateFontIndirect(&description);
  }
  Lines Draw(wchar_t value, int charSet, CSize size = {12, 20}, int x = 10) {
    cell.Set(value, charSet, &style, &selStyle);
    renderer->Draw(&dc, &cell, x, 20, size);
    return surface.Lines();
  }
  Lines Print(wchar_t value, int charSet, FontStyle* printed) {
    cell.Set(value, charSet, printed, printed);
    renderer->Print(&dc, &cell, 10, 20, {12, 20});
    return surface.Lines();
  }

  ScreenCharRenderer* renderer = ScreenCharRenderer::Instance();
  RecordingSurface surface;
  CDC dc{surface};
  CFont font;
  FontStyle style{0, kText, kBack, &font};
  FontStyle selStyle{0x1000, RGB(0, 0, 1), RGB(0, 0, 2), &font};
  ScreenChar cell;
};

TEST_F(ScreenCharRendererTest, SetFontBoundsMakesLinesASixthOfTheCellWidth) {
  for (const auto& [width, expected] : {std::pair{12, 2}, {17, 2}, {18, 3}, {5, 0}, {60, 10}}) {
    renderer->SetFontBounds({width, 7});
    EXPECT_EQ(renderer->GetLineWidth(), expected) << width;
  }
}

TEST_F(ScreenCharRendererTest, SpecialGraphicsTable) {
  for (const Case& c : kSpecialGraphics) {
    surface.Clear();
    EXPECT_EQ(Draw(c.value, 2), c.lines) << "code 0x" << std::hex << static_cast<int>(c.value);
  }
}

TEST_F(ScreenCharRendererTest, ExtendedGraphicsTable) {
  for (const Case& c : kExtendedGraphics) {
    surface.Clear();
    EXPECT_EQ(Draw(c.value, 3), c.lines) << "code 0x" << std::hex << static_cast<int>(c.value);
  }
}

TEST_F(ScreenCharRendererTest, LinesScaleWithTheLineWidthInAWideCell) {
  // 36x40 at (0, 20): L = 6, so the L terms no longer vanish.
  renderer->SetFontBounds({36, 40});
  const std::pair<wchar_t, std::string> cases[] = {
      {0x6F, "polyline w6 s10200 c0000ff (0,23)-(36,23)"},
      {0x70, "polyline w6 s10200 c0000ff (0,31)-(36,31)"},
      {0x71, "polyline w6 s10200 c0000ff (0,40)-(36,40)"},
      {0x72, "polyline w6 s10200 c0000ff (0,49)-(36,49)"},
      {0x73, "polyline w6 s10200 c0000ff (0,57)-(36,57)"},
      {0x60, "polygon w1 s11200 c0000ff b0000ff (6,40)-(18,28)-(30,40)-(18,52)"},
  };
  for (const auto& [code, expected] : cases) {
    surface.Clear();
    EXPECT_EQ(Draw(code, 2, {36, 40}, 0),
              (Lines{"text (0,20) ' ' 0000ff 00ff00 opaque", expected}))
        << std::hex << static_cast<int>(code);
  }
}

TEST_F(ScreenCharRendererTest, NationalSets) {
  EXPECT_EQ(Draw(L'#', 0), Lines{Text("#")});
  surface.Clear();
  EXPECT_EQ(Draw(L'#', 1), Lines{Text("\u00A3")});
  surface.Clear();
  EXPECT_EQ(Draw(L'A', 1), Lines{Text("A")});
  surface.Clear();
  EXPECT_EQ(Draw(L'\u00E9', 0), Lines{Text("\u00E9")});
}

TEST_F(ScreenCharRendererTest, BoldOverstrikesOnePixelOnInBothNationalSets) {
  FontStyle bold(0x01, kText, kBack, &font);
  for (const auto& [charSet, shown] : {std::pair{0, "#"}, {1, "\u00A3"}}) {
    surface.Clear();
    cell.Set(L'#', charSet, &bold, &bold);
    renderer->Draw(&dc, &cell, 10, 20, {12, 20});
    EXPECT_EQ(surface.Lines(), (Lines{Text(shown), Text(shown, 11, "transparent")})) << charSet;
    EXPECT_EQ(dc.GetBkMode(), OPAQUE);
  }
}

TEST_F(ScreenCharRendererTest, OtherCharacterSetsDrawNothing) {
  for (int charSet : {4, 5, -1, 255}) {
    EXPECT_EQ(Draw(L'q', charSet), Lines{}) << charSet;
    EXPECT_EQ(Draw(0x71, charSet), Lines{}) << charSet;
  }
}

TEST_F(ScreenCharRendererTest, DrawLeavesTheStyleInTheContextAndRestoresPenAndBrush) {
  CPen pen(PS_SOLID, 3, RGB(1, 2, 3));
  CBrush brush(RGB(4, 5, 6));
  dc.SelectObject(&pen);
  dc.SelectObject(&brush);
  Draw(0x6E, 2);
  Draw(0x60, 2);
  EXPECT_EQ(dc.GetTextColor(), kText);
  EXPECT_EQ(dc.GetBkColor(), kBack);
  EXPECT_EQ(surface.Calls().at(0).state.font.lfFaceName[0], L'C');
  const CPoint points[] = {{0, 0}, {1, 1}};
  dc.Polygon(points, 2);
  EXPECT_EQ(surface.Lines().back(), "polygon w3 s0 c030201 b060504 (0,0)-(1,1)");
}

TEST_F(ScreenCharRendererTest, DrawUsesTheSelectedStyleWhileSelected) {
  cell.Select();
  EXPECT_EQ(Draw(0x78, 2), (Lines{"text (10,20) ' ' 010000 020000 opaque",
                                  "polyline w2 s10200 c010000 (16,20)-(16,40)"}));
}

TEST_F(ScreenCharRendererTest, CellWithoutStyleIsDrawnInTheContextColours) {
  dc.SetTextColor(RGB(9, 9, 9));
  dc.SetBkColor(RGB(8, 8, 8));
  ScreenChar bare;
  renderer->Draw(&dc, &bare, 10, 20, {12, 20});
  bare.Set(0x78, 2, nullptr, nullptr);
  renderer->Draw(&dc, &bare, 10, 20, {12, 20});
  renderer->Print(&dc, &bare, 10, 20, {12, 20});
  EXPECT_EQ(surface.Lines(), (Lines{"text (10,20) ' ' 090909 080808 opaque",
                                    "text (10,20) ' ' 090909 080808 opaque",
                                    "polyline w2 s10200 c090909 (16,20)-(16,40)",
                                    "text (10,20) ' ' 090909 080808 opaque",
                                    "polyline w2 s10200 c090909 (16,20)-(16,40)"}));
}

TEST_F(ScreenCharRendererTest, PrintIgnoresTheStyleColours) {
  dc.SetTextColor(RGB(0x11, 0x11, 0x11));
  dc.SetBkColor(RGB(0x22, 0x22, 0x22));
  EXPECT_EQ(Print(0x78, 2, &style), (Lines{"text (10,20) ' ' 111111 222222 opaque",
                                           "polyline w2 s10200 c111111 (16,20)-(16,40)"}));
  EXPECT_EQ(dc.GetTextColor(), RGB(0x11, 0x11, 0x11));
  EXPECT_EQ(dc.GetBkColor(), RGB(0x22, 0x22, 0x22));
}

TEST_F(ScreenCharRendererTest, PrintSwapsTheContextColoursForAReverseCellOnly) {
  dc.SetTextColor(RGB(0x11, 0x11, 0x11));
  dc.SetBkColor(RGB(0x22, 0x22, 0x22));
  FontStyle reverse(0x10, kText, kBack, &font), reverseBold(0x11, kText, kBack, &font);
  Print(0x60, 2, &reverse);
  Print(L'A', 0, &reverseBold);
  EXPECT_EQ(surface.Lines(),
            (Lines{"text (10,20) ' ' 222222 111111 opaque",
                   "polygon w1 s11200 c222222 b222222 (12,30)-(16,26)-(20,30)-(16,34)",
                   "text (10,20) 'A' 222222 111111 opaque",
                   "text (11,20) 'A' 222222 111111 transparent"}));
  EXPECT_EQ(dc.GetTextColor(), RGB(0x11, 0x11, 0x11));
  EXPECT_EQ(dc.GetBkColor(), RGB(0x22, 0x22, 0x22));
  EXPECT_EQ(dc.GetBkMode(), OPAQUE);
}

TEST_F(ScreenCharRendererTest, CellNarrowerThanSixGivesZeroWidthLines) {
  renderer->SetFontBounds({5, 10});
  EXPECT_EQ(Draw(0x6F, 2, {5, 10}), (Lines{Text(" "), "polyline w0 s10200 c0000ff (10,20)-(15,20)"}));
  surface.Clear();
  EXPECT_EQ(Draw(0x60, 2, {5, 10}),
            (Lines{Text(" "), "polygon w1 s11200 c0000ff b0000ff (10,25)-(12,23)-(14,25)-(12,27)"}));
  EXPECT_EQ(renderer->GetLineWidth(), 0);
}

TEST_F(ScreenCharRendererTest, ZeroLineWidthIsTakenFromTheCellWhenThePenIsMade) {
  renderer->SetFontBounds({0, 0});
  // The points come before the pen, so with the width still 0.
  EXPECT_EQ(Draw(0x73, 2), (Lines{kBlank, Line("(10,40)-(22,40)")}));
  EXPECT_EQ(renderer->GetLineWidth(), 2);
  renderer->SetFontBounds({0, 0});
  surface.Clear();
  // The diamond reads the width after its pen was made.
  EXPECT_EQ(Draw(0x60, 2), (Lines{kBlank, kDiamond}));
}

}  // namespace
