#include "SdlKeys.h"

#include <gtest/gtest.h>

#include "brenmoor/windowing/Input.h"

namespace {

TEST(SdlKeysTest, KeysOfTheDisplayAreTheVirtualKeysOfTheWindows) {
  struct Case {
    SDL_Keycode key;
    WPARAM virtualKey;
  } cases[] = {
      {SDLK_a, 'A'},           {SDLK_z, 'Z'},          {SDLK_0, '0'},           {SDLK_9, '9'},
      {SDLK_F1, 0x70},         {SDLK_F12, 0x7B},       {SDLK_TAB, VK_TAB},      {SDLK_RETURN, VK_RETURN},
      {SDLK_KP_ENTER, VK_RETURN}, {SDLK_ESCAPE, VK_ESCAPE}, {SDLK_BACKSPACE, VK_BACK}, {SDLK_DELETE, VK_DELETE},
      {SDLK_LEFT, VK_LEFT},    {SDLK_DOWN, VK_DOWN},   {SDLK_PAGEDOWN, VK_NEXT}, {SDLK_HOME, VK_HOME},
      {SDLK_RSHIFT, VK_SHIFT}, {SDLK_LALT, VK_MENU},   {SDLK_SPACE, VK_SPACE},  {SDLK_CAPSLOCK, 0},
  };
  for (const Case& each : cases) EXPECT_EQ(VirtualKeyOf(each.key), each.virtualKey) << SDL_GetKeyName(each.key);
}

TEST(SdlKeysTest, FlagsCarryTheScanCodeAltAndTheTransition) {
  struct Case {
    Uint32 type;
    Uint16 modifiers;
    Uint8 repeat;
    LPARAM flags;
  } cases[] = {
      {SDL_KEYDOWN, KMOD_NONE, 0, 0x00040001},
      {SDL_KEYDOWN, KMOD_NONE, 1, 0x40040001},
      {SDL_KEYDOWN, KMOD_LALT, 0, 0x20040001},
      {SDL_KEYUP, KMOD_NONE, 0, 0xC0040001},
      {SDL_KEYUP, KMOD_RALT, 0, 0xE0040001},
  };
  for (const Case& each : cases) {
    SDL_KeyboardEvent key{};
    key.type = each.type;
    key.repeat = each.repeat;
    key.keysym.scancode = SDL_SCANCODE_A;
    key.keysym.mod = each.modifiers;
    EXPECT_EQ(KeyFlagsOf(key), each.flags) << std::hex << each.flags;
  }
}

}  // namespace
