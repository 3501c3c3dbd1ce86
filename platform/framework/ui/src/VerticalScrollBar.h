#pragma once
// A vertical scroll bar in the classic look, as a control keeps one at its
// right edge: an arrow at each end, the track between, and on it the thumb,
// as long against the track as a page against the whole, standing where the
// position stands in its range. What a press on each part asks of the
// window is the WM_VSCROLL request the system's scroll bar sends.

#include "brenmoor/gdi/ClassicLook.h"

class VerticalScrollBar {
 public:
  enum class Part { kNone, kUpArrow, kPageUp, kThumb, kPageDown, kDownArrow };
  static constexpr int kWidth = 16;

  // Positions run from 0 to total - page.
  VerticalScrollBar(CRect area, int total, int page, int position);

  Part PartAt(CPoint point) const;
  CRect Thumb() const { return thumb_; }
  // The position whose thumb would have its top at y.
  int PositionForThumbAt(int y) const;
  // The pressed part looks held down: an arrow pushed in, the track dark
  // between the thumb and that end.
  void Paint(classic::Painter& painter, Part pressed) const;
  // SB_LINEUP, SB_PAGEUP, SB_THUMBTRACK, SB_PAGEDOWN or SB_LINEDOWN.
  static WORD RequestOf(Part part);

 private:
  CRect UpArrow() const { return {area_.left, area_.top, area_.right, track_.top}; }
  CRect DownArrow() const { return {area_.left, track_.bottom, area_.right, area_.bottom}; }
  static void PaintArrow(classic::Painter& painter, CRect box, bool up, bool pushed);

  CRect area_;
  CRect track_;
  CRect thumb_;
  int range_;
};
