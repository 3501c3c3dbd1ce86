#pragma once
// Device contexts of a print run: the printer's, which writes each page into
// a PDF file, and the print preview's, which draws each page onto an image.
// Both put the logical origin at the corner of the printable area.

#include <memory>
#include <string>

#include "brenmoor/gdi/CDC.h"
#include "brenmoor/docview/CPrintInfo.h"
#include "brenmoor/gdi/PdfSurface.h"
#include "brenmoor/gdi/RasterSurface.h"

namespace printing {

// Holds the surface so that it is made before the context drawing on it.
template <typename Surface>
struct SurfaceHolder {
  template <typename... Arguments>
  explicit SurfaceHolder(Arguments&&... arguments) : surface(std::forward<Arguments>(arguments)...) {}
  Surface surface;
};

}  // namespace printing

class CPrinterDC : private printing::SurfaceHolder<PdfSurface>, public CDC {
 public:
  CPrinterDC(const std::string& file, const PrinterSettings& printer);
  // Every page but the first begins a new sheet.
  void StartPage();
  // Finishes the file; false when it could not be written.
  bool EndDoc();
  // The printable area with the origin at its corner.
  CRect PrintableRect() const;

 private:
  PrinterSettings printer_;
  int pages_ = 0;
};

class CPreviewDC : private printing::SurfaceHolder<RasterSurface>, public CDC {
 public:
  explicit CPreviewDC(const PrinterSettings& printer);
  CRect PrintableRect() const;
  bool WritePng(const std::string& file) const { return surface.WritePng(file); }
  const RasterSurface& Picture() const { return surface; }

 private:
  PrinterSettings printer_;
};
