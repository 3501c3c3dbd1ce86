#pragma once
// The keys a dialog takes before its controls do. The dialog's controls are
// its children in order, and the controls of a child dialog shown in it (a
// property sheet's page) in their place. A control keeps the keys it asks
// for with WM_GETDLGCODE.
//
// - Tab and Shift+Tab move the focus to the next or previous visible, enabled
//   control with WS_TABSTOP, round the end; an edit so reached is selected.
// - The arrows move it within the group (from a WS_GROUP control to the next).
// - Enter presses the push button with the focus, else the default button
//   (DM_GETDEFID), else IDOK; Escape presses IDCANCEL. Neither presses a
//   disabled button.
// - Ctrl+Tab and Ctrl+Shift+Tab turn the dialog's tab control's pages.
// - Alt+letter, or a letter where the focus takes no characters, acts on the
//   control whose text marks that letter with "&": clicks a button, or puts
//   the focus on the control after a label.

#include "brenmoor/windowing/WindowSystem.h"

// The outermost dialog the window lies in (itself included); null for none.
HWND DialogOf(HWND window);
// True when the dialog took the message (WM_KEYDOWN, WM_SYSKEYDOWN or WM_CHAR).
bool IsDialogMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Puts the focus on the control as the dialog does, selecting all of an edit.
void FocusDialogControl(HWND control);
HWND GetNextDlgTabItem(HWND dialog, HWND control, bool previous);
HWND GetNextDlgGroupItem(HWND dialog, HWND control, bool previous);
// The letter after a single "&" in the text, upper-cased; 0 for none.
wchar_t MnemonicOf(const CString& text);
