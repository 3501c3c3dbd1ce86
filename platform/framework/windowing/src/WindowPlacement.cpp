#include "brenmoor/windowing/WindowPlacement.h"

#include "brenmoor/windowing/WindowSystem.h"

namespace {

bool IsChild(const WindowState& state) { return (state.style & WS_CHILD) != 0 && state.parent != nullptr; }

// The window's rectangle as a placement holds it.
CRect PlacedRect(const WindowState& state) {
  CRect rect = state.windowRect;
  if (IsChild(state)) {
    const CPoint origin = GetClientOrigin(state.parent);
    rect.OffsetRect(-origin.x, -origin.y);
  }
  return rect;
}

bool Minimized(const WindowState& state) { return (state.style & WS_MINIMIZE) != 0; }
bool Maximized(const WindowState& state) { return (state.style & WS_MAXIMIZE) != 0; }

void Restore(HWND window, WindowState& state) {
  state.style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
  state.restoreToMaximized = false;
  MoveWindow(window, state.normalRect);
}

void Maximize(HWND window, WindowState& state) {
  if (!Minimized(state) && !Maximized(state)) state.normalRect = PlacedRect(state);
  state.style = (state.style & ~WS_MINIMIZE) | WS_MAXIMIZE;
  if (IsChild(state)) MoveWindow(window, GetClientRect(state.parent));
}

void Minimize(WindowState& state) {
  if (!Minimized(state) && !Maximized(state)) state.normalRect = PlacedRect(state);
  state.restoreToMaximized = Maximized(state);
  state.style = (state.style & ~WS_MAXIMIZE) | WS_MINIMIZE;
}

}  // namespace

void ApplyShowCommand(HWND window, int showCommand) {
  WindowState* state = FindWindowState(window);
  if (state == nullptr) return;
  switch (showCommand) {
    case SW_SHOWMAXIMIZED:
      Maximize(window, *state);
      break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
      Minimize(*state);
      break;
    case SW_RESTORE:
      if (Minimized(*state) && state->restoreToMaximized) {
        Maximize(window, *state);
      } else if (Minimized(*state) || Maximized(*state)) {
        Restore(window, *state);
      }
      break;
    case SW_SHOWNORMAL:
    case SW_SHOWNOACTIVATE:
      if (Minimized(*state) || Maximized(*state)) Restore(window, *state);
      break;
    default:
      break;
  }
}

BOOL IsIconic(HWND window) {
  const WindowState* state = FindWindowState(window);
  return state != nullptr && Minimized(*state);
}

BOOL IsZoomed(HWND window) {
  const WindowState* state = FindWindowState(window);
  return state != nullptr && Maximized(*state);
}

BOOL GetWindowPlacement(HWND window, WINDOWPLACEMENT* placement) {
  const WindowState* state = FindWindowState(window);
  if (state == nullptr || placement == nullptr || placement->length != sizeof(WINDOWPLACEMENT)) return false;
  placement->flags = state->restoreToMaximized ? WPF_RESTORETOMAXIMIZED : 0;
  placement->showCmd = Minimized(*state)   ? SW_SHOWMINIMIZED
                       : Maximized(*state) ? SW_SHOWMAXIMIZED
                                           : SW_SHOWNORMAL;
  placement->ptMinPosition = {-1, -1};
  placement->ptMaxPosition = {-1, -1};
  placement->rcNormalPosition = Minimized(*state) || Maximized(*state) ? state->normalRect : PlacedRect(*state);
  return true;
}

BOOL SetWindowPlacement(HWND window, const WINDOWPLACEMENT* placement) {
  WindowState* state = FindWindowState(window);
  if (state == nullptr || placement == nullptr || placement->length != sizeof(WINDOWPLACEMENT)) return false;
  state->style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
  state->normalRect = placement->rcNormalPosition;
  MoveWindow(window, placement->rcNormalPosition);
  ShowWindow(window, static_cast<int>(placement->showCmd));
  state = FindWindowState(window);
  if (state != nullptr && Minimized(*state)) {
    state->restoreToMaximized = (placement->flags & WPF_RESTORETOMAXIMIZED) != 0;
  }
  return true;
}
