#pragma once
// Another surface seen with its origin moved: a printer's drawing starts at
// the corner of its printable area, inside the paper's margins.

#include <algorithm>
#include <climits>
#include <vector>

#include "brenmoor/gdi/DrawingSurface.h"

class OffsetSurface : public DrawingSurface {
 public:
  // The target must outlive this surface.
  OffsetSurface(DrawingSurface& target, int dx, int dy) : target_(target), dx_(dx), dy_(dy) {}

  void TextOut(const DrawState& state, int x, int y, const CString& text) override {
    target_.TextOut(state, Shift(x, dx_), Shift(y, dy_), text);
  }
  void Polyline(const DrawState& state, const std::vector<CPoint>& points) override {
    target_.Polyline(state, Shifted(points));
  }
  void Polygon(const DrawState& state, const std::vector<CPoint>& points) override {
    target_.Polygon(state, Shifted(points));
  }
  CSize TextExtent(const LOGFONT& font, const CString& text) override {
    return target_.TextExtent(font, text);
  }
  bool IsPrinting() const override { return target_.IsPrinting(); }

 private:
  // Far-off coordinates stay far off instead of wrapping round.
  static int Shift(int value, int by) {
    return static_cast<int>(
        std::clamp(static_cast<long long>(value) + by, static_cast<long long>(INT_MIN),
                   static_cast<long long>(INT_MAX)));
  }
  std::vector<CPoint> Shifted(std::vector<CPoint> points) const {
    for (CPoint& point : points) point = CPoint(Shift(point.x, dx_), Shift(point.y, dy_));
    return points;
  }

  DrawingSurface& target_;
  int dx_;
  int dy_;
};
