#include "brenmoor/windowing/WindowSystem.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <map>
#include <utility>

#include "brenmoor/core/Desktop.h"
#include "brenmoor/core/HandleTable.h"
#include "brenmoor/core/TextCut.h"
#include "brenmoor/windowing/MenuBar.h"
#include "brenmoor/windowing/WindowPainter.h"
#include "brenmoor/windowing/WindowPlacement.h"

namespace {

struct Posted {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

struct System : Desktop::Part {
  void CountAlive(std::map<std::string, std::ptrdiff_t>& alive) const override {
    alive["window"] += static_cast<std::ptrdiff_t>(windows.Count());
  }

  HandleTable<HWND, WindowState> windows{0x60000000};
  std::deque<Posted> queue;
  HWND focus = nullptr;
  HWND capture = nullptr;
  std::vector<HWND> topLevel;  // in Z order, topmost first
  HWND active = nullptr;
};

System& TheSystem() { return Desktop::Current().Get<System>(); }

// What the loaded code registered, for every desktop.
std::map<std::wstring, WindowClass>& Classes() {
  static std::map<std::wstring, WindowClass> classes;
  return classes;
}

// Windows with a caption or a dialog frame have a frame around the client area.
CRect FrameInsets(DWORD style) {
  if ((style & WS_CHILD) != 0) return {};
  const LONG border = (style & (WS_BORDER | WS_THICKFRAME | DS_MODALFRAME)) != 0 ? 3 : 0;
  const LONG caption = (style & WS_CAPTION) == WS_CAPTION ? 19 : 0;
  return {border, border + caption, border, border};
}

CPoint ClientOrigin(const WindowState& state) {
  return {state.windowRect.left + state.clientInsets.left, state.windowRect.top + state.clientInsets.top};
}

// Children keep their place in the client area.
void ShiftDescendants(const WindowState& state, CPoint shift) {
  std::vector<HWND> pending = state.children;
  while (!pending.empty()) {
    WindowState* child = FindWindowState(pending.back());
    pending.pop_back();
    child->windowRect.OffsetRect(shift);
    pending.insert(pending.end(), child->children.begin(), child->children.end());
  }
}

void SendSize(HWND window) {
  const CRect client = GetClientRect(window);
  SendMessage(window, WM_SIZE, 0, MAKELPARAM(static_cast<WORD>(client.Width()), static_cast<WORD>(client.Height())));
}

// Alt with a letter opens the item of the top-level window's menu bar that the letter marks.
void OpenMenuByMnemonic(HWND window, WPARAM key) {
  HWND top = window;
  while ((GetStyle(top) & WS_CHILD) != 0 && GetParent(top) != nullptr) top = GetParent(top);
  const bool mnemonicKey = (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9');
  if (const int item = mnemonicKey ? MenuBarItemWithMnemonic(top, static_cast<wchar_t>(key)) : -1; item >= 0) {
    OpenMenuBarItem(top, item);
  }
}

LRESULT Deliver(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WindowState* state = FindWindowState(window);
  return state != nullptr ? state->procedure(window, message, wParam, lParam) : 0;
}

void SendDestroy(HWND window) {
  WindowState* state = FindWindowState(window);
  if (state == nullptr || state->destroying) return;
  state->destroying = true;
  if (TheSystem().focus == window) TheSystem().focus = nullptr;
  if (TheSystem().active == window) TheSystem().active = nullptr;
  if (TheSystem().capture == window) TheSystem().capture = nullptr;
  SendMessage(window, WM_DESTROY);
  for (HWND child : GetChildren(window)) SendDestroy(child);
}

void Release(HWND window) {
  for (HWND child : GetChildren(window)) Release(child);
  SendMessage(window, WM_NCDESTROY);
  WindowState* state = FindWindowState(window);
  if (state == nullptr) return;
  if (WindowState* parent = FindWindowState(state->parent)) {
    std::erase(parent->children, window);
  }
  std::erase(TheSystem().topLevel, window);
  DestroyMenu(state->menu);
  TheSystem().windows.Remove(window);
}

}  // namespace

WindowClassRegistration::WindowClassRegistration(WindowClass windowClass) {
  Classes()[windowClass.name] = windowClass;
}

WindowState* FindWindowState(HWND window) { return TheSystem().windows.Find(window); }

HWND CreateWindowExW(const wchar_t* className, const wchar_t* text, DWORD style, const CRect& rect,
                     HWND parent, int id, void* createParams, const CreationHook& beforeCreate) {
  const auto found = Classes().find(className != nullptr ? className : L"");
  if (found == Classes().end()) return nullptr;
  WindowState* parentState = FindWindowState(parent);
  if (parent != nullptr && parentState == nullptr) return nullptr;
  if ((style & WS_CHILD) != 0 && parentState == nullptr) return nullptr;

  WindowState state;
  state.className = found->first;
  state.text = CString(text);
  state.style = style;
  state.id = id;
  state.parent = parent;
  state.procedure = found->second.procedure;
  state.classProcedure = found->second.procedure;
  if (found->second.makeData != nullptr) state.data = found->second.makeData();
  state.clientInsets = FrameInsets(style);
  CRect screen = rect;
  if ((style & WS_CHILD) != 0) {
    screen.OffsetRect(ClientOrigin(*parentState));
  }
  state.windowRect = screen;
  const HWND window = TheSystem().windows.Add(std::move(state));
  if (window == nullptr) return nullptr;
  FindWindowState(window)->handle = window;
  InvalidateRect(window, nullptr, true);
  if (parentState != nullptr) FindWindowState(parent)->children.push_back(window);
  if ((style & WS_CHILD) == 0) TheSystem().topLevel.insert(TheSystem().topLevel.begin(), window);
  if (beforeCreate) beforeCreate(window);
  CREATESTRUCT creating{createParams, parent, rect.Height(), rect.Width(), rect.top, rect.left,
                        style, text, found->first.c_str(), id};
  if (SendMessage(window, WM_CREATE, 0, reinterpret_cast<LPARAM>(&creating)) == -1) {
    DestroyWindow(window);
    return nullptr;
  }
  return window;
}

BOOL DestroyWindow(HWND window) {
  if (FindWindowState(window) == nullptr) return false;
  InvalidateRect(GetParent(window), nullptr, true);
  SendDestroy(window);
  Release(window);
  return true;
}

BOOL IsWindow(HWND window) { return FindWindowState(window) != nullptr; }

LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return Deliver(window, message, wParam, lParam);
}

BOOL PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (window != nullptr && !IsWindow(window)) return false;
  TheSystem().queue.push_back({window, message, wParam, lParam});
  return true;
}

bool PumpPostedMessage() {
  auto& queue = TheSystem().queue;
  if (queue.empty()) return false;
  const Posted posted = queue.front();
  queue.pop_front();
  Deliver(posted.window, posted.message, posted.wParam, posted.lParam);
  return true;
}

void PumpPostedMessages() {
  while (PumpPostedMessage()) {
  }
}

LRESULT CallClassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WindowState* state = FindWindowState(window);
  return state != nullptr ? state->classProcedure(window, message, wParam, lParam) : 0;
}

WindowProcedure SetWindowProcedure(HWND window, WindowProcedure procedure) {
  WindowState* state = FindWindowState(window);
  return state != nullptr ? std::exchange(state->procedure, procedure) : nullptr;
}

LRESULT CallWindowProc(WindowProcedure procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return procedure != nullptr && IsWindow(window) ? procedure(window, message, wParam, lParam) : 0;
}

LRESULT DefWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WindowState* state = FindWindowState(window);
  if (state == nullptr) return 0;
  switch (message) {
    case WM_SETTEXT:
      state->text = CString(reinterpret_cast<const wchar_t*>(lParam));
      InvalidateRect(window, nullptr, true);
      return true;
    case WM_GETTEXTLENGTH:
      return state->text.GetLength();
    case WM_GETTEXT: {
      auto* buffer = reinterpret_cast<wchar_t*>(lParam);
      if (buffer == nullptr || wParam == 0) return 0;
      const std::size_t length = UnitsThatFit(state->text.Str(), wParam - 1);
      std::wmemcpy(buffer, state->text.Str().data(), length);
      buffer[length] = L'\0';
      return static_cast<LRESULT>(length);
    }
    case WM_SETFONT:
      state->font = reinterpret_cast<const CFont*>(wParam);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(state->font);
    case WM_NCHITTEST:
      return MenuBarItemAt(window, PointFromLParam(lParam)) >= 0 ? HTMENU : HTCLIENT;
    case WM_NCLBUTTONDOWN:
      if (wParam == static_cast<WPARAM>(HTMENU)) OpenMenuBarItem(window, MenuBarItemAt(window, PointFromLParam(lParam)));
      return 0;
    case WM_SYSKEYDOWN:
      OpenMenuByMnemonic(window, wParam);
      return 0;
    case WM_RBUTTONUP: {
      // A right click asks for the window's context menu at the point on the screen.
      const CPoint at = PointFromLParam(lParam);
      const CPoint origin = ClientOrigin(*state);
      SendMessage(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window),
                  MAKELPARAM(static_cast<WORD>(at.x + origin.x), static_cast<WORD>(at.y + origin.y)));
      return 0;
    }
    case WM_CONTEXTMENU:
    case WM_MOUSEWHEEL:
      // Nobody here shows a menu or scrolls: the parent may.
      return (state->style & WS_CHILD) != 0 ? SendMessage(state->parent, message, wParam, lParam) : 0;
    default:
      return 0;
  }
}

void NotifyParent(HWND control, UINT code) {
  const WindowState* state = FindWindowState(control);
  if (state == nullptr || state->parent == nullptr) return;
  SendMessage(state->parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(state->id), static_cast<WORD>(code)),
              reinterpret_cast<LPARAM>(control));
}

HWND GetParent(HWND window) {
  const WindowState* state = FindWindowState(window);
  return state != nullptr ? state->parent : nullptr;
}

HWND GetDlgItem(HWND parent, int id) {
  const WindowState* state = FindWindowState(parent);
  if (state == nullptr) return nullptr;
  for (HWND child : state->children) {
    if (FindWindowState(child)->id == id) return child;
  }
  return nullptr;
}

int GetDlgCtrlID(HWND window) {
  const WindowState* state = FindWindowState(window);
  return state != nullptr ? state->id : 0;
}

std::vector<HWND> GetChildren(HWND window) {
  const WindowState* state = FindWindowState(window);
  return state != nullptr ? state->children : std::vector<HWND>{};
}

DWORD GetStyle(HWND window) {
  const WindowState* state = FindWindowState(window);
  return state != nullptr ? state->style : 0;
}

void SetStyle(HWND window, DWORD style) {
  if (WindowState* state = FindWindowState(window)) state->style = style;
  InvalidateRect(window, nullptr, true);
}

BOOL EnableWindow(HWND window, BOOL enable) {
  WindowState* state = FindWindowState(window);
  if (state == nullptr) return false;
  const bool wasDisabled = (state->style & WS_DISABLED) != 0;
  if (wasDisabled == !enable) return wasDisabled;
  state->style = enable ? state->style & ~WS_DISABLED : state->style | WS_DISABLED;
  InvalidateRect(window, nullptr, true);
  if (!enable && TheSystem().focus == window) SetFocus(nullptr);
  SendMessage(window, WM_ENABLE, enable ? 1 : 0);
  return wasDisabled;
}

BOOL IsWindowEnabled(HWND window) { return IsWindow(window) && (GetStyle(window) & WS_DISABLED) == 0; }

BOOL ShowWindow(HWND window, int showCommand) {
  WindowState* state = FindWindowState(window);
  if (state == nullptr) return false;
  const bool wasVisible = (state->style & WS_VISIBLE) != 0;
  const bool show = showCommand != SW_HIDE;
  ApplyShowCommand(window, showCommand);
  if (wasVisible != show) {
    state->style = show ? state->style | WS_VISIBLE : state->style & ~WS_VISIBLE;
    InvalidateRect(window, nullptr, true);
    InvalidateRect(state->parent, nullptr, true);
    SendMessage(window, WM_SHOWWINDOW, show ? 1 : 0);
  }
  return wasVisible;
}

BOOL IsWindowVisible(HWND window) {
  for (HWND current = window; current != nullptr; current = GetParent(current)) {
    if ((GetStyle(current) & WS_VISIBLE) == 0) return false;
  }
  return IsWindow(window);
}

CRect GetWindowRect(HWND window) {
  const WindowState* state = FindWindowState(window);
  return state != nullptr ? state->windowRect : CRect();
}

CRect GetClientRect(HWND window) {
  const WindowState* state = FindWindowState(window);
  if (state == nullptr) return {};
  const CRect& insets = state->clientInsets;
  return {0, 0, std::max(0, state->windowRect.Width() - insets.left - insets.right),
          std::max(0, state->windowRect.Height() - insets.top - insets.bottom)};
}

CPoint GetClientOrigin(HWND window) {
  const WindowState* state = FindWindowState(window);
  return state != nullptr ? ClientOrigin(*state) : CPoint();
}

BOOL MoveWindow(HWND window, const CRect& rect) {
  WindowState* state = FindWindowState(window);
  if (state == nullptr) return false;
  CRect screen = rect;
  if (const WindowState* parent = FindWindowState(state->parent); parent != nullptr && (state->style & WS_CHILD)) {
    screen.OffsetRect(ClientOrigin(*parent));
  }
  const CPoint shift{screen.left - state->windowRect.left, screen.top - state->windowRect.top};
  state->windowRect = screen;
  InvalidateRect(window, nullptr, true);
  InvalidateRect(state->parent, nullptr, true);
  ShiftDescendants(*state, shift);
  SendSize(window);
  return true;
}

void SetClientInsets(HWND window, const CRect& insets) {
  WindowState* state = FindWindowState(window);
  if (state == nullptr) return;
  const CPoint shift{insets.left - state->clientInsets.left, insets.top - state->clientInsets.top};
  state->clientInsets = insets;
  InvalidateRect(window, nullptr, true);
  ShiftDescendants(*state, shift);
  SendSize(window);
}

HWND SetFocus(HWND window) {
  System& system = TheSystem();
  if (window != nullptr && !IsWindow(window)) return nullptr;
  const HWND previous = system.focus;
  if (previous == window) return previous;
  system.focus = window;
  if (IsWindow(previous)) SendMessage(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(window));
  if (window != nullptr && system.focus == window) {
    SendMessage(window, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous));
  }
  return previous;
}

HWND GetFocus() { return TheSystem().focus; }

HWND SetCapture(HWND window) {
  if (window != nullptr && !IsWindow(window)) return nullptr;
  const HWND previous = std::exchange(TheSystem().capture, window);
  if (previous != window && IsWindow(previous)) {
    SendMessage(previous, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(window));
  }
  return previous;
}

BOOL ReleaseCapture() {
  SetCapture(nullptr);
  return true;
}

HWND GetCapture() { return TheSystem().capture; }

HWND SetActiveWindow(HWND window) {
  System& system = TheSystem();
  if (window != nullptr && !IsWindow(window)) return nullptr;
  const HWND previous = system.active;
  if (previous == window) return previous;
  system.active = window;
  if (IsWindow(previous)) SendMessage(previous, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(window));
  if (window != nullptr) SendMessage(window, WM_ACTIVATE, WA_ACTIVE, reinterpret_cast<LPARAM>(previous));
  return previous;
}

HWND GetActiveWindow() { return TheSystem().active; }

BOOL SetForegroundWindow(HWND window) {
  if (!IsWindow(window)) return false;
  SetActiveWindow(window);
  return true;
}

HWND GetForegroundWindow() { return TheSystem().active; }

BOOL EnumWindows(WNDENUMPROC procedure, LPARAM lParam) {
  const std::vector<HWND> windows = TheSystem().topLevel;
  for (HWND window : windows) {
    if (IsWindow(window) && !procedure(window, lParam)) return false;
  }
  return true;
}

BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  WindowState* state = FindWindowState(window);
  if (state == nullptr) return false;
  if ((flags & SWP_NOZORDER) == 0 && (insertAfter == HWND_TOP || insertAfter == HWND_BOTTOM)) {
    WindowState* parent = (state->style & WS_CHILD) != 0 ? FindWindowState(state->parent) : nullptr;
    std::vector<HWND>& order = parent != nullptr ? parent->children : TheSystem().topLevel;
    std::erase(order, window);
    order.insert(insertAfter == HWND_TOP ? order.begin() : order.end(), window);
  }
  if ((flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)) {
    CRect rect = GetWindowRect(window);
    if (const WindowState* parent = FindWindowState(state->parent); parent != nullptr && (state->style & WS_CHILD)) {
      const CPoint origin = ClientOrigin(*parent);
      rect.OffsetRect(-origin.x, -origin.y);
    }
    const CPoint topLeft = (flags & SWP_NOMOVE) != 0 ? rect.TopLeft() : CPoint(x, y);
    const CSize size = (flags & SWP_NOSIZE) != 0 ? rect.Size() : CSize(cx, cy);
    MoveWindow(window, CRect(topLeft, size));
  }
  if ((flags & SWP_SHOWWINDOW) != 0) ShowWindow(window, SW_SHOW);
  if ((flags & SWP_HIDEWINDOW) != 0) ShowWindow(window, SW_HIDE);
  return true;
}

BOOL BringWindowToTop(HWND window) {
  if (!SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE)) return false;
  if ((GetStyle(window) & WS_CHILD) == 0) SetActiveWindow(window);
  return true;
}

namespace {

const WindowClassRegistration genericClass{{kGenericWindowClass, &DefWindowProc, nullptr}};

}  // namespace
