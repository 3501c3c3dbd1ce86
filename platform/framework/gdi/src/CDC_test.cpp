#include "brenmoor/gdi/CDC.h"

#include <gtest/gtest.h>

#include <cwchar>

#include "brenmoor/gdi/RasterSurface.h"
#include "brenmoor/gdi/RecordingSurface.h"

namespace {

const CPoint kLine[] = {{1, 2}, {30, 2}, {30, 40}};

LOGFONT FontOf(const wchar_t* face, LONG height) {
  LOGFONT font;
  font.lfHeight = height;
  std::wcsncpy(font.lfFaceName, face, LF_FACESIZE - 1);
  return font;
}

TEST(CDCState, SettersReturnWhatTheyReplacedAndRefuseUnknownModes) {
  RecordingSurface surface;
  CDC dc(surface);
  EXPECT_EQ(dc.SetTextColor(RGB(1, 2, 3)), RGB(0, 0, 0));
  EXPECT_EQ(dc.SetTextColor(RGB(4, 5, 6)), RGB(1, 2, 3));
  EXPECT_EQ(dc.SetBkColor(RGB(7, 8, 9)), RGB(255, 255, 255));
  EXPECT_EQ(dc.SetBkColor(RGB(0, 0, 0)), RGB(7, 8, 9));
  EXPECT_EQ(dc.SetBkMode(TRANSPARENT), OPAQUE);
  EXPECT_EQ(dc.SetBkMode(3), 0);
  EXPECT_EQ(dc.SetBkMode(0), 0);
  EXPECT_EQ(dc.GetBkMode(), TRANSPARENT);
  EXPECT_EQ(dc.SetBkMode(OPAQUE), TRANSPARENT);
  EXPECT_EQ(dc.GetTextColor(), RGB(4, 5, 6));
  EXPECT_EQ(dc.GetBkColor(), RGB(0, 0, 0));
}

TEST(CDCState, SelectionsReturnThePreviousObjectStockAtFirstAndNullChangesNothing) {
  RecordingSurface surface;
  CDC dc(surface);
  CFont first;
  CFont second;
  const LOGFONT a = FontOf(L"Arial", 10);
  const LOGFONT b = FontOf(L"Tahoma", 20);
  first.CreateFontIndirect(&a);
  second.CreateFontIndirect(&b);
  CPen thin(PS_SOLID, 1, RGB(9, 9, 9));
  CPen thick(PS_SOLID, 4, RGB(8, 8, 8));
  CBrush red(RGB(255, 0, 0));
  CBrush blue(RGB(0, 0, 255));

  const CFont* stockFont = dc.SelectObject(&first);
  ASSERT_NE(stockFont, nullptr);
  EXPECT_EQ(std::wstring(stockFont->GetLogFont().lfFaceName), L"System");
  EXPECT_EQ(stockFont->GetLogFont().lfHeight, 16);
  const CPen* stockPen = dc.SelectObject(&thin);
  ASSERT_NE(stockPen, nullptr);
  EXPECT_EQ((PenState{stockPen->GetStyle(), stockPen->GetWidth(), stockPen->GetColor()}),
            PenState{});
  const CBrush* stockBrush = dc.SelectObject(&red);
  ASSERT_NE(stockBrush, nullptr);
  EXPECT_EQ(stockBrush->GetColor(), RGB(255, 255, 255));

  EXPECT_EQ(dc.SelectObject(&second), &first);
  EXPECT_EQ(dc.SelectObject(&thick), &thin);
  EXPECT_EQ(dc.SelectObject(&blue), &red);
  EXPECT_EQ(dc.SelectObject(static_cast<CFont*>(nullptr)), nullptr);
  EXPECT_EQ(dc.SelectObject(static_cast<CPen*>(nullptr)), nullptr);
  EXPECT_EQ(dc.SelectObject(static_cast<CBrush*>(nullptr)), nullptr);
  ASSERT_TRUE(dc.Polygon(kLine, 3));
  const DrawState& state = surface.Calls().at(0).state;
  EXPECT_EQ(std::wstring(state.font.lfFaceName), L"Tahoma");
  EXPECT_EQ(state.pen.width, 4);
  EXPECT_EQ(state.brushColour, RGB(0, 0, 255));
  EXPECT_EQ(dc.SelectObject(&first), &second);
}

TEST(CDCState, ObjectsThatDescribeNothingAreNotSelected) {
  RecordingSurface surface;
  CDC dc(surface);
  CPen pen(PS_SOLID, 3, RGB(9, 9, 9));
  ASSERT_NE(dc.SelectObject(&pen), nullptr);
  CPen blank;
  CFont deleted;
  const LOGFONT description = FontOf(L"Gone", 12);
  deleted.CreateFontIndirect(&description);
  deleted.DeleteObject();
  CBrush never;
  never.DeleteObject();
  EXPECT_EQ(dc.SelectObject(&blank), nullptr);
  EXPECT_EQ(dc.SelectObject(&deleted), nullptr);
  EXPECT_EQ(dc.SelectObject(&never), nullptr);
  dc.Polyline(kLine, 2);
  EXPECT_EQ(surface.Calls().back().state.pen.width, 3);
  EXPECT_STRNE(surface.Calls().back().state.font.lfFaceName, L"Gone");
}

TEST(CDCDrawing, EachCallCarriesTheStateItWasMadeIn) {
  RecordingSurface surface;
  CDC dc(surface);
  CFont font;
  const LOGFONT description = FontOf(L"Lucida Console", -11);
  font.CreateFontIndirect(&description);
  LOGBRUSH penColour;
  penColour.lbColor = RGB(10, 20, 30);
  CPen pen;
  pen.CreatePen(PS_GEOMETRIC | PS_ENDCAP_FLAT | PS_JOIN_BEVEL, 5, &penColour);
  CBrush brush(RGB(40, 50, 60));

  ASSERT_TRUE(dc.TextOut(3, 4, CString(L"before")));
  dc.SetTextColor(RGB(1, 2, 3));
  dc.SetBkColor(RGB(4, 5, 6));
  dc.SetBkMode(TRANSPARENT);
  dc.SelectObject(&font);
  dc.SelectObject(&pen);
  dc.SelectObject(&brush);
  ASSERT_TRUE(dc.TextOut(7, 8, CString(L"after")));
  ASSERT_TRUE(dc.Polyline(kLine, 3));
  ASSERT_TRUE(dc.Polygon(kLine, 3));

  EXPECT_EQ(surface.Lines(),
            (std::vector<std::string>{"text (3,4) 'before' 000000 ffffff opaque",
                                      "text (7,8) 'after' 030201 060504 transparent",
                                      "polyline w5 s11200 c1e140a (1,2)-(30,2)-(30,40)",
                                      "polygon w5 s11200 c1e140a b3c3228 (1,2)-(30,2)-(30,40)"}));
  const auto& calls = surface.Calls();
  EXPECT_EQ(std::wstring(calls.at(0).state.font.lfFaceName), L"System");
  EXPECT_EQ(calls.at(0).state.brushColour, RGB(255, 255, 255));
  for (std::size_t i = 1; i < calls.size(); ++i) {
    EXPECT_EQ(std::wstring(calls[i].state.font.lfFaceName), L"Lucida Console");
    EXPECT_EQ(calls[i].state.font.lfHeight, -11);
    EXPECT_EQ(calls[i].state.textColour, RGB(1, 2, 3));
    EXPECT_EQ(calls[i].state.brushColour, RGB(40, 50, 60));
  }
}

TEST(CDCDrawing, RefusesTooFewPointsAndTakesCountedText) {
  RecordingSurface surface;
  CDC dc(surface);
  EXPECT_FALSE(dc.Polyline(kLine, 1));
  EXPECT_FALSE(dc.Polyline(kLine, -3));
  EXPECT_FALSE(dc.Polyline(nullptr, 3));
  EXPECT_FALSE(dc.Polygon(kLine, 1));
  EXPECT_FALSE(dc.Polygon(nullptr, 3));
  EXPECT_FALSE(dc.TextOut(1, 2, L"abc", -1));
  EXPECT_FALSE(dc.TextOut(1, 2, nullptr, 2));
  EXPECT_TRUE(surface.Calls().empty());

  EXPECT_TRUE(dc.Polyline(kLine, 2));
  EXPECT_TRUE(dc.TextOut(1, 2, L"abcdef", 3));
  const wchar_t withNull[] = {L'x', L'\0', L'y'};
  EXPECT_TRUE(dc.TextOut(1, 2, withNull, 3));
  EXPECT_TRUE(dc.TextOut(1, 2, L"abc", 0));
  ASSERT_EQ(surface.Calls().size(), 4u);
  EXPECT_EQ(surface.Calls()[0].points, (std::vector<CPoint>{{1, 2}, {30, 2}}));
  EXPECT_EQ(surface.Calls()[1].text, CString(L"abc"));
  EXPECT_EQ(surface.Calls()[2].text.GetLength(), 3);
  EXPECT_TRUE(surface.Calls()[3].text.IsEmpty());
}

TEST(CDCDrawing, MeasuringAndPrintingAskTheSurface) {
  RecordingSurface surface({100, 3});
  CDC dc(surface);
  EXPECT_EQ(dc.GetTextExtent(L"abcd"), CSize(400, 3));
  EXPECT_FALSE(dc.IsPrinting());
  surface.SetPrinting(true);
  EXPECT_TRUE(dc.IsPrinting());
  {
    const CScreenDC::Substitute substitute(surface);
    EXPECT_EQ(CScreenDC().GetTextExtent(L"ab"), CSize(200, 3));
  }
  EXPECT_NE(CScreenDC().GetTextExtent(L"ab"), CSize(200, 3));
  EXPECT_TRUE(surface.Calls().empty());
}

}  // namespace

namespace {

TEST(CDCDrawing, LinesFromTheCurrentPositionRectanglesPixelsAndStockPens) {
  RecordingSurface surface;
  CDC dc(surface);
  dc.SetViewportOrg(100, 200);
  CBrush green(RGB(0, 255, 0));
  CPen* previousPen = static_cast<CPen*>(dc.SelectStockObject(NULL_PEN));
  dc.SelectObject(&green);
  dc.Rectangle({1, 2, 11, 7});
  EXPECT_EQ(dc.SelectStockObject(WHITE_PEN), GetStockObject(NULL_PEN));
  EXPECT_EQ(dc.MoveTo(3, 4), CPoint(0, 0));
  dc.LineTo(9, 4);
  dc.SelectStockObject(BLACK_PEN);
  dc.LineTo(9, 1);
  EXPECT_EQ(dc.MoveTo(0, 0), CPoint(9, 1));
  EXPECT_EQ(dc.SetPixel(5, 6, RGB(1, 2, 3)), RGB(1, 2, 3));
  EXPECT_EQ(dc.SelectStockObject(99), nullptr);
  EXPECT_EQ(dc.SelectObject(previousPen), GetStockObject(BLACK_PEN));
  EXPECT_EQ(surface.Lines(), (std::vector<std::string>{
                                 "polygon w1 s5 c000000 b00ff00 (101,202)-(110,202)-(110,206)-(101,206)",
                                 "polyline w1 s0 cffffff (103,204)-(109,204)",
                                 "polyline w1 s0 c000000 (109,204)-(109,201)",
                                 "pixel (105,206) c030201",
                             }));
}

TEST(CDCDrawing, ASolidRectangleFillsEachOfItsPixelsEvenWhenThereIsOne) {
  const struct {
    CRect rect;
    int pixels;
  } cases[] = {{{3, 5, 4, 6}, 1}, {{3, 5, 4, 8}, 3}, {{3, 5, 6, 6}, 3}, {{3, 5, 5, 7}, 4}, {{3, 5, 3, 6}, 0}};
  for (const auto& each : cases) {
    RasterSurface surface(10, 10);
    CDC dc(surface);
    dc.FillSolidRect(each.rect, RGB(0, 128, 0));
    int painted = 0;
    for (int y = 0; y < 10; ++y) {
      for (int x = 0; x < 10; ++x) painted += surface.Pixel(x, y) == RGB(0, 128, 0);
    }
    EXPECT_EQ(painted, each.pixels) << each.rect.Width() << "x" << each.rect.Height();
  }
}

TEST(CDCDrawing, StockObjectsAndSystemColoursOfTheClassicLook) {
  const auto* gui = dynamic_cast<CFont*>(GetStockObject(DEFAULT_GUI_FONT));
  ASSERT_NE(gui, nullptr);
  EXPECT_STREQ(gui->GetLogFont().lfFaceName, L"Tahoma");
  EXPECT_EQ(gui->GetLogFont().lfHeight, -11);
  EXPECT_EQ(dynamic_cast<CPen*>(GetStockObject(NULL_PEN))->GetStyle(), PS_NULL);
  EXPECT_EQ(dynamic_cast<CPen*>(GetStockObject(WHITE_PEN))->GetColor(), RGB(255, 255, 255));
  EXPECT_EQ(GetStockObject(3), nullptr);
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(212, 208, 200));
  EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), RGB(128, 128, 128));
  EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), RGB(255, 255, 255));
  EXPECT_EQ(GetSysColor(1), RGB(0, 0, 0));
}

}  // namespace
