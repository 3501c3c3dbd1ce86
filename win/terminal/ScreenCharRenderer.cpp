#include "brenmoor/win/ScreenCharRenderer.h"

#include <string>

#include "brenmoor/win/CellAttributes.h"
#include "TextEncoding.h"

namespace {

bool HasMode(const FontStyle* style, int bit) {
  return style != nullptr && (style->GetMode() & bit) != 0;
}

}  // namespace

ScreenCharRenderer* ScreenCharRenderer::Instance() {
  static ScreenCharRenderer* const renderer = new ScreenCharRenderer();
  return renderer;
}

void ScreenCharRenderer::Draw(CDC* dc, ScreenChar* cell, int x, int y, CSize size) {
  // A cell that was never given a style is drawn in the context's colours.
  if (const FontStyle* style = cell->GetStyle()) {
    style->SetupText(dc);
    lineColor_ = style->GetTextColor();
  } else {
    lineColor_ = dc->GetTextColor();
  }
  Render(dc, cell, x, y, size);
}

void ScreenCharRenderer::Print(CDC* dc, ScreenChar* cell, int x, int y, CSize size) {
  if (!HasMode(cell->GetStyle(), video::kReverse)) {
    lineColor_ = dc->GetTextColor();
    Render(dc, cell, x, y, size);
    return;
  }
  const COLORREF text = dc->GetTextColor();
  const COLORREF back = dc->GetBkColor();
  dc->SetTextColor(back);
  dc->SetBkColor(text);
  lineColor_ = back;
  Render(dc, cell, x, y, size);
  dc->SetTextColor(text);
  dc->SetBkColor(back);
}

void ScreenCharRenderer::Render(CDC* dc, ScreenChar* cell, int x, int y, CSize size) {
  dc_ = dc;
  const wchar_t value = cell->GetValue();
  const char low = static_cast<char>(value & 0xFF);
  switch (cell->GetCharSet()) {
    case charset::kUsAscii:
    case charset::kUkNational: {
      const wchar_t shown = cell->GetCharSet() == charset::kUkNational && value == L'#' ? L'\u00A3' : value;
      TextOut(x, y, shown);
      // Both national sets are emboldened alike, one pixel to the right.
      if (HasMode(cell->GetStyle(), video::kBold)) Overstrike(x + 1, y, shown);
      break;
    }
    case charset::kSpecialGraphics:
      RenderSpecialGraphics(dc, low, x, y, size);
      break;
    case charset::kExtendedGraphics:
      if (value >= 0x40 && value <= 0x5E) {
        RenderExtendedGraphics(dc, low, x, y, size);
      } else {
        RenderSpecialGraphics(dc, low, x, y, size);
      }
      break;
    default:
      break;
  }
}

void ScreenCharRenderer::RenderSpecialGraphics(CDC* dc, char c, int x, int y, CSize size) {
  dc_ = dc;
  switch (static_cast<signed char>(c)) {
    case 0x5F: TextOut(x, y, L' '); break;
    case 0x60: DrawDiamond(x, y, size); break;
    case 0x61: case 0x62: case 0x63: case 0x64: case 0x65: DrawUnsupported(x, y, size); break;
    case 0x66: TextOut(x, y, L'\u00B0'); break;
    case 0x67: TextOut(x, y, L'\u00B1'); break;
    case 0x68: case 0x69: DrawUnsupported(x, y, size); break;
    case 0x6A: DrawDownLeft(x, y, size); break;
    case 0x6B: DrawUpLeft(x, y, size); break;
    case 0x6C: DrawUpRight(x, y, size); break;
    case 0x6D: DrawDownRight(x, y, size); break;
    case 0x6E: DrawVerticalHorizontal(x, y, size); break;
    case 0x6F: DrawHorizontal1(x, y, size); break;
    case 0x70: DrawHorizontal3(x, y, size); break;
    case 0x71: DrawHorizontal5(x, y, size); break;
    case 0x72: DrawHorizontal7(x, y, size); break;
    case 0x73: DrawHorizontal9(x, y, size); break;
    case 0x74: DrawVerticalRight(x, y, size); break;
    case 0x75: DrawVerticalLeft(x, y, size); break;
    case 0x76: DrawUpHorizontal(x, y, size); break;
    case 0x77: DrawDownHorizontal(x, y, size); break;
    case 0x78: DrawVertical(x, y, size); break;
    case 0x79: case 0x7A: case 0x7B: DrawUnsupported(x, y, size); break;
    case 0x7C:  // not equal: "=" struck through by "/"
      TextOut(x, y, L'=');
      Overstrike(x, y, L'/');
      break;
    case 0x7D: TextOut(x, y, L'\u00A3'); break;
    case 0x7E: TextOut(x, y, L'\u00B7'); break;
    default: TextOutAnsi(x, y, c); break;
  }
}

void ScreenCharRenderer::RenderExtendedGraphics(CDC* dc, char c, int x, int y, CSize size) {
  dc_ = dc;
  const auto code = static_cast<signed char>(c);
  if (code >= 0x40 && code <= 0x5E) {
    DrawUnsupported(x, y, size);
  } else {
    TextOutAnsi(x, y, c);
  }
}

void ScreenCharRenderer::TextOut(int x, int y, wchar_t character) {
  dc_->TextOut(x, y, &character, 1);
}

void ScreenCharRenderer::TextOutAnsi(int x, int y, char c) {
  dc_->TextOut(x, y, CString::FromUtf8(platform::encoding::Utf8FromAnsi(std::string(1, c))));
}

void ScreenCharRenderer::Overstrike(int x, int y, wchar_t character) {
  dc_->SetBkMode(TRANSPARENT);
  TextOut(x, y, character);
  dc_->SetBkMode(OPAQUE);
}

// The font's glyph for an undefined character marks the cell.
void ScreenCharRenderer::DrawUnsupported(int x, int y, CSize) { TextOut(x, y, L'\u0001'); }

void ScreenCharRenderer::DrawLines(int x, int y, CSize size, std::initializer_list<Line> lines) {
  CPen pen;
  InitLinePen(pen, size);
  CPen* previous = dc_->SelectObject(&pen);
  TextOut(x, y, L' ');
  for (const Line& line : lines) dc_->Polyline(line.data(), static_cast<int>(line.size()));
  dc_->SelectObject(previous);
}

void ScreenCharRenderer::DrawDownLeft(int x, int y, CSize size) {
  const int cx = x + size.cx / 2, cy = y + size.cy / 2;
  DrawLines(x, y, size, {{{x, cy}, {cx, cy}, {cx, y}}});
}

void ScreenCharRenderer::DrawUpLeft(int x, int y, CSize size) {
  const int cx = x + size.cx / 2, cy = y + size.cy / 2;
  DrawLines(x, y, size, {{{x, cy}, {cx, cy}, {cx, y + size.cy}}});
}

void ScreenCharRenderer::DrawUpRight(int x, int y, CSize size) {
  const int cx = x + size.cx / 2, cy = y + size.cy / 2;
  DrawLines(x, y, size, {{{cx, y + size.cy}, {cx, cy}, {x + size.cx, cy}}});
}

void ScreenCharRenderer::DrawDownRight(int x, int y, CSize size) {
  const int cx = x + size.cx / 2, cy = y + size.cy / 2;
  DrawLines(x, y, size, {{{cx, y}, {cx, cy}, {x + size.cx, cy}}});
}

void ScreenCharRenderer::DrawVerticalHorizontal(int x, int y, CSize size) {
  const int cx = x + size.cx / 2, cy = y + size.cy / 2;
  DrawLines(x, y, size, {{{cx, y}, {cx, y + size.cy}}, {{x, cy}, {x + size.cx, cy}}});
}

void ScreenCharRenderer::DrawHorizontal1(int x, int y, CSize size) {
  const int y1 = y + lineWidth_ / 2;
  DrawLines(x, y, size, {{{x, y1}, {x + size.cx, y1}}});
}

void ScreenCharRenderer::DrawHorizontal3(int x, int y, CSize size) {
  const int y3 = y + size.cy / 4 + lineWidth_ / 4;
  DrawLines(x, y, size, {{{x, y3}, {x + size.cx, y3}}});
}

void ScreenCharRenderer::DrawHorizontal5(int x, int y, CSize size) {
  const int cy = y + size.cy / 2;
  DrawLines(x, y, size, {{{x, cy}, {x + size.cx, cy}}});
}

void ScreenCharRenderer::DrawHorizontal7(int x, int y, CSize size) {
  const int y7 = y + (3 * size.cy) / 4 - lineWidth_ / 4;
  DrawLines(x, y, size, {{{x, y7}, {x + size.cx, y7}}});
}

void ScreenCharRenderer::DrawHorizontal9(int x, int y, CSize size) {
  const int y9 = y + size.cy - (lineWidth_ + 1) / 2;
  DrawLines(x, y, size, {{{x, y9}, {x + size.cx, y9}}});
}

void ScreenCharRenderer::DrawVerticalRight(int x, int y, CSize size) {
  const int cx = x + size.cx / 2, cy = y + size.cy / 2;
  DrawLines(x, y, size, {{{cx, y}, {cx, y + size.cy}}, {{cx, cy}, {x + size.cx, cy}}});
}

void ScreenCharRenderer::DrawVerticalLeft(int x, int y, CSize size) {
  const int cx = x + size.cx / 2, cy = y + size.cy / 2;
  DrawLines(x, y, size, {{{cx, y}, {cx, y + size.cy}}, {{x, cy}, {cx, cy}}});
}

void ScreenCharRenderer::DrawUpHorizontal(int x, int y, CSize size) {
  const int cx = x + size.cx / 2, cy = y + size.cy / 2;
  DrawLines(x, y, size, {{{cx, y}, {cx, cy}}, {{x, cy}, {x + size.cx, cy}}});
}

void ScreenCharRenderer::DrawDownHorizontal(int x, int y, CSize size) {
  const int cx = x + size.cx / 2, cy = y + size.cy / 2;
  DrawLines(x, y, size, {{{cx, cy}, {cx, y + size.cy}}, {{x, cy}, {x + size.cx, cy}}});
}

void ScreenCharRenderer::DrawVertical(int x, int y, CSize size) {
  const int cx = x + size.cx / 2;
  DrawLines(x, y, size, {{{cx, y}, {cx, y + size.cy}}});
}

void ScreenCharRenderer::DrawDiamond(int x, int y, CSize size) {
  CPen pen;
  InitPolyPen(pen, size);
  CBrush brush;
  InitPolyBrush(brush);
  const int cx = x + size.cx / 2, cy = y + size.cy / 2;
  const int d = size.cx / 2 - lineWidth_;
  const CPoint points[] = {{cx - d, cy}, {cx, cy - d}, {cx + d, cy}, {cx, cy + d}};
  CPen* previousPen = dc_->SelectObject(&pen);
  CBrush* previousBrush = dc_->SelectObject(&brush);
  TextOut(x, y, L' ');
  dc_->Polygon(points, 4);
  dc_->SelectObject(previousPen);
  dc_->SelectObject(previousBrush);
}

void ScreenCharRenderer::InitLinePen(CPen& pen, CSize size) {
  if (lineWidth_ == 0) lineWidth_ = size.cx / 6;
  const LOGBRUSH brush{BS_SOLID, lineColor_, 0};
  pen.CreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT | PS_JOIN_ROUND, lineWidth_, &brush);
}

void ScreenCharRenderer::InitPolyPen(CPen& pen, CSize size) {
  if (lineWidth_ == 0) lineWidth_ = size.cx / 6;
  const LOGBRUSH brush{BS_SOLID, lineColor_, 0};
  pen.CreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT | PS_JOIN_BEVEL, 1, &brush);
}

void ScreenCharRenderer::InitPolyBrush(CBrush& brush) { brush.CreateSolidBrush(lineColor_); }
