#include "brenmoor/windowing/WindowPainter.h"

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "brenmoor/gdi/ClassicLook.h"
#include "brenmoor/windowing/MenuBar.h"
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

const CRect kEverywhere{-32768, -32768, 32767, 32767};

bool Overlaps(const CRect& a, const CRect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// The windows in a window's picture: its visible child windows; the windows
// it owns have pictures of their own.
bool InPictureOfParent(HWND window) { return (GetStyle(window) & (WS_VISIBLE | WS_CHILD)) == (WS_VISIBLE | WS_CHILD); }

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

// What the system draws of a framed window, around the client area the
// window paints: a raised frame, the face inside, the caption bar with the
// window's text when it has one and the menu bar when it has a menu. The
// corner is the window's on the surface.
void PaintFrame(HWND window, DrawingSurface& surface, CPoint corner) {
  using namespace classic;
  const WindowState& state = *FindWindowState(window);
  const CRect& insets = state.clientInsets;
  if (insets == CRect()) return;
  CDC dc(surface);
  dc.SetViewportOrg(corner.x + insets.left, corner.y + insets.top);
  const CRect box{-insets.left, -insets.top, state.windowRect.Width() - insets.left,
                  state.windowRect.Height() - insets.top};
  const int captionBottom = (state.menu != nullptr ? -kMenuBarHeight : 0) - 1;
  {
    Painter painter(dc, box, (state.style & WS_DISABLED) == 0);
    dc.Draw3dRect(box, kLight, kDarkShadow);
    dc.Draw3dRect(Painter::Inset(box, 1), kHighlight, kShadow);
    dc.FillSolidRect(Painter::Inset(box, 2), kFace);
    if ((state.style & WS_CAPTION) == WS_CAPTION) {
      dc.FillSolidRect({0, -insets.top + insets.left, box.right - insets.right, captionBottom}, kCaption);
      CFont bold;
      const LOGFONT description = DialogFont(true);
      bold.CreateFontIndirect(&description);
      CFont* previous = dc.SelectObject(&bold);
      painter.Text(state.text.Str(), 4, -insets.top + insets.left + 3, box.right - insets.right - 4, kCaptionText);
      dc.SelectObject(previous);
    }
  }
  PaintMenuBar(window, dc);
}

// Windows away from the area keep their pixels; their children may still reach into it.
void PaintTree(HWND window, CDC& dc, CPoint corner, bool shown, const CRect& area) {
  const CRect own = GetWindowRect(window);
  const CRect onSurface{own.left - corner.x, own.top - corner.y, own.right - corner.x, own.bottom - corner.y};
  if (Overlaps(onSurface, area)) {
    PaintFrame(window, dc.Surface(), onSurface.TopLeft());
    Stack().push_back({window, dc.Surface(), {onSurface.left, onSurface.top}, shown});
    SendMessage(window, WM_PAINT);
    Stack().pop_back();
  }
  const std::vector<HWND> children = GetChildren(window);
  // The bottom of the Z order first, so windows on top cover it.
  for (auto child = children.rbegin(); child != children.rend(); ++child) {
    if (InPictureOfParent(*child)) PaintTree(*child, dc, corner, shown, area);
  }
}

// The whole of the window, or the area of it given in window coordinates.
void Compose(HWND window, CDC& dc, bool shown, const CRect& area = kEverywhere) {
  const CRect own = GetWindowRect(window);
  const CPoint base = dc.GetViewportOrg();
  const CPoint corner{own.left - base.x, own.top - base.y};
  const CRect onSurface = area == kEverywhere ? area : CRect{area.left + base.x, area.top + base.y,
                                                              area.right + base.x, area.bottom + base.y};
  PaintTree(window, dc, corner, shown, onSurface);
}

// What waits to be painted in the visible windows of the tree, in the top-level window's coordinates.
CRect Waiting(HWND window, HWND top) {
  CRect waiting;
  const WindowState* state = FindWindowState(window);
  if (state != nullptr && !state->updateRect.IsRectEmpty()) {
    const CPoint offset = OffsetIn(window, top);
    waiting = state->updateRect;
    waiting.OffsetRect(offset);
  }
  for (HWND child : GetChildren(window)) {
    if (InPictureOfParent(child)) waiting.UnionRect(waiting, Waiting(child, top));
  }
  return waiting;
}

void ValidateTree(HWND window) {
  ValidateRect(window, nullptr);
  for (HWND child : GetChildren(window)) {
    if ((GetStyle(child) & WS_CHILD) != 0) ValidateTree(child);
  }
}

bool PictureFits(const RasterSurface* picture, HWND window) {
  return picture != nullptr && picture->Width() == WidthOf(window) && picture->Height() == HeightOf(window);
}

std::shared_ptr<RasterSurface> WholePicture(HWND top) {
  auto picture = std::make_shared<RasterSurface>(WidthOf(top), HeightOf(top), classic::kFace);
  CDC dc(*picture);
  Compose(top, dc, true);
  return picture;
}

// The area is composed on its own and laid over the picture: what falls outside it stays as it was.
void RepaintArea(RasterSurface& picture, HWND top, const CRect& area) {
  RasterSurface part(area.Width(), area.Height(), classic::kFace);
  CDC dc(part);
  dc.SetViewportOrg(-area.left, -area.top);
  Compose(top, dc, true, area);
  picture.Paste(part, area.TopLeft());
}

// The top-level window's picture, made whole when it has none of its size,
// else with what waits painted again.
RasterSurface* ShownPicture(HWND top) {
  WindowState* state = FindWindowState(top);
  if (state == nullptr) return nullptr;
  const CRect whole{0, 0, WidthOf(top), HeightOf(top)};
  std::shared_ptr<RasterSurface> picture = state->shown;
  CRect changed;
  if (!PictureFits(picture.get(), top)) {
    picture = WholePicture(top);
    changed = whole;
  } else if (CRect waiting = Waiting(top, top); waiting.IntersectRect(waiting, whole)) {
    RepaintArea(*picture, top, waiting);
    changed = waiting;
  } else {
    return picture.get();
  }
  ValidateTree(top);
  state = FindWindowState(top);
  if (state == nullptr) return nullptr;
  state->shown = std::move(picture);
  state->shownChanged.UnionRect(state->shownChanged, changed);
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
  const CPoint offset = OffsetIn(area_->window, top);
  state->shown->Paste(area_->surface, offset);
  const CRect pasted{offset.x, offset.y, offset.x + area_->surface.Width(), offset.y + area_->surface.Height()};
  state->shownChanged.UnionRect(state->shownChanged, pasted);
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

const RasterSurface* TakeShownChanges(HWND top, CRect& changed) {
  const RasterSurface* picture = ShownPicture(top);
  WindowState* state = FindWindowState(top);
  changed = state != nullptr ? std::exchange(state->shownChanged, CRect()) : CRect();
  return picture;
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
