#pragma once
// The one screen that top-level windows are shown on.

#include "brenmoor/core/Geometry.h"

inline CRect ScreenRect() { return {0, 0, 1280, 1024}; }
