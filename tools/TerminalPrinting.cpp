#include "TerminalPrinting.h"

#include <string>

#include "TerminalLook.h"
#include "brenmoor/docview/CPrinterDC.h"
#include "brenmoor/win/ScreenBuffer.h"
#include "brenmoor/win/ScreenCharRenderer.h"

namespace {

// A4 landscape, with half-inch margins.
PrinterSettings Landscape(const std::string& file) { return {CString::FromUtf8(file), 842, 595, 36}; }

// Selects the largest monospace font whose cells put the whole screen on the
// printable area; the size of a cell.
CSize SelectPrintFont(CPrinterDC& printer, CFont& font, int rows, int columns) {
  LOGFONT description;
  description.lfWeight = FW_NORMAL;
  const std::wstring face = terminal_look::kFace;
  std::copy(face.c_str(), face.c_str() + face.size() + 1, description.lfFaceName);
  const CRect page = printer.PrintableRect();
  CSize cell;
  for (int em = 24; em >= 2; --em) {
    description.lfHeight = -em;
    font.DeleteObject();
    font.CreateFontIndirect(&description);
    printer.SelectObject(&font);
    cell = printer.GetTextExtent(L"X");
    if (static_cast<long long>(cell.cx) * columns <= page.Width() &&
        static_cast<long long>(cell.cy) * rows <= page.Height()) {
      break;
    }
  }
  return cell;
}

}  // namespace

bool PrintScreen(ScreenBuffer& screen, const std::string& pdfFile) {
  CPrinterDC printer(pdfFile, Landscape(pdfFile));
  printer.StartPage();
  CFont font;
  const CSize cell = SelectPrintFont(printer, font, screen.VisRows(), screen.VisColumns());
  printer.SetTextColor(RGB(0, 0, 0));
  printer.SetBkColor(RGB(255, 255, 255));
  printer.SetBkMode(OPAQUE);
  // Line graphics are drawn to the cell they land in, not the screen's.
  ScreenCharRenderer::Instance()->SetFontBounds(cell);
  screen.PrintBuffer(&printer, cell);
  ScreenCharRenderer::Instance()->SetFontBounds(screen.ScreenCharSize());
  return printer.EndDoc();
}
