#include "brenmoor/ui/CButton.h"

#include <algorithm>

#include "brenmoor/gdi/ClassicLook.h"
#include "brenmoor/ui/CPaintDC.h"
#include "brenmoor/windowing/Input.h"

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

// The owner of an owner-drawn button draws it, on the button's own place.
void AskOwnerToDraw(HWND window, CDC& dc, UINT state) {
  DRAWITEMSTRUCT item;
  item.CtlType = ODT_BUTTON;
  item.CtlID = static_cast<UINT>(GetDlgCtrlID(window));
  item.itemAction = ODA_DRAWENTIRE;
  item.itemState = ((state & BST_PUSHED) != 0 ? ODS_SELECTED : 0) | ((state & BST_FOCUS) != 0 ? ODS_FOCUS : 0) |
                   (IsWindowEnabled(window) ? 0 : ODS_DISABLED);
  item.hwndItem = window;
  item.hDC = &dc;
  item.rcItem = GetClientRect(window);
  SendMessage(GetParent(window), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
}

void PaintCheckBox(classic::Painter& painter, const std::wstring& label, UINT state) {
  using namespace classic;
  CDC& dc = painter.Dc();
  const CRect& box = painter.Area();
  const int top = box.top + (box.Height() - 13) / 2;
  const CRect square{box.left, top, box.left + 13, top + 13};
  painter.Sunken(square, painter.Enabled() ? kWindow : kFace);
  if ((state & BST_CHECKED) != 0) {
    for (int stroke = 0; stroke < 3; ++stroke) {
      const CPoint tick[] = {{square.left + 3, top + 5 + stroke}, {square.left + 5, top + 7 + stroke},
                             {square.left + 10, top + 2 + stroke}};
      CPen pen(PS_SOLID, 1, painter.Enabled() ? kText : kGrayText);
      CPen* previous = dc.SelectObject(&pen);
      dc.Polyline(tick, 3);
      dc.SelectObject(previous);
    }
  }
  const int line = box.top + (box.Height() - kLineHeight) / 2;
  painter.Label(label, box.left + 17, line, box.right, kText);
  if ((state & BST_FOCUS) != 0) {
    painter.FocusRect({box.left + 15, line - 1, std::min<int>(box.left + 19 + painter.LabelWidth(label), box.right),
                       line + kLineHeight + 1});
  }
}

void PaintPushButton(classic::Painter& painter, const std::wstring& label, UINT state, bool isDefault) {
  using namespace classic;
  const CRect& box = painter.Area();
  CRect face = box;
  if (isDefault) {
    painter.Dc().Draw3dRect(box, kText, kText);
    face = Painter::Inset(box, 1);
  }
  painter.Raised(face, (state & BST_PUSHED) != 0);
  const int width = painter.LabelWidth(label);
  painter.Label(label, face.left + std::max(2, (face.Width() - width) / 2), face.top + (face.Height() - kLineHeight) / 2,
               face.right - 2, kText);
  if ((state & BST_FOCUS) != 0) painter.FocusRect(Painter::Inset(face, 3));
}

// The owner draws in the dialog font too.
void PaintButton(HWND window, const WindowState& state) {
  CPaintDC dc(CWnd::FromHandle(window));
  classic::Painter painter(dc, GetClientRect(window), (state.style & WS_DISABLED) == 0);
  const DWORD type = state.style & BS_TYPEMASK;
  const auto look = static_cast<UINT>(SendMessage(window, BM_GETSTATE));
  if (type == BS_OWNERDRAW) {
    AskOwnerToDraw(window, dc, look);
  } else if (IsCheckBox(state.style)) {
    PaintCheckBox(painter, state.text.Str(), look);
  } else {
    PaintPushButton(painter, state.text.Str(), look, type == BS_DEFPUSHBUTTON);
  }
}

LRESULT DialogCode(DWORD style) {
  switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
      return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case BS_DEFPUSHBUTTON:
      return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    case BS_GROUPBOX:
      return DLGC_STATIC;
    default:
      return DLGC_BUTTON;
  }
}

void Push(HWND window, ButtonData& button, bool pushed) {
  if (button.pushed == pushed) return;
  button.pushed = pushed;
  InvalidateRect(window, nullptr, true);
}

// A press let go: a click when it was let go over the button.
void Release(HWND window, WindowState& state, ButtonData& button, bool over) {
  if (!button.pushed) return;
  Push(window, button, false);
  if (!over) return;
  if ((state.style & BS_TYPEMASK) == BS_AUTOCHECKBOX) {
    button.check = button.check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
  }
  NotifyParent(window, BN_CLICKED);
}

LRESULT ButtonProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WindowState& state = *FindWindowState(window);
  auto& button = *ControlDataOf<ButtonData>(window);
  const bool over = GetClientRect(window).PtInRect(PointFromLParam(lParam));
  switch (message) {
    case WM_GETDLGCODE:
      return DialogCode(state.style);
    case WM_NCHITTEST:
      return (state.style & BS_TYPEMASK) == BS_GROUPBOX ? HTTRANSPARENT : HTCLIENT;
    case BM_GETCHECK:
      return IsCheckBox(state.style) ? static_cast<LRESULT>(button.check) : BST_UNCHECKED;
    case BM_SETCHECK:
      // A two-state box is checked by anything but "unchecked".
      if (IsCheckBox(state.style)) button.check = wParam != BST_UNCHECKED ? BST_CHECKED : BST_UNCHECKED;
      InvalidateRect(window, nullptr, true);
      return 0;
    case BM_GETSTATE:
      return static_cast<LRESULT>(button.check) | (button.pushed ? BST_PUSHED : 0) |
             (button.focused ? BST_FOCUS : 0);
    case WM_PAINT:
      PaintButton(window, state);
      return 0;
    case BM_SETSTATE:
      button.pushed = wParam != 0;
      InvalidateRect(window, nullptr, true);
      return 0;
    case BM_SETSTYLE:
      state.style = (state.style & ~BS_TYPEMASK) | (static_cast<DWORD>(wParam) & BS_TYPEMASK);
      InvalidateRect(window, nullptr, true);
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      button.focused = message == WM_SETFOCUS;
      InvalidateRect(window, nullptr, true);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if ((state.style & WS_DISABLED) != 0) return 0;
      Push(window, button, true);
      SetCapture(window);
      SetFocus(window);
      return 0;
    case WM_MOUSEMOVE:
      if (GetCapture() == window) Push(window, button, over);
      return 0;
    case WM_LBUTTONUP:
      if (GetCapture() == window) ReleaseCapture();
      Release(window, state, button, over);
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_SPACE && (state.style & WS_DISABLED) == 0) Push(window, button, true);
      return 0;
    case WM_KEYUP:
      if (wParam == VK_SPACE) Release(window, state, button, true);
      return 0;
    case BM_CLICK: {
      const CRect client = GetClientRect(window);
      const LPARAM middle = MAKELPARAM(static_cast<WORD>(client.right / 2), static_cast<WORD>(client.bottom / 2));
      SendMessage(window, WM_LBUTTONDOWN, MK_LBUTTON, middle);
      SendMessage(window, WM_LBUTTONUP, 0, middle);
      return 0;
    }
    default:
      return DefWindowProc(window, message, wParam, lParam);
  }
}

const ControlRegistration<ButtonData, CButton> buttonClass{kButtonClass, &ButtonProcedure};

}  // namespace
