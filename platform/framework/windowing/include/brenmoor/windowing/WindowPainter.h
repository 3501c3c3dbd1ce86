#pragma once
// One way from "this window changed" to pixels. A change marks part of the
// window as waiting to be painted; the painter composes a top-level window
// and its visible children onto the picture the window shows, bottom of the
// Z order first, asking each window to paint itself with WM_PAINT; once the
// picture is whole, only the windows over what waits paint again, and only
// that part of the picture changes. A window
// paints between BeginPaint and EndPaint on the device context they lend it,
// with (0, 0) at its client area's top-left corner.

#include <memory>
#include <string>

#include "brenmoor/gdi/Bitmap.h"
#include "brenmoor/gdi/CDC.h"
#include "brenmoor/gdi/RasterSurface.h"
#include "brenmoor/core/WinTypes.h"

struct PAINTSTRUCT {
  CDC* hdc = nullptr;
  BOOL fErase = false;
  CRect rcPaint;  // client coordinates
};

// Marks the rectangle of the client area (the whole window for null) as
// waiting to be painted; false for a handle that names no window.
BOOL InvalidateRect(HWND window, const CRect* rect, BOOL erase);
// Takes the rectangle (the whole window for null) off what waits to be painted.
BOOL ValidateRect(HWND window, const CRect* rect);
// What waits to be painted, in client coordinates; false when nothing does.
BOOL GetUpdateRect(HWND window, CRect* rect, BOOL erase = false);
// Paints the picture the window's top-level window shows again when
// anything in it waits to be painted.
BOOL UpdateWindow(HWND window);

CDC* BeginPaint(HWND window, PAINTSTRUCT* paint);
BOOL EndPaint(HWND window, const PAINTSTRUCT* paint);

// A device context on the window's whole area, frame included, with (0, 0)
// at its top-left corner: what it draws shows in the window's picture when
// it is released, kept to the window's area.
class WindowDC : public CDC {
 public:
  explicit WindowDC(HWND window);
  ~WindowDC() override;

 private:
  // Made before the context that draws on it.
  struct Area {
    explicit Area(HWND window);
    HWND window;
    RasterSurface surface;
  };
  explicit WindowDC(std::unique_ptr<Area> area);

  std::unique_ptr<Area> area_;
};
CDC* GetWindowDC(HWND window);
int ReleaseDC(HWND window, CDC* dc);

// Composes the window and its visible children onto the context, the
// window's top-left corner at the context's viewport origin.
void PaintWindow(HWND window, CDC& dc);
// The top-level window's picture brought up to date, for a screen that shows
// it, and what of it changed since the screen last asked (window
// coordinates, empty when nothing did); null for a handle that names no window.
const RasterSurface* TakeShownChanges(HWND top, CRect& changed);
// What the window shows, brought up to date, as a PNG picture of its size.
bool RenderWindowToPng(HWND window, const std::string& pngFile);
// The window's client area freshly painted, width by height pixels from its
// top-left corner (what nothing paints is black).
BOOL CreateBitmapOfClient(CBitmap& bitmap, HWND window, int width, int height);
