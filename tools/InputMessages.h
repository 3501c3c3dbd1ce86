#pragma once
// The input messages and keys a terminal window answers beyond those the
// window system names so far, with the values the real system gives them.

#include "brenmoor/core/WinTypes.h"

namespace input {

inline constexpr UINT kKeyUp = 0x0101;          // WM_KEYUP
inline constexpr UINT kMouseMove = 0x0200;      // WM_MOUSEMOVE
inline constexpr UINT kMiddleButtonDown = 0x0207;  // WM_MBUTTONDOWN
inline constexpr UINT kShiftKey = 0x10;         // VK_SHIFT
inline constexpr UINT kControlKey = 0x11;       // VK_CONTROL
inline constexpr UINT kInsertKey = 0x2D;        // VK_INSERT

}  // namespace input
