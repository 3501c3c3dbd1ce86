#pragma once
// A person's mouse and keyboard, delivered as the system delivers them: the
// screen backend (or a test acting as a person) calls these three and the
// windows get the messages a real mouse and keyboard would cause.

#include "brenmoor/windowing/WindowSystem.h"

// message: WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK,
// WM_RBUTTONDOWN or WM_RBUTTONUP at a point on the screen over the top-level
// window; keys are the MK_ flags held. It goes to the window holding the
// capture, else to the deepest visible, enabled child under the point (one
// that answers WM_NCHITTEST with HTTRANSPARENT lets it through), with the
// point in that window's client coordinates. A press activates the
// top-level window; nothing reaches a disabled one (the owner of a modal
// dialog).
void SendMouseInput(HWND topLevel, UINT message, CPoint screenPoint, WPARAM keys);

// The wheel turned by delta (WHEEL_DELTA a notch, away from the person
// positive) with the pointer at a point on the screen over the top-level
// window: WM_MOUSEWHEEL to the window holding the capture, else to the
// deepest child under the pointer, as the system sends it to the window
// under the pointer; to the focus window when the pointer is over none of
// ours (null topLevel). A window that does not scroll passes it to its parent.
void SendWheelInput(HWND topLevel, CPoint screenPoint, int delta, WPARAM keys);

// message: WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN or WM_SYSKEYUP (Alt held: the
// high word of flags has KF_ALTDOWN). The modifier keys are keys too: their
// presses and releases are what GetKeyState answers from. To the focus
// window (the active window when nothing has the focus); inside a dialog the
// dialog manager takes its keys first (see IsDialogMessage). A key the
// window got that types a control character (Backspace, Enter, Escape, Tab)
// follows as WM_CHAR, as the system's translation does; text comes through
// SendCharInput. The application translates a press first (SetInputTranslator).
void SendKeyInput(UINT message, WPARAM virtualKey, LPARAM flags);

// One UTF-16 unit of typed text as WM_CHAR to the focus window; inside a
// dialog a control that takes no characters lets a letter press the control
// with that mnemonic.
void SendCharInput(wchar_t unit);

// Negative while the key is held, as the system's SHORT answer is.
short GetKeyState(int virtualKey);

// A key message as the application's loop sees it before it is delivered.
struct MSG {
  HWND hwnd = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};
// The application's look at each key press before it reaches its window
// (or the dialog manager): true when it used the key, which then goes no
// further. The thread installs it (see CWinThread::PreTranslateMessage).
using InputTranslator = bool (*)(const MSG& message);
void SetInputTranslator(InputTranslator translator);
