#pragma once
// A surface for tests: keeps every drawing call with the state it ran in,
// and measures text with a fixed cell per character.

#include <string>
#include <vector>

#include "brenmoor/gdi/DrawingSurface.h"

class RecordingSurface : public DrawingSurface {
 public:
  struct Call {
    enum class Kind { Text, Polyline, Polygon, Pixel };
    Kind kind;
    DrawState state;
    CPoint at;                  // the text's or the pixel's position
    CString text;
    std::vector<CPoint> points;
  };

  // Every character measures cell.cx by cell.cy.
  explicit RecordingSurface(CSize cell = {8, 16}) : cell_(cell) {}
  void SetCell(CSize cell) { cell_ = cell; }

  void TextOut(const DrawState& state, int x, int y, const CString& text) override;
  void Polyline(const DrawState& state, const std::vector<CPoint>& points) override;
  void Polygon(const DrawState& state, const std::vector<CPoint>& points) override;
  CSize TextExtent(const LOGFONT& font, const CString& text) override;
  void SetPixel(int x, int y, COLORREF colour) override;
  bool IsPrinting() const override { return printing_; }
  void SetPrinting(bool printing) { printing_ = printing; }
  int PixelsPerInch() const override { return pixelsPerInch_; }
  void SetPixelsPerInch(int pixels) { pixelsPerInch_ = pixels; }
  CRect ClipBox() const override { return clipBox_; }
  void SetClipBox(const CRect& box) { clipBox_ = box; }

  const std::vector<Call>& Calls() const { return calls_; }
  void Clear() { calls_.clear(); }
  // One line per call, for tables of expected drawing: "text (x,y) 'A' fg bg mode",
  // "polyline w<width> s<style> c<colour> (x,y)-(x,y)...", "polygon ...",
  // "pixel (x,y) c<colour>".
  std::vector<std::string> Lines() const;

 private:
  CSize cell_;
  bool printing_ = false;
  int pixelsPerInch_ = 96;
  CRect clipBox_;
  std::vector<Call> calls_;
};
