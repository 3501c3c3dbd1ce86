#pragma once
// Device-dependent bitmaps: pixels held by the system under a handle, as
// the clipboard and the drawing calls pass them around.

#include <vector>

#include "brenmoor/gdi/GdiObjects.h"
#include "brenmoor/core/Geometry.h"

class RasterSurface;
struct HBITMAP__;
using HBITMAP = HBITMAP__*;

// Null for a size that is not positive.
HBITMAP CreateBitmap(int width, int height);
BOOL DeleteBitmap(HBITMAP bitmap);
bool IsBitmap(HBITMAP bitmap);
CSize GetBitmapSize(HBITMAP bitmap);
// The colour of one pixel; black outside the bitmap or for a dead handle.
COLORREF GetBitmapPixel(HBITMAP bitmap, int x, int y);

// The framework's bitmap object; it deletes the bitmap it holds.
class CBitmap : public CGdiObject {
 public:
  CBitmap() = default;
  ~CBitmap() override;
  CBitmap(const CBitmap&) = delete;
  CBitmap& operator=(const CBitmap&) = delete;

  BOOL CreateBitmap(int width, int height);
  // A bitmap of the image's size with its pixels.
  BOOL CreateFromImage(const RasterSurface& image);
  HBITMAP GetSafeHandle() const { return bitmap_; }
  // Hands the bitmap over; the object no longer deletes it.
  HBITMAP Detach();

 private:
  HBITMAP bitmap_ = nullptr;
};
