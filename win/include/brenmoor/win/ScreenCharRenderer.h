#pragma once
// Draws one terminal cell on screen or on a printer: text for the national
// sets, and the line-drawing characters of the special graphics set as
// lines and a diamond scaled to the cell, reaching its edges.

#include <initializer_list>
#include <vector>

#include "brenmoor/gdi/CDC.h"
#include "brenmoor/win/ScreenChar.h"

class ScreenCharRenderer {
 public:
  // The one renderer of the process, never destroyed.
  static ScreenCharRenderer* Instance();

  // Lines become a sixth of the cell's width.
  void SetFontBounds(CSize size) { lineWidth_ = size.cx / 6; }
  // In the cell's own style (its selected one while selected).
  void Draw(CDC* dc, ScreenChar* cell, int x, int y, CSize size);
  // In the context's colours; reverse-video cells swap them for the cell only.
  void Print(CDC* dc, ScreenChar* cell, int x, int y, CSize size);

  ScreenCharRenderer& operator=(const ScreenCharRenderer&) = default;
  int GetLineWidth() const { return lineWidth_; }

 protected:
  ScreenCharRenderer() = default;
  ScreenCharRenderer(const ScreenCharRenderer&) = default;

  void Render(CDC* dc, ScreenChar* cell, int x, int y, CSize size);
  void RenderSpecialGraphics(CDC* dc, char c, int x, int y, CSize size);
  void RenderExtendedGraphics(CDC* dc, char c, int x, int y, CSize size);

  void DrawDiamond(int x, int y, CSize size);
  void DrawDownLeft(int x, int y, CSize size);
  void DrawUpLeft(int x, int y, CSize size);
  void DrawUpRight(int x, int y, CSize size);
  void DrawDownRight(int x, int y, CSize size);
  void DrawVerticalHorizontal(int x, int y, CSize size);
  void DrawHorizontal1(int x, int y, CSize size);
  void DrawHorizontal3(int x, int y, CSize size);
  void DrawHorizontal5(int x, int y, CSize size);
  void DrawHorizontal7(int x, int y, CSize size);
  void DrawHorizontal9(int x, int y, CSize size);
  void DrawVerticalRight(int x, int y, CSize size);
  void DrawVerticalLeft(int x, int y, CSize size);
  void DrawUpHorizontal(int x, int y, CSize size);
  void DrawDownHorizontal(int x, int y, CSize size);
  void DrawVertical(int x, int y, CSize size);
  void DrawUnsupported(int x, int y, CSize size);

  void InitLinePen(CPen& pen, CSize size);
  void InitPolyPen(CPen& pen, CSize size);
  void InitPolyBrush(CBrush& brush);

 private:
  using Line = std::vector<CPoint>;
  // Paints the cell's background, then the lines with the line pen.
  void DrawLines(int x, int y, CSize size, std::initializer_list<Line> lines);
  void TextOut(int x, int y, wchar_t character);
  void TextOutAnsi(int x, int y, char c);
  // The same character again one pixel on, in transparent mode.
  void Overstrike(int x, int y, wchar_t character);

  CDC* dc_ = nullptr;
  COLORREF lineColor_ = 0;
  int lineWidth_ = 0;
};
