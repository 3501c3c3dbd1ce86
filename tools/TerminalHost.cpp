// Plays a recorded terminal session into libwin's screen model and shows the
// screen it leaves: as a PNG drawn cell by cell while the bytes arrive, as a
// printed PDF page, and, with a selection, as the selected text on stdout.
//
//   terminal_host [--select r1,c1:r2,c2] <session file|-> <out.png> <out.pdf>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

#include "GridLayout.h"
#include "EscapeParser.h"
#include "brenmoor/docview/CPrinterDC.h"
#include "brenmoor/gdi/RasterSurface.h"
#include "brenmoor/win/ScreenBuffer.h"
#include "brenmoor/win/ScreenCharRenderer.h"

namespace {

constexpr COLORREF kColours[7] = {
    RGB(0xD8, 0xDE, 0xE6),  // normal text
    RGB(0x12, 0x1A, 0x26),  // background
    RGB(0x7C, 0x88, 0x98),  // subdued
    RGB(0x7C, 0xC8, 0xFF),  // underlined
    RGB(0xFF, 0xB8, 0x4C),  // blinking
    RGB(0x12, 0x1A, 0x26),  // selected text
    RGB(0xFF, 0xE0, 0x80),  // selected background
};

// A4 landscape, with half-inch margins.
PrinterSettings Landscape(const std::string& file) { return {CString::FromUtf8(file), 842, 595, 36}; }

struct Options {
  std::optional<std::pair<CursorPos, CursorPos>> selection;
  std::string session;
  std::string png;
  std::string pdf;
};

int Usage() {
  std::fputs("usage: terminal_host [--select r1,c1:r2,c2] <session file|-> <out.png> <out.pdf>\n",
             stderr);
  return 2;
}

std::optional<std::pair<CursorPos, CursorPos>> ParseSelection(const std::string& text) {
  int r1 = 0, c1 = 0, r2 = 0, c2 = 0;
  char end = 0;
  if (std::sscanf(text.c_str(), "%d,%d:%d,%d%c", &r1, &c1, &r2, &c2, &end) != 4) {
    return std::nullopt;
  }
  return std::make_pair(CursorPos(r1, c1), CursorPos(r2, c2));
}

std::optional<Options> ParseArguments(int argc, char** argv) {
  Options options;
  int next = 1;
  if (next < argc && std::string(argv[next]) == "--select") {
    if (next + 1 >= argc) return std::nullopt;
    options.selection = ParseSelection(argv[next + 1]);
    if (!options.selection) return std::nullopt;
    next += 2;
  }
  if (argc - next != 3) return std::nullopt;
  options.session = argv[next];
  options.png = argv[next + 1];
  options.pdf = argv[next + 2];
  return options;
}

std::optional<std::string> ReadSession(const std::string& name) {
  if (name == "-") {
    return std::string(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
  }
  std::ifstream file(name, std::ios::binary);
  if (!file) return std::nullopt;
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

// Selects the largest monospace font whose cells put the whole screen on the
// printable area; the size of a cell.
CSize SelectPrintFont(CPrinterDC& printer, CFont& font, int rows, int columns) {
  LOGFONT description;
  description.lfWeight = FW_NORMAL;
  const wchar_t face[] = L"Courier New";
  std::copy(std::begin(face), std::end(face), description.lfFaceName);
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

bool Print(ScreenBuffer& screen, const std::string& file) {
  CPrinterDC printer(file, Landscape(file));
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

// The clipboard's line ends are CR LF; a Linux terminal wants LF, and a last one.
std::string WithLineFeeds(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  if (!out.empty() && out.back() != '\n') out += '\n';
  return out;
}

int Run(const Options& options) {
  const std::optional<std::string> session = ReadSession(options.session);
  if (!session) {
    std::fprintf(stderr, "terminal_host: cannot read %s\n", options.session.c_str());
    return 1;
  }

  GridLayout layout;
  layout.ChangeLayout(kColours, L"Courier New", -18, false, false);
  const CSize cell = layout.CharCellSize();
  ScreenBuffer screen(layout);
  const auto surfaceFor = [&] {
    return std::make_unique<RasterSurface>(screen.VisColumns() * cell.cx,
                                           screen.VisRows() * cell.cy, layout.GetBkColor());
  };
  std::unique_ptr<RasterSurface> image = surfaceFor();
  auto dc = std::make_unique<CDC>(*image);
  screen.SetDC(dc.get());
  EscapeParser parser(screen);
  parser.Feed(*session);
  if (options.selection) screen.Select(options.selection->first, options.selection->second);
  // A session that resized the screen is shown at its final size.
  if (image->Width() != screen.VisColumns() * cell.cx ||
      image->Height() != screen.VisRows() * cell.cy) {
    screen.SetDC(nullptr);
    dc.reset();
    image = surfaceFor();
    dc = std::make_unique<CDC>(*image);
  }
  screen.Refresh(dc.get());
  screen.SetDC(nullptr);

  int status = 0;
  if (!image->WritePng(options.png)) {
    std::fprintf(stderr, "terminal_host: cannot write %s\n", options.png.c_str());
    status = 1;
  }
  if (!Print(screen, options.pdf)) {
    std::fprintf(stderr, "terminal_host: cannot write %s\n", options.pdf.c_str());
    status = 1;
  }
  std::fprintf(stderr, "terminal_host: %zu bytes, a screen of %d x %d cells; %s: %d x %d pixels\n",
               session->size(), screen.VisRows(), screen.VisColumns(), options.png.c_str(),
               image->Width(), image->Height());
  std::fflush(stderr);
  if (options.selection) std::fputs(WithLineFeeds(screen.SelectedText().ToUtf8()).c_str(), stdout);
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<Options> options = ParseArguments(argc, argv);
  if (!options) return Usage();
  return Run(*options);
}
