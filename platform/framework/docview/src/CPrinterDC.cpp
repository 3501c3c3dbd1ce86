#include "brenmoor/docview/CPrinterDC.h"

namespace {

CRect Printable(const PrinterSettings& printer) {
  const int edge = printer.unprintablePoints;
  return {0, 0, printer.widthPoints - 2 * edge, printer.heightPoints - 2 * edge};
}

}  // namespace

CPrinterDC::CPrinterDC(const std::string& file, const PrinterSettings& printer)
    : SurfaceHolder(file, printer.widthPoints, printer.heightPoints), CDC(surface), printer_(printer) {}

void CPrinterDC::StartPage() {
  if (pages_++ > 0) surface.NewPage();
  SetViewportOrg(printer_.unprintablePoints, printer_.unprintablePoints);
}

bool CPrinterDC::EndDoc() { return surface.Close(); }

CRect CPrinterDC::PrintableRect() const { return Printable(printer_); }

CPreviewDC::CPreviewDC(const PrinterSettings& printer)
    : SurfaceHolder(printer.widthPoints, printer.heightPoints), CDC(surface), printer_(printer) {
  SetViewportOrg(printer.unprintablePoints, printer.unprintablePoints);
}

CRect CPreviewDC::PrintableRect() const { return Printable(printer_); }
