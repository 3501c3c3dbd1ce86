// Runs on a display only (the screen tests run it with BRENMOOR_SCREEN=sdl).

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "brenmoor/windowing/Clipboard.h"
#include "brenmoor/windowing/Screen.h"

namespace {

template <typename Unit>
std::basic_string<Unit> TextOnClipboard(UINT format) {
  if (!OpenClipboard(nullptr)) return {};
  const HGLOBAL data = GetClipboardData(format);
  std::basic_string<Unit> text;
  if (data != nullptr) text = static_cast<const Unit*>(GlobalLock(data));
  GlobalUnlock(data);
  CloseClipboard();
  return text;
}

void PutOnClipboard(UINT format, const void* text, std::size_t bytes) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
  std::memcpy(GlobalLock(block), text, bytes);
  GlobalUnlock(block);
  SetClipboardData(format, block);
  CloseClipboard();
}

std::string DisplayText() {
  char* text = SDL_GetClipboardText();
  std::string copy = text;
  SDL_free(text);
  return copy;
}

TEST(ScreenClipboardTest, TextGoesToTheDisplayAndComesFromIt) {
  if (!IsOnScreen()) GTEST_SKIP() << "not on screen";
  PutOnClipboard(CF_TEXT, "Gr\xFC\xDF" "e", 6);  // Windows-1252
  EXPECT_EQ(DisplayText(), "Gr\u00FC\u00DFe");
  PutOnClipboard(CF_UNICODETEXT, u"\u20AC 5 \u2713", 12);
  EXPECT_EQ(DisplayText(), "\u20AC 5 \u2713");

  SDL_SetClipboardText("copied elsewhere: \u00E9t\u00E9 \u2192");
  EXPECT_EQ(TextOnClipboard<char16_t>(CF_UNICODETEXT), u"copied elsewhere: \u00E9t\u00E9 \u2192");
  EXPECT_EQ(TextOnClipboard<char>(CF_TEXT), "copied elsewhere: \xE9t\xE9 ?");  // the arrow has no ANSI byte
}

}  // namespace
