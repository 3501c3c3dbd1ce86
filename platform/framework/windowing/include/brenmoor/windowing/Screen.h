#pragma once
// The one screen that top-level windows are shown on. Headless unless the
// host asks for a real display or BRENMOOR_SCREEN=sdl does: then every visible
// top-level window is a window of the display, showing the picture the
// painter composes, and a person's mouse and keyboard reach the windows as
// the messages a real system sends.

#include <string>

#include "brenmoor/core/Geometry.h"

inline CRect ScreenRect() { return {0, 0, 1280, 1024}; }

// Whether the windows are shown on a real display.
bool IsOnScreen();
// The host's choice of a real display; false, and headless still, when none
// can be had (the reason is then in the text).
bool ShowOnScreen(std::string& why);
// How long a loop waits for the person before it looks at its posted
// messages again: nothing while the person thinks, and at once to the eye.
constexpr int kInputWait = 50;

// Shows the windows as they are now, then hands the person's input to them,
// waiting at most the time for some to come; false when headless.
bool PumpScreen(int waitMilliseconds);
// The busy cursor over every window while the application works.
void ShowBusyCursor(bool busy);
