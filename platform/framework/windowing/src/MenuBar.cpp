#include "brenmoor/windowing/MenuBar.h"

#include <cwctype>
#include <map>

#include "brenmoor/core/Desktop.h"
#include "brenmoor/gdi/ClassicLook.h"
#include "brenmoor/windowing/DialogManager.h"
#include "brenmoor/windowing/WindowPainter.h"

namespace {

using namespace classic;

// Pixels either side of an item's text.
constexpr int kItemPadding = 6;

// The item of each window's bar whose popup shows.
struct OpenItems : Desktop::Part {
  std::map<HWND, int> open;
};

std::map<HWND, int>& Open() { return Desktop::Current().Get<OpenItems>().open; }

int OpenItemOf(HWND window) {
  const auto found = Open().find(window);
  return found != Open().end() ? found->second : -1;
}

CString ItemText(HMENU menu, int position) {
  CString text;
  CMenu::FromHandle(menu)->GetMenuString(static_cast<UINT>(position), text, MF_BYPOSITION);
  return text;
}

bool IsEnabledItem(HMENU menu, int position) {
  return (GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED)) == 0;
}

int ShownWidth(CDC& dc, const CString& text) { return dc.GetTextExtent(CString(Unmarked(text.Str()).shown)).cx; }

// Measured in the dialog font, as the bar paints its items.
std::vector<CRect> LayOut(HMENU menu, CDC& dc) {
  CFont font;
  const LOGFONT description = DialogFont(false);
  font.CreateFontIndirect(&description);
  CFont* previous = dc.SelectObject(&font);
  std::vector<CRect> items;
  int left = 0;
  for (int position = 0; position < GetMenuItemCount(menu); ++position) {
    const int right = left + kItemPadding + ShownWidth(dc, ItemText(menu, position)) + kItemPadding;
    items.push_back({left, -kMenuBarHeight, right, 0});
    left = right;
  }
  dc.SelectObject(previous);
  return items;
}

void SetOpenItem(HWND window, int position) {
  if (position < 0) Open().erase(window);
  else Open()[window] = position;
  DrawMenuBar(window);
}

}  // namespace

BOOL SetMenu(HWND window, HMENU menu) {
  WindowState* state = FindWindowState(window);
  if (state == nullptr || (state->style & WS_CHILD) != 0 || (menu != nullptr && !IsMenu(menu))) return false;
  const bool hadBar = state->menu != nullptr;
  state->menu = menu;
  if (hadBar == (menu != nullptr)) return DrawMenuBar(window);
  CRect insets = state->clientInsets;
  insets.top += menu != nullptr ? kMenuBarHeight : -kMenuBarHeight;
  SetClientInsets(window, insets);
  return true;
}

HMENU GetMenu(HWND window) {
  const WindowState* state = FindWindowState(window);
  return state != nullptr ? state->menu : nullptr;
}

BOOL DrawMenuBar(HWND window) {
  const WindowState* state = FindWindowState(window);
  if (state == nullptr || state->menu == nullptr) return false;
  const CRect bar{0, -kMenuBarHeight, GetClientRect(window).right, 0};
  return InvalidateRect(window, &bar, true);
}

std::vector<CRect> MenuBarItemRects(HWND window) {
  const HMENU menu = GetMenu(window);
  if (menu == nullptr) return {};
  CScreenDC dc;
  return LayOut(menu, dc);
}

int MenuBarItemAt(HWND window, CPoint screenPoint) {
  const CPoint origin = GetClientOrigin(window);
  const CPoint point{screenPoint.x - origin.x, screenPoint.y - origin.y};
  const std::vector<CRect> items = MenuBarItemRects(window);
  for (std::size_t position = 0; position < items.size(); ++position) {
    if (items[position].PtInRect(point)) return static_cast<int>(position);
  }
  return -1;
}

int MenuBarItemWithMnemonic(HWND window, wchar_t letter) {
  const HMENU menu = GetMenu(window);
  const auto wanted = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(letter)));
  for (int position = 0; position < GetMenuItemCount(menu); ++position) {
    if (IsEnabledItem(menu, position) && MnemonicOf(ItemText(menu, position)) == wanted) return position;
  }
  return -1;
}

void OpenMenuBarItem(HWND window, int position) {
  const HMENU menu = GetMenu(window);
  if (position < 0 || position >= GetMenuItemCount(menu) || !IsEnabledItem(menu, position)) return;
  const HMENU popup = GetSubMenu(menu, position);
  if (popup == nullptr) {
    PostMessage(window, WM_COMMAND, GetMenuItemID(menu, position));
    return;
  }
  const CRect item = MenuBarItemRects(window)[static_cast<std::size_t>(position)];
  const CPoint origin = GetClientOrigin(window);
  SetOpenItem(window, position);
  TrackPopupMenu(popup, TPM_LEFTALIGN, origin.x + item.left, origin.y + item.bottom, window);
  SetOpenItem(window, -1);
}

void PaintMenuBar(HWND window, CDC& dc) {
  const HMENU menu = GetMenu(window);
  if (menu == nullptr) return;
  const CRect bar{0, -kMenuBarHeight, GetClientRect(window).right, 0};
  Painter painter(dc, bar, true);
  dc.FillSolidRect(bar, kFace);
  const std::vector<CRect> items = LayOut(menu, dc);
  const int open = OpenItemOf(window);
  for (std::size_t position = 0; position < items.size(); ++position) {
    const CRect& item = items[position];
    if (static_cast<int>(position) == open) dc.Draw3dRect(item, kShadow, kHighlight);
    const int shift = static_cast<int>(position) == open ? 1 : 0;
    const int y = item.top + (kMenuBarHeight - kLineHeight) / 2 + shift;
    const CString text = ItemText(menu, static_cast<int>(position));
    const bool enabled = IsEnabledItem(menu, static_cast<int>(position));
    if (!enabled) painter.Label(text.Str(), item.left + kItemPadding + 1, y + 1, item.right, kHighlight);
    painter.Label(text.Str(), item.left + kItemPadding + shift, y, item.right, enabled ? kText : kGrayText);
  }
}
