#include "brenmoor/win/WinUtils.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include "brenmoor/gdi/RecordingSurface.h"

namespace {

// 7.99 pixels a character, to show the truncation.
class MeasuringSurface : public RecordingSurface {
 public:
  CSize TextExtent(const LOGFONT& font, const CString& text) override {
    measuredFont = font;
    measuredText = text;
    return {799, 16};
  }
  LOGFONT measuredFont;
  CString measuredText;
};

TEST(WinUtilsTest, MeasuresAHundredXWithTheNewFontAndTruncates) {
  MeasuringSurface surface;
  CScreenDC::Substitute screen(surface);
  CFont font;
  EXPECT_EQ(WinUtils::CreateFontW(&font, L"Mono", -13, false, false, false), CSize(7, 16));
  EXPECT_EQ(surface.measuredText, CString(L'X', 100));
  EXPECT_EQ(std::wcscmp(surface.measuredFont.lfFaceName, L"Mono"), 0);
  EXPECT_EQ(surface.measuredFont.lfHeight, -13);
}

TEST(WinUtilsTest, ReturnsTheRecordedCell) {
  RecordingSurface surface({7, 15});
  CScreenDC::Substitute screen(surface);
  CFont font;
  EXPECT_EQ(WinUtils::CreateFontW(&font, L"Mono", 15, true, true, true), CSize(7, 15));
  EXPECT_TRUE(surface.Calls().empty());  // measuring draws nothing
}

TEST(WinUtilsTest, DescribesTheFontWithEverythingElseZero) {
  RecordingSurface surface;
  CScreenDC::Substitute screen(surface);
  for (const bool flag : {false, true}) {
    CFont font;
    WinUtils::CreateFontW(&font, L"Face", 17, flag, flag, !flag);
    const LOGFONT& made = font.GetLogFont();
    EXPECT_EQ(made.lfHeight, 17);
    EXPECT_EQ(made.lfWeight, flag ? 700 : 0);
    EXPECT_EQ(made.lfUnderline, flag ? 1 : 0);
    EXPECT_EQ(made.lfItalic, flag ? 0 : 1);
    EXPECT_EQ(made.lfWidth + made.lfEscapement + made.lfOrientation, 0);
    EXPECT_EQ(made.lfStrikeOut + made.lfCharSet + made.lfOutPrecision + made.lfClipPrecision +
                  made.lfQuality + made.lfPitchAndFamily, 0);
    EXPECT_EQ(std::wstring(made.lfFaceName), L"Face");
    for (int i = 4; i < LF_FACESIZE; ++i) EXPECT_EQ(made.lfFaceName[i], L'\0') << i;
  }
}

TEST(WinUtilsTest, CutsALongFaceNameToThirtyOneUnits) {
  RecordingSurface surface;
  CScreenDC::Substitute screen(surface);
  const std::wstring name = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmn";  // 40
  CFont font;
  WinUtils::CreateFontW(&font, name.c_str(), 12, false, false, false);
  const LOGFONT& made = font.GetLogFont();
  EXPECT_EQ(std::wstring(made.lfFaceName, 31), name.substr(0, 31));
  EXPECT_EQ(made.lfFaceName[31], L'\0');
}

}  // namespace
