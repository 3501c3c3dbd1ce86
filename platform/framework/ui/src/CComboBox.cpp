#include "brenmoor/ui/CComboBox.h"

#include <algorithm>
#include <cwctype>
#include <utility>
#include <vector>

#include "brenmoor/gdi/ClassicLook.h"
#include "brenmoor/ui/CEdit.h"
#include "brenmoor/ui/CPaintDC.h"
#include "brenmoor/windowing/Input.h"

IMPLEMENT_DYNAMIC(CComboBox, CWnd)

int CComboBox::AddString(const wchar_t* text) {
  return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
}

int CComboBox::InsertString(int index, const wchar_t* text) {
  return static_cast<int>(
      SendMessage(CB_INSERTSTRING, static_cast<WPARAM>(static_cast<LPARAM>(index)), reinterpret_cast<LPARAM>(text)));
}

int CComboBox::DeleteString(UINT index) { return static_cast<int>(SendMessage(CB_DELETESTRING, index)); }
void CComboBox::ResetContent() { SendMessage(CB_RESETCONTENT); }
int CComboBox::GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
int CComboBox::GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }

int CComboBox::SetCurSel(int index) {
  return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(static_cast<LPARAM>(index))));
}

int CComboBox::GetLBTextLen(int index) const {
  return static_cast<int>(SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(static_cast<LPARAM>(index))));
}

void CComboBox::GetLBText(int index, CString& text) const {
  const int length = GetLBTextLen(index);
  if (length < 0) {
    text.Empty();
    return;
  }
  std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
  SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
  buffer.resize(static_cast<std::size_t>(length));
  text = CString(std::move(buffer));
}

int CComboBox::FindStringExact(int startAfter, const wchar_t* text) const {
  return static_cast<int>(SendMessage(CB_FINDSTRINGEXACT, static_cast<WPARAM>(static_cast<LPARAM>(startAfter)),
                                      reinterpret_cast<LPARAM>(text)));
}

int CComboBox::SelectString(int startAfter, const wchar_t* text) {
  return static_cast<int>(SendMessage(CB_SELECTSTRING, static_cast<WPARAM>(static_cast<LPARAM>(startAfter)),
                                      reinterpret_cast<LPARAM>(text)));
}

BOOL CComboBox::SetEditSel(int start, int end) {
  return SendMessage(CB_SETEDITSEL, 0, MAKELPARAM(static_cast<WORD>(start), static_cast<WORD>(end))) != CB_ERR;
}

BOOL CComboBox::GetDroppedState() const { return SendMessage(CB_GETDROPPEDSTATE) != 0; }

namespace {

struct ComboData : ControlData {
  std::vector<std::wstring> items;
  LRESULT selection = CB_ERR;
  EditField field;
  HWND list = nullptr;  // the open list, a popup of its own
  LRESULT hot = CB_ERR;  // the choice the open list shows picked
};

// The open list's own state: whose list it is.
struct ComboListData : ControlData {
  HWND combo = nullptr;
};

bool HasEditField(DWORD style) { return (style & CBS_TYPEMASK) == CBS_DROPDOWN; }

bool EqualIgnoringCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::towlower(static_cast<wint_t>(a[i])) != std::towlower(static_cast<wint_t>(b[i]))) return false;
  }
  return true;
}

// Searches the choices after startAfter, round to the beginning, without regard to case.
LRESULT Find(const ComboData& combo, WPARAM startAfter, std::wstring_view text, bool prefix) {
  const auto count = static_cast<LRESULT>(combo.items.size());
  if (count == 0 || (prefix && text.empty())) return CB_ERR;
  const auto after = static_cast<LRESULT>(startAfter);
  const LRESULT first = after < 0 || after >= count ? 0 : after + 1;
  for (LRESULT n = 0; n < count; ++n) {
    const LRESULT index = (first + n) % count;
    const std::wstring_view item = combo.items[static_cast<std::size_t>(index)];
    if (EqualIgnoringCase(prefix ? item.substr(0, text.size()) : item, text)) return index;
  }
  return CB_ERR;
}

void Select(WindowState& state, ComboData& combo, LRESULT index) {
  combo.selection = index;
  state.text = CString(index == CB_ERR ? std::wstring() : combo.items[static_cast<std::size_t>(index)]);
  combo.field = {};
  InvalidateRect(state.handle, nullptr, true);
}

// A person's choice: the parent hears of it while the field still shows the old text.
void Choose(HWND window, ComboData& combo, LRESULT index) {
  if (index == CB_ERR) return;
  combo.selection = index;
  NotifyParent(window, CBN_SELCHANGE);
  if (WindowState* still = FindWindowState(window)) Select(*still, combo, index);
}

void EditChanged(HWND window, WindowState& state, ComboData& combo, std::wstring text) {
  state.text = CString(std::move(text));
  combo.selection = CB_ERR;
  InvalidateRect(window, nullptr, true);
  NotifyParent(window, CBN_EDITUPDATE);
  NotifyParent(window, CBN_EDITCHANGE);
}

CRect ListPlace(HWND window, const ComboData& combo) {
  const CRect box = GetWindowRect(window);
  const auto rows = static_cast<LONG>(std::max<std::size_t>(combo.items.size(), 1));
  return {box.left, box.bottom, box.right, box.bottom + rows * CComboBox::kItemHeight + 2};
}

// The list drops under the box as a popup window of its own, which holds the
// mouse until it closes.
void DropDown(HWND window, ComboData& combo) {
  if (combo.list != nullptr) return;
  NotifyParent(window, CBN_DROPDOWN);
  if (!IsWindow(window)) return;
  combo.hot = combo.selection;
  combo.list = CreateWindowExW(kComboListClass, L"", WS_POPUP | WS_VISIBLE, ListPlace(window, combo), nullptr, 0, window);
  if (combo.list != nullptr) SetCapture(combo.list);
  InvalidateRect(window, nullptr, true);
}

void CloseUp(HWND window, ComboData& combo) {
  if (combo.list == nullptr) return;
  DestroyWindow(std::exchange(combo.list, nullptr));
  InvalidateRect(window, nullptr, true);
  NotifyParent(window, CBN_CLOSEUP);
}

void PickAndClose(HWND window, ComboData& combo, LRESULT index) {
  Choose(window, combo, index);
  if (IsWindow(window)) CloseUp(window, combo);
}

LRESULT Clamped(const ComboData& combo, LRESULT index) {
  return std::clamp<LRESULT>(index, 0, static_cast<LRESULT>(combo.items.size()) - 1);
}

// Up, Down, Home and End step through the choices: in the open list the
// highlight, else the selection itself.
bool StepByKey(HWND window, WindowState& state, ComboData& combo, WPARAM key) {
  if (combo.items.empty()) return false;
  const LRESULT from = combo.list != nullptr ? combo.hot : combo.selection;
  LRESULT to = CB_ERR;
  if (key == VK_DOWN) to = from == CB_ERR ? 0 : Clamped(combo, from + 1);
  if (key == VK_UP) to = from == CB_ERR ? 0 : Clamped(combo, from - 1);
  const bool fieldTakesIt = HasEditField(state.style) && combo.list == nullptr;
  if (key == VK_HOME && !fieldTakesIt) to = 0;
  if (key == VK_END && !fieldTakesIt) to = static_cast<LRESULT>(combo.items.size()) - 1;
  if (to == CB_ERR) return false;
  if (combo.list == nullptr) {
    if (to != combo.selection) Choose(window, combo, to);
  } else {
    combo.hot = to;
    InvalidateRect(combo.list, nullptr, true);
  }
  return true;
}

void KeyDown(HWND window, WindowState& state, ComboData& combo, WPARAM key) {
  const bool open = combo.list != nullptr;
  if (key == VK_F4) return open ? PickAndClose(window, combo, combo.hot) : DropDown(window, combo);
  if (open && key == VK_RETURN) return PickAndClose(window, combo, combo.hot);
  if (open && key == VK_ESCAPE) return CloseUp(window, combo);
  if (StepByKey(window, state, combo, key)) return;
  if (!HasEditField(state.style)) return;
  std::wstring edited = state.text.Str();
  if (combo.field.MoveByKey(edited, key, GetKeyState(static_cast<int>(VK_SHIFT)) < 0, false)) {
    InvalidateRect(window, nullptr, true);
  } else if (key == VK_DELETE && combo.field.Delete(edited, true)) {
    EditChanged(window, state, combo, std::move(edited));
  }
}

// Without a field, a letter picks the next choice that begins with it.
void Character(HWND window, WindowState& state, ComboData& combo, wchar_t unit) {
  if (!HasEditField(state.style)) {
    const LRESULT found = unit >= L' ' ? Find(combo, static_cast<WPARAM>(combo.selection), std::wstring(1, unit), true) : CB_ERR;
    if (found != combo.selection) Choose(window, combo, found);
    return;
  }
  std::wstring edited = state.text.Str();
  if (combo.field.Type(edited, unit, false)) EditChanged(window, state, combo, std::move(edited));
}

// A press on the button, or anywhere on a box without a field, opens the list.
void Press(HWND window, ComboData& combo, CPoint at) {
  SetFocus(window);
  const CRect client = GetClientRect(window);
  const bool onButton = at.x >= client.right - CComboBox::kButtonWidth;
  if (onButton || !HasEditField(GetStyle(window))) DropDown(window, combo);
}

// The closed box: its text beside the button with the arrow; with the focus,
// the field's selection and caret, or the choice picked out.
void PaintCombo(HWND window, const WindowState& state, const ComboData& combo) {
  using namespace classic;
  CPaintDC dc(CWnd::FromHandle(window));
  Painter painter(dc, GetClientRect(window), (state.style & WS_DISABLED) == 0);
  const CRect& box = painter.Area();
  painter.Sunken(box, painter.Enabled() ? kWindow : kFace);
  const CRect button{box.right - 2 - CComboBox::kButtonWidth, box.top + 2, box.right - 2, box.bottom - 2};
  painter.Raised(button, combo.list != nullptr);
  painter.Arrow(button.left + button.Width() / 2, button.top + button.Height() / 2 - 2, false, kText);
  const bool focused = GetFocus() == window;
  const CRect field{box.left + 4, box.top + (box.Height() - kLineHeight) / 2, button.left - 1,
                    box.top + (box.Height() + kLineHeight) / 2};
  if (HasEditField(state.style)) return PaintEditLine(painter, state.text.Str(), 0, combo.field, focused, field);
  if (!focused) return painter.Text(state.text.Str(), field.left, field.top, field.right, kText);
  const CRect chosen{box.left + 3, box.top + 3, button.left - 1, box.bottom - 3};
  dc.FillSolidRect(chosen, kSelection);
  painter.Text(state.text.Str(), field.left, field.top, field.right, kSelectionText);
  painter.FocusRect(chosen);
}

// The open list: a choice a row, the one picked out white on blue.
void PaintList(HWND list, const ComboData& combo) {
  using namespace classic;
  CPaintDC dc(CWnd::FromHandle(list));
  Painter painter(dc, GetClientRect(list), true);
  const CRect& box = painter.Area();
  dc.Draw3dRect(box, kText, kText);
  dc.FillSolidRect(Painter::Inset(box, 1), kWindow);
  for (std::size_t row = 0; row < combo.items.size(); ++row) {
    const int top = box.top + 1 + static_cast<int>(row) * CComboBox::kItemHeight;
    const bool hot = static_cast<LRESULT>(row) == combo.hot;
    if (hot) dc.FillSolidRect({box.left + 1, top, box.right - 1, top + CComboBox::kItemHeight}, kSelection);
    painter.Text(combo.items[row], box.left + 3, top + 1, box.right - 2, hot ? kSelectionText : kText);
  }
}

LRESULT RowAt(const ComboData& combo, HWND list, CPoint at) {
  const CRect client = GetClientRect(list);
  if (!client.PtInRect(at)) return CB_ERR;
  const LRESULT row = (at.y - 1) / CComboBox::kItemHeight;
  return row >= 0 && row < static_cast<LRESULT>(combo.items.size()) ? row : CB_ERR;
}

// The mouse while the list is open: it follows the pointer; a release on a
// choice picks it; a press outside closes the list and changes nothing.
LRESULT ListProcedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto* own = ControlDataOf<ComboListData>(list);
  const HWND window = own != nullptr ? own->combo : nullptr;
  auto* combo = ControlDataOf<ComboData>(window);
  if (message == WM_CREATE) {
    ControlDataOf<ComboListData>(list)->combo =
        static_cast<HWND>(reinterpret_cast<const CREATESTRUCT*>(lParam)->lpCreateParams);
    return 0;
  }
  if (combo == nullptr) return DefWindowProc(list, message, wParam, lParam);
  const LRESULT row = RowAt(*combo, list, PointFromLParam(lParam));
  switch (message) {
    case WM_PAINT:
      PaintList(list, *combo);
      return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
      if (row != CB_ERR) {
        combo->hot = row;
        InvalidateRect(list, nullptr, true);
      } else if (message == WM_LBUTTONDOWN) {
        CloseUp(window, *combo);
      }
      return 0;
    case WM_LBUTTONUP:
      if (row != CB_ERR) PickAndClose(window, *combo, row);
      return 0;
    default:
      return DefWindowProc(list, message, wParam, lParam);
  }
}

const WindowClassRegistration listClass{ControlClass<ComboListData>(kComboListClass, &ListProcedure)};

LRESULT ComboProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WindowState& state = *FindWindowState(window);
  auto& combo = *ControlDataOf<ComboData>(window);
  const auto count = static_cast<LRESULT>(combo.items.size());
  const auto index = static_cast<LRESULT>(wParam);
  const auto* text = reinterpret_cast<const wchar_t*>(lParam);
  switch (message) {
    case WM_PAINT:
      PaintCombo(window, state, combo);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTCHARS | DLGC_WANTARROWS | (HasEditField(state.style) ? DLGC_HASSETSEL : 0) |
             (combo.list != nullptr ? DLGC_WANTMESSAGE : 0);
    case WM_SETFOCUS:
      InvalidateRect(window, nullptr, true);
      return 0;
    case WM_KILLFOCUS:
      CloseUp(window, combo);
      InvalidateRect(window, nullptr, true);
      return 0;
    case WM_DESTROY:
      if (combo.list != nullptr) DestroyWindow(std::exchange(combo.list, nullptr));
      return 0;
    case CB_GETCOMBOBOXINFO: {
      auto* info = reinterpret_cast<COMBOBOXINFO*>(lParam);
      if (info == nullptr) return false;
      const CRect client = GetClientRect(window);
      info->rcButton = {client.right - 2 - CComboBox::kButtonWidth, 2, client.right - 2, client.bottom - 2};
      info->rcItem = {3, 3, info->rcButton.left - 1, client.bottom - 3};
      info->stateButton = 0;
      info->hwndCombo = window;
      info->hwndItem = window;
      info->hwndList = combo.list;
      return true;
    }
    case CB_ADDSTRING:
      combo.items.emplace_back(text != nullptr ? text : L"");
      return count;
    case CB_INSERTSTRING: {
      const LRESULT at = index < 0 || index > count ? count : index;
      combo.items.insert(combo.items.begin() + at, text != nullptr ? text : L"");
      if (combo.selection >= at) ++combo.selection;
      return at;
    }
    case CB_DELETESTRING:
      if (index < 0 || index >= count) return CB_ERR;
      combo.items.erase(combo.items.begin() + index);
      if (combo.selection == index) combo.selection = CB_ERR;
      if (combo.selection > index) --combo.selection;
      return count - 1;
    case CB_RESETCONTENT:
      combo.items.clear();
      Select(state, combo, CB_ERR);
      return 0;
    case CB_GETCOUNT:
      return count;
    case CB_GETCURSEL:
      return combo.selection;
    case CB_SETCURSEL:
      Select(state, combo, index >= 0 && index < count ? index : CB_ERR);
      return combo.selection == index ? index : CB_ERR;
    case CB_GETLBTEXTLEN:
      return index >= 0 && index < count ? static_cast<LRESULT>(combo.items[static_cast<std::size_t>(index)].size())
                                         : CB_ERR;
    case CB_GETLBTEXT: {
      if (index < 0 || index >= count || lParam == 0) return CB_ERR;
      const std::wstring& item = combo.items[static_cast<std::size_t>(index)];
      std::copy(item.begin(), item.end(), reinterpret_cast<wchar_t*>(lParam));
      reinterpret_cast<wchar_t*>(lParam)[item.size()] = L'\0';
      return static_cast<LRESULT>(item.size());
    }
    case CB_FINDSTRINGEXACT:
      return Find(combo, wParam, text != nullptr ? text : L"", false);
    case CB_SELECTSTRING: {
      const LRESULT found = Find(combo, wParam, text != nullptr ? text : L"", true);
      if (found != CB_ERR) Select(state, combo, found);
      return found;
    }
    case CB_SETEDITSEL: {
      if (!HasEditField(state.style)) return CB_ERR;
      const WORD start = LOWORD(static_cast<WPARAM>(lParam));
      const WORD end = HIWORD(static_cast<WPARAM>(lParam));
      combo.field.Select(state.text.Str(), start == 0xFFFF ? -1 : start, end == 0xFFFF ? -1 : end);
      return 1;
    }
    case CB_GETDROPPEDSTATE:
      return combo.list != nullptr;
    case CB_SHOWDROPDOWN:
      wParam != 0 ? DropDown(window, combo) : CloseUp(window, combo);
      return 1;
    case EM_SETSEL:
      if (HasEditField(state.style)) combo.field.Select(state.text.Str(), static_cast<LPARAM>(wParam), lParam);
      InvalidateRect(window, nullptr, true);
      return 0;
    case WM_SETTEXT:
      if (!HasEditField(state.style)) return CB_ERR;
      DefWindowProc(window, message, wParam, lParam);
      combo.field = {};
      return true;
    case WM_CHAR:
      Character(window, state, combo, static_cast<wchar_t>(wParam));
      return 0;
    case WM_KEYDOWN:
      KeyDown(window, state, combo, wParam);
      return 0;
    case WM_SYSKEYDOWN:
      if (wParam == VK_DOWN || wParam == VK_UP) {
        combo.list != nullptr ? PickAndClose(window, combo, combo.hot) : DropDown(window, combo);
      }
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if ((state.style & WS_DISABLED) == 0) Press(window, combo, PointFromLParam(lParam));
      return 0;
    default:
      return DefWindowProc(window, message, wParam, lParam);
  }
}

const ControlRegistration<ComboData, CComboBox> comboClass{kComboBoxClass, &ComboProcedure};

}  // namespace
