// What waits to be painted, kept per window as the rectangle around it.

#include "brenmoor/windowing/WindowPainter.h"
#include "brenmoor/windowing/WindowSystem.h"

namespace {

CRect WholeWindow(const WindowState& state) { return {0, 0, state.windowRect.Width(), state.windowRect.Height()}; }

CRect Intersection(const CRect& a, const CRect& b) {
  CRect both;
  both.IntersectRect(a, b);
  return both;
}

// A client rectangle in window coordinates, kept to the window; the whole window for null.
CRect InWindow(const WindowState& state, const CRect* client) {
  if (client == nullptr) return WholeWindow(state);
  const CRect& insets = state.clientInsets;
  const CRect box{client->left + insets.left, client->top + insets.top, client->right + insets.left,
                  client->bottom + insets.top};
  return Intersection(box, WholeWindow(state));
}

// What waits, kept to the window as it is now: it may have shrunk since.
CRect Waiting(const WindowState& state) { return Intersection(state.updateRect, WholeWindow(state)); }

}  // namespace

BOOL InvalidateRect(HWND window, const CRect* rect, BOOL) {
  WindowState* state = FindWindowState(window);
  if (state == nullptr) return false;
  state->updateRect.UnionRect(state->updateRect, InWindow(*state, rect));
  return true;
}

// A rectangle only partly painted keeps waiting whole.
BOOL ValidateRect(HWND window, const CRect* rect) {
  WindowState* state = FindWindowState(window);
  if (state == nullptr) return false;
  const CRect done = InWindow(*state, rect);
  const CRect waiting = Waiting(*state);
  const bool covered = done.left <= waiting.left && done.top <= waiting.top && done.right >= waiting.right &&
                       done.bottom >= waiting.bottom;
  if (covered) state->updateRect = CRect();
  return true;
}

BOOL GetUpdateRect(HWND window, CRect* rect, BOOL) {
  const WindowState* state = FindWindowState(window);
  if (state == nullptr || Waiting(*state).IsRectEmpty()) {
    if (rect != nullptr) *rect = CRect();
    return false;
  }
  if (rect != nullptr) {
    const CRect& insets = state->clientInsets;
    const CRect waiting = Waiting(*state);
    *rect = {waiting.left - insets.left, waiting.top - insets.top, waiting.right - insets.left,
             waiting.bottom - insets.top};
  }
  return true;
}
