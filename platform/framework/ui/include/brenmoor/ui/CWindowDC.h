#pragma once
// A device context on a window's whole area, frame included, with (0, 0) at
// the window's top-left corner; what it draws shows in the window's picture.

#include "brenmoor/windowing/WindowPainter.h"

class CWnd;

class CWindowDC : public WindowDC {
 public:
  explicit CWindowDC(CWnd* window);
};
