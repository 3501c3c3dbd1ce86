#pragma once
// Sizes, points and rectangles in device pixels, as the framework has them.

#include "brenmoor/core/WinTypes.h"

struct CSize {
  LONG cx = 0;
  LONG cy = 0;
  CSize() = default;
  CSize(LONG width, LONG height) : cx(width), cy(height) {}
  bool operator==(const CSize&) const = default;
};

struct CPoint {
  LONG x = 0;
  LONG y = 0;
  CPoint() = default;
  CPoint(LONG px, LONG py) : x(px), y(py) {}
  bool operator==(const CPoint&) const = default;
};

// Right and bottom lie outside the rectangle.
struct CRect {
  LONG left = 0;
  LONG top = 0;
  LONG right = 0;
  LONG bottom = 0;
  CRect() = default;
  CRect(LONG l, LONG t, LONG r, LONG b) : left(l), top(t), right(r), bottom(b) {}
  CRect(CPoint topLeft, CSize size)
      : left(topLeft.x), top(topLeft.y), right(topLeft.x + size.cx), bottom(topLeft.y + size.cy) {}
  LONG Width() const { return right - left; }
  LONG Height() const { return bottom - top; }
  CSize Size() const { return {Width(), Height()}; }
  CPoint TopLeft() const { return {left, top}; }
  bool IsRectEmpty() const { return right <= left || bottom <= top; }
  bool PtInRect(CPoint point) const {
    return point.x >= left && point.x < right && point.y >= top && point.y < bottom;
  }
  void OffsetRect(LONG dx, LONG dy) {
    left += dx;
    top += dy;
    right += dx;
    bottom += dy;
  }
  void OffsetRect(CPoint by) { OffsetRect(by.x, by.y); }
  // The common part of the two (empty, all zero, when there is none); false when empty.
  bool IntersectRect(const CRect& a, const CRect& b) {
    *this = {a.left > b.left ? a.left : b.left, a.top > b.top ? a.top : b.top,
             a.right < b.right ? a.right : b.right, a.bottom < b.bottom ? a.bottom : b.bottom};
    if (IsRectEmpty()) *this = {};
    return !IsRectEmpty();
  }
  // The smallest rectangle around both; an empty one adds nothing.
  bool UnionRect(const CRect& a, const CRect& b) {
    if (a.IsRectEmpty() || b.IsRectEmpty()) {
      *this = a.IsRectEmpty() ? b : a;
    } else {
      *this = {a.left < b.left ? a.left : b.left, a.top < b.top ? a.top : b.top,
               a.right > b.right ? a.right : b.right, a.bottom > b.bottom ? a.bottom : b.bottom};
    }
    return !IsRectEmpty();
  }
  bool operator==(const CRect&) const = default;
};
