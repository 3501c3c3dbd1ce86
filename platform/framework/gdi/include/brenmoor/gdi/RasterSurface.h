#pragma once
// A raster image drawn through cairo, with fonts found by fontconfig (the
// face asked for, or the closest one the machine has); written out as PNG.

#include <memory>
#include <string>

#include "brenmoor/gdi/DrawingSurface.h"

class RasterSurface : public DrawingSurface {
 public:
  RasterSurface(int width, int height, COLORREF background = RGB(255, 255, 255));
  ~RasterSurface() override;
  RasterSurface(const RasterSurface&) = delete;
  RasterSurface& operator=(const RasterSurface&) = delete;

  void TextOut(const DrawState& state, int x, int y, const CString& text) override;
  void Polyline(const DrawState& state, const std::vector<CPoint>& points) override;
  void Polygon(const DrawState& state, const std::vector<CPoint>& points) override;
  CSize TextExtent(const LOGFONT& font, const CString& text) override;

  CRect ClipBox() const override { return {0, 0, Width(), Height()}; }
  int Width() const;
  int Height() const;
  // The colour of one pixel; black outside the image.
  COLORREF Pixel(int x, int y) const;
  // Copies the whole of another image with its top-left corner at the point; what falls outside is left out.
  void Paste(const RasterSurface& image, CPoint at);
  // Copies the whole of another image stretched onto the rectangle, keeping
  // to what the clip rectangle holds.
  void PasteScaled(const RasterSurface& image, const CRect& onto, const CRect& clip);
  bool WritePng(const std::string& file) const;
  // The pixels for a display to copy: four bytes each, 0x00RRGGBB in the
  // machine's byte order, each row Stride() bytes from the one before.
  const unsigned char* Pixels() const;
  int Stride() const;

 private:
  struct Canvas;
  std::unique_ptr<Canvas> canvas_;
};
