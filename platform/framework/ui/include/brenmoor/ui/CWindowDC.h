#pragma once
// A device context on a window's whole area, frame included, with (0, 0) at
// the window's top-left corner. Each window keeps what was drawn on it this
// way, so a test can read it back.

#include "brenmoor/gdi/CDC.h"
#include "brenmoor/gdi/RecordingSurface.h"

class CWnd;

class CWindowDC : public CDC {
 public:
  explicit CWindowDC(CWnd* window);
};

// What was drawn on the window through CWindowDC; the clip box is the window's size.
RecordingSurface& WindowDrawing(HWND window);
