#include "brenmoor/gdi/RasterSurface.h"

#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "brenmoor/gdi/FontCaches.h"
#include "TempFolder.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 128, 0);
constexpr int kFlat = PS_GEOMETRIC | PS_ENDCAP_FLAT;
using Pixels = std::vector<int>;

// cairo and fontconfig keep their font caches to the end; emptied once every
// surface is gone, what LeakSanitizer reports at exit is a real leak.
class FontCaches : public ::testing::Environment {
 public:
  void TearDown() override { ReleaseFontCaches(); }
};
const auto* const kFontCaches = ::testing::AddGlobalTestEnvironment(new FontCaches);

DrawState WithPen(int width, int style = PS_SOLID, COLORREF colour = kRed) {
  DrawState state;
  state.pen = {style, width, colour};
  state.brushColour = kBlue;
  return state;
}

Pixels Span(int first, int last) {
  Pixels values;
  for (int value = first; value <= last; ++value) values.push_back(value);
  return values;
}

// The columns of a row (or the rows of a column) holding the colour.
Pixels Matching(const RasterSurface& surface, bool row, int at, COLORREF colour) {
  Pixels found;
  for (int i = 0; i < (row ? surface.Width() : surface.Height()); ++i) {
    if (surface.Pixel(row ? i : at, row ? at : i) == colour) found.push_back(i);
  }
  return found;
}
Pixels InRow(const RasterSurface& s, int y, COLORREF c = kRed) { return Matching(s, true, y, c); }
Pixels InColumn(const RasterSurface& s, int x, COLORREF c = kRed) {
  return Matching(s, false, x, c);
}

// The bounds of what differs from white, and how many pixels are exactly the colour.
struct Ink {
  int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN, count = 0, exact = 0;
};

Ink InkOf(const RasterSurface& surface, COLORREF colour) {
  Ink ink;
  for (int y = 0; y < surface.Height(); ++y) {
    for (int x = 0; x < surface.Width(); ++x) {
      const COLORREF pixel = surface.Pixel(x, y);
      if (pixel == kWhite) continue;
      ink = {std::min(ink.left, x),   std::min(ink.top, y), std::max(ink.right, x),
             std::max(ink.bottom, y), ink.count + 1,        ink.exact + (pixel == colour ? 1 : 0)};
    }
  }
  return ink;
}

LOGFONT FontOf(const wchar_t* face, LONG height, LONG weight = FW_NORMAL) {
  LOGFONT font;
  font.lfHeight = height;
  font.lfWeight = weight;
  std::wcsncpy(font.lfFaceName, face, LF_FACESIZE - 1);
  return font;
}

DrawState Writing(const LOGFONT& font, int mode) {
  DrawState state;
  state.font = font;
  state.backMode = mode;
  state.textColour = kBlue;
  state.backColour = kGreen;
  return state;
}

const LOGFONT kMono = FontOf(L"DejaVu Sans Mono", -16);
const LOGFONT kSans = FontOf(L"DejaVu Sans", -16);

// Releasing while a surface holds the font it drew with waits for the
// surface; the caches of a program that never releases them go at exit,
// before a leak checker looks.
TEST(FontCachesTest, ReleasingEarlyIsSafeAndTheLibraryReleasesThemAtExit) {
  EXPECT_EXIT(
      {
        {
          RasterSurface surface(40, 40, kWhite);
          surface.TextOut(Writing(kMono, OPAQUE), 0, 0, L"x");
          ReleaseFontCaches();
          surface.TextOut(Writing(kMono, OPAQUE), 0, 20, L"y");
        }
        {
          RasterSurface later(40, 20, kWhite);
          later.TextOut(Writing(kMono, OPAQUE), 0, 0, L"z");
        }
        std::exit(0);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST(RasterSurfaceImage, BackgroundSizeAndColourByteOrder) {
  RasterSurface surface(4, 3, RGB(10, 20, 30));
  EXPECT_EQ(surface.Width(), 4);
  EXPECT_EQ(surface.Height(), 3);
  EXPECT_EQ(InRow(surface, 2, RGB(10, 20, 30)), Span(0, 3));
  for (const CPoint outside : {CPoint{-1, 0}, CPoint{4, 0}, CPoint{0, -1}, CPoint{0, 3}}) {
    EXPECT_EQ(surface.Pixel(outside.x, outside.y), RGB(0, 0, 0));
  }
  surface.Polyline(WithPen(1, PS_SOLID, RGB(255, 0, 0)), {{0, 0}, {2, 0}});
  EXPECT_EQ(surface.Pixel(0, 0), 0x0000FFu);

  const RasterSurface negative(-5, 0, kRed);
  EXPECT_EQ(negative.Width() * negative.Height(), 1);
  EXPECT_EQ(negative.Pixel(0, 0), kRed);
  EXPECT_EQ(RasterSurface(100000, 2).Width(), 32767);
}

TEST(RasterSurfaceImage, WritesAPngThatReadsBack) {
  testsupport::TempFolder folder;
  RasterSurface surface(7, 5);
  surface.Polyline(WithPen(1, PS_SOLID, RGB(1, 2, 3)), {{0, 2}, {7, 2}});
  const std::string file = (folder.Path() / "picture.png").string();
  ASSERT_TRUE(surface.WritePng(file));
  EXPECT_EQ(testsupport::ReadFile(file).substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
  cairo_surface_t* read = cairo_image_surface_create_from_png(file.c_str());
  ASSERT_EQ(cairo_surface_status(read), CAIRO_STATUS_SUCCESS);
  EXPECT_EQ(cairo_image_surface_get_width(read), 7);
  EXPECT_EQ(cairo_image_surface_get_height(read), 5);
  std::uint32_t pixel = 0;
  std::memcpy(&pixel,
              cairo_image_surface_get_data(read) + 2 * cairo_image_surface_get_stride(read) + 12,
              4);
  EXPECT_EQ(pixel & 0xFFFFFFu, 0x010203u);  // cairo's 0xRRGGBB
  cairo_surface_destroy(read);
  EXPECT_FALSE(surface.WritePng((folder.Path() / "missing" / "picture.png").string()));
}

TEST(RasterSurfaceLines, OnePixelLinesLeaveOutTheirLastPoint) {
  for (const int width : {0, 1}) {
    RasterSurface surface(16, 16);
    surface.Polyline(WithPen(width), {{2, 2}, {8, 2}, {8, 8}, {4, 8}});
    surface.Polyline(WithPen(width), {{14, 15}, {14, 11}});
    EXPECT_EQ(InRow(surface, 2), Span(2, 8)) << "width " << width;
    EXPECT_EQ(InColumn(surface, 8), Span(2, 8));
    EXPECT_EQ(InRow(surface, 8), Span(5, 8));
    EXPECT_EQ(InColumn(surface, 14), Span(12, 15));
    EXPECT_EQ(InkOf(surface, kRed).count, 6 + 6 + 4 + 4);
  }
}

TEST(RasterSurfaceLines, SlopedOnePixelLinesPaintOnePixelPerStep) {
  RasterSurface surface(12, 12);
  surface.Polyline(WithPen(1), {{0, 0}, {10, 4}});
  for (int x = 0; x < 10; ++x) EXPECT_EQ(InColumn(surface, x).size(), 1u) << "column " << x;
  EXPECT_EQ(InColumn(surface, 9), Pixels{4});
  EXPECT_EQ(InColumn(surface, 10), Pixels{});
  surface.Polyline(WithPen(1, PS_SOLID, kBlue), {{6, 11}, {1, 6}});
  EXPECT_EQ(InkOf(surface, kBlue).exact, 5);
  EXPECT_EQ(InColumn(surface, 2, kBlue), Pixels{7});
}

TEST(RasterSurfaceLines, EvenWidthsTakeTheRowsAboveAndFlatEndsStopAtThePoints) {
  RasterSurface surface(40, 30);
  surface.Polyline(WithPen(2, kFlat), {{2, 10}, {12, 10}});
  surface.Polyline(WithPen(3, kFlat), {{12, 20}, {2, 20}});
  surface.Polyline(WithPen(4, kFlat), {{30, 22}, {30, 28}});
  EXPECT_EQ(InColumn(surface, 5), (Pixels{9, 10, 19, 20, 21}));
  EXPECT_EQ(InRow(surface, 9), Span(2, 11));
  EXPECT_EQ(InRow(surface, 20), Span(2, 11));
  EXPECT_EQ(InRow(surface, 25), Span(28, 31));
  EXPECT_EQ(InColumn(surface, 29), Span(22, 27));
}

TEST(RasterSurfaceLines, EndsAndJoinsAreRoundUnlessAGeometricPenSaysOtherwise) {
  const auto paints = [](int style, CPoint at) {
    RasterSurface surface(48, 48);
    surface.Polyline(WithPen(10, style), {{10, 30}, {30, 30}, {30, 10}});
    return surface.Pixel(at.x, at.y) == kRed;
  };
  // Five pixels either side of the line; the corner is at (30, 30).
  EXPECT_TRUE(paints(PS_SOLID, {7, 30}));
  EXPECT_TRUE(paints(PS_ENDCAP_FLAT, {7, 30}));
  EXPECT_FALSE(paints(kFlat, {9, 30}));
  EXPECT_TRUE(paints(kFlat, {33, 33}));
  EXPECT_FALSE(paints(kFlat, {34, 34}));
  EXPECT_FALSE(paints(kFlat | PS_JOIN_BEVEL, {33, 33}));
  EXPECT_TRUE(paints(kFlat | 0x2000, {34, 34}));
  EXPECT_TRUE(paints(PS_JOIN_BEVEL, {33, 33}));
}

TEST(RasterSurfacePolygon, FilledWithTheBrushInsideAClosedOutline) {
  RasterSurface surface(16, 12);
  surface.Polygon(WithPen(1), {{2, 2}, {12, 2}, {12, 8}, {2, 8}});
  EXPECT_EQ(InRow(surface, 2), Span(2, 12));
  EXPECT_EQ(InRow(surface, 8), Span(2, 12));
  EXPECT_EQ(InColumn(surface, 2), Span(2, 8));
  EXPECT_EQ(InColumn(surface, 12), Span(2, 8));
  for (int y = 3; y <= 7; ++y) EXPECT_EQ(InRow(surface, y, kBlue), Span(3, 11)) << "row " << y;
  EXPECT_EQ(InkOf(surface, kRed).count, 11 * 7);

  RasterSurface wide(40, 40);
  wide.Polygon(WithPen(4, kFlat | 0x2000), {{10, 10}, {30, 10}, {30, 30}, {10, 30}});
  EXPECT_EQ(InRow(wide, 8), Span(8, 31));  // the first corner is joined like the others
}

TEST(RasterSurfacePolygon, ANullPenLeavesTheOutlineOutAndOnlyTheInsideIsFilled) {
  RasterSurface surface(16, 12);
  surface.Polygon(WithPen(1, PS_NULL), {{2, 2}, {12, 2}, {12, 8}, {2, 8}});
  EXPECT_EQ(InkOf(surface, kBlue).exact, 6 * 10);
  for (int y = 2; y <= 7; ++y) EXPECT_EQ(InRow(surface, y, kBlue), Span(2, 11)) << "row " << y;
  EXPECT_EQ(InRow(surface, 8, kBlue), Pixels{});
  surface.Polyline(WithPen(1, PS_NULL), {{0, 10}, {15, 10}});
  EXPECT_EQ(InkOf(surface, kBlue).count, 6 * 10);
}

TEST(RasterSurfacePixel, OnePixelInItsColour) {
  RasterSurface surface(8, 8);
  surface.SetPixel(3, 5, kGreen);
  EXPECT_EQ(surface.Pixel(3, 5), kGreen);
  EXPECT_EQ(InkOf(surface, kGreen).count, 1);
}

TEST(RasterSurfacePolygon, OverlapsAlternateBetweenInsideAndOutside) {
  RasterSurface surface(16, 16);
  surface.Polygon(WithPen(1),
                  {{2, 2}, {12, 2}, {12, 12}, {2, 12}, {2, 2}, {12, 2}, {12, 12}, {2, 12}});
  EXPECT_EQ(surface.Pixel(7, 7), kWhite);
  EXPECT_EQ(surface.Pixel(2, 7), kRed);
}

TEST(RasterSurfaceAnyInput, FarPointsManyPointsAndHugePens) {
  RasterSurface surface(20, 20);
  surface.Polyline(WithPen(1), {{-2000000000, 5}, {2000000000, 5}});
  surface.Polyline(WithPen(1, PS_SOLID, kGreen),
                   {{-1000000000, -1000000000}, {1000000000, 1000000000}});
  surface.Polyline(WithPen(3, kFlat, kBlue), {{15, INT_MIN}, {15, INT_MAX}});
  EXPECT_EQ(InRow(surface, 5), (Pixels{0, 1, 2, 3, 4, 6, 7, 8, 9, 10, 11, 12, 13, 17, 18, 19}));
  EXPECT_EQ(InkOf(surface, kGreen).exact, 17);
  EXPECT_EQ(InRow(surface, 19, kBlue), Span(14, 16));

  RasterSurface polygon(10, 10);
  polygon.Polygon(WithPen(1), {{INT_MIN, INT_MIN}, {INT_MAX, INT_MIN}, {INT_MAX, 5}, {INT_MIN, 5}});
  EXPECT_EQ(InRow(polygon, 4, kBlue), Span(0, 9));
  EXPECT_EQ(InRow(polygon, 5), Span(0, 9));
  EXPECT_EQ(InRow(polygon, 6, kWhite), Span(0, 9));

  RasterSurface many(16, 8);
  std::vector<CPoint> zigzag;
  for (int i = 0; i < 5000; ++i) zigzag.emplace_back(i % 2 == 0 ? 0 : 10, 3);
  many.Polyline(WithPen(1), zigzag);
  for (const std::vector<CPoint>& points :
       std::vector<std::vector<CPoint>>{{}, {{2, 2}}, {{6, 6}, {6, 6}}}) {
    many.Polyline(WithPen(1), points);
    many.Polygon(WithPen(1), points);
  }
  EXPECT_EQ(InRow(many, 3), Span(0, 10));
  EXPECT_EQ(InkOf(many, kRed).count, 11);
  many.Polyline(WithPen(INT_MAX, PS_SOLID, kBlue), {{8, 4}, {9, 4}});
  EXPECT_EQ(InkOf(many, kBlue).exact, 16 * 8);
}

TEST(RasterSurfaceText, OpaqueTextFillsExactlyItsCell) {
  RasterSurface surface(60, 40);
  const CSize cell = surface.TextExtent(kMono, L"X ");
  surface.TextOut(Writing(kMono, OPAQUE), 5, 7, L"X ");
  const int right = 5 + cell.cx - 1;
  const int bottom = 7 + cell.cy - 1;
  for (const CPoint corner :
       {CPoint{5, 7}, CPoint{right, 7}, CPoint{5, bottom}, CPoint{right, bottom}}) {
    EXPECT_EQ(surface.Pixel(corner.x, corner.y), kGreen) << corner.x << "," << corner.y;
  }
  for (const CPoint outside :
       {CPoint{4, 7}, CPoint{right + 1, 7}, CPoint{5, 6}, CPoint{5, bottom + 1}}) {
    EXPECT_EQ(surface.Pixel(outside.x, outside.y), kWhite) << outside.x << "," << outside.y;
  }
  EXPECT_EQ(InkOf(surface, kBlue).count, cell.cx * cell.cy);
}

TEST(RasterSurfaceText, TransparentGlyphsStandOnTheBaselineInTheTextColour) {
  const LOGFONT big = FontOf(L"DejaVu Sans", -40);
  RasterSurface capital(80, 60);
  capital.TextOut(Writing(big, TRANSPARENT), 10, 5, L"X");
  const CSize cell = capital.TextExtent(big, L"X");
  const Ink x = InkOf(capital, kBlue);
  EXPECT_GT(x.exact, 20);
  EXPECT_EQ(InkOf(capital, kGreen).exact, 0);
  EXPECT_GE(x.left, 10);
  EXPECT_LT(x.right, 10 + cell.cx);
  EXPECT_GT(x.top, 5);
  RasterSurface descender(80, 60);
  descender.TextOut(Writing(big, TRANSPARENT), 10, 6, L"g");
  const Ink g = InkOf(descender, kBlue);
  EXPECT_GT(g.bottom, x.bottom + 5);
  EXPECT_LT(g.bottom, 6 + cell.cy);
}

TEST(RasterSurfaceText, UnderlineRunsUnderTheWholeText) {
  LOGFONT font = kMono;
  font.lfUnderline = 1;
  RasterSurface surface(60, 40);
  const CSize cell = surface.TextExtent(font, L"   ");
  surface.TextOut(Writing(font, TRANSPARENT), 4, 4, L"   ");
  const Ink line = InkOf(surface, kBlue);
  EXPECT_EQ(line.left, 4);
  EXPECT_EQ(line.right, 4 + cell.cx - 1);
  EXPECT_EQ(line.count, line.exact);
  EXPECT_EQ(line.count % cell.cx, 0);
  RasterSurface capital(60, 40);
  capital.TextOut(Writing(kMono, TRANSPARENT), 4, 4, L"X");
  EXPECT_GT(line.top, InkOf(capital, kBlue).bottom);
  EXPECT_LT(line.bottom, 4 + cell.cy);
}

TEST(RasterSurfaceText, MonospaceFacesGiveEveryCharacterOneCellWidth) {
  RasterSurface surface(1, 1);
  for (const wchar_t* face :
       {L"DejaVu Sans Mono", L"Courier New", L"Lucida Console", L"Terminal"}) {
    const LOGFONT font = FontOf(face, -13);
    const LONG cell = surface.TextExtent(font, L"X").cx;
    EXPECT_GT(cell, 0) << face;
    EXPECT_EQ(surface.TextExtent(font, CString(L'X', 100)).cx, 100 * cell) << face;
    EXPECT_EQ(surface.TextExtent(font, L"iiiiiiiiii").cx, 10 * cell) << face;
  }
  EXPECT_LT(surface.TextExtent(kSans, L"iiiiiiiiii").cx,
            surface.TextExtent(kSans, L"WWWWWWWWWW").cx);
}

TEST(RasterSurfaceText, SizeWeightAndFallback) {
  RasterSurface surface(1, 1);
  const CSize normal = surface.TextExtent(kSans, L"Hello");
  EXPECT_GT(surface.TextExtent(FontOf(L"DejaVu Sans", -16, 600), L"Hello").cx, normal.cx);
  EXPECT_EQ(surface.TextExtent(FontOf(L"DejaVu Sans", -16, 599), L"Hello"), normal);
  const CSize large = surface.TextExtent(FontOf(L"DejaVu Sans", -32), L"Hello");
  EXPECT_GT(large.cx, normal.cx);
  EXPECT_GT(large.cy, normal.cy);
  EXPECT_GT(surface.TextExtent(FontOf(L"No Such Face Anywhere", -16), L"Hello").cx, 0);
  EXPECT_GT(surface.TextExtent(FontOf(L"", 0), L"Hello").cx, 0);
  LOGFONT unterminated = kMono;
  std::wmemset(unterminated.lfFaceName, L'Q', LF_FACESIZE);
  EXPECT_GT(surface.TextExtent(unterminated, L"Hello").cx, 0);
}

TEST(RasterSurfaceText, PositiveHeightsAreCellsAndNegativeOnesCharacters) {
  RasterSurface surface(1, 1);
  for (const wchar_t* face : {L"DejaVu Sans", L"DejaVu Sans Mono", L"DejaVu Serif"}) {
    EXPECT_EQ(surface.TextExtent(FontOf(face, 20), L"A").cy, 20) << face;
    EXPECT_EQ(surface.TextExtent(FontOf(face, 37), L"A").cy, 37) << face;
    EXPECT_EQ(surface.TextExtent(FontOf(face, 0), L"A").cy, 16) << face;
    const CSize character = surface.TextExtent(FontOf(face, -20), L"Hello");
    EXPECT_GT(character.cy, 20) << face;
    // A cell of that height holds characters of about 20 pixels again.
    EXPECT_NEAR(surface.TextExtent(FontOf(face, character.cy), L"Hello").cx, character.cx, 2)
        << face;
  }
  EXPECT_EQ(surface.TextExtent(FontOf(L"DejaVu Sans", INT_MIN), L"A"),
            surface.TextExtent(FontOf(L"DejaVu Sans", -4096), L"A"));
  EXPECT_EQ(surface.TextExtent(FontOf(L"DejaVu Sans", INT_MAX), L"A").cy, 4096);
}

TEST(RasterSurfaceAnyInput, EmptyFarAwayAndOddText) {
  RasterSurface surface(40, 30);
  const DrawState state = Writing(kMono, OPAQUE);
  EXPECT_EQ(surface.TextExtent(kMono, L""), CSize(0, surface.TextExtent(kMono, L"X").cy));
  surface.TextOut(state, 2, 2, L"");
  surface.TextOut(state, INT_MAX - 5, INT_MIN + 5, L"Hello");
  surface.TextOut(state, INT_MIN, 0, L"Hello");
  EXPECT_EQ(InkOf(surface, kWhite).count, 0);
  const LONG cell = surface.TextExtent(kMono, L"X").cx;
  surface.TextOut(state, 20 - 10000 * cell, 2, CString(L'X', 10000));
  EXPECT_EQ(InRow(surface, 2, kGreen), Span(0, 19));
  // Lone surrogate halves stand for U+FFFD; text goes on past a null.
  const wchar_t halves[] = {L'a', 0xDC00, L'b', 0xD800};
  EXPECT_EQ(surface.TextExtent(kSans, CString(halves, 4)), surface.TextExtent(kSans,
                                                                              L"a\xFFFD"
                                                                              L"b\xFFFD"));
  const wchar_t withNull[] = {L'W', 0, L'W'};
  EXPECT_EQ(surface.TextExtent(kSans, CString(withNull, 3)), surface.TextExtent(kSans, L"WW"));
  surface.TextOut(state, 0, 20, CString(halves, 4));
}

}  // namespace
