#pragma once
// A person's mouse and keyboard, as the system hands them to windows.

#include "brenmoor/core/Geometry.h"
#include "brenmoor/windowing/WinMessages.h"

constexpr UINT WM_KEYUP = 0x0101;
constexpr UINT WM_SYSKEYDOWN = 0x0104;
constexpr UINT WM_SYSKEYUP = 0x0105;
constexpr UINT WM_MOUSEMOVE = 0x0200;
constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
constexpr UINT WM_RBUTTONDOWN = 0x0204;
constexpr UINT WM_RBUTTONUP = 0x0205;
constexpr WPARAM MK_RBUTTON = 0x0002;
constexpr WPARAM MK_SHIFT = 0x0004;
constexpr WPARAM MK_CONTROL = 0x0008;

// Virtual keys beside the letters and digits, which are their upper-case characters.
constexpr WPARAM VK_TAB = 0x09;
constexpr WPARAM VK_RETURN = 0x0D;
constexpr WPARAM VK_SHIFT = 0x10;
constexpr WPARAM VK_CONTROL = 0x11;
constexpr WPARAM VK_MENU = 0x12;
constexpr WPARAM VK_ESCAPE = 0x1B;
constexpr WPARAM VK_SPACE = 0x20;
constexpr WPARAM VK_PRIOR = 0x21;
constexpr WPARAM VK_NEXT = 0x22;
constexpr WPARAM VK_END = 0x23;
constexpr WPARAM VK_HOME = 0x24;
constexpr WPARAM VK_LEFT = 0x25;
constexpr WPARAM VK_UP = 0x26;
constexpr WPARAM VK_RIGHT = 0x27;
constexpr WPARAM VK_DOWN = 0x28;
constexpr WPARAM VK_INSERT = 0x2D;
constexpr WPARAM VK_F1 = 0x70;

// A mouse message at a point of the screen over the top-level window: to the
// window that holds the mouse while a button is down, else to the deepest
// visible child under the point, in its client coordinates.
void SendMouseInput(HWND topLevel, UINT message, CPoint screenPoint, WPARAM keys);
// A key going down or up, to the focus window.
void SendKeyInput(UINT message, WPARAM virtualKey, LPARAM flags);
// A typed UTF-16 unit, to the focus window.
void SendCharInput(wchar_t unit);
