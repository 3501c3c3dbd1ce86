#pragma once
// What a key of the display is to the windows.

#include <SDL.h>

#include "brenmoor/core/WinTypes.h"

// The virtual key of the key; 0 for a key the windows have no name for.
WPARAM VirtualKeyOf(SDL_Keycode key);
// The flags of a key message: one stroke, the scan code, Alt held, and for a
// key going up, that it was down.
LPARAM KeyFlagsOf(const SDL_KeyboardEvent& key);
