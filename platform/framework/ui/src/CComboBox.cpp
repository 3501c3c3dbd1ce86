#include "brenmoor/ui/CComboBox.h"

#include <cwctype>
#include <vector>

#include "brenmoor/gdi/ClassicLook.h"
#include "brenmoor/ui/CEdit.h"
#include "brenmoor/ui/CPaintDC.h"

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
  bool dropped = false;
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

void EditChanged(HWND window, WindowState& state, ComboData& combo, std::wstring text) {
  state.text = CString(std::move(text));
  combo.selection = CB_ERR;
  InvalidateRect(window, nullptr, true);
  NotifyParent(window, CBN_EDITUPDATE);
  NotifyParent(window, CBN_EDITCHANGE);
}

// The mouse: a press on the button opens the list, a press on a choice of the
// open list picks it and closes the list.
void Press(HWND window, ComboData& combo, CPoint at) {
  const CRect client = GetClientRect(window);
  if (!combo.dropped) {
    if (!client.PtInRect(at) || at.x < client.right - CComboBox::kButtonWidth) return;
    combo.dropped = true;
    NotifyParent(window, CBN_DROPDOWN);
    return;
  }
  combo.dropped = false;
  const LONG row = at.y - client.bottom;
  const auto count = static_cast<LONG>(combo.items.size());
  if (at.x >= 0 && at.x < client.right && row >= 0 && row < count * CComboBox::kItemHeight) {
    combo.selection = row / CComboBox::kItemHeight;
    NotifyParent(window, CBN_SELCHANGE);
    if (WindowState* still = FindWindowState(window)) Select(*still, combo, combo.selection);
  }
  NotifyParent(window, CBN_CLOSEUP);
}

// The closed box: its text beside the button with the arrow.
void PaintCombo(HWND window, const WindowState& state) {
  using namespace classic;
  CPaintDC dc(CWnd::FromHandle(window));
  Painter painter(dc, GetClientRect(window), (state.style & WS_DISABLED) == 0);
  const CRect& box = painter.Area();
  painter.Sunken(box, painter.Enabled() ? kWindow : kFace);
  const CRect button{box.right - 2 - CComboBox::kButtonWidth, box.top + 2, box.right - 2, box.bottom - 2};
  painter.Raised(button, false);
  const int x = button.left + button.Width() / 2;
  const int y = button.top + button.Height() / 2 - 1;
  for (int row = 0; row < 4; ++row) {
    dc.FillSolidRect({x - 3 + row, y - 1 + row, x + 4 - row, y + row}, kText);
  }
  painter.Text(state.text.Str(), box.left + 4, box.top + (box.Height() - kLineHeight) / 2, button.left - 1, kText);
}

LRESULT ComboProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WindowState& state = *FindWindowState(window);
  auto& combo = *ControlDataOf<ComboData>(window);
  const auto count = static_cast<LRESULT>(combo.items.size());
  const auto index = static_cast<LRESULT>(wParam);
  const auto* text = reinterpret_cast<const wchar_t*>(lParam);
  switch (message) {
    case WM_PAINT:
      PaintCombo(window, state);
      return 0;
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
      return combo.dropped;
    case CB_SHOWDROPDOWN:
      combo.dropped = wParam != 0;
      return 1;
    case WM_SETTEXT:
      if (!HasEditField(state.style)) return CB_ERR;
      DefWindowProc(window, message, wParam, lParam);
      combo.field = {};
      return true;
    case WM_CHAR: {
      std::wstring edited = state.text.Str();
      if (HasEditField(state.style) && combo.field.Type(edited, static_cast<wchar_t>(wParam), false)) {
        EditChanged(window, state, combo, std::move(edited));
      }
      return 0;
    }
    case WM_KEYDOWN: {
      std::wstring edited = state.text.Str();
      if (HasEditField(state.style) && wParam == VK_DELETE && combo.field.Delete(edited, true)) {
        EditChanged(window, state, combo, std::move(edited));
      }
      return 0;
    }
    case WM_LBUTTONDOWN:
      if ((state.style & WS_DISABLED) == 0) {
        Press(window, combo, PointFromLParam(lParam));
      }
      return 0;
    default:
      return DefWindowProc(window, message, wParam, lParam);
  }
}

const ControlRegistration<ComboData, CComboBox> comboClass{kComboBoxClass, &ComboProcedure};

}  // namespace
