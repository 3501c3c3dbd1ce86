#pragma once
// How windows are shown: the placement record (show state, normal
// rectangle) that hosts save and restore. A minimised or maximised window
// remembers its normal rectangle; restoring brings it back.

#include <bit>

#include "brenmoor/core/Geometry.h"
#include "brenmoor/windowing/WinMessages.h"

constexpr DWORD WS_MINIMIZE = 0x20000000;

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

BOOL IsIconic(HWND window);
BOOL IsZoomed(HWND window);
// Needs the length set to 44; false otherwise.
BOOL GetWindowPlacement(HWND window, WINDOWPLACEMENT* placement);
// Moves the window to the normal rectangle, then shows it with the show command.
BOOL SetWindowPlacement(HWND window, const WINDOWPLACEMENT* placement);
// What ShowWindow does beyond showing and hiding: minimise, maximise (a
// child fills its parent's client area), restore.
void ApplyShowCommand(HWND window, int showCommand);
