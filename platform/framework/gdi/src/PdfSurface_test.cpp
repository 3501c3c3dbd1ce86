#include "brenmoor/gdi/PdfSurface.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <functional>
#include <string>

#include "brenmoor/gdi/CDC.h"
#include "brenmoor/gdi/RasterSurface.h"
#include "TempFolder.h"

namespace {

LOGFONT FontOf(const wchar_t* face, LONG height, LONG weight = FW_NORMAL) {
  LOGFONT font;
  font.lfHeight = height;
  font.lfWeight = weight;
  std::wcsncpy(font.lfFaceName, face, LF_FACESIZE - 1);
  return font;
}

DrawState Writing(const LOGFONT& font) {
  DrawState state;
  state.font = font;
  return state;
}

std::size_t Count(const std::string& text, const std::string& what) {
  std::size_t count = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
    ++count;
  }
  return count;
}

// cairo writes each page object as "<< /Type /Page % n", the tree as "/Type /Pages".
std::size_t PageCount(const std::string& pdf) {
  return Count(pdf, "/Type /Page ") + Count(pdf, "/Type /Page\n");
}

class PdfSurfaceTest : public ::testing::Test {
 protected:
  std::string Write(const std::function<void(PdfSurface&)>& draw, int width = 300,
                    int height = 200) {
    const std::string file = (folder_.Path() / "out.pdf").string();
    {
      PdfSurface pdf(file, width, height);
      draw(pdf);
      EXPECT_TRUE(pdf.Close());
    }
    return testsupport::ReadFile(file);
  }

  testsupport::TempFolder folder_;
};

const DrawState kLine;
const std::vector<CPoint> kDiagonal = {{10, 10}, {100, 80}};

TEST_F(PdfSurfaceTest, EveryPageBegunIsWrittenWithTheSizeAsked) {
  struct Case {
    const char* what;
    std::function<void(PdfSurface&)> draw;
    std::size_t pages;
  };
  const Case cases[] = {
      {"nothing drawn", [](PdfSurface&) {}, 1},
      {"one drawn page", [](PdfSurface& p) { p.Polyline(kLine, kDiagonal); }, 1},
      {"two drawn pages",
       [](PdfSurface& p) {
         p.Polyline(kLine, kDiagonal);
         p.NewPage();
         p.Polygon(kLine, kDiagonal);
       },
       2},
      {"blank pages after a drawn one",
       [](PdfSurface& p) {
         p.Polyline(kLine, kDiagonal);
         p.NewPage();
         p.NewPage();
       },
       3},
  };
  for (const Case& c : cases) {
    const std::string pdf = Write(c.draw, 300, 200);
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-") << c.what;
    EXPECT_EQ(PageCount(pdf), c.pages) << c.what;
    EXPECT_EQ(Count(pdf, "/Count " + std::to_string(c.pages)), 1u) << c.what;
    EXPECT_EQ(Count(pdf, "/MediaBox [ 0 0 300 200 ]"), c.pages) << c.what;
  }
}

TEST_F(PdfSurfaceTest, TextEmbedsTheFontItIsDrawnIn) {
  const std::string lines = Write([](PdfSurface& p) { p.Polyline(kLine, kDiagonal); });
  const std::string text = Write([](PdfSurface& p) {
    p.Polyline(kLine, kDiagonal);
    p.TextOut(Writing(FontOf(L"DejaVu Sans Mono", -12)), 20, 20, L"Hello, printer");
  });
  EXPECT_EQ(Count(lines, "/FontFile"), 0u);
  EXPECT_EQ(Count(text, "/FontFile"), 1u);
  EXPECT_GT(text.size(), lines.size() + 1000);
  // A face named outright: what stands in for Courier New depends on the fonts installed.
  EXPECT_EQ(Count(text, "/FontFamily (DejaVu Sans Mono)"), 1u);
}

TEST_F(PdfSurfaceTest, MeasuresTextAsTheRasterImageDoes) {
  PdfSurface pdf((folder_.Path() / "m.pdf").string(), 600, 800);
  RasterSurface image(1, 1);
  for (const LOGFONT& font : {FontOf(L"Courier New", -18), FontOf(L"DejaVu Sans", 20),
                              FontOf(L"DejaVu Sans", -16, FW_BOLD), FontOf(L"", 0)}) {
    for (const wchar_t* text : {L"", L"X", L"Hello, printer"}) {
      EXPECT_EQ(pdf.TextExtent(font, text), image.TextExtent(font, text))
          << CString(font.lfFaceName).ToUtf8() << " " << CString(text).ToUtf8();
    }
  }
}

TEST_F(PdfSurfaceTest, IsAPrinterToItsDeviceContext) {
  PdfSurface pdf((folder_.Path() / "p.pdf").string(), 100, 100);
  RasterSurface image(1, 1);
  EXPECT_TRUE(CDC(pdf).IsPrinting());
  EXPECT_FALSE(CDC(image).IsPrinting());
}

TEST_F(PdfSurfaceTest, PageSizesAreClampedToWhatPdfAllows) {
  struct Case {
    int width, height, expectedWidth, expectedHeight;
  };
  for (const Case c : {Case{612, 792, 612, 792}, Case{0, -5, 1, 1}, Case{100000, 20, 14400, 20}}) {
    const std::string pdf = Write([](PdfSurface& p) { p.Polyline(kLine, kDiagonal); }, c.width,
                                  c.height);
    EXPECT_EQ(Count(pdf, "/MediaBox [ 0 0 " + std::to_string(c.expectedWidth) + " " +
                             std::to_string(c.expectedHeight) + " ]"),
              1u)
        << c.width << "x" << c.height;
  }
}

TEST_F(PdfSurfaceTest, ClosingFailsWhenTheFileCannotBeWritten) {
  PdfSurface pdf((folder_.Path() / "missing" / "x.pdf").string(), 100, 100);
  pdf.TextOut(Writing(FontOf(L"DejaVu Sans", -12)), 10, 10, L"lost");
  pdf.NewPage();
  EXPECT_GT(pdf.TextExtent(FontOf(L"DejaVu Sans", -12), L"lost").cx, 0);
  EXPECT_FALSE(pdf.Close());
  EXPECT_FALSE(pdf.Close());
}

TEST_F(PdfSurfaceTest, ClosingTwiceOrDrawingAfterwardsChangesNothing) {
  const std::string file = (folder_.Path() / "twice.pdf").string();
  PdfSurface pdf(file, 100, 100);
  pdf.Polyline(kLine, kDiagonal);
  ASSERT_TRUE(pdf.Close());
  const std::string written = testsupport::ReadFile(file);
  pdf.TextOut(Writing(FontOf(L"DejaVu Sans", -12)), 10, 10, L"late");
  pdf.Polygon(kLine, kDiagonal);
  pdf.NewPage();
  EXPECT_TRUE(pdf.Close());
  EXPECT_EQ(testsupport::ReadFile(file), written);
  EXPECT_EQ(PageCount(written), 1u);
}

TEST_F(PdfSurfaceTest, TheFileIsFinishedWhenTheSurfaceGoes) {
  const std::string file = (folder_.Path() / "unclosed.pdf").string();
  { PdfSurface(file, 100, 100).Polyline(kLine, kDiagonal); }
  const std::string pdf = testsupport::ReadFile(file);
  EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
  EXPECT_EQ(PageCount(pdf), 1u);
  EXPECT_NE(pdf.find("%%EOF"), std::string::npos);
}

}  // namespace
