#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "brenmoor/gdi/RecordingSurface.h"
#include "brenmoor/windowing/WindowPainter.h"
#include "brenmoor/windowing/WindowSystem.h"

namespace {

// The texts a window's picture is drawn with, frame included: what a
// window whose own painting draws nothing shows.
std::vector<std::string> TextsOf(DWORD style, const wchar_t* caption) {
  const HWND window = CreateWindowExW(kGenericWindowClass, caption, style | WS_VISIBLE, {0, 0, 200, 100}, nullptr, 0);
  RecordingSurface surface;
  CDC dc(surface);
  PaintWindow(window, dc);
  DestroyWindow(window);
  std::vector<std::string> texts;
  for (const std::string& line : surface.Lines()) {
    if (line.rfind("text", 0) == 0) texts.push_back(line);
  }
  return texts;
}

// The caption bar is the system's: a plain window with a caption shows its
// text there in white, 4 pixels into the bar.
TEST(WindowFrameTest, AWindowWithACaptionShowsItsText) {
  EXPECT_EQ(TextsOf(WS_OVERLAPPEDWINDOW, L"Terminal - sh"), (std::vector<std::string>{
                                                                "text (7,6) 'Terminal - sh' ffffff ffffff transparent",
                                                            }));
  EXPECT_EQ(TextsOf(WS_POPUP | WS_BORDER, L"No caption"), std::vector<std::string>{});
  EXPECT_EQ(TextsOf(WS_POPUP, L"No frame"), std::vector<std::string>{});
}

}  // namespace
