#pragma once
// A printer that writes its pages to a PDF file through cairo: drawing and
// text measurement as on a raster image, in points instead of pixels.

#include <memory>
#include <string>

#include "brenmoor/gdi/DrawingSurface.h"

class PdfSurface : public DrawingSurface {
 public:
  // Every page has the size given (clamped to what PDF allows). A file that
  // cannot be written leaves a surface that draws nothing and fails to close.
  PdfSurface(const std::string& file, int widthPoints, int heightPoints);
  // Closes the file if Close was not called.
  ~PdfSurface() override;
  PdfSurface(const PdfSurface&) = delete;
  PdfSurface& operator=(const PdfSurface&) = delete;

  void TextOut(const DrawState& state, int x, int y, const CString& text) override;
  void Polyline(const DrawState& state, const std::vector<CPoint>& points) override;
  void Polygon(const DrawState& state, const std::vector<CPoint>& points) override;
  CSize TextExtent(const LOGFONT& font, const CString& text) override;
  bool IsPrinting() const override { return true; }

  int WidthPoints() const;
  int HeightPoints() const;
  // Ends the page and starts another; every page begun is written, blank or not.
  void NewPage();
  // Ends the last page and finishes the file; false when anything failed.
  // Drawing after it is ignored; closing again gives the same answer.
  bool Close();

 private:
  struct Document;
  std::unique_ptr<Document> document_;
};
