#include "brenmoor/ui/CListCtrl.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <span>
#include <utility>
#include <vector>

#include "brenmoor/core/TextCut.h"
#include "brenmoor/gdi/ClassicLook.h"
#include "brenmoor/ui/CPaintDC.h"
#include "brenmoor/windowing/Input.h"
#include "VerticalScrollBar.h"

IMPLEMENT_DYNAMIC(CHeaderCtrl, CWnd)
IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

namespace {

constexpr int kHeaderHeight = 20;

struct Column {
  std::wstring heading;
  int width = 0;
  int format = LVCFMT_LEFT;
  int subItem = 0;
};

struct HeaderData : ControlData {
  std::vector<Column> columns;
  std::vector<int> order;  // column indexes left to right as shown
  int pressed = -1;        // the column a press began on
};

struct Item {
  std::vector<std::wstring> texts;  // by sub-item
  int image = 0;
  LPARAM data = 0;
  UINT state = 0;
};

// The scroll bar while the left button is held on it: the part pressed and,
// for the thumb, where on it the pointer took it and the row it now stands for.
struct ScrollBarHold {
  VerticalScrollBar::Part part = VerticalScrollBar::Part::kNone;
  int grip = 0;
  int position = 0;
};

struct ListData : ControlData {
  HWND header = nullptr;
  std::vector<Item> items;
  int top = 0;     // the first row shown
  int anchor = 0;  // where a Shift selection runs from
  int wheel = 0;   // what the wheel turned short of a whole row
  ScrollBarHold held;
};

// Rows a notch of the wheel scrolls, as the system's setting has it by default.
constexpr int kWheelRows = 3;

// What a sort moves with a row besides the texts of the header's columns.
constexpr UINT kSortedStates = LVIS_FOCUSED | LVIS_SELECTED | LVIS_CUT | LVIS_DROPHILITED | LVIS_OVERLAYMASK |
                               LVIS_STATEIMAGEMASK;

// Copies into a caller's buffer of length units: at most length - 1 and the terminator.
int CopyText(std::wstring_view text, wchar_t* buffer, int length) {
  if (buffer == nullptr || length <= 0) return 0;
  const std::size_t count = UnitsThatFit(text, static_cast<std::size_t>(length - 1));
  std::copy_n(text.data(), count, buffer);
  buffer[count] = L'\0';
  return static_cast<int>(count);
}

// A raised cell per column in the order the list shows them, and one for the room left.
void PaintHeader(HWND window) {
  using namespace classic;
  CPaintDC dc(CWnd::FromHandle(window));
  Painter painter(dc, GetClientRect(window), IsWindowEnabled(window));
  const CRect& box = painter.Area();
  const HWND list = GetParent(window);
  const int columns = static_cast<int>(SendMessage(window, HDM_GETITEMCOUNT));
  std::vector<int> order(static_cast<std::size_t>(columns));
  SendMessage(list, LVM_GETCOLUMNORDERARRAY, order.size(), reinterpret_cast<LPARAM>(order.data()));
  int x = box.left;
  for (int column : order) {
    wchar_t heading[260];
    LVCOLUMN description;
    description.mask = LVCF_TEXT | LVCF_WIDTH;
    description.pszText = heading;
    description.cchTextMax = 260;
    SendMessage(list, LVM_GETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&description));
    const CRect cell{x, box.top, std::min<int>(x + description.cx, box.right), box.bottom};
    if (cell.IsRectEmpty()) break;
    painter.Raised(cell, false);
    painter.Text(heading, cell.left + 5, cell.top + (cell.Height() - kLineHeight) / 2, cell.right - 3, kText);
    x += description.cx;
  }
  if (x < box.right) painter.Raised({x, box.top, box.right, box.bottom}, false);
}

// The column under x, in the order shown; -1 past the last.
int ColumnAt(const HeaderData& header, LONG x) {
  LONG left = 0;
  for (int column : header.order) {
    left += header.columns[static_cast<std::size_t>(column)].width;
    if (x < left) return x >= 0 ? column : -1;
  }
  return -1;
}

// A click is a press and a release on the same column; the list hears HDN_ITEMCLICK.
void HeaderClick(HWND window, HeaderData& header, int column) {
  if (column < 0 || column != std::exchange(header.pressed, -1)) return;
  NMHEADERW click;
  click.hdr = {window, static_cast<UINT_PTR>(GetDlgCtrlID(window)), HDN_ITEMCLICKW};
  click.iItem = column;
  SendMessage(GetParent(window), WM_NOTIFY, click.hdr.idFrom, reinterpret_cast<LPARAM>(&click));
}

LRESULT HeaderProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto& header = *ControlDataOf<HeaderData>(window);
  const int column = ColumnAt(header, PointFromLParam(lParam).x);
  switch (message) {
    case HDM_GETITEMCOUNT:
      return static_cast<LRESULT>(header.columns.size());
    case WM_PAINT:
      PaintHeader(window);
      return 0;
    case WM_LBUTTONDOWN:
      header.pressed = column;
      SetCapture(window);
      return 0;
    case WM_LBUTTONUP:
      if (GetCapture() == window) ReleaseCapture();
      HeaderClick(window, header, GetClientRect(window).PtInRect(PointFromLParam(lParam)) ? column : -1);
      return 0;
    default:
      return DefWindowProc(window, message, wParam, lParam);
  }
}

void Describe(Column& column, const LVCOLUMN& description) {
  if ((description.mask & LVCF_TEXT) != 0) column.heading = description.pszText != nullptr ? description.pszText : L"";
  if ((description.mask & LVCF_WIDTH) != 0) column.width = description.cx;
  if ((description.mask & LVCF_FMT) != 0) column.format = description.fmt;
  if ((description.mask & LVCF_SUBITEM) != 0) column.subItem = description.iSubItem;
}

LRESULT InsertColumn(HeaderData& header, LPARAM index, const LVCOLUMN* description) {
  if (description == nullptr || index < 0) return -1;
  const auto count = static_cast<LPARAM>(header.columns.size());
  const auto at = static_cast<int>(std::min(index, count));
  Column column;
  column.subItem = at;
  Describe(column, *description);
  header.columns.insert(header.columns.begin() + at, column);
  for (int& shown : header.order) {
    if (shown >= at) ++shown;
  }
  const int place = (description->mask & LVCF_ORDER) != 0 ? std::clamp(description->iOrder, 0, static_cast<int>(count))
                                                           : at;
  header.order.insert(header.order.begin() + place, at);
  return at;
}

bool DeleteColumn(HeaderData& header, LPARAM index) {
  if (index < 0 || index >= static_cast<LPARAM>(header.columns.size())) return false;
  const auto at = static_cast<int>(index);
  header.columns.erase(header.columns.begin() + at);
  std::erase(header.order, at);
  for (int& shown : header.order) {
    if (shown > at) --shown;
  }
  return true;
}

bool GetColumn(const HeaderData& header, LPARAM index, LVCOLUMN* description) {
  if (description == nullptr || index < 0 || index >= static_cast<LPARAM>(header.columns.size())) return false;
  const Column& column = header.columns[static_cast<std::size_t>(index)];
  if ((description->mask & LVCF_TEXT) != 0) CopyText(column.heading, description->pszText, description->cchTextMax);
  if ((description->mask & LVCF_WIDTH) != 0) description->cx = column.width;
  if ((description->mask & LVCF_FMT) != 0) description->fmt = column.format;
  if ((description->mask & LVCF_SUBITEM) != 0) description->iSubItem = column.subItem;
  if ((description->mask & LVCF_ORDER) != 0) {
    const auto shown = std::find(header.order.begin(), header.order.end(), static_cast<int>(index));
    description->iOrder = static_cast<int>(shown - header.order.begin());
  }
  return true;
}

// The order must name every column once.
bool SetOrder(HeaderData& header, WPARAM count, const int* order) {
  if (order == nullptr || count != header.columns.size()) return false;
  std::vector<int> sorted(order, order + count);
  std::sort(sorted.begin(), sorted.end());
  std::vector<int> expected(count);
  std::iota(expected.begin(), expected.end(), 0);
  if (sorted != expected) return false;
  header.order.assign(order, order + count);
  return true;
}

bool GetOrder(const HeaderData& header, WPARAM count, int* order) {
  if (order == nullptr || count != header.columns.size()) return false;
  std::copy(header.order.begin(), header.order.end(), order);
  return true;
}

std::wstring& TextOf(Item& item, int subItem) {
  if (item.texts.size() <= static_cast<std::size_t>(subItem)) item.texts.resize(static_cast<std::size_t>(subItem) + 1);
  return item.texts[static_cast<std::size_t>(subItem)];
}

void Store(Item& item, const LVITEM& description) {
  if ((description.mask & LVIF_TEXT) != 0) {
    TextOf(item, description.iSubItem) = description.pszText != nullptr ? description.pszText : L"";
  }
  if (description.iSubItem != 0) return;
  if ((description.mask & LVIF_IMAGE) != 0) item.image = description.iImage;
  if ((description.mask & LVIF_PARAM) != 0) item.data = description.lParam;
  if ((description.mask & LVIF_STATE) != 0) {
    item.state = (item.state & ~description.stateMask) | (description.state & description.stateMask);
  }
}

void Load(const Item& item, LVITEM& description) {
  if ((description.mask & LVIF_TEXT) != 0) {
    const auto sub = static_cast<std::size_t>(description.iSubItem);
    CopyText(sub < item.texts.size() ? std::wstring_view(item.texts[sub]) : std::wstring_view(),
             description.pszText, description.cchTextMax);
  }
  if ((description.mask & LVIF_IMAGE) != 0) description.iImage = item.image;
  if ((description.mask & LVIF_PARAM) != 0) description.lParam = item.data;
  if ((description.mask & LVIF_STATE) != 0) description.state = item.state & description.stateMask;
}

// Row first + i takes what row origins[i] holds: each cycle of the order is
// walked once with one row set aside. Moves exchange, so nothing is copied.
template <typename Move>
void Permute(std::vector<Item>& items, std::size_t first, std::span<const int> origins, Move move) {
  std::vector<bool> placed(origins.size(), false);
  Item aside;
  for (std::size_t start = 0; start < origins.size(); ++start) {
    if (placed[start] || static_cast<std::size_t>(origins[start]) == first + start) continue;
    move(aside, items[first + start]);
    std::size_t to = start;
    for (;;) {
      placed[to] = true;
      const std::size_t from = static_cast<std::size_t>(origins[to]) - first;
      if (from == start) {
        move(items[first + to], aside);
        break;
      }
      // The row after next lies anywhere: it is fetched while this one moves.
      __builtin_prefetch(&items[static_cast<std::size_t>(origins[from])]);
      move(items[first + to], items[first + from]);
      to = from;
    }
  }
}

bool NamesEachRowOnce(std::span<const int> origins, int first, std::size_t rows) {
  if (first < 0 || static_cast<std::size_t>(first) + origins.size() > rows) return false;
  std::vector<bool> named(origins.size(), false);
  for (const int origin : origins) {
    const auto at = static_cast<std::size_t>(origin) - static_cast<std::size_t>(first);
    if (origin < first || at >= origins.size() || named[at]) return false;
    named[at] = true;
  }
  return true;
}

// Texts of sub-items beyond the header's columns keep their row.
void ExchangeColumnTexts(std::vector<std::wstring>& a, std::vector<std::wstring>& b, std::size_t columns) {
  if (a.size() <= columns && b.size() <= columns) {
    a.swap(b);
    return;
  }
  a.resize(std::max(a.size(), columns));
  b.resize(std::max(b.size(), columns));
  std::swap_ranges(a.begin(), a.begin() + static_cast<std::ptrdiff_t>(columns), b.begin());
}

bool PermuteForSort(ListData& list, const LVPERMUTATION* order) {
  if (order == nullptr || order->count < 0 || (order->count > 0 && order->origins == nullptr)) return false;
  const std::span<const int> origins(order->origins, static_cast<std::size_t>(order->count));
  if (!NamesEachRowOnce(origins, order->first, list.items.size())) return false;
  const std::size_t columns = ControlDataOf<HeaderData>(list.header)->columns.size();
  Permute(list.items, static_cast<std::size_t>(order->first), origins, [columns](Item& to, Item& from) {
    ExchangeColumnTexts(to.texts, from.texts, columns);
    to.image = from.image;
    to.data = from.data;
    to.state = (to.state & ~kSortedStates) | (from.state & kSortedStates);
  });
  return true;
}

// Stable, as the control's merge of its item array is; whole items move.
void SortByItemData(std::vector<Item>& items, PFNLVCOMPARE compare, LPARAM data) {
  std::vector<int> origins(items.size());
  std::iota(origins.begin(), origins.end(), 0);
  std::stable_sort(origins.begin(), origins.end(), [&](int a, int b) {
    return compare(items[static_cast<std::size_t>(a)].data, items[static_cast<std::size_t>(b)].data, data) < 0;
  });
  Permute(items, 0, origins, [](Item& to, Item& from) { std::swap(to, from); });
}

const std::wstring& CellText(const void* list, int item, int subItem) {
  static const std::wstring kNone;
  const auto& items = static_cast<const ListData*>(list)->items;
  if (item < 0 || static_cast<std::size_t>(item) >= items.size() || subItem < 0) return kNone;
  const auto& texts = items[static_cast<std::size_t>(item)].texts;
  return static_cast<std::size_t>(subItem) < texts.size() ? texts[static_cast<std::size_t>(subItem)] : kNone;
}

constexpr int kRowHeight = classic::kLineHeight + 3;

// The first row's top in client coordinates: under the header.
int FirstRowTop(const ListData& list) { return 3 + GetWindowRect(list.header).Height(); }

int RowsPerPage(HWND window, const ListData& list) {
  return std::max(1, (static_cast<int>(GetClientRect(window).bottom) - 2 - FirstRowTop(list)) / kRowHeight);
}

// The state bits changed as asked; the parent hears of each item that
// changed, and may destroy the list as it does: true when it heard.
bool ChangeState(HWND window, ListData& list, int index, UINT state, UINT mask) {
  Item& item = list.items[static_cast<std::size_t>(index)];
  const UINT old = item.state;
  item.state = (old & ~mask) | (state & mask);
  if (item.state == old) return false;
  InvalidateRect(window, nullptr, true);
  NMLISTVIEW change;
  change.hdr = {window, static_cast<UINT_PTR>(GetDlgCtrlID(window)), LVN_ITEMCHANGED};
  change.iItem = index;
  change.uNewState = item.state;
  change.uOldState = old;
  change.uChanged = LVIF_STATE;
  change.lParam = item.data;
  SendMessage(GetParent(window), WM_NOTIFY, change.hdr.idFrom, reinterpret_cast<LPARAM>(&change));
  return true;
}

int FocusedRow(const ListData& list) {
  for (std::size_t i = 0; i < list.items.size(); ++i) {
    if ((list.items[i].state & LVIS_FOCUSED) != 0) return static_cast<int>(i);
  }
  return -1;
}

int RowCount(const ListData& list) { return static_cast<int>(list.items.size()); }

bool HasScrollBar(HWND window, const ListData& list) { return RowCount(list) > RowsPerPage(window, list); }

// Beside the rows and the header, inside the sunken edge.
VerticalScrollBar ScrollBarOf(HWND window, const ListData& list) {
  const CRect client = GetClientRect(window);
  const int position = list.held.part == VerticalScrollBar::Part::kThumb ? list.held.position : list.top;
  return VerticalScrollBar({client.right - 2 - VerticalScrollBar::kWidth, 2, client.right - 2, client.bottom - 2},
                           RowCount(list), RowsPerPage(window, list), position);
}

// The right edge of what the rows and the header may use.
int RowsRight(HWND window, const ListData& list) {
  const int right = static_cast<int>(GetClientRect(window).right);
  return HasScrollBar(window, list) ? right - 2 - VerticalScrollBar::kWidth : right;
}

// The last page ends with the last row: no room is left under it.
void ScrollTo(HWND window, ListData& list, int top) {
  top = std::clamp(top, 0, std::max(0, RowCount(list) - RowsPerPage(window, list)));
  if (top == list.top) return;
  list.top = top;
  InvalidateRect(window, nullptr, true);
}

// The header leaves room for the scroll bar, and a list grown shorter shows its last page whole.
void FitToRows(HWND window, ListData& list) {
  const CRect header = GetClientRect(list.header);
  if (const int right = RowsRight(window, list); header.right != right) {
    MoveWindow(list.header, {0, 0, right, header.bottom});
  }
  ScrollTo(window, list, list.top);
}

void EnsureVisible(HWND window, ListData& list, int row) {
  const int page = RowsPerPage(window, list);
  ScrollTo(window, list, std::clamp(list.top, row - page + 1, row));
}

// The scroll bar's request, or the caller's: the thumb dragged stands for
// the row it was dragged to, which the request's 16 bits may not hold.
void Scroll(HWND window, ListData& list, WPARAM request) {
  const int page = RowsPerPage(window, list);
  switch (LOWORD(request)) {
    case SB_LINEUP:
      return ScrollTo(window, list, list.top - 1);
    case SB_LINEDOWN:
      return ScrollTo(window, list, list.top + 1);
    case SB_PAGEUP:
      return ScrollTo(window, list, list.top - page);
    case SB_PAGEDOWN:
      return ScrollTo(window, list, list.top + page);
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      return ScrollTo(window, list,
                      list.held.part == VerticalScrollBar::Part::kThumb ? list.held.position : HIWORD(request));
    case SB_TOP:
      return ScrollTo(window, list, 0);
    case SB_BOTTOM:
      return ScrollTo(window, list, RowCount(list));
    default:
      return;
  }
}

// Whole rows for what the wheel turned; the rest waits for more turning.
void Wheel(HWND window, ListData& list, WPARAM wParam) {
  list.wheel += GET_WHEEL_DELTA_WPARAM(wParam);
  const int rows = list.wheel * kWheelRows / WHEEL_DELTA;
  list.wheel -= rows * WHEEL_DELTA / kWheelRows;
  ScrollTo(window, list, list.top - rows);
}

// Pixels down as whole rows, the nearest.
int RowsFor(LPARAM pixels) {
  const auto rows = (std::abs(pixels) + kRowHeight / 2) / kRowHeight;
  return static_cast<int>(pixels < 0 ? -rows : rows);
}

// A press on an arrow or the track asks once; one on the thumb takes it along.
void PressScrollBar(HWND window, ListData& list, const VerticalScrollBar& bar, CPoint at) {
  const VerticalScrollBar::Part part = bar.PartAt(at);
  list.held = {part, at.y - static_cast<int>(bar.Thumb().top), list.top};
  SetCapture(window);
  InvalidateRect(window, nullptr, false);
  if (part != VerticalScrollBar::Part::kThumb) {
    SendMessage(window, WM_VSCROLL, MAKEWPARAM(VerticalScrollBar::RequestOf(part), 0));
  }
}

void DragThumb(HWND window, ListData& list, CPoint at) {
  if (list.held.part != VerticalScrollBar::Part::kThumb) return;
  const int position = ScrollBarOf(window, list).PositionForThumbAt(at.y - list.held.grip);
  if (position == list.held.position) return;
  list.held.position = position;
  SendMessage(window, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, static_cast<WORD>(std::min(position, 0xFFFF))));
}

void LetGoOfScrollBar(HWND window, ListData& list) {
  if (list.held.part == VerticalScrollBar::Part::kNone) return;
  if (list.held.part == VerticalScrollBar::Part::kThumb) {
    SendMessage(window, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, static_cast<WORD>(std::min(list.held.position, 0xFFFF))));
  }
  list.held = {};
  SendMessage(window, WM_VSCROLL, SB_ENDSCROLL);
  if (GetCapture() == window) ReleaseCapture();
  InvalidateRect(window, nullptr, false);
}

// What a press or a key does to the selection: the row gets the focus;
// alone, it is all that is selected; with Shift, the rows from the anchor
// are; with Ctrl, a press turns the row's selection over and a key leaves it.
enum class Reach { kAlone, kRange, kToggle, kFocusOnly };

void MoveTo(HWND window, ListData& list, int row, Reach reach) {
  const bool single = (GetStyle(window) & LVS_SINGLESEL) != 0;
  if (single && reach != Reach::kFocusOnly) reach = Reach::kAlone;
  if (reach == Reach::kAlone || reach == Reach::kToggle) list.anchor = row;
  const int from = std::min(list.anchor, row);
  const int to = std::max(list.anchor, row);
  for (int i = 0; i < static_cast<int>(list.items.size()); ++i) {
    if (i == row) continue;
    const bool chosen = reach == Reach::kRange && i >= from && i <= to;
    const bool told = reach == Reach::kAlone || reach == Reach::kRange
                          ? ChangeState(window, list, i, chosen ? LVIS_SELECTED : 0, LVIS_SELECTED | LVIS_FOCUSED)
                          : ChangeState(window, list, i, 0, LVIS_FOCUSED);
    if (told && !IsWindow(window)) return;
  }
  if (row < 0) return;
  const UINT selected = list.items[static_cast<std::size_t>(row)].state & LVIS_SELECTED;
  const UINT wanted = reach == Reach::kToggle ? selected ^ LVIS_SELECTED
                      : reach == Reach::kFocusOnly ? selected
                                                   : LVIS_SELECTED;
  ChangeState(window, list, row, wanted | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  if (IsWindow(window)) EnsureVisible(window, list, row);
}

Reach ReachOf(bool shift, bool control, bool press) {
  if (shift) return Reach::kRange;
  if (control) return press ? Reach::kToggle : Reach::kFocusOnly;
  return Reach::kAlone;
}

void Press(HWND window, ListData& list, CPoint at, WPARAM keys) {
  if (const VerticalScrollBar bar = ScrollBarOf(window, list);
      HasScrollBar(window, list) && bar.PartAt(at) != VerticalScrollBar::Part::kNone) {
    return PressScrollBar(window, list, bar, at);
  }
  SetFocus(window);
  const int offset = at.y - FirstRowTop(list);
  const int row = offset >= 0 ? list.top + offset / kRowHeight : -1;
  const bool onRow = row >= 0 && row < static_cast<int>(list.items.size());
  if (!onRow && (keys & MK_CONTROL) != 0) return;
  MoveTo(window, list, onRow ? row : -1, ReachOf((keys & MK_SHIFT) != 0, (keys & MK_CONTROL) != 0, true));
}

// The row a key moves the focus to; -1 for a key that moves nothing. Page Up
// and Page Down go to the first or last row shown, and from there a page on,
// the row they leave still in sight.
int RowForKey(HWND window, const ListData& list, WPARAM key) {
  const int last = static_cast<int>(list.items.size()) - 1;
  const int focused = FocusedRow(list);
  const int page = RowsPerPage(window, list);
  switch (key) {
    case VK_UP:
      return focused < 0 ? 0 : std::max(0, focused - 1);
    case VK_DOWN:
      return std::min(last, focused + 1);
    case VK_HOME:
      return 0;
    case VK_END:
      return last;
    case VK_PRIOR:
      return focused != list.top ? list.top : std::max(0, focused - std::max(1, page - 1));
    case VK_NEXT: {
      const int bottom = std::min(last, list.top + page - 1);
      return focused != bottom ? bottom : std::min(last, focused + std::max(1, page - 1));
    }
    default:
      return -1;
  }
}

void KeyDown(HWND window, ListData& list, WPARAM key) {
  if (list.items.empty()) return;
  const int row = RowForKey(window, list, key);
  if (row < 0) return;
  MoveTo(window, list, row, ReachOf(GetKeyState(static_cast<int>(VK_SHIFT)) < 0,
                                    GetKeyState(static_cast<int>(VK_CONTROL)) < 0, false));
}

// The header's click becomes the list's LVN_COLUMNCLICK, which a host sorts on.
LRESULT HeaderNotified(HWND window, const NMHDR* header) {
  if (header == nullptr || header->code != HDN_ITEMCLICKW) return 0;
  NMLISTVIEW click;
  click.hdr = {window, static_cast<UINT_PTR>(GetDlgCtrlID(window)), LVN_COLUMNCLICK};
  click.iSubItem = reinterpret_cast<const NMHEADERW*>(header)->iItem;
  return SendMessage(GetParent(window), WM_NOTIFY, click.hdr.idFrom, reinterpret_cast<LPARAM>(&click));
}

LRESULT ListMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto& list = *ControlDataOf<ListData>(window);
  auto& items = list.items;
  const auto index = static_cast<LPARAM>(wParam);
  const bool valid = index >= 0 && index < static_cast<LPARAM>(items.size());
  auto* column = reinterpret_cast<LVCOLUMN*>(lParam);
  auto* item = reinterpret_cast<LVITEM*>(lParam);
  switch (message) {
    case WM_CREATE: {
      const CRect client = GetClientRect(window);
      list.header = CreateWindowExW(kHeaderClass, L"", WS_CHILD | WS_VISIBLE, {0, 0, client.right, kHeaderHeight},
                                    window, 0);
      return list.header != nullptr ? 0 : -1;
    }
    case LVM_GETHEADER:
      return reinterpret_cast<LRESULT>(list.header);
    case LVM_INSERTCOLUMNW:
      return InsertColumn(*ControlDataOf<HeaderData>(list.header), index, column);
    case LVM_DELETECOLUMN:
      return DeleteColumn(*ControlDataOf<HeaderData>(list.header), index);
    case LVM_GETCOLUMNW:
      return GetColumn(*ControlDataOf<HeaderData>(list.header), index, column);
    case LVM_SETCOLUMNW: {
      auto& columns = ControlDataOf<HeaderData>(list.header)->columns;
      if (column == nullptr || index < 0 || index >= static_cast<LPARAM>(columns.size())) return false;
      Describe(columns[static_cast<std::size_t>(index)], *column);
      return true;
    }
    case LVM_GETCOLUMNWIDTH:
    case LVM_SETCOLUMNWIDTH: {
      auto& columns = ControlDataOf<HeaderData>(list.header)->columns;
      if (index < 0 || index >= static_cast<LPARAM>(columns.size())) return 0;
      int& width = columns[static_cast<std::size_t>(index)].width;
      if (message == LVM_GETCOLUMNWIDTH) return width;
      width = static_cast<int>(lParam);
      return true;
    }
    case LVM_SETCOLUMNORDERARRAY:
      return SetOrder(*ControlDataOf<HeaderData>(list.header), wParam, reinterpret_cast<const int*>(lParam));
    case LVM_GETCOLUMNORDERARRAY:
      return GetOrder(*ControlDataOf<HeaderData>(list.header), wParam, reinterpret_cast<int*>(lParam));
    case LVM_GETITEMCOUNT:
      return static_cast<LRESULT>(items.size());
    case LVM_INSERTITEMW: {
      if (item == nullptr || item->iSubItem != 0 || item->iItem < 0) return -1;
      const auto at = std::min<std::size_t>(static_cast<std::size_t>(item->iItem), items.size());
      Item added;
      Store(added, *item);
      items.insert(items.begin() + static_cast<std::ptrdiff_t>(at), std::move(added));
      return static_cast<LRESULT>(at);
    }
    case LVM_SETITEMW:
    case LVM_GETITEMW:
      if (item == nullptr || item->iItem < 0 || static_cast<std::size_t>(item->iItem) >= items.size() ||
          item->iSubItem < 0) {
        return false;
      }
      message == LVM_SETITEMW ? Store(items[static_cast<std::size_t>(item->iItem)], *item)
                              : Load(items[static_cast<std::size_t>(item->iItem)], *item);
      return true;
    case LVM_SETITEMTEXTW:
      if (!valid || item == nullptr || item->iSubItem < 0) return false;
      TextOf(items[static_cast<std::size_t>(index)], item->iSubItem) = item->pszText != nullptr ? item->pszText : L"";
      return true;
    case LVM_GETITEMTEXTW: {
      if (!valid || item == nullptr || item->iSubItem < 0) return 0;
      const auto& texts = items[static_cast<std::size_t>(index)].texts;
      const auto sub = static_cast<std::size_t>(item->iSubItem);
      return CopyText(sub < texts.size() ? std::wstring_view(texts[sub]) : std::wstring_view(), item->pszText,
                      item->cchTextMax);
    }
    case LVM_SETITEMSTATE: {
      if (item == nullptr || (index != -1 && !valid)) return false;
      const LVITEM wanted = *item;
      if (index != -1) {
        ChangeState(window, list, static_cast<int>(index), wanted.state, wanted.stateMask);
        return true;
      }
      for (int i = 0; i < static_cast<int>(items.size()); ++i) {
        if (ChangeState(window, list, i, wanted.state, wanted.stateMask) && !IsWindow(window)) break;
      }
      return true;
    }
    case LVM_GETTOPINDEX:
      return list.top;
    case LVM_GETCOUNTPERPAGE:
      return RowsPerPage(window, list);
    case LVM_ENSUREVISIBLE:
      if (valid) EnsureVisible(window, list, static_cast<int>(index));
      return valid;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(window, nullptr, true);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      Press(window, list, PointFromLParam(lParam), wParam);
      return 0;
    case WM_MOUSEMOVE:
      DragThumb(window, list, PointFromLParam(lParam));
      return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      LetGoOfScrollBar(window, list);
      return 0;
    case WM_VSCROLL:
      Scroll(window, list, wParam);
      return 0;
    case WM_MOUSEWHEEL:
      Wheel(window, list, wParam);
      return 0;
    case LVM_SCROLL:
      ScrollTo(window, list, list.top + RowsFor(lParam));
      return true;
    case WM_SIZE:
      FitToRows(window, list);
      return 0;
    case WM_KEYDOWN:
      KeyDown(window, list, wParam);
      return 0;
    case WM_NOTIFY:
      return HeaderNotified(window, reinterpret_cast<const NMHDR*>(lParam));
    case LVM_GETITEMSTATE:
      return valid ? static_cast<LRESULT>(items[static_cast<std::size_t>(index)].state & static_cast<UINT>(lParam)) : 0;
    case LVM_DELETEITEM:
      if (!valid) return false;
      items.erase(items.begin() + index);
      return true;
    case LVM_DELETEALLITEMS:
      items.clear();
      list.anchor = 0;
      return true;
    case LVM_SORTITEMS: {
      const auto compare = reinterpret_cast<PFNLVCOMPARE>(lParam);
      if (compare == nullptr) return false;
      SortByItemData(items, compare, static_cast<LPARAM>(wParam));
      return true;
    }
    case LVM_PERMUTEITEMS:
      return PermuteForSort(list, reinterpret_cast<const LVPERMUTATION*>(lParam));
    case LVM_GETCELLS: {
      auto* cells = reinterpret_cast<LVCELLS*>(lParam);
      if (cells == nullptr) return false;
      *cells = {&list, &CellText};
      return true;
    }
    default:
      return DefWindowProc(window, message, wParam, lParam);
  }
}

// The list's rows under its header from the first shown, in the order the
// header shows the columns; selected rows white on blue, and with the focus
// the dotted frame round the focused row. Only the rows shown are asked for
// their texts, however many there are; the scroll bar shows when they do not fit.
void PaintList(HWND window) {
  using namespace classic;
  CPaintDC dc(CWnd::FromHandle(window));
  Painter painter(dc, GetClientRect(window), IsWindowEnabled(window));
  const CRect& box = painter.Area();
  painter.Sunken(box, kWindow);
  const ListData& list = *ControlDataOf<ListData>(window);
  const int columns = static_cast<int>(SendMessage(list.header, HDM_GETITEMCOUNT));
  std::vector<int> order(static_cast<std::size_t>(columns));
  SendMessage(window, LVM_GETCOLUMNORDERARRAY, order.size(), reinterpret_cast<LPARAM>(order.data()));
  const int rows = static_cast<int>(SendMessage(window, LVM_GETITEMCOUNT));
  const bool focused = GetFocus() == window;
  const int right = std::min(RowsRight(window, list), static_cast<int>(box.right) - 2);
  for (int row = list.top, y = box.top + FirstRowTop(list); row < rows && y + kLineHeight < box.bottom; ++row) {
    const UINT state = list.items[static_cast<std::size_t>(row)].state;
    const bool selected = (state & LVIS_SELECTED) != 0;
    const CRect line{box.left + 2, y - 1, right, std::min<int>(y - 1 + kRowHeight, box.bottom - 2)};
    if (selected) dc.FillSolidRect(line, kSelection);
    int x = box.left + 2;
    for (int column : order) {
      const int width = static_cast<int>(SendMessage(window, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column)));
      wchar_t text[260];
      LVITEM item;
      item.iSubItem = column;
      item.pszText = text;
      item.cchTextMax = 260;
      SendMessage(window, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
      painter.Text(text, x + 4, y, std::min(x + width - 2, right), selected ? kSelectionText : kText);
      x += width;
    }
    if (focused && (state & LVIS_FOCUSED) != 0) painter.FocusRect(line);
    y += kRowHeight;
  }
  if (HasScrollBar(window, list)) ScrollBarOf(window, list).Paint(painter, list.held.part);
}

bool ChangesTheLook(UINT message) {
  switch (message) {
    case LVM_INSERTCOLUMNW:
    case LVM_DELETECOLUMN:
    case LVM_SETCOLUMNW:
    case LVM_SETCOLUMNWIDTH:
    case LVM_SETCOLUMNORDERARRAY:
    case LVM_INSERTITEMW:
    case LVM_SETITEMW:
    case LVM_SETITEMTEXTW:
    case LVM_DELETEITEM:
    case LVM_DELETEALLITEMS:
    case LVM_SORTITEMS:
    case LVM_PERMUTEITEMS:
      return true;
    default:
      return false;
  }
}

LRESULT ListProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PaintList(window);
    return 0;
  }
  const LRESULT result = ListMessage(window, message, wParam, lParam);
  if (ChangesTheLook(message) && IsWindow(window)) {
    auto& list = *ControlDataOf<ListData>(window);
    InvalidateRect(window, nullptr, true);
    InvalidateRect(list.header, nullptr, true);
    FitToRows(window, list);
  }
  return result;
}

const ControlRegistration<HeaderData, CHeaderCtrl> headerClass{kHeaderClass, &HeaderProcedure};
const ControlRegistration<ListData, CListCtrl> listClass{kListViewClass, &ListProcedure};

}  // namespace

int CListCtrl::InsertColumn(int column, const wchar_t* heading, int format, int width, int subItem) {
  LVCOLUMN description;
  description.mask = LVCF_TEXT | LVCF_FMT | LVCF_SUBITEM | (width != -1 ? LVCF_WIDTH : 0);
  description.pszText = const_cast<wchar_t*>(heading != nullptr ? heading : L"");
  description.fmt = format;
  description.cx = width;
  description.iSubItem = subItem == -1 ? column : subItem;
  return static_cast<int>(SendMessage(LVM_INSERTCOLUMNW, static_cast<WPARAM>(column),
                                      reinterpret_cast<LPARAM>(&description)));
}

BOOL CListCtrl::DeleteColumn(int column) {
  return SendMessage(LVM_DELETECOLUMN, static_cast<WPARAM>(column)) != 0;
}

BOOL CListCtrl::GetColumn(int column, LVCOLUMN* description) const {
  return SendMessage(LVM_GETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(description)) != 0;
}

BOOL CListCtrl::SetColumn(int column, const LVCOLUMN* description) {
  return SendMessage(LVM_SETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(description)) != 0;
}

int CListCtrl::GetColumnWidth(int column) const {
  return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column)));
}

BOOL CListCtrl::SetColumnWidth(int column, int width) {
  return SendMessage(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), width) != 0;
}

CHeaderCtrl* CListCtrl::GetHeaderCtrl() const {
  return static_cast<CHeaderCtrl*>(FromHandle(reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER))));
}

BOOL CListCtrl::GetColumnOrderArray(int* order, int count) const {
  return SendMessage(LVM_GETCOLUMNORDERARRAY, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(order)) != 0;
}

BOOL CListCtrl::SetColumnOrderArray(int count, const int* order) {
  return SendMessage(LVM_SETCOLUMNORDERARRAY, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(order)) != 0;
}

BOOL CListCtrl::SortItems(PFNLVCOMPARE compare, DWORD_PTR data) {
  return SendMessage(LVM_SORTITEMS, static_cast<WPARAM>(data), reinterpret_cast<LPARAM>(compare)) != 0;
}

BOOL CListCtrl::PermuteItems(int first, std::span<const int> origins) {
  LVPERMUTATION order;
  order.first = first;
  order.count = static_cast<int>(origins.size());
  order.origins = origins.data();
  return SendMessage(LVM_PERMUTEITEMS, 0, reinterpret_cast<LPARAM>(&order)) != 0;
}

// A window that is no list has no cells.
CListCells CListCtrl::GetCells() const {
  LVCELLS cells;
  if (SendMessage(LVM_GETCELLS, 0, reinterpret_cast<LPARAM>(&cells)) == 0) {
    cells.text = [](const void*, int, int) -> const std::wstring& {
      static const std::wstring kNone;
      return kNone;
    };
  }
  return CListCells(cells);
}

int CListCtrl::GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }

int CListCtrl::InsertItem(int item, const wchar_t* text) {
  LVITEM description;
  description.mask = LVIF_TEXT;
  description.iItem = item;
  description.pszText = const_cast<wchar_t*>(text != nullptr ? text : L"");
  return InsertItem(&description);
}

int CListCtrl::InsertItem(const LVITEM* item) {
  return static_cast<int>(SendMessage(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(item)));
}

BOOL CListCtrl::GetItem(LVITEM* item) const {
  return SendMessage(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(item)) != 0;
}

BOOL CListCtrl::SetItem(const LVITEM* item) {
  return SendMessage(LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(item)) != 0;
}

int CListCtrl::GetItemText(int item, int subItem, wchar_t* buffer, int length) const {
  LVITEM description;
  description.iSubItem = subItem;
  description.pszText = buffer;
  description.cchTextMax = length;
  return static_cast<int>(
      SendMessage(LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&description)));
}

// As the framework does: a larger buffer until the text no longer fills it.
CString CListCtrl::GetItemText(int item, int subItem) const {
  wchar_t first[256];
  int copied = GetItemText(item, subItem, first, 256);
  // A text cut before a surrogate pair leaves one unit more unused.
  if (copied < 254) return CString(first, copied);
  std::wstring buffer(512, L'\0');
  for (;;) {
    copied = GetItemText(item, subItem, buffer.data(), static_cast<int>(buffer.size()));
    if (copied < static_cast<int>(buffer.size()) - 2) {
      buffer.resize(static_cast<std::size_t>(copied));
      return CString(std::move(buffer));
    }
    buffer.assign(buffer.size() * 2, L'\0');
  }
}

BOOL CListCtrl::SetItemText(int item, int subItem, const wchar_t* text) {
  LVITEM description;
  description.iSubItem = subItem;
  description.pszText = const_cast<wchar_t*>(text != nullptr ? text : L"");
  return SendMessage(LVM_SETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&description)) != 0;
}

DWORD_PTR CListCtrl::GetItemData(int item) const {
  LVITEM description;
  description.mask = LVIF_PARAM;
  description.iItem = item;
  return GetItem(&description) ? static_cast<DWORD_PTR>(description.lParam) : 0;
}

BOOL CListCtrl::SetItemData(int item, DWORD_PTR data) {
  LVITEM description;
  description.mask = LVIF_PARAM;
  description.iItem = item;
  description.lParam = static_cast<LPARAM>(data);
  return SetItem(&description);
}

UINT CListCtrl::GetItemState(int item, UINT mask) const {
  return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(item), mask));
}

BOOL CListCtrl::SetItemState(int item, UINT state, UINT mask) {
  LVITEM description;
  description.state = state;
  description.stateMask = mask;
  return SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(static_cast<LPARAM>(item)),
                     reinterpret_cast<LPARAM>(&description)) != 0;
}

BOOL CListCtrl::DeleteItem(int item) { return SendMessage(LVM_DELETEITEM, static_cast<WPARAM>(item)) != 0; }
BOOL CListCtrl::DeleteAllItems() { return SendMessage(LVM_DELETEALLITEMS) != 0; }
