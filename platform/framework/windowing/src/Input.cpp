#include "brenmoor/windowing/Input.h"

#include "brenmoor/windowing/WindowSystem.h"

namespace {

// The window a button went down in keeps the mouse until the button comes up.
HWND& Holder() {
  static HWND holder = nullptr;
  return holder;
}

HWND ChildAt(HWND window, CPoint screenPoint) {
  for (HWND child : GetChildren(window)) {
    if (IsWindowVisible(child) && GetWindowRect(child).PtInRect(screenPoint)) return ChildAt(child, screenPoint);
  }
  return window;
}

bool IsButtonDown(UINT message) {
  return message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDOWN;
}

}  // namespace

void SendMouseInput(HWND topLevel, UINT message, CPoint screenPoint, WPARAM keys) {
  if (!IsWindow(Holder())) Holder() = nullptr;
  const HWND target = Holder() != nullptr ? Holder() : ChildAt(topLevel, screenPoint);
  if (!IsWindowEnabled(target)) return;
  if (IsButtonDown(message)) {
    Holder() = target;
    // A control a person can tab to takes the focus when clicked.
    if ((GetStyle(target) & WS_TABSTOP) != 0 && GetFocus() != target) SetFocus(target);
  }
  if (message == WM_LBUTTONUP || message == WM_RBUTTONUP) Holder() = nullptr;
  const CPoint origin = GetClientOrigin(target);
  const auto x = static_cast<WORD>(screenPoint.x - origin.x);
  const auto y = static_cast<WORD>(screenPoint.y - origin.y);
  SendMessage(target, message, keys, MAKELPARAM(x, y));
}

void SendKeyInput(UINT message, WPARAM virtualKey, LPARAM flags) {
  if (const HWND focus = GetFocus()) SendMessage(focus, message, virtualKey, flags);
}

void SendCharInput(wchar_t unit) {
  if (const HWND focus = GetFocus()) SendMessage(focus, WM_CHAR, static_cast<WPARAM>(unit), 1);
}
