#pragma once
// What a top-level window with a frame paints around its client area: the
// raised edges, the caption bar when it has one and the menu bar when it
// has a menu, the button face inside.

#include "brenmoor/windowing/WindowSystem.h"

void PaintWindowFrame(HWND window);
