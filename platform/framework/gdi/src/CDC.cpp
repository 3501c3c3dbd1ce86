#include "brenmoor/gdi/CDC.h"

#include <cwchar>
#include <utility>

#include "brenmoor/gdi/RasterSurface.h"

namespace {

DrawingSurface*& ScreenSurfaceSubstitute() {
  static DrawingSurface* substitute = nullptr;
  return substitute;
}

DrawingSurface& ScreenSurface() {
  if (DrawingSurface* substitute = ScreenSurfaceSubstitute()) return *substitute;
  static RasterSurface screen(1, 1);
  return screen;
}

// The system font the screen starts with.
LOGFONT StockFont() {
  LOGFONT font;
  font.lfHeight = 16;
  font.lfWeight = FW_NORMAL;
  std::wcsncpy(font.lfFaceName, L"System", LF_FACESIZE - 1);
  return font;
}

// As the system: an object that describes nothing is not selected.
template <typename Object>
Object* Swap(Object*& current, Object* next) {
  if (next == nullptr || !next->IsCreated()) return nullptr;
  return std::exchange(current, next);
}

}  // namespace

CDC::CDC(DrawingSurface& surface) : surface_(surface) {
  const LOGFONT stock = StockFont();
  stockFont_.CreateFontIndirect(&stock);
  stockPen_.CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
  stockBrush_.CreateSolidBrush(RGB(255, 255, 255));
}

COLORREF CDC::SetTextColor(COLORREF colour) { return std::exchange(state_.textColour, colour); }
COLORREF CDC::SetBkColor(COLORREF colour) { return std::exchange(state_.backColour, colour); }

int CDC::SetBkMode(int mode) {
  if (mode != OPAQUE && mode != TRANSPARENT) return 0;
  return std::exchange(state_.backMode, mode);
}

CFont* CDC::SelectObject(CFont* font) { return Swap(font_, font); }
CPen* CDC::SelectObject(CPen* pen) { return Swap(pen_, pen); }
CBrush* CDC::SelectObject(CBrush* brush) { return Swap(brush_, brush); }

CGdiObject* CDC::SelectStockObject(int index) {
  CGdiObject* stock = GetStockObject(index);
  if (auto* pen = dynamic_cast<CPen*>(stock)) return SelectObject(pen);
  if (auto* font = dynamic_cast<CFont*>(stock)) return SelectObject(font);
  return nullptr;
}

DrawState CDC::CurrentState() const {
  DrawState state = state_;
  state.font = font_->GetLogFont();
  state.pen = {pen_->GetStyle(), pen_->GetWidth(), pen_->GetColor()};
  state.brushColour = brush_->GetColor();
  return state;
}

BOOL CDC::TextOut(int x, int y, const CString& text) {
  surface_.TextOut(CurrentState(), x + origin_.x, y + origin_.y, text);
  return true;
}

BOOL CDC::TextOut(int x, int y, const wchar_t* text, int count) {
  if (text == nullptr || count < 0) return false;
  return TextOut(x, y, CString(text, count));
}

BOOL CDC::Polyline(const CPoint* points, int count) {
  if (points == nullptr || count < 2) return false;
  surface_.Polyline(CurrentState(), ToDevice(points, count));
  return true;
}

BOOL CDC::Polygon(const CPoint* points, int count) {
  if (points == nullptr || count < 2) return false;
  surface_.Polygon(CurrentState(), ToDevice(points, count));
  return true;
}

CPoint CDC::MoveTo(int x, int y) { return std::exchange(position_, CPoint(x, y)); }

BOOL CDC::LineTo(int x, int y) {
  const CPoint line[] = {position_, {x, y}};
  position_ = line[1];
  return Polyline(line, 2);
}

BOOL CDC::Rectangle(const CRect& rect) {
  const CPoint corners[] = {{rect.left, rect.top}, {rect.right - 1, rect.top}, {rect.right - 1, rect.bottom - 1},
                            {rect.left, rect.bottom - 1}};
  return Polygon(corners, 4);
}

COLORREF CDC::SetPixel(int x, int y, COLORREF colour) {
  surface_.SetPixel(x + origin_.x, y + origin_.y, colour);
  return colour;
}

std::vector<CPoint> CDC::ToDevice(const CPoint* points, int count) const {
  std::vector<CPoint> device(points, points + count);
  for (CPoint& point : device) point = {point.x + origin_.x, point.y + origin_.y};
  return device;
}

void CDC::FillSolidRect(const CRect& rect, COLORREF colour) {
  if (rect.IsRectEmpty()) return;
  // Four equal corners outline nothing and hold nothing: the one pixel is set itself.
  if (rect.Width() == 1 && rect.Height() == 1) {
    SetPixel(rect.left, rect.top, colour);
    return;
  }
  DrawState state = CurrentState();
  state.pen = {PS_SOLID, 1, colour};
  state.brushColour = colour;
  const CPoint corners[] = {{rect.left, rect.top}, {rect.right - 1, rect.top}, {rect.right - 1, rect.bottom - 1},
                            {rect.left, rect.bottom - 1}};
  surface_.Polygon(state, ToDevice(corners, 4));
}

void CDC::Draw3dRect(const CRect& rect, COLORREF topLeft, COLORREF bottomRight) {
  FillSolidRect({rect.left, rect.top, rect.right - 1, rect.top + 1}, topLeft);
  FillSolidRect({rect.left, rect.top, rect.left + 1, rect.bottom - 1}, topLeft);
  FillSolidRect({rect.right - 1, rect.top, rect.right, rect.bottom}, bottomRight);
  FillSolidRect({rect.left, rect.bottom - 1, rect.right, rect.bottom}, bottomRight);
}

CPoint CDC::SetViewportOrg(int x, int y) { return std::exchange(origin_, CPoint(x, y)); }

CSize CDC::GetTextExtent(const CString& text) const {
  return surface_.TextExtent(font_->GetLogFont(), text);
}

CScreenDC::CScreenDC() : CDC(ScreenSurface()) {}

CScreenDC::Substitute::Substitute(DrawingSurface& surface)
    : previous_(std::exchange(ScreenSurfaceSubstitute(), &surface)) {}

CScreenDC::Substitute::~Substitute() { ScreenSurfaceSubstitute() = previous_; }

int CDC::GetDeviceCaps(int index) const {
  return index == LOGPIXELSX || index == LOGPIXELSY ? surface_.PixelsPerInch() : 0;
}

int CDC::GetClipBox(CRect* rect) const {
  *rect = surface_.ClipBox();
  rect->OffsetRect(-origin_.x, -origin_.y);
  return rect->IsRectEmpty() ? NULLREGION : SIMPLEREGION;
}

BOOL CDC::PatBlt(int x, int y, int width, int height, DWORD operation) {
  if (operation != PATCOPY) return false;
  FillSolidRect({x, y, x + width, y + height}, brush_->GetColor());
  return true;
}
