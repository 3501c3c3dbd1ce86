#include "brenmoor/gdi/RasterSurface.h"

#include <cairo.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "CairoPainter.h"

namespace {

// cairo refuses larger images.
constexpr int kLargestSide = 32767;

struct SurfaceRelease {
  void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};

}  // namespace

struct RasterSurface::Canvas {
  Canvas(int width, int height, COLORREF background)
      : image(cairo_image_surface_create(CAIRO_FORMAT_RGB24, std::clamp(width, 1, kLargestSide),
                                         std::clamp(height, 1, kLargestSide))),
        cr(cairo_create(image.get())),
        painter(cr, cairo_image_surface_get_width(image.get()),
                cairo_image_surface_get_height(image.get())) {
    painter.Paint(background);
  }
  ~Canvas() { cairo_destroy(cr); }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  std::unique_ptr<cairo_surface_t, SurfaceRelease> image;
  cairo_t* cr;
  CairoPainter painter;
};

RasterSurface::RasterSurface(int width, int height, COLORREF background)
    : canvas_(std::make_unique<Canvas>(width, height, background)) {}

RasterSurface::~RasterSurface() = default;

void RasterSurface::TextOut(const DrawState& state, int x, int y, const CString& text) {
  canvas_->painter.TextOut(state, x, y, text);
}

void RasterSurface::Polyline(const DrawState& state, const std::vector<CPoint>& points) {
  canvas_->painter.Polyline(state, points);
}

void RasterSurface::Polygon(const DrawState& state, const std::vector<CPoint>& points) {
  canvas_->painter.Polygon(state, points);
}

CSize RasterSurface::TextExtent(const LOGFONT& font, const CString& text) {
  return canvas_->painter.TextExtent(font, text);
}

int RasterSurface::Width() const { return cairo_image_surface_get_width(canvas_->image.get()); }

int RasterSurface::Height() const { return cairo_image_surface_get_height(canvas_->image.get()); }

COLORREF RasterSurface::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= Width() || y >= Height()) return RGB(0, 0, 0);
  cairo_surface_t* image = canvas_->image.get();
  cairo_surface_flush(image);
  const unsigned char* data = cairo_image_surface_get_data(image);
  if (data == nullptr) return RGB(0, 0, 0);
  std::uint32_t pixel = 0;  // 0x00RRGGBB in a native-endian word
  const std::size_t stride = static_cast<std::size_t>(cairo_image_surface_get_stride(image));
  std::memcpy(&pixel, data + static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x) * 4,
              sizeof pixel);
  return RGB(static_cast<BYTE>(pixel >> 16), static_cast<BYTE>(pixel >> 8),
             static_cast<BYTE>(pixel));
}

void RasterSurface::Paste(const RasterSurface& image, CPoint at) {
  cairo_t* cr = cairo_create(canvas_->image.get());
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_surface(cr, image.canvas_->image.get(), at.x, at.y);
  cairo_rectangle(cr, at.x, at.y, image.Width(), image.Height());
  cairo_fill(cr);
  cairo_destroy(cr);
}

void RasterSurface::PasteScaled(const RasterSurface& image, const CRect& onto, const CRect& clip) {
  if (onto.Width() <= 0 || onto.Height() <= 0) return;
  cairo_t* cr = cairo_create(canvas_->image.get());
  cairo_rectangle(cr, clip.left, clip.top, clip.Width(), clip.Height());
  cairo_clip(cr);
  cairo_translate(cr, onto.left, onto.top);
  cairo_scale(cr, static_cast<double>(onto.Width()) / image.Width(),
              static_cast<double>(onto.Height()) / image.Height());
  cairo_set_source_surface(cr, image.canvas_->image.get(), 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
  cairo_rectangle(cr, 0, 0, image.Width(), image.Height());
  cairo_fill(cr);
  cairo_destroy(cr);
}

const unsigned char* RasterSurface::Pixels() const {
  cairo_surface_flush(canvas_->image.get());
  return cairo_image_surface_get_data(canvas_->image.get());
}

int RasterSurface::Stride() const { return cairo_image_surface_get_stride(canvas_->image.get()); }

bool RasterSurface::WritePng(const std::string& file) const {
  return cairo_surface_write_to_png(canvas_->image.get(), file.c_str()) == CAIRO_STATUS_SUCCESS;
}
