#pragma once
// The system's side of windows, as the framework finds it on Windows: a
// table of handles with each window's class, text, style, id, parent,
// children and rectangles; the procedures of the window classes (the
// controls' behaviour lives there, so any CWnd attached to a handle sees the
// same control); one queue of posted messages; the focus. No threads.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "brenmoor/core/CString.h"
#include "brenmoor/core/Geometry.h"
#include "brenmoor/windowing/ClassNames.h"
#include "brenmoor/windowing/WinMessages.h"

class CFont;
class CDC;
class RasterSurface;

using WindowProcedure = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

// What a window class keeps of its own beside the common state.
struct ControlData {
  virtual ~ControlData() = default;
};

struct WindowState {
  HWND handle = nullptr;
  std::wstring className;
  CString text;
  DWORD style = 0;  // WS_VISIBLE and WS_DISABLED are the visible and enabled flags
  int id = 0;
  HWND parent = nullptr;
  std::vector<HWND> children;  // in Z order, topmost first
  CRect windowRect;            // screen coordinates
  CRect clientInsets;          // the frame around the client area: left, top, right, bottom widths
  HMENU menu = nullptr;        // a top-level window's menu bar
  const CFont* font = nullptr;
  WindowProcedure procedure = nullptr;       // the one messages go to; subclassing swaps it
  WindowProcedure classProcedure = nullptr;  // the class's, which answers what nobody else did
  std::unique_ptr<ControlData> data;
  bool destroying = false;
  CRect normalRect;  // where a minimised or maximised window is restored to
  bool restoreToMaximized = false;
  CRect updateRect;  // window coordinates; empty when nothing waits to be painted
  std::shared_ptr<RasterSurface> shown;  // a top-level window's picture as last composed
  CRect shownChanged;  // window coordinates: what of the picture changed since a screen last showed it
};

// A window class: its procedure and the state its windows start with.
struct WindowClass {
  const wchar_t* name;
  WindowProcedure procedure;
  std::unique_ptr<ControlData> (*makeData)();
};

// A control class whose windows start with a Data of their own.
template <typename Data>
WindowClass ControlClass(const wchar_t* name, WindowProcedure procedure) {
  return {name, procedure, [] { return std::unique_ptr<ControlData>(new Data); }};
}

// The client point a mouse message carries: x in the low word, y in the high, both signed.
inline CPoint PointFromLParam(LPARAM lParam) {
  const auto bits = static_cast<WPARAM>(lParam);
  return {static_cast<short>(LOWORD(bits)), static_cast<short>(HIWORD(bits))};
}

// Null for a handle that names no live window (never a dangling pointer).
WindowState* FindWindowState(HWND window);
// What the window's class keeps of its own; null for a handle that names no
// live window or a window whose class keeps other data.
template <typename Data>
Data* ControlDataOf(HWND window) {
  WindowState* state = FindWindowState(window);
  return state != nullptr ? dynamic_cast<Data*>(state->data.get()) : nullptr;
}

// Runs with a new window's handle before its first message, so that whoever
// makes the window can subclass it from WM_CREATE on.
using CreationHook = std::function<void(HWND)>;

// Creates a window of a registered class. A child's position is relative to
// its parent's client area; a top-level window's is on the screen. WM_CREATE
// carries a CREATESTRUCT whose lpCreateParams are the createParams. Null for
// an unknown class or a missing parent.
HWND CreateWindowExW(const wchar_t* className, const wchar_t* text, DWORD style, const CRect& rect,
                     HWND parent, int id, void* createParams = nullptr, const CreationHook& beforeCreate = {});
BOOL DestroyWindow(HWND window);
BOOL IsWindow(HWND window);

LRESULT SendMessage(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
BOOL PostMessage(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
// Delivers the oldest posted message; false when the queue is empty.
bool PumpPostedMessage();
// Delivers posted messages until none is left.
void PumpPostedMessages();
// The class's procedure: what a window does with a message nobody handled.
LRESULT CallClassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Subclassing: the window's messages go to the procedure from now on; the
// previous one, which the new one calls for what it leaves (null for a dead window).
WindowProcedure SetWindowProcedure(HWND window, WindowProcedure procedure);
LRESULT CallWindowProc(WindowProcedure procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// What every window does: text, font, the mouse over its client area, a right click's
// WM_CONTEXTMENU and the wheel's WM_MOUSEWHEEL (passed up to the parent when
// nobody answers); 0 for anything else.
LRESULT DefWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Tells the parent of a control about it: WM_COMMAND with its id and the code.
void NotifyParent(HWND control, UINT code);

HWND GetParent(HWND window);
HWND GetDlgItem(HWND parent, int id);
int GetDlgCtrlID(HWND window);
std::vector<HWND> GetChildren(HWND window);
DWORD GetStyle(HWND window);
void SetStyle(HWND window, DWORD style);
BOOL EnableWindow(HWND window, BOOL enable);
BOOL IsWindowEnabled(HWND window);
BOOL ShowWindow(HWND window, int showCommand);
BOOL IsWindowVisible(HWND window);
CRect GetWindowRect(HWND window);
// In client coordinates: the top-left is (0, 0).
CRect GetClientRect(HWND window);
// Where the client area's top-left corner lies on the screen.
CPoint GetClientOrigin(HWND window);
BOOL MoveWindow(HWND window, const CRect& rect);
// The frame around the client area changes (a menu bar comes or goes):
// children keep their place in the client area, which the window is told the new size of.
void SetClientInsets(HWND window, const CRect& insets);
HWND SetFocus(HWND window);
HWND GetFocus();
// While a window holds the capture, every mouse message goes to it; the one
// losing it gets WM_CAPTURECHANGED. A window that goes releases it.
HWND SetCapture(HWND window);
BOOL ReleaseCapture();
HWND GetCapture();
// The active top-level window gets WM_ACTIVATE (WA_INACTIVE to the one it
// replaces first); with one thread the foreground window is the active one.
HWND SetActiveWindow(HWND window);
HWND GetActiveWindow();
BOOL SetForegroundWindow(HWND window);
HWND GetForegroundWindow();

// The Z order: the top-level windows' (the newest and the one brought to
// the top first) and each parent's children's.
constexpr UINT SWP_NOSIZE = 0x0001;
constexpr UINT SWP_NOMOVE = 0x0002;
constexpr UINT SWP_NOZORDER = 0x0004;
constexpr UINT SWP_NOACTIVATE = 0x0010;
constexpr UINT SWP_SHOWWINDOW = 0x0040;
constexpr UINT SWP_HIDEWINDOW = 0x0080;
constexpr UINT SWP_NOOWNERZORDER = 0x0200;
inline const HWND HWND_TOP = nullptr;
inline const HWND HWND_BOTTOM = reinterpret_cast<HWND>(1);
using WNDENUMPROC = BOOL (*)(HWND window, LPARAM lParam);
// Calls the procedure for each top-level window in Z order until it returns false.
BOOL EnumWindows(WNDENUMPROC procedure, LPARAM lParam);
// Moves the window to the top (HWND_TOP) or bottom of its siblings, or of the
// top-level windows; SWP_ flags leave out the size, the move, the Z order.
BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
// To the top of the Z order; a top-level window becomes the active one.
BOOL BringWindowToTop(HWND window);

// Makes a class known to CreateWindowExW; the built-in controls register
// theirs while the library loads.
class WindowClassRegistration {
 public:
  explicit WindowClassRegistration(WindowClass windowClass);
};
