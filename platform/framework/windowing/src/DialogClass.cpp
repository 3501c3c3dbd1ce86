// The dialog class: its frame (see WindowFrame.h), the default button, and
// the focus kept while another window is active.

#include "WindowFrame.h"
#include "brenmoor/windowing/DialogManager.h"
#include "brenmoor/windowing/WindowSystem.h"

namespace {

struct DialogData : ControlData {
  int defaultId = 0;         // 0 until the program names one
  HWND lastFocus = nullptr;  // the control that had the focus when the dialog was last left
};

bool Holds(HWND dialog, HWND control) {
  for (HWND current = control; current != nullptr && (GetStyle(current) & WS_CHILD) != 0; current = GetParent(current)) {
    if (GetParent(current) == dialog) return true;
  }
  return false;
}

// Left, the dialog remembers its focus; active again, it gives it back (to
// its first tab stop when that control is gone).
void Activate(HWND window, DialogData& dialog, bool active) {
  const HWND focus = GetFocus();
  if (!active) {
    if (Holds(window, focus)) dialog.lastFocus = focus;
    return;
  }
  if (Holds(window, focus)) return;
  const bool back = Holds(window, dialog.lastFocus) && IsWindowVisible(dialog.lastFocus) && IsWindowEnabled(dialog.lastFocus);
  FocusDialogControl(back ? dialog.lastFocus : GetNextDlgTabItem(window, nullptr, false));
}

bool IsDefaultButton(HWND control) { return (SendMessage(control, WM_GETDLGCODE) & DLGC_DEFPUSHBUTTON) != 0; }

// The button named the default one, else the first that looks it.
LRESULT DefaultId(HWND window, const DialogData& dialog) {
  int id = dialog.defaultId;
  for (HWND child : GetChildren(window)) {
    if (id == 0 && IsDefaultButton(child)) id = GetDlgCtrlID(child);
  }
  return id != 0 ? static_cast<LRESULT>(MAKELPARAM(static_cast<WORD>(id), DC_HASDEFID)) : 0;
}

// The new default button takes the default look from the one before.
void SetDefaultId(HWND window, DialogData& dialog, int id) {
  for (HWND child : GetChildren(window)) {
    if (IsDefaultButton(child) && GetDlgCtrlID(child) != id) SendMessage(child, BM_SETSTYLE, BS_PUSHBUTTON, true);
  }
  if (HWND button = GetDlgItem(window, id)) SendMessage(button, BM_SETSTYLE, BS_DEFPUSHBUTTON, true);
  dialog.defaultId = id;
}

LRESULT DialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* dialog = ControlDataOf<DialogData>(window);
  switch (message) {
    case WM_PAINT:
      PaintWindowFrame(window);
      return 0;
    case DM_GETDEFID:
      return dialog != nullptr ? DefaultId(window, *dialog) : 0;
    case DM_SETDEFID:
      if (dialog != nullptr) SetDefaultId(window, *dialog, static_cast<int>(wParam));
      return true;
    case WM_ACTIVATE:
      if (dialog != nullptr) Activate(window, *dialog, LOWORD(wParam) != WA_INACTIVE);
      return 0;
    case WM_CLOSE:  // closing a dialog's window is its Cancel
      SendMessage(window, WM_COMMAND, IDCANCEL);
      return 0;
    default:
      return DefWindowProc(window, message, wParam, lParam);
  }
}

const WindowClassRegistration dialogClass{ControlClass<DialogData>(kDialogClass, &DialogProcedure)};

}  // namespace
