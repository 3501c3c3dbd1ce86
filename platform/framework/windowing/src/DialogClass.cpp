// The dialog class: a raised frame, the caption bar when the dialog has one,
// the button face inside; the default button, and the focus kept while
// another window is active.

#include "brenmoor/gdi/ClassicLook.h"
#include "brenmoor/windowing/DialogManager.h"
#include "brenmoor/windowing/WindowPainter.h"
#include "brenmoor/windowing/WindowSystem.h"

namespace {

using namespace classic;

void PaintDialog(HWND window) {
  PAINTSTRUCT paint;
  CDC& dc = *BeginPaint(window, &paint);
  const WindowState& state = *FindWindowState(window);
  const CRect& insets = state.clientInsets;
  const CRect box{-insets.left, -insets.top, state.windowRect.Width() - insets.left,
                  state.windowRect.Height() - insets.top};
  {
    Painter painter(dc, box, (state.style & WS_DISABLED) == 0);
    dc.Draw3dRect(box, kLight, kDarkShadow);
    dc.Draw3dRect(Painter::Inset(box, 1), kHighlight, kShadow);
    dc.FillSolidRect(Painter::Inset(box, 2), kFace);
    if (insets.top > insets.left) {
      dc.FillSolidRect({0, -insets.top + insets.left, box.right - insets.right, -1}, kCaption);
      CFont bold;
      const LOGFONT description = DialogFont(true);
      bold.CreateFontIndirect(&description);
      CFont* previous = dc.SelectObject(&bold);
      painter.Text(state.text.Str(), 4, -insets.top + insets.left + 3, box.right - insets.right - 4, kCaptionText);
      dc.SelectObject(previous);
    }
  }
  EndPaint(window, &paint);
}

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
      PaintDialog(window);
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
