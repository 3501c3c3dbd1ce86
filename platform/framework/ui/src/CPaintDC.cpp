#include "brenmoor/ui/CPaintDC.h"

#include "brenmoor/ui/CWnd.h"

namespace {

DrawingSurface& Begin(HWND window, PAINTSTRUCT& paint) { return BeginPaint(window, &paint)->Surface(); }

}  // namespace

CPaintDC::CPaintDC(CWnd* window)
    : CPaintDC(window != nullptr ? window->m_hWnd : nullptr, std::make_unique<PAINTSTRUCT>()) {}

CPaintDC::CPaintDC(HWND window, std::unique_ptr<PAINTSTRUCT> paint)
    : CDC(Begin(window, *paint)), window_(window), paint_(std::move(paint)) {
  const CPoint origin = paint_->hdc->GetViewportOrg();
  SetViewportOrg(origin.x, origin.y);
}

CPaintDC::~CPaintDC() { EndPaint(window_, paint_.get()); }
