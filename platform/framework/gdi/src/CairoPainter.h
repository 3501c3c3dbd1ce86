#pragma once
// The drawing calls and text measurement shared by the cairo surfaces (the
// raster image, the printed page), carried out on a cairo context they lend.
// Units are the surface's own: pixels on an image, points on a page.

#include <map>
#include <string>
#include <vector>

#include "brenmoor/gdi/DrawingSurface.h"

// As cairo.h declares it; installed headers stay free of cairo's.
typedef struct _cairo cairo_t;  // NOLINT: cairo's own name

class CairoPainter {
 public:
  // Drawing is meant for width x height; what lies far outside is left out
  // before cairo sees it. The context must outlive the painter.
  CairoPainter(cairo_t* cr, int width, int height);
  ~CairoPainter();
  CairoPainter(const CairoPainter&) = delete;
  CairoPainter& operator=(const CairoPainter&) = delete;

  void TextOut(const DrawState& state, int x, int y, const CString& text);
  void Polyline(const DrawState& state, const std::vector<CPoint>& points);
  void Polygon(const DrawState& state, const std::vector<CPoint>& points);
  CSize TextExtent(const LOGFONT& font, const CString& text);
  // The whole area in one colour.
  void Paint(COLORREF colour);

 private:
  cairo_t* cr_;
  int width_;
  int height_;
  // Face names as asked for, and the family each resolved to.
  std::map<std::string, std::string> families_;
};
