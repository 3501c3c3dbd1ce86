#pragma once
// The device context a window paints itself with while it handles WM_PAINT.
// Whoever asks a window to paint (the window painter, a test) lends the
// surface and the window's client origin on it with a PaintTarget; a window
// told to paint with no surface lent draws nowhere.

#include "brenmoor/gdi/CDC.h"

class CWnd;

class CPaintDC : public CDC {
 public:
  explicit CPaintDC(CWnd* window);
};

// Lends a surface to the window's paint contexts for as long as it lives; targets nest.
class PaintTarget {
 public:
  PaintTarget(HWND window, DrawingSurface& surface, CPoint clientOrigin);
  ~PaintTarget();
  PaintTarget(const PaintTarget&) = delete;
  PaintTarget& operator=(const PaintTarget&) = delete;

  // The surface lent to the window, or null.
  static const PaintTarget* For(HWND window);
  DrawingSurface& Surface() const { return surface_; }
  CPoint Origin() const { return origin_; }

 private:
  HWND window_;
  DrawingSurface& surface_;
  CPoint origin_;
  const PaintTarget* previous_;
};
