#include "brenmoor/windowing/TabControl.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "brenmoor/core/TextCut.h"
#include "brenmoor/gdi/ClassicLook.h"
#include "brenmoor/windowing/Input.h"
#include "brenmoor/windowing/WindowPainter.h"

namespace {

struct Tab {
  CString text;
  LPARAM param = 0;
};

struct TabData : ControlData {
  std::vector<Tab> tabs;
  int selected = -1;
};

LRESULT Notify(HWND control, UINT code) {
  NMHDR header{control, static_cast<UINT_PTR>(GetDlgCtrlID(control)), code};
  return SendMessage(GetParent(control), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

// Copies at most the buffer's room less one and the terminator.
void CopyText(const CString& text, TCITEMW& item) {
  if (item.pszText == nullptr || item.cchTextMax <= 0) return;
  const std::size_t length = UnitsThatFit(text.Str(), static_cast<std::size_t>(item.cchTextMax) - 1);
  std::wmemcpy(item.pszText, text.Str().data(), length);
  item.pszText[length] = L'\0';
}

// A person's change of tab: the parent may refuse it while it is asked.
void ChangeTo(HWND control, TabData& data, int index) {
  if (index < 0 || index >= static_cast<int>(data.tabs.size()) || index == data.selected) return;
  if (Notify(control, TCN_SELCHANGING) != 0) return;
  data.selected = index;
  Notify(control, TCN_SELCHANGE);
}

void Click(HWND control, TabData& data, LPARAM point) {
  if ((GetStyle(control) & WS_TABSTOP) != 0) SetFocus(control);
  const CPoint at = PointFromLParam(point);
  ChangeTo(control, data, at.y >= 0 && at.y < kTabHeight && at.x >= 0 ? at.x / kTabWidth : -1);
}

// The arrows step to the tab beside; Tab (the dialog's Ctrl+Tab) goes round,
// backwards with Shift.
void KeyDown(HWND control, TabData& data, WPARAM key) {
  const auto count = static_cast<int>(data.tabs.size());
  if (count == 0) return;
  if (key == VK_LEFT || key == VK_RIGHT) return ChangeTo(control, data, data.selected + (key == VK_RIGHT ? 1 : -1));
  if (key != VK_TAB) return;
  const int step = GetKeyState(static_cast<int>(VK_SHIFT)) < 0 ? count - 1 : 1;
  ChangeTo(control, data, (data.selected + step) % count);
}

// The tabs in a row over the page's raised edge; the selected one stands
// two pixels taller and joins the page.
void PaintTabs(HWND control, const TabData& data) {
  using namespace classic;
  PAINTSTRUCT paint;
  CDC& dc = *BeginPaint(control, &paint);
  {
    Painter painter(dc, GetClientRect(control), IsWindowEnabled(control));
    const CRect& box = painter.Area();
    painter.Raised({box.left, box.top + kTabHeight, box.right, box.bottom}, false);
    for (std::size_t i = 0; i < data.tabs.size(); ++i) {
      const bool selected = static_cast<int>(i) == data.selected;
      const int left = box.left + static_cast<int>(i) * kTabWidth;
      const CRect tab{left, box.top + (selected ? 0 : 2), left + kTabWidth, box.top + kTabHeight + (selected ? 2 : 0)};
      painter.Raised(tab, false);
      const std::wstring& label = data.tabs[i].text.Str();
      const int width = painter.Width(label);
      const int top = tab.top + (kTabHeight - 2 - kLineHeight) / 2 + 1;
      painter.Text(label, tab.left + std::max(4, (kTabWidth - width) / 2), top, tab.right - 4, kText);
      if (selected && GetFocus() == control) painter.FocusRect({tab.left + 3, top - 1, tab.right - 3, top + kLineHeight + 1});
    }
  }
  EndPaint(control, &paint);
}

bool ChangesTheLook(UINT message) {
  switch (message) {
    case TCM_INSERTITEMW:
    case TCM_SETITEMW:
    case TCM_DELETEITEM:
    case TCM_DELETEALLITEMS:
    case TCM_SETCURSEL:
    case WM_LBUTTONDOWN:
    case WM_KEYDOWN:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      return true;
    default:
      return false;
  }
}

LRESULT TabMessage(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* data = ControlDataOf<TabData>(control);
  if (data == nullptr) return DefWindowProc(control, message, wParam, lParam);
  auto* item = reinterpret_cast<TCITEMW*>(lParam);
  const auto index = static_cast<std::size_t>(wParam);
  const bool known = index < data->tabs.size();
  switch (message) {
    case TCM_GETITEMCOUNT:
      return static_cast<LRESULT>(data->tabs.size());
    case TCM_INSERTITEMW: {
      if (item == nullptr) return -1;
      const std::size_t at = std::min(index, data->tabs.size());
      data->tabs.insert(data->tabs.begin() + static_cast<std::ptrdiff_t>(at),
                        {(item->mask & TCIF_TEXT) != 0 ? CString(item->pszText) : CString(), item->lParam});
      if (data->selected < 0) data->selected = 0;
      return static_cast<LRESULT>(at);
    }
    case TCM_GETITEMW:
      if (!known || item == nullptr) return false;
      if ((item->mask & TCIF_TEXT) != 0) CopyText(data->tabs[index].text, *item);
      if ((item->mask & TCIF_PARAM) != 0) item->lParam = data->tabs[index].param;
      return true;
    case TCM_SETITEMW:
      if (!known || item == nullptr) return false;
      if ((item->mask & TCIF_TEXT) != 0) data->tabs[index].text = CString(item->pszText);
      if ((item->mask & TCIF_PARAM) != 0) data->tabs[index].param = item->lParam;
      return true;
    case TCM_DELETEITEM:
      if (!known) return false;
      data->tabs.erase(data->tabs.begin() + static_cast<std::ptrdiff_t>(index));
      data->selected = std::min(data->selected, static_cast<int>(data->tabs.size()) - 1);
      return true;
    case TCM_DELETEALLITEMS:
      data->tabs.clear();
      data->selected = -1;
      return true;
    case TCM_GETCURSEL:
      return data->selected;
    case TCM_SETCURSEL: {
      if (!known) return -1;
      return std::exchange(data->selected, static_cast<int>(index));
    }
    case WM_LBUTTONDOWN:
      if (IsWindowEnabled(control)) Click(control, *data, lParam);
      return 0;
    case WM_KEYDOWN:
      KeyDown(control, *data, wParam);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    default:
      return DefWindowProc(control, message, wParam, lParam);
  }
}

LRESULT TabProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto* data = ControlDataOf<TabData>(control);
  if (message == WM_PAINT && data != nullptr) {
    PaintTabs(control, *data);
    return 0;
  }
  const LRESULT result = TabMessage(control, message, wParam, lParam);
  if (ChangesTheLook(message)) InvalidateRect(control, nullptr, true);
  return result;
}

const WindowClassRegistration tabClass{{kTabControlClass, &TabProcedure,
                                        [] { return std::unique_ptr<ControlData>(new TabData); }}};

}  // namespace
