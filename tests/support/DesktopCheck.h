#pragma once
// Every test of the framework's and libwin's programs runs on a fresh
// desktop, and fails when it leaves windows, menus or handles alive there.

#include "brenmoor/core/Desktop.h"

// A failure naming what is left ("left alive: 1 window, 2 menus"); nothing when the desktop is empty.
void ExpectNothingLeftAlive(const Desktop& desktop);
