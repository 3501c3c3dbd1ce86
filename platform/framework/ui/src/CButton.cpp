#include "brenmoor/ui/CButton.h"

#include <utility>

IMPLEMENT_DYNAMIC(CButton, CWnd)

namespace {

struct ButtonData : ControlData {
  WPARAM check = BST_UNCHECKED;
  bool pushed = false;
  bool focused = false;
};

bool IsCheckBox(DWORD style) {
  const DWORD type = style & BS_TYPEMASK;
  return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX;
}

LRESULT ButtonProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WindowState& state = *FindWindowState(window);
  auto& button = static_cast<ButtonData&>(*state.data);
  switch (message) {
    case BM_GETCHECK:
      return IsCheckBox(state.style) ? static_cast<LRESULT>(button.check) : BST_UNCHECKED;
    case BM_SETCHECK:
      // A two-state box is checked by anything but "unchecked".
      if (IsCheckBox(state.style)) button.check = wParam != BST_UNCHECKED ? BST_CHECKED : BST_UNCHECKED;
      return 0;
    case BM_GETSTATE:
      return static_cast<LRESULT>(button.check) | (button.pushed ? BST_PUSHED : 0) |
             (button.focused ? BST_FOCUS : 0);
    case BM_SETSTATE:
      button.pushed = wParam != 0;
      return 0;
    case BM_SETSTYLE:
      state.style = (state.style & ~BS_TYPEMASK) | (static_cast<DWORD>(wParam) & BS_TYPEMASK);
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      button.focused = message == WM_SETFOCUS;
      return 0;
    case WM_LBUTTONDOWN:
      if ((state.style & WS_DISABLED) != 0) return 0;
      button.pushed = true;
      SetFocus(window);
      return 0;
    case WM_LBUTTONUP: {
      if (!std::exchange(button.pushed, false)) return 0;
      const CRect client = GetClientRect(window);
      if (!client.PtInRect(PointFromLParam(lParam))) return 0;
      if ((state.style & BS_TYPEMASK) == BS_AUTOCHECKBOX) {
        button.check = button.check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
      }
      NotifyParent(window, BN_CLICKED);
      return 0;
    }
    default:
      return DefWindowProc(window, message, wParam, lParam);
  }
}

const ControlRegistration<ButtonData, CButton> buttonClass{kButtonClass, &ButtonProcedure};

}  // namespace
