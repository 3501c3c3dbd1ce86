#include "brenmoor/gdi/PdfSurface.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include <algorithm>
#include <optional>

#include "CairoPainter.h"

namespace {

// PDF readers need not show pages beyond 200 inches.
constexpr int kLargestSide = 14400;

}  // namespace

struct PdfSurface::Document {
  Document(const std::string& file, int widthPoints, int heightPoints)
      : width(std::clamp(widthPoints, 1, kLargestSide)),
        height(std::clamp(heightPoints, 1, kLargestSide)),
        surface(cairo_pdf_surface_create(file.c_str(), this->width, this->height)),
        cr(cairo_create(surface)),
        painter(cr, this->width, this->height) {}
  ~Document() {
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
  }
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;

  bool Drawable() const { return !closed && cairo_status(cr) == CAIRO_STATUS_SUCCESS; }

  int width;
  int height;
  cairo_surface_t* surface;
  cairo_t* cr;
  CairoPainter painter;
  std::optional<bool> closed;
};

PdfSurface::PdfSurface(const std::string& file, int widthPoints, int heightPoints)
    : document_(std::make_unique<Document>(file, widthPoints, heightPoints)) {}

PdfSurface::~PdfSurface() { Close(); }

void PdfSurface::TextOut(const DrawState& state, int x, int y, const CString& text) {
  if (document_->Drawable()) document_->painter.TextOut(state, x, y, text);
}

void PdfSurface::Polyline(const DrawState& state, const std::vector<CPoint>& points) {
  if (document_->Drawable()) document_->painter.Polyline(state, points);
}

void PdfSurface::Polygon(const DrawState& state, const std::vector<CPoint>& points) {
  if (document_->Drawable()) document_->painter.Polygon(state, points);
}

// Measured even when the file failed: callers lay out pages before they draw.
CSize PdfSurface::TextExtent(const LOGFONT& font, const CString& text) {
  return document_->painter.TextExtent(font, text);
}

int PdfSurface::WidthPoints() const { return document_->width; }

int PdfSurface::HeightPoints() const { return document_->height; }

void PdfSurface::NewPage() {
  if (document_->Drawable()) cairo_show_page(document_->cr);
}

bool PdfSurface::Close() {
  Document& document = *document_;
  if (!document.closed) {
    // cairo would drop a last page left blank.
    if (document.Drawable()) cairo_show_page(document.cr);
    cairo_surface_finish(document.surface);
    document.closed = cairo_status(document.cr) == CAIRO_STATUS_SUCCESS &&
                      cairo_surface_status(document.surface) == CAIRO_STATUS_SUCCESS;
  }
  return *document.closed;
}
