// The terminal host's escape parser feeding a screen buffer: whatever the
// bytes, the cursor stays on the screen. With a device context lent, as the
// host lends one, every change is also drawn, inside the screen.

#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "brenmoor/gdi/CDC.h"
#include "EscapeParser.h"
#include "brenmoor/gdi/FontCaches.h"
#include "FuzzCheck.h"
#include "brenmoor/gdi/DrawingSurface.h"
#include "brenmoor/win/ScreenBuffer.h"

namespace {

constexpr COLORREF kColours[7] = {0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6};
constexpr int kCellWidth = 10;
constexpr int kCellHeight = 20;

// Cells of a fixed size, whatever the fonts.
class FixedLayout : public EmulatorLayout {
 public:
  void Repaint() override {}
  CSize CharCellSize() override { return {kCellWidth, kCellHeight}; }
  int RowToY(int row) override { return row * kCellHeight; }
  int ColumnToX(int col) override { return col * kCellWidth; }
};

// Checks where each cell is drawn and keeps nothing, so drawing costs only the screen's own work.
class ScreenSurface : public DrawingSurface {
 public:
  explicit ScreenSurface(const ScreenBuffer& screen) : screen_(screen) {}
  void TextOut(const DrawState&, int x, int y, const CString&) override {
    fuzzing::Require(x >= 0 && x < screen_.VisColumns() * kCellWidth && y >= 0 &&
                         y < screen_.VisRows() * kCellHeight,
                     "cells are drawn on the screen");
  }
  void Polyline(const DrawState&, const std::vector<CPoint>&) override {}
  void Polygon(const DrawState&, const std::vector<CPoint>&) override {}
  CSize TextExtent(const LOGFONT&, const CString& text) override {
    return {kCellWidth * text.GetLength(), kCellHeight};
  }

 private:
  const ScreenBuffer& screen_;
};

void CheckCursorOnScreen(const ScreenBuffer& screen) {
  fuzzing::Require(screen.VisRows() >= 1 && screen.VisColumns() >= 1, "the screen has cells");
  fuzzing::Require(screen.GetRow() >= 1 && screen.GetRow() <= screen.VisRows(), "the cursor row is on the screen");
  // One column past the last one is where a pending wrap waits.
  fuzzing::Require(screen.GetCol() >= 1 && screen.GetCol() <= screen.VisColumns() + 1,
                   "the cursor column is on the screen");
}

// Its fonts are looked up once: the lookup is the platform's, not the screen's.
FixedLayout& Layout() {
  static FixedLayout* const layout = [] {
    auto* fixed = new FixedLayout;
    fixed->ChangeLayout(kColours, L"Mono", 20, false, false);
    return fixed;
  }();
  return *layout;
}

// Every answer is one whole control sequence.
void CheckReply(std::string_view reply) {
  fuzzing::Require(reply.size() >= 4 && reply.substr(0, 2) == "\x1b[" && reply.back() >= 'A' && reply.back() <= 'z',
                   "answers are whole control sequences");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  Layout();
  // What fontconfig and cairo keep for the process is no leak of ours.
  std::atexit(ReleaseFontCaches);
  return 0;
}

// The first byte says whether a device context is lent and whether auto-wrap
// is set up; the rest is the stream.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  ScreenBuffer screen(Layout());
  ScreenSurface surface(screen);
  CDC dc(surface);
  if (data[0] % 2 == 1) screen.SetDC(&dc);
  EscapeParser parser(screen, {CheckReply, data[0] % 4 >= 2});
  for (std::size_t i = 1; i < size; ++i) {
    parser.Feed(data[i]);
    CheckCursorOnScreen(screen);
  }
  screen.SetDC(nullptr);
  return 0;
}
