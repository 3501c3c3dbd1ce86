#include "brenmoor/ui/CPaintDC.h"

#include "brenmoor/ui/CWnd.h"

namespace {

const PaintTarget*& Innermost() {
  static const PaintTarget* innermost = nullptr;
  return innermost;
}

// Where a window with no surface lent paints: nothing is kept.
class Nowhere : public DrawingSurface {
 public:
  void TextOut(const DrawState&, int, int, const CString&) override {}
  void Polyline(const DrawState&, const std::vector<CPoint>&) override {}
  void Polygon(const DrawState&, const std::vector<CPoint>&) override {}
  CSize TextExtent(const LOGFONT&, const CString&) override { return {}; }
};

DrawingSurface& SurfaceFor(HWND window) {
  static Nowhere nowhere;
  const PaintTarget* target = PaintTarget::For(window);
  return target != nullptr ? target->Surface() : nowhere;
}

}  // namespace

PaintTarget::PaintTarget(HWND window, DrawingSurface& surface, CPoint clientOrigin)
    : window_(window), surface_(surface), origin_(clientOrigin), previous_(Innermost()) {
  Innermost() = this;
}

PaintTarget::~PaintTarget() { Innermost() = previous_; }

const PaintTarget* PaintTarget::For(HWND window) {
  for (const PaintTarget* target = Innermost(); target != nullptr; target = target->previous_) {
    if (target->window_ == window) return target;
  }
  return nullptr;
}

CPaintDC::CPaintDC(CWnd* window) : CDC(SurfaceFor(window != nullptr ? window->m_hWnd : nullptr)) {
  if (const PaintTarget* target = PaintTarget::For(window != nullptr ? window->m_hWnd : nullptr)) {
    SetViewportOrg(target->Origin().x, target->Origin().y);
  }
}
