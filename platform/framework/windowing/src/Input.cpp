#include "brenmoor/windowing/Input.h"

#include <bitset>

#include "brenmoor/core/Desktop.h"
#include "brenmoor/windowing/DialogManager.h"

namespace {

struct Keyboard : Desktop::Part {
  std::bitset<256> held;
};

Keyboard& TheKeyboard() { return Desktop::Current().Get<Keyboard>(); }

// The application's, for every desktop.
InputTranslator& Translator() {
  static InputTranslator translator = nullptr;
  return translator;
}

// The left and right modifier keys both count as the key itself.
WPARAM Generic(WPARAM key) {
  switch (key) {
    case VK_LSHIFT:
    case VK_RSHIFT:
      return VK_SHIFT;
    case VK_LCONTROL:
    case VK_RCONTROL:
      return VK_CONTROL;
    case VK_LMENU:
    case VK_RMENU:
      return VK_MENU;
    default:
      return key;
  }
}

void Track(UINT message, WPARAM key) {
  if (key >= 256) return;
  const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
  TheKeyboard().held[key] = down;
  TheKeyboard().held[Generic(key)] = down;
}

bool IsPress(UINT message) {
  return message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDOWN;
}

HWND TopLevelOf(HWND window) {
  HWND top = window;
  while ((GetStyle(top) & WS_CHILD) != 0 && GetParent(top) != nullptr) top = GetParent(top);
  return top;
}

bool LetsTheMouseThrough(HWND window, CPoint screen) {
  return SendMessage(window, WM_NCHITTEST, 0,
                     MAKELPARAM(static_cast<WORD>(screen.x), static_cast<WORD>(screen.y))) == HTTRANSPARENT;
}

HWND DeepestChildAt(HWND window, CPoint screen) {
  for (HWND child : GetChildren(window)) {
    const DWORD style = GetStyle(child);
    if ((style & (WS_CHILD | WS_VISIBLE)) != (WS_CHILD | WS_VISIBLE) || (style & WS_DISABLED) != 0) continue;
    if (!GetWindowRect(child).PtInRect(screen) || LetsTheMouseThrough(child, screen)) continue;
    return DeepestChildAt(child, screen);
  }
  return window;
}

// A press on a top-level window's menu bar is the window's own (WM_NCLBUTTONDOWN).
bool PressedOnMenuBar(HWND window, CPoint screen) {
  const LPARAM point = MAKELPARAM(static_cast<WORD>(screen.x), static_cast<WORD>(screen.y));
  if ((GetStyle(window) & WS_CHILD) != 0 || SendMessage(window, WM_NCHITTEST, 0, point) != HTMENU) return false;
  SendMessage(window, WM_NCLBUTTONDOWN, static_cast<WPARAM>(HTMENU), point);
  return true;
}

// Where keys and typed text go.
HWND KeyTarget() { return GetFocus() != nullptr ? GetFocus() : GetActiveWindow(); }

// The keys whose press the system's translation turns into a character:
// Ctrl with a letter makes its control character (Ctrl+C is 3).
wchar_t ControlCharacterOf(WPARAM key) {
  const auto& held = TheKeyboard().held;
  if (held[VK_CONTROL] && !held[VK_MENU] && key >= 'A' && key <= 'Z') return static_cast<wchar_t>(key - 'A' + 1);
  switch (key) {
    case VK_BACK:
    case VK_TAB:
    case VK_RETURN:
    case VK_ESCAPE:
      return static_cast<wchar_t>(key);
    default:
      return 0;
  }
}

}  // namespace

void SendMouseInput(HWND topLevel, UINT message, CPoint screenPoint, WPARAM keys) {
  HWND target = GetCapture();
  if (target == nullptr) {
    if (!IsWindow(topLevel) || !IsWindowEnabled(topLevel)) return;
    target = DeepestChildAt(topLevel, screenPoint);
    if (IsPress(message) && GetActiveWindow() != TopLevelOf(target)) SetActiveWindow(TopLevelOf(target));
    // A quick second click, a double click, opens a menu as a first one does.
    const bool leftPress = message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK;
    if (leftPress && PressedOnMenuBar(target, screenPoint)) return;
  }
  const CPoint origin = GetClientOrigin(target);
  SendMessage(target, message, keys,
              MAKELPARAM(static_cast<WORD>(screenPoint.x - origin.x), static_cast<WORD>(screenPoint.y - origin.y)));
}

void SendWheelInput(HWND topLevel, CPoint screenPoint, int delta, WPARAM keys) {
  HWND target = GetCapture();
  if (target == nullptr && topLevel != nullptr) {
    if (!IsWindow(topLevel) || !IsWindowEnabled(topLevel)) return;
    target = DeepestChildAt(topLevel, screenPoint);
  }
  if (target == nullptr) target = KeyTarget();
  if (target == nullptr) return;
  SendMessage(target, WM_MOUSEWHEEL, MAKEWPARAM(static_cast<WORD>(keys), static_cast<WORD>(delta)),
              MAKELPARAM(static_cast<WORD>(screenPoint.x), static_cast<WORD>(screenPoint.y)));
}

void SendKeyInput(UINT message, WPARAM virtualKey, LPARAM flags) {
  Track(message, virtualKey);
  const HWND target = KeyTarget();
  if (target == nullptr) return;
  const bool press = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
  if (press && Translator() != nullptr && Translator()({target, message, virtualKey, flags})) return;
  if (const HWND dialog = DialogOf(target); press && dialog != nullptr && IsDialogMessage(dialog, message, virtualKey, flags)) {
    return;
  }
  SendMessage(target, message, virtualKey, flags);
  if (const wchar_t character = ControlCharacterOf(virtualKey); message == WM_KEYDOWN && character != 0) {
    SendCharInput(character);
  }
}

void SendCharInput(wchar_t unit) {
  const HWND target = KeyTarget();
  if (target == nullptr) return;
  if (const HWND dialog = DialogOf(target); dialog != nullptr && IsDialogMessage(dialog, WM_CHAR, unit, 1)) return;
  SendMessage(target, WM_CHAR, static_cast<WPARAM>(unit), 1);
}

void SetInputTranslator(InputTranslator translator) { Translator() = translator; }

short GetKeyState(int virtualKey) {
  const bool held = virtualKey >= 0 && virtualKey < 256 && TheKeyboard().held[static_cast<std::size_t>(virtualKey)];
  return held ? static_cast<short>(-0x8000) : 0;
}
