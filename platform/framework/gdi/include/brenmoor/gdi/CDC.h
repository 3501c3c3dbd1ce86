#pragma once
// A device context: the drawing state (colours, background mode, selected
// font, pen and brush) and the drawing calls, carried out on a surface.

#include <memory>

#include "brenmoor/gdi/DrawingSurface.h"

constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr DWORD PATCOPY = 0x00F00021;

class CDC {
 public:
  // The surface is lent and must outlive the context.
  explicit CDC(DrawingSurface& surface);
  virtual ~CDC() = default;
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;

  // Each setter returns the value it replaced.
  COLORREF SetTextColor(COLORREF colour);
  COLORREF SetBkColor(COLORREF colour);
  int SetBkMode(int mode);
  COLORREF GetTextColor() const { return state_.textColour; }
  COLORREF GetBkColor() const { return state_.backColour; }
  int GetBkMode() const { return state_.backMode; }

  // Each returns the object selected before (a stock object at first).
  CFont* SelectObject(CFont* font);
  CPen* SelectObject(CPen* pen);
  CBrush* SelectObject(CBrush* brush);
  // Selects a stock pen or font (see GetStockObject); returns what it replaced.
  CGdiObject* SelectStockObject(int index);

  BOOL TextOut(int x, int y, const CString& text);
  BOOL TextOut(int x, int y, const wchar_t* text, int count);
  BOOL Polyline(const CPoint* points, int count);
  BOOL Polygon(const CPoint* points, int count);
  // Lines from the current position with the pen, leaving out the end point.
  CPoint MoveTo(int x, int y);
  BOOL LineTo(int x, int y);
  // Outlined with the pen (right and bottom edges inside the outline's
  // last row and column), filled with the brush.
  BOOL Rectangle(const CRect& rect);
  // Returns the colour set.
  COLORREF SetPixel(int x, int y, COLORREF colour);
  // Fills the rectangle (its right and bottom edges left out) whatever the
  // pen and brush.
  void FillSolidRect(const CRect& rect, COLORREF colour);
  // The top and left edges in one colour, the bottom and right in the other.
  void Draw3dRect(const CRect& rect, COLORREF topLeft, COLORREF bottomRight);
  // Where the logical point (0, 0) lands on the surface; returns the previous origin.
  CPoint SetViewportOrg(int x, int y);
  CPoint GetViewportOrg() const { return origin_; }
  CSize GetTextExtent(const CString& text) const;
  // LOGPIXELSX and LOGPIXELSY; 0 for anything else.
  int GetDeviceCaps(int index) const;
  // The area drawing reaches in logical coordinates: SIMPLEREGION, or NULLREGION when empty.
  int GetClipBox(CRect* rect) const;
  // PATCOPY fills the rectangle with the selected brush; other operations draw nothing.
  BOOL PatBlt(int x, int y, int width, int height, DWORD operation);
  BOOL IsPrinting() const { return surface_.IsPrinting(); }

  DrawingSurface& Surface() { return surface_; }

 private:
  DrawState CurrentState() const;
  std::vector<CPoint> ToDevice(const CPoint* points, int count) const;

  DrawingSurface& surface_;
  DrawState state_;
  CFont stockFont_;
  CPen stockPen_;
  CBrush stockBrush_;
  CFont* font_ = &stockFont_;
  CPen* pen_ = &stockPen_;
  CBrush* brush_ = &stockBrush_;
  CPoint origin_;
  CPoint position_;
};

// A device context on the screen, for measuring text as the screen shows it.
class CScreenDC : public CDC {
 public:
  CScreenDC();
  // Tests measure with a surface of their own while the guard lives.
  class Substitute {
   public:
    explicit Substitute(DrawingSurface& surface);
    ~Substitute();
    Substitute(const Substitute&) = delete;
    Substitute& operator=(const Substitute&) = delete;

   private:
    DrawingSurface* previous_;
  };
};
