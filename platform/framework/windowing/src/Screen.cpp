#include "brenmoor/windowing/Screen.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "ScreenBackend.h"

namespace {

enum class Choice { kUnasked, kHeadless, kShown };

Choice& TheChoice() {
  static Choice choice = Choice::kUnasked;
  return choice;
}

// The environment asks once, when the first window wants to know; a display
// that cannot be had leaves the program headless and says why.
Choice Decided() {
  if (TheChoice() != Choice::kUnasked) return TheChoice();
  TheChoice() = Choice::kHeadless;
  const char* wanted = std::getenv("BRENMOOR_SCREEN");
  if (wanted == nullptr || std::string_view(wanted) != "sdl") return TheChoice();
  std::string why;
  if (!ShowOnScreen(why)) std::fprintf(stderr, "BRENMOOR_SCREEN=sdl: no screen: %s\n", why.c_str());
  return TheChoice();
}

}  // namespace

bool IsOnScreen() { return Decided() == Choice::kShown; }

bool ShowOnScreen(std::string& why) {
  if (TheChoice() == Choice::kShown) return true;
  if (!screen_backend::Open(why)) return false;
  TheChoice() = Choice::kShown;
  return true;
}

bool PumpScreen(int waitMilliseconds) {
  if (!IsOnScreen()) return false;
  screen_backend::Show();
  screen_backend::DeliverInput(waitMilliseconds);
  screen_backend::Show();
  return true;
}

void ShowBusyCursor(bool busy) {
  if (IsOnScreen()) screen_backend::SetBusyCursor(busy);
}
