#pragma once
// Where a device context's drawing lands: a recording for tests, a raster
// image, a printed page. Each call carries the state it is drawn in.

#include <vector>

#include "brenmoor/core/CString.h"
#include "brenmoor/gdi/GdiObjects.h"
#include "brenmoor/core/Geometry.h"

constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

struct PenState {
  int style = PS_SOLID;
  int width = 1;
  COLORREF colour = RGB(0, 0, 0);
  bool operator==(const PenState&) const = default;
};

struct DrawState {
  COLORREF textColour = RGB(0, 0, 0);
  COLORREF backColour = RGB(255, 255, 255);
  int backMode = OPAQUE;
  LOGFONT font;
  PenState pen;
  COLORREF brushColour = RGB(255, 255, 255);
};

class DrawingSurface {
 public:
  virtual ~DrawingSurface() = default;
  // Text with its top-left corner at (x, y); in opaque mode its cell is
  // first filled with the background colour.
  virtual void TextOut(const DrawState& state, int x, int y, const CString& text) = 0;
  // Leaves out the last point, as the system's lines do.
  virtual void Polyline(const DrawState& state, const std::vector<CPoint>& points) = 0;
  // Filled with the brush and outlined with the pen.
  virtual void Polygon(const DrawState& state, const std::vector<CPoint>& points) = 0;
  virtual CSize TextExtent(const LOGFONT& font, const CString& text) = 0;
  // One pixel: a one-pixel line of one step unless the surface knows better.
  virtual void SetPixel(int x, int y, COLORREF colour) {
    DrawState state;
    state.pen = {PS_SOLID, 1, colour};
    Polyline(state, {{x, y}, {x + 1, y}});
  }
  virtual bool IsPrinting() const { return false; }
  // Pixels per logical inch, as the screen has them unless the device says otherwise.
  virtual int PixelsPerInch() const { return 96; }
  // The area drawing reaches, in device pixels; empty when unknown.
  virtual CRect ClipBox() const { return {}; }
};
