#pragma once
// Where top-level windows stand and how they are shown: the Z order of the
// top-level windows (the newest and the one brought to the top first), their
// enumeration, and the placement record (show state, normal rectangle) that
// hosts save and restore. A minimised or maximised window remembers its
// normal rectangle; restoring brings it back.

#include <bit>

#include "brenmoor/core/Geometry.h"
#include "brenmoor/windowing/WinMessages.h"

constexpr DWORD WS_MINIMIZE = 0x20000000;

constexpr UINT SWP_NOSIZE = 0x0001;
constexpr UINT SWP_NOMOVE = 0x0002;
constexpr UINT SWP_NOZORDER = 0x0004;
constexpr UINT SWP_NOACTIVATE = 0x0010;
constexpr UINT SWP_SHOWWINDOW = 0x0040;
constexpr UINT SWP_HIDEWINDOW = 0x0080;
constexpr UINT SWP_NOOWNERZORDER = 0x0200;
inline const HWND HWND_TOP = nullptr;
inline const HWND HWND_BOTTOM = reinterpret_cast<HWND>(1);

constexpr UINT WPF_SETMINPOSITION = 0x0001;
constexpr UINT WPF_RESTORETOMAXIMIZED = 0x0002;

// 44 bytes of 32-bit little-endian fields, as hosts store it. The normal
// rectangle is in screen coordinates for a top-level window and in the
// parent's client coordinates for a child.
struct WINDOWPLACEMENT {
  UINT length = 0;
  UINT flags = 0;
  UINT showCmd = 0;
  CPoint ptMinPosition;
  CPoint ptMaxPosition;
  CRect rcNormalPosition;
};
static_assert(sizeof(WINDOWPLACEMENT) == 44 && std::endian::native == std::endian::little);

using WNDENUMPROC = BOOL (*)(HWND window, LPARAM lParam);

// Calls the procedure for each top-level window in Z order until it returns false.
BOOL EnumWindows(WNDENUMPROC procedure, LPARAM lParam);
// Moves the window to the top (HWND_TOP) or bottom of its siblings, or of the
// top-level windows; SWP_ flags leave out the size, the move, the Z order.
BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
// To the top of the Z order; a top-level window becomes the active one.
BOOL BringWindowToTop(HWND window);
BOOL IsIconic(HWND window);
BOOL IsZoomed(HWND window);
// Needs the length set to 44; false otherwise.
BOOL GetWindowPlacement(HWND window, WINDOWPLACEMENT* placement);
// Moves the window to the normal rectangle, then shows it with the show command.
BOOL SetWindowPlacement(HWND window, const WINDOWPLACEMENT* placement);
// What ShowWindow does beyond showing and hiding: minimise, maximise (a
// child fills its parent's client area), restore.
void ApplyShowCommand(HWND window, int showCommand);
