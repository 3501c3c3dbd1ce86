#pragma once
// The device context a window paints itself with while it handles WM_PAINT:
// BeginPaint when made, EndPaint when gone.

#include <memory>

#include "brenmoor/gdi/CDC.h"
#include "brenmoor/windowing/WindowPainter.h"

class CWnd;

class CPaintDC : public CDC {
 public:
  explicit CPaintDC(CWnd* window);
  ~CPaintDC() override;
  CPaintDC(const CPaintDC&) = delete;
  CPaintDC& operator=(const CPaintDC&) = delete;

 private:
  CPaintDC(HWND window, std::unique_ptr<PAINTSTRUCT> paint);

  HWND window_;
  std::unique_ptr<PAINTSTRUCT> paint_;
};
