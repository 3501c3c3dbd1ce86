// The screen on SDL2: a display window for each visible top-level window,
// showing the painter's picture, and the display's input as messages.

#include <SDL.h>

#include <map>
#include <memory>
#include <vector>

#include "../ScreenBackend.h"
#include "SdlKeys.h"
#include "brenmoor/core/Desktop.h"
#include "brenmoor/gdi/RasterSurface.h"
#include "brenmoor/windowing/Input.h"
#include "brenmoor/windowing/WindowPainter.h"
#include "brenmoor/windowing/WindowSystem.h"

namespace {

struct DisplayWindowRelease {
  void operator()(SDL_Window* window) const { SDL_DestroyWindow(window); }
};
using DisplayWindow = std::unique_ptr<SDL_Window, DisplayWindowRelease>;

// The display's windows of one desktop, by the window each shows; they go with it.
struct DisplayWindows : Desktop::Part {
  std::map<HWND, DisplayWindow> shown;
};

std::map<HWND, DisplayWindow>& Shown() { return Desktop::Current().Get<DisplayWindows>().shown; }

HWND WindowOf(Uint32 displayWindowId) {
  const SDL_Window* wanted = SDL_GetWindowFromID(displayWindowId);
  for (const auto& [window, display] : Shown()) {
    if (display.get() == wanted) return window;
  }
  return nullptr;
}

std::vector<HWND> VisibleTopLevelWindows() {
  std::vector<HWND> windows;
  EnumWindows(
      [](HWND window, LPARAM found) {
        if (IsWindowVisible(window)) reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
        return BOOL{true};
      },
      reinterpret_cast<LPARAM>(&windows));
  return windows;
}

void Copy(SDL_Window* display, const RasterSurface& picture, const CRect& area) {
  SDL_Surface* target = SDL_GetWindowSurface(display);
  if (target == nullptr) return;
  SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<unsigned char*>(picture.Pixels()),
                                                           picture.Width(), picture.Height(), 32,
                                                           picture.Stride(), SDL_PIXELFORMAT_RGB888);
  if (source == nullptr) return;
  SDL_Rect rect{area.left, area.top, area.Width(), area.Height()};
  SDL_Rect to = rect;
  SDL_BlitSurface(source, &rect, target, &to);
  SDL_FreeSurface(source);
  SDL_UpdateWindowSurfaceRects(display, &rect, 1);
}

std::string CaptionOf(HWND window) {
  const WindowState* state = FindWindowState(window);
  return state != nullptr ? state->text.ToUtf8() : std::string();
}

// A display window whose surface the display remade has lost its pixels.
void Follow(SDL_Window* display, HWND window, bool whole) {
  const CRect rect = GetWindowRect(window);
  int x = 0, y = 0, width = 0, height = 0;
  SDL_GetWindowPosition(display, &x, &y);
  SDL_GetWindowSize(display, &width, &height);
  if (width != rect.Width() || height != rect.Height()) {
    SDL_SetWindowSize(display, rect.Width(), rect.Height());
    whole = true;
  }
  if (x != rect.left || y != rect.top) SDL_SetWindowPosition(display, rect.left, rect.top);
  const std::string caption = CaptionOf(window);
  if (caption != SDL_GetWindowTitle(display)) SDL_SetWindowTitle(display, caption.c_str());
  CRect changed;
  const RasterSurface* picture = TakeShownChanges(window, changed);
  if (picture == nullptr) return;
  if (whole) changed = {0, 0, picture->Width(), picture->Height()};
  if (!changed.IsRectEmpty()) Copy(display, *picture, changed);
}

void OpenDisplayWindow(HWND window) {
  const CRect rect = GetWindowRect(window);
  const Uint32 flags = SDL_WINDOW_SHOWN | ((GetStyle(window) & WS_THICKFRAME) != 0 ? SDL_WINDOW_RESIZABLE : 0);
  SDL_Window* display =
      SDL_CreateWindow(CaptionOf(window).c_str(), rect.left, rect.top, rect.Width(), rect.Height(), flags);
  if (display == nullptr) return;
  Shown()[window] = DisplayWindow(display);
  Follow(display, window, true);
}

CPoint OnScreen(HWND window, int x, int y) {
  const CRect rect = GetWindowRect(window);
  return {rect.left + x, rect.top + y};
}

WPARAM ButtonsHeld(Uint32 buttons) {
  const SDL_Keymod keys = SDL_GetModState();
  WPARAM held = 0;
  if ((buttons & SDL_BUTTON_LMASK) != 0) held |= MK_LBUTTON;
  if ((buttons & SDL_BUTTON_RMASK) != 0) held |= MK_RBUTTON;
  if ((keys & KMOD_SHIFT) != 0) held |= MK_SHIFT;
  if ((keys & KMOD_CTRL) != 0) held |= MK_CONTROL;
  return held;
}

UINT ButtonMessage(const SDL_MouseButtonEvent& button) {
  const bool down = button.type == SDL_MOUSEBUTTONDOWN;
  if (button.button == SDL_BUTTON_RIGHT) return down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
  // Nobody here acts on the middle button's release.
  if (button.button == SDL_BUTTON_MIDDLE) return down ? WM_MBUTTONDOWN : 0;
  if (button.button != SDL_BUTTON_LEFT) return 0;
  if (!down) return WM_LBUTTONUP;
  return button.clicks % 2 == 0 ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN;
}

void DeliverButton(const SDL_MouseButtonEvent& button) {
  const HWND window = WindowOf(button.windowID);
  const UINT message = ButtonMessage(button);
  if (window == nullptr || message == 0) return;
  SendMouseInput(window, message, OnScreen(window, button.x, button.y), ButtonsHeld(SDL_GetMouseState(nullptr, nullptr)));
}

void DeliverMotion(const SDL_MouseMotionEvent& motion) {
  if (const HWND window = WindowOf(motion.windowID)) {
    SendMouseInput(window, WM_MOUSEMOVE, OnScreen(window, motion.x, motion.y), ButtonsHeld(motion.state));
  }
}

// Over a window of ours it goes to the window under the pointer, else to the focus.
void DeliverWheel(const SDL_MouseWheelEvent& wheel) {
  const int notches = wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -wheel.y : wheel.y;
  if (notches == 0) return;
  const HWND window = WindowOf(wheel.windowID);
  const CPoint at = window != nullptr ? OnScreen(window, wheel.mouseX, wheel.mouseY) : CPoint();
  SendWheelInput(window, at, notches * WHEEL_DELTA, ButtonsHeld(SDL_GetMouseState(nullptr, nullptr)));
}

void DeliverKey(const SDL_KeyboardEvent& key) {
  const WPARAM virtualKey = VirtualKeyOf(key.keysym.sym);
  if (virtualKey == 0) return;
  const bool alt = (key.keysym.mod & KMOD_ALT) != 0;
  const bool down = key.type == SDL_KEYDOWN;
  const UINT message = alt ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP);
  SendKeyInput(message, virtualKey, KeyFlagsOf(key));
}

void DeliverText(const char* utf8) {
  const CString text = CString::FromUtf8(utf8);
  for (const wchar_t unit : text.Str()) SendCharInput(unit);
}

// WM_MOVE carries where the client area now lies.
void SendMoved(HWND window) {
  const CPoint client = GetClientOrigin(window);
  SendMessage(window, WM_MOVE, 0, MAKELPARAM(static_cast<WORD>(client.x), static_cast<WORD>(client.y)));
}

// The person moved or resized the window, or the display needs its pixels again.
void DeliverWindowEvent(const SDL_WindowEvent& event) {
  const HWND window = WindowOf(event.windowID);
  if (window == nullptr) return;
  const CRect rect = GetWindowRect(window);
  switch (event.event) {
    case SDL_WINDOWEVENT_CLOSE:
      SendMessage(window, WM_CLOSE);
      return;
    case SDL_WINDOWEVENT_MOVED:
      if (event.data1 == rect.left && event.data2 == rect.top) return;
      MoveWindow(window, {event.data1, event.data2, event.data1 + rect.Width(), event.data2 + rect.Height()});
      SendMoved(window);
      return;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      if (event.data1 == rect.Width() && event.data2 == rect.Height()) return;
      MoveWindow(window, {rect.left, rect.top, rect.left + event.data1, rect.top + event.data2});
      return;
    case SDL_WINDOWEVENT_EXPOSED:
      if (SDL_Window* display = SDL_GetWindowFromID(event.windowID)) Follow(display, window, true);
      return;
    default:
      return;
  }
}

void Deliver(const SDL_Event& event) {
  switch (event.type) {
    case SDL_MOUSEMOTION:
      return DeliverMotion(event.motion);
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      return DeliverButton(event.button);
    case SDL_MOUSEWHEEL:
      return DeliverWheel(event.wheel);
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      return DeliverKey(event.key);
    case SDL_TEXTINPUT:
      return DeliverText(event.text.text);
    case SDL_WINDOWEVENT:
      return DeliverWindowEvent(event.window);
    default:
      return;
  }
}

}  // namespace

namespace screen_backend {

bool Open(std::string& why) {
  // A signal ends the program as it would without a display.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  // Only a display a person sees: left to itself SDL now and then fell back to
  // its off-screen driver and the program waited on windows nobody could see.
  // SDL_VIDEODRIVER still chooses.
  SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "x11,wayland", SDL_HINT_DEFAULT);
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    why = SDL_GetError();
    return false;
  }
  SDL_StartTextInput();
  return true;
}

// The topmost window is opened last, so that the display stacks them as the windows are.
void Show() {
  std::map<HWND, DisplayWindow>& shown = Shown();
  for (auto entry = shown.begin(); entry != shown.end();) {
    entry = IsWindowVisible(entry->first) ? std::next(entry) : shown.erase(entry);
  }
  const std::vector<HWND> windows = VisibleTopLevelWindows();
  for (auto window = windows.rbegin(); window != windows.rend(); ++window) {
    auto found = shown.find(*window);
    if (found == shown.end()) OpenDisplayWindow(*window);
    else Follow(found->second.get(), *window, false);
  }
}

void DeliverInput(int waitMilliseconds) {
  SDL_Event event;
  if (SDL_WaitEventTimeout(&event, waitMilliseconds) == 0) return;
  do {
    Deliver(event);
  } while (SDL_PollEvent(&event) != 0);
}

void SetBusyCursor(bool busy) {
  static SDL_Cursor* const wait = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_WAIT);
  static SDL_Cursor* const arrow = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
  SDL_SetCursor(busy ? wait : arrow);
}

std::optional<std::string> ClipboardText() {
  if (SDL_HasClipboardText() == SDL_FALSE) return std::nullopt;
  char* text = SDL_GetClipboardText();
  std::string copy = text != nullptr ? text : "";
  SDL_free(text);
  return copy;
}

void SetClipboardText(const std::string& text) { SDL_SetClipboardText(text.c_str()); }

}  // namespace screen_backend
