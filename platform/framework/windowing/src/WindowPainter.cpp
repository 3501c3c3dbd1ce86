#include "brenmoor/windowing/WindowPainter.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "brenmoor/gdi/ClassicLook.h"
#include "brenmoor/windowing/WindowSystem.h"

namespace {

// A window asked to paint while the painter composes: where its top-left
// corner lies on the surface, and whether the surface is what its top-level
// window shows.
struct Composing {
  HWND window;
  DrawingSurface& surface;
  CPoint corner;
  bool shown;
};

std::vector<Composing>& Stack() {
  static std::vector<Composing> stack;
  return stack;
}

const Composing* ComposingOf(HWND window) {
  for (auto entry = Stack().rbegin(); entry != Stack().rend(); ++entry) {
    if (entry->window == window) return &*entry;
  }
  return nullptr;
}

// Where a window's picture lives: the first window up its parents that is no child.
HWND TopLevelOf(HWND window) {
  HWND top = window;
  while ((GetStyle(top) & WS_CHILD) != 0 && GetParent(top) != nullptr) top = GetParent(top);
  return top;
}

// A picture of a window is at least one pixel wide and high.
int WidthOf(HWND window) { return std::max(1, static_cast<int>(GetWindowRect(window).Width())); }
int HeightOf(HWND window) { return std::max(1, static_cast<int>(GetWindowRect(window).Height())); }

CPoint OffsetIn(HWND window, HWND top) {
  const CRect own = GetWindowRect(window);
  const CRect outer = GetWindowRect(top);
  return {own.left - outer.left, own.top - outer.top};
}

void PaintTree(HWND window, CDC& dc, CPoint corner, bool shown) {
  const CRect own = GetWindowRect(window);
  Stack().push_back({window, dc.Surface(), {own.left - corner.x, own.top - corner.y}, shown});
  SendMessage(window, WM_PAINT);
  Stack().pop_back();
  const std::vector<HWND> children = GetChildren(window);
  // The bottom of the Z order first, so windows on top cover it.
  for (auto child = children.rbegin(); child != children.rend(); ++child) {
    if ((GetStyle(*child) & WS_VISIBLE) != 0) PaintTree(*child, dc, corner, shown);
  }
}

void Compose(HWND window, CDC& dc, bool shown) {
  const CRect own = GetWindowRect(window);
  const CPoint base = dc.GetViewportOrg();
  PaintTree(window, dc, {own.left - base.x, own.top - base.y}, shown);
}

bool WaitsToBePainted(HWND window) {
  if (GetUpdateRect(window, nullptr)) return true;
  const std::vector<HWND> children = GetChildren(window);
  return std::any_of(children.begin(), children.end(), WaitsToBePainted);
}

void ValidateTree(HWND window) {
  ValidateRect(window, nullptr);
  for (HWND child : GetChildren(window)) ValidateTree(child);
}

bool PictureFits(const RasterSurface* picture, HWND window) {
  return picture != nullptr && picture->Width() == WidthOf(window) && picture->Height() == HeightOf(window);
}

// The top-level window's picture, painted again when anything in it waits.
RasterSurface* ShownPicture(HWND top) {
  WindowState* state = FindWindowState(top);
  if (state == nullptr) return nullptr;
  if (PictureFits(state->shown.get(), top) && !WaitsToBePainted(top)) return state->shown.get();
  auto picture = std::make_shared<RasterSurface>(WidthOf(top), HeightOf(top), classic::kFace);
  CDC dc(*picture);
  Compose(top, dc, true);
  ValidateTree(top);
  state = FindWindowState(top);
  if (state == nullptr) return nullptr;
  state->shown = std::move(picture);
  return state->shown.get();
}

// Draws nowhere: the place of a window that is gone.
class Nowhere : public DrawingSurface {
 public:
  void TextOut(const DrawState&, int, int, const CString&) override {}
  void Polyline(const DrawState&, const std::vector<CPoint>&) override {}
  void Polygon(const DrawState&, const std::vector<CPoint>&) override {}
  CSize TextExtent(const LOGFONT&, const CString&) override { return {}; }
};

// What the window shows, cut from its top-level window's picture; null for a handle that names no window.
std::unique_ptr<RasterSurface> ShownArea(HWND window) {
  const HWND top = TopLevelOf(window);
  const RasterSurface* picture = IsWindow(window) ? ShownPicture(top) : nullptr;
  if (picture == nullptr) return nullptr;
  auto area = std::make_unique<RasterSurface>(WidthOf(window), HeightOf(window), classic::kFace);
  const CPoint offset = OffsetIn(window, top);
  area->Paste(*picture, {-offset.x, -offset.y});
  return area;
}

}  // namespace

BOOL UpdateWindow(HWND window) { return ShownPicture(TopLevelOf(window)) != nullptr; }

CDC* BeginPaint(HWND window, PAINTSTRUCT* paint) {
  static Nowhere nowhere;
  DrawingSurface* surface = &nowhere;
  CPoint corner;
  if (const Composing* composing = ComposingOf(window)) {
    surface = &composing->surface;
    corner = composing->corner;
  } else if (RasterSurface* picture = ShownPicture(TopLevelOf(window))) {
    surface = picture;
    corner = OffsetIn(window, TopLevelOf(window));
  }
  auto* dc = new CDC(*surface);
  const WindowState* state = FindWindowState(window);
  const CRect insets = state != nullptr ? state->clientInsets : CRect();
  dc->SetViewportOrg(corner.x + insets.left, corner.y + insets.top);
  if (paint != nullptr) {
    paint->hdc = dc;
    paint->fErase = GetUpdateRect(window, &paint->rcPaint);
    if (!paint->fErase) paint->rcPaint = GetClientRect(window);
  }
  return dc;
}

// Painting done on a surface the window does not show leaves what waits to be painted waiting.
BOOL EndPaint(HWND window, const PAINTSTRUCT* paint) {
  const Composing* composing = ComposingOf(window);
  if (composing == nullptr || composing->shown) ValidateRect(window, nullptr);
  if (paint != nullptr) delete paint->hdc;
  return true;
}

WindowDC::Area::Area(HWND shownWindow)
    : window(shownWindow),
      surface(WidthOf(shownWindow), HeightOf(shownWindow)) {
  const HWND top = TopLevelOf(window);
  if (const RasterSurface* picture = IsWindow(window) ? ShownPicture(top) : nullptr) {
    const CPoint offset = OffsetIn(window, top);
    surface.Paste(*picture, {-offset.x, -offset.y});
  }
}

WindowDC::WindowDC(HWND window) : WindowDC(std::make_unique<Area>(window)) {}

WindowDC::WindowDC(std::unique_ptr<Area> area) : CDC(area->surface), area_(std::move(area)) {}

WindowDC::~WindowDC() {
  const HWND top = TopLevelOf(area_->window);
  WindowState* state = FindWindowState(top);
  if (!IsWindow(area_->window) || state == nullptr || state->shown == nullptr) return;
  state->shown->Paste(area_->surface, OffsetIn(area_->window, top));
}

CDC* GetWindowDC(HWND window) { return IsWindow(window) ? new WindowDC(window) : nullptr; }

int ReleaseDC(HWND, CDC* dc) {
  auto* windowDc = dynamic_cast<WindowDC*>(dc);
  delete windowDc;
  return windowDc != nullptr;
}

void PaintWindow(HWND window, CDC& dc) {
  if (IsWindow(window)) Compose(window, dc, false);
}

bool RenderWindowToPng(HWND window, const std::string& pngFile) {
  const std::unique_ptr<RasterSurface> shown = ShownArea(window);
  return shown != nullptr && shown->WritePng(pngFile);
}

BOOL CreateBitmapOfClient(CBitmap& bitmap, HWND window, int width, int height) {
  const WindowState* state = FindWindowState(window);
  if (state == nullptr || width <= 0 || height <= 0) return false;
  RasterSurface client(width, height, RGB(0, 0, 0));
  CDC dc(client);
  dc.SetViewportOrg(-state->clientInsets.left, -state->clientInsets.top);
  PaintWindow(window, dc);
  return bitmap.CreateFromImage(client);
}
