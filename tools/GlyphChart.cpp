// Draws every code of the special graphics and extended graphics character
// sets, in the normal, bold, reverse, underlined and selected styles, into
// one PNG: a picture to check the terminal's line drawing by eye.
//
//   glyph_chart <output.png>

#include <cstdio>
#include <string>
#include <vector>

#include "GridLayout.h"
#include "brenmoor/gdi/RasterSurface.h"
#include "brenmoor/win/ScreenChar.h"
#include "brenmoor/win/ScreenCharRenderer.h"

namespace {

constexpr int kFirstCode = 0x40;
constexpr int kLastCode = 0x7E;
constexpr int kLabelColumns = 22;
constexpr int kHeaderRows = 3;

struct StyleRow {
  const char* name;
  int mode;
  bool selected;
};

constexpr StyleRow kStyles[] = {
    {"normal", 0x00, false},  {"bold", 0x01, false},     {"reverse", 0x10, false},
    {"underlined", 0x04, false}, {"selected", 0x00, true},
};

constexpr COLORREF kColours[7] = {
    RGB(0xE0, 0xE0, 0xE0),  // normal text
    RGB(0x10, 0x18, 0x30),  // background
    RGB(0x80, 0x80, 0x80),  // subdued
    RGB(0x60, 0xD0, 0xFF),  // underlined
    RGB(0xFF, 0xC0, 0x40),  // blinking
    RGB(0x10, 0x18, 0x30),  // selected text
    RGB(0xFF, 0xE0, 0x80),  // selected background
};

void DrawText(CDC& dc, GridLayout& layout, int row, int col, const std::string& text) {
  ScreenCharRenderer* renderer = ScreenCharRenderer::Instance();
  for (std::size_t i = 0; i < text.size(); ++i) {
    ScreenChar cell;
    cell.Set(static_cast<wchar_t>(text[i]), 0, layout.GetStyle(0x02), layout.GetSelStyle(0));
    const int column = col + static_cast<int>(i);
    renderer->Draw(&dc, &cell, layout.ColumnToX(column), layout.RowToY(row), layout.CharCellSize());
  }
}

// Two header rows give each column's code in hexadecimal, high digit above.
void DrawHeader(CDC& dc, GridLayout& layout) {
  const char* digits = "0123456789ABCDEF";
  DrawText(dc, layout, 0, 0, "code (hex)");
  for (int code = kFirstCode; code <= kLastCode; ++code) {
    const int column = kLabelColumns + code - kFirstCode;
    DrawText(dc, layout, 0, column, std::string(1, digits[code >> 4]));
    DrawText(dc, layout, 1, column, std::string(1, digits[code & 0xF]));
  }
}

void DrawCodes(CDC& dc, GridLayout& layout, int row, int charSet, const StyleRow& style) {
  ScreenCharRenderer* renderer = ScreenCharRenderer::Instance();
  for (int code = kFirstCode; code <= kLastCode; ++code) {
    ScreenChar cell;
    cell.Set(static_cast<wchar_t>(code), charSet, layout.GetStyle(style.mode),
             layout.GetSelStyle(style.mode));
    if (style.selected) cell.Select();
    const int column = kLabelColumns + code - kFirstCode;
    renderer->Draw(&dc, &cell, layout.ColumnToX(column), layout.RowToY(row),
                   layout.CharCellSize());
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: glyph_chart <output.png>\n");
    return 2;
  }
  GridLayout layout;
  layout.ChangeLayout(kColours, L"Courier New", -22, false, false);
  const CSize cell = layout.CharCellSize();
  const int columns = kLabelColumns + kLastCode - kFirstCode + 2;
  const int rows = kHeaderRows + 2 * static_cast<int>(std::size(kStyles)) + 2;
  RasterSurface surface(columns * cell.cx, rows * cell.cy, layout.GetBkColor());
  CDC dc(surface);

  DrawHeader(dc, layout);
  int row = kHeaderRows;
  for (int charSet : {2, 3}) {
    for (const StyleRow& style : kStyles) {
      DrawText(dc, layout, row, 0,
               std::string(charSet == 2 ? "special " : "extended ") + style.name);
      DrawCodes(dc, layout, row, charSet, style);
      ++row;
    }
    ++row;
  }
  if (!surface.WritePng(argv[1])) {
    std::fprintf(stderr, "glyph_chart: cannot write %s\n", argv[1]);
    return 1;
  }
  std::printf("%s: %d x %d pixels, cells of %d x %d\n", argv[1], surface.Width(), surface.Height(),
              cell.cx, cell.cy);
  return 0;
}
