#include "SdlKeys.h"

#include <utility>

#include "brenmoor/windowing/Input.h"

namespace {

constexpr std::pair<SDL_Keycode, WPARAM> kNamedKeys[] = {
    {SDLK_BACKSPACE, VK_BACK}, {SDLK_TAB, VK_TAB},       {SDLK_RETURN, VK_RETURN},   {SDLK_KP_ENTER, VK_RETURN},
    {SDLK_ESCAPE, VK_ESCAPE},  {SDLK_SPACE, VK_SPACE},   {SDLK_PAGEUP, VK_PRIOR},    {SDLK_PAGEDOWN, VK_NEXT},
    {SDLK_END, VK_END},        {SDLK_HOME, VK_HOME},     {SDLK_LEFT, VK_LEFT},       {SDLK_UP, VK_UP},
    {SDLK_RIGHT, VK_RIGHT},    {SDLK_DOWN, VK_DOWN},     {SDLK_INSERT, VK_INSERT},   {SDLK_DELETE, VK_DELETE},
    {SDLK_LSHIFT, VK_SHIFT},   {SDLK_RSHIFT, VK_SHIFT},  {SDLK_LCTRL, VK_CONTROL},   {SDLK_RCTRL, VK_CONTROL},
    {SDLK_LALT, VK_MENU},      {SDLK_RALT, VK_MENU},
};

constexpr LPARAM kAltHeld = LPARAM{1} << 29;
constexpr LPARAM kWasDown = LPARAM{1} << 30;
constexpr LPARAM kGoingUp = LPARAM{1} << 31;

}  // namespace

WPARAM VirtualKeyOf(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) return static_cast<WPARAM>('A' + (key - SDLK_a));
  if (key >= SDLK_0 && key <= SDLK_9) return static_cast<WPARAM>(key);
  if (key >= SDLK_F1 && key <= SDLK_F12) return VK_F1 + static_cast<WPARAM>(key - SDLK_F1);
  for (const auto& [named, virtualKey] : kNamedKeys) {
    if (named == key) return virtualKey;
  }
  return 0;
}

LPARAM KeyFlagsOf(const SDL_KeyboardEvent& key) {
  LPARAM flags = 1 | (static_cast<LPARAM>(key.keysym.scancode & 0xFF) << 16);
  if ((key.keysym.mod & KMOD_ALT) != 0) flags |= kAltHeld;
  if (key.type == SDL_KEYUP) flags |= kWasDown | kGoingUp;
  else if (key.repeat != 0) flags |= kWasDown;
  return flags;
}
