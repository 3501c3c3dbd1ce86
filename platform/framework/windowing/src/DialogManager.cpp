#include "brenmoor/windowing/DialogManager.h"

#include <algorithm>
#include <cwctype>
#include <vector>

#include "brenmoor/gdi/ClassicLook.h"
#include "brenmoor/windowing/Input.h"

namespace {

bool IsDialog(HWND window) {
  const WindowState* state = FindWindowState(window);
  return state != nullptr && state->className == kDialogClass;
}

bool IsControl(HWND window) { return (GetStyle(window) & WS_CHILD) != 0; }

// Its own style counts, so that a dialog not shown yet can put its focus.
bool Usable(HWND control) { return (GetStyle(control) & WS_VISIBLE) != 0 && IsWindowEnabled(control); }

void CollectControls(HWND parent, std::vector<HWND>& controls) {
  for (HWND child : GetChildren(parent)) {
    if (!IsControl(child)) continue;
    if (!IsDialog(child)) {
      controls.push_back(child);
    } else if ((GetStyle(child) & WS_VISIBLE) != 0) {
      CollectControls(child, controls);
    }
  }
}

std::vector<HWND> ControlsOf(HWND dialog) {
  std::vector<HWND> controls;
  CollectControls(dialog, controls);
  return controls;
}

LRESULT DialogCode(HWND control, WPARAM key) {
  return control != nullptr ? SendMessage(control, WM_GETDLGCODE, key) : 0;
}

// Steps from the control round the list to the first that fits; null when none does.
template <typename Fits>
HWND Step(const std::vector<HWND>& controls, HWND from, bool previous, Fits fits) {
  const auto count = static_cast<std::ptrdiff_t>(controls.size());
  if (count == 0) return nullptr;
  std::ptrdiff_t at = std::find(controls.begin(), controls.end(), from) - controls.begin();
  if (at == count && !previous) at = -1;
  for (std::ptrdiff_t step = 1; step <= count; ++step) {
    const std::ptrdiff_t index = ((at + (previous ? -step : step)) % count + count) % count;
    if (fits(controls[static_cast<std::size_t>(index)])) return controls[static_cast<std::size_t>(index)];
  }
  return nullptr;
}

HWND FindControl(HWND dialog, int id) {
  if (HWND direct = GetDlgItem(dialog, id)) return direct;
  for (HWND control : ControlsOf(dialog)) {
    if (GetDlgCtrlID(control) == id) return control;
  }
  return nullptr;
}

// As a click on the button would, unless the button is there and disabled.
void PressButton(HWND dialog, int id) {
  const HWND button = FindControl(dialog, id);
  if (button != nullptr && !IsWindowEnabled(button)) return;
  SendMessage(button != nullptr ? GetParent(button) : dialog, WM_COMMAND,
              MAKEWPARAM(static_cast<WORD>(id), static_cast<WORD>(BN_CLICKED)), reinterpret_cast<LPARAM>(button));
}

void PressDefault(HWND dialog, HWND focus, LRESULT focusCode) {
  if ((focusCode & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0) return PressButton(dialog, GetDlgCtrlID(focus));
  const auto answer = static_cast<WPARAM>(SendMessage(dialog, DM_GETDEFID));
  PressButton(dialog, HIWORD(answer) == DC_HASDEFID ? LOWORD(answer) : IDOK);
}

bool TurnPages(HWND dialog) {
  for (HWND control : ControlsOf(dialog)) {
    if (FindWindowState(control)->className == kTabControlClass && Usable(control)) {
      SendMessage(control, WM_KEYDOWN, VK_TAB);
      return true;
    }
  }
  return false;
}

bool PressMnemonic(HWND dialog, wchar_t letter) {
  const auto wanted = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(letter)));
  const std::vector<HWND> controls = ControlsOf(dialog);
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const HWND control = controls[i];
    const LRESULT code = DialogCode(control, 0);
    if ((code & (DLGC_BUTTON | DLGC_STATIC)) == 0 || !Usable(control)) continue;
    if (MnemonicOf(FindWindowState(control)->text) != wanted) continue;
    if ((code & DLGC_BUTTON) != 0) {
      SendMessage(control, BM_CLICK);
      return true;
    }
    for (std::size_t next = i + 1; next < controls.size(); ++next) {
      if (Usable(controls[next]) && (DialogCode(controls[next], 0) & DLGC_STATIC) == 0) {
        FocusDialogControl(controls[next]);
        return true;
      }
    }
  }
  return false;
}

bool IsMnemonicKey(WPARAM key) { return (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'); }

bool DialogKey(HWND dialog, HWND focus, WPARAM key) {
  const LRESULT code = DialogCode(focus, key);
  if ((code & DLGC_WANTMESSAGE) != 0) return false;
  switch (key) {
    case VK_TAB:
      if (GetKeyState(static_cast<int>(VK_CONTROL)) < 0 && TurnPages(dialog)) return true;
      if ((code & DLGC_WANTTAB) != 0) return false;
      FocusDialogControl(GetNextDlgTabItem(dialog, focus, GetKeyState(static_cast<int>(VK_SHIFT)) < 0));
      return true;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
      if ((code & DLGC_WANTARROWS) != 0) return false;
      FocusDialogControl(GetNextDlgGroupItem(dialog, focus, key == VK_LEFT || key == VK_UP));
      return true;
    case VK_RETURN:
      PressDefault(dialog, focus, code);
      return true;
    case VK_ESCAPE:
      PressButton(dialog, IDCANCEL);
      return true;
    default:
      return false;
  }
}

}  // namespace

HWND DialogOf(HWND window) {
  HWND dialog = nullptr;
  for (HWND current = window; current != nullptr; current = GetParent(current)) {
    if (IsDialog(current)) dialog = current;
    if (!IsControl(current)) break;
  }
  return dialog;
}

bool IsDialogMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  const HWND focus = GetFocus();
  switch (message) {
    case WM_KEYDOWN:
      return DialogKey(dialog, focus, wParam);
    case WM_SYSKEYDOWN:
      return IsMnemonicKey(wParam) && PressMnemonic(dialog, static_cast<wchar_t>(wParam));
    case WM_CHAR:
      return (DialogCode(focus, 0) & (DLGC_WANTCHARS | DLGC_WANTMESSAGE)) == 0 &&
             PressMnemonic(dialog, static_cast<wchar_t>(wParam));
    default:
      return false;
  }
}

void FocusDialogControl(HWND control) {
  if (control == nullptr) return;
  SetFocus(control);
  if ((DialogCode(control, 0) & DLGC_HASSETSEL) != 0) SendMessage(control, EM_SETSEL, 0, -1);
}

HWND GetNextDlgTabItem(HWND dialog, HWND control, bool previous) {
  return Step(ControlsOf(dialog), control, previous,
              [](HWND candidate) { return (GetStyle(candidate) & WS_TABSTOP) != 0 && Usable(candidate); });
}

// A group runs from a WS_GROUP control to the next; labels are passed over.
HWND GetNextDlgGroupItem(HWND dialog, HWND control, bool previous) {
  const std::vector<HWND> controls = ControlsOf(dialog);
  const auto at = std::find(controls.begin(), controls.end(), control);
  if (at == controls.end()) return nullptr;
  auto first = at;
  while (first != controls.begin() && (GetStyle(*first) & WS_GROUP) == 0) --first;
  auto last = at + 1;
  while (last != controls.end() && (GetStyle(*last) & WS_GROUP) == 0) ++last;
  return Step(std::vector<HWND>(first, last), control, previous,
              [](HWND candidate) { return Usable(candidate) && (DialogCode(candidate, 0) & DLGC_STATIC) == 0; });
}

wchar_t MnemonicOf(const CString& text) {
  const classic::LabelText label = classic::Unmarked(text.Str());
  return label.mnemonic == std::wstring::npos
             ? 0
             : static_cast<wchar_t>(std::towupper(static_cast<wint_t>(label.shown[label.mnemonic])));
}
