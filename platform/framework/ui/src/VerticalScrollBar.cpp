#include "VerticalScrollBar.h"

#include <algorithm>

#include "brenmoor/windowing/WinMessages.h"

namespace {

// A thumb never shrinks below this, however long the whole.
constexpr int kShortestThumb = 8;

}  // namespace

VerticalScrollBar::VerticalScrollBar(CRect area, int total, int page, int position)
    : area_(area), range_(std::max(0, total - page)) {
  const int arrow = std::min<int>(kWidth, area.Height() / 2);
  track_ = {area.left, area.top + arrow, area.right, area.bottom - arrow};
  const int length = std::max(kShortestThumb, MulDiv(track_.Height(), page, std::max(1, total)));
  if (range_ == 0 || length >= track_.Height()) {
    thumb_ = {area.left, track_.top, area.right, track_.top};
    return;
  }
  const int top = track_.top + MulDiv(track_.Height() - length, std::clamp(position, 0, range_), range_);
  thumb_ = {area.left, top, area.right, top + length};
}

VerticalScrollBar::Part VerticalScrollBar::PartAt(CPoint point) const {
  if (!area_.PtInRect(point)) return Part::kNone;
  if (point.y < track_.top) return Part::kUpArrow;
  if (point.y >= track_.bottom) return Part::kDownArrow;
  if (point.y < thumb_.top) return Part::kPageUp;
  return point.y < thumb_.bottom ? Part::kThumb : Part::kPageDown;
}

int VerticalScrollBar::PositionForThumbAt(int y) const {
  const int travel = track_.Height() - thumb_.Height();
  if (travel <= 0 || thumb_.IsRectEmpty()) return 0;
  return std::clamp(MulDiv(y - track_.top, range_, travel), 0, range_);
}

void VerticalScrollBar::Paint(classic::Painter& painter, Part pressed) const {
  using namespace classic;
  CDC& dc = painter.Dc();
  dc.FillSolidRect(track_, kLight);
  if (pressed == Part::kPageUp) dc.FillSolidRect({track_.left, track_.top, track_.right, thumb_.top}, kDarkShadow);
  if (pressed == Part::kPageDown) {
    dc.FillSolidRect({track_.left, thumb_.bottom, track_.right, track_.bottom}, kDarkShadow);
  }
  if (!thumb_.IsRectEmpty()) painter.Raised(thumb_, false);
  PaintArrow(painter, UpArrow(), true, pressed == Part::kUpArrow);
  PaintArrow(painter, DownArrow(), false, pressed == Part::kDownArrow);
}

WORD VerticalScrollBar::RequestOf(Part part) {
  switch (part) {
    case Part::kUpArrow:
      return SB_LINEUP;
    case Part::kPageUp:
      return SB_PAGEUP;
    case Part::kPageDown:
      return SB_PAGEDOWN;
    case Part::kDownArrow:
      return SB_LINEDOWN;
    default:
      return SB_THUMBTRACK;
  }
}

// A pushed button's arrow moves a pixel down and right, as if pressed in.
void VerticalScrollBar::PaintArrow(classic::Painter& painter, CRect box, bool up, bool pushed) {
  painter.Raised(box, pushed);
  const int shift = pushed ? 1 : 0;
  painter.Arrow(box.left + (box.Width() - 1) / 2 + shift, box.top + (box.Height() - 4) / 2 + shift, up,
                classic::kText);
}
