#pragma once
// A top-level window's menu bar: the items of its menu in a row under the
// caption, in the classic look. A click on an item, or Alt with the letter
// the item marks, opens the item's popup through the user, the item shown
// pressed meanwhile; the command picked goes to the window as WM_COMMAND.

#include <vector>

#include "brenmoor/gdi/CDC.h"
#include "brenmoor/windowing/CMenu.h"
#include "brenmoor/windowing/WindowSystem.h"

// Pixels, between the caption and the client area.
constexpr int kMenuBarHeight = 19;

// The window shows the menu from now on (none for null): the client area
// gives up or takes back the bar's height, and the window is told its new
// size. The menu goes when the window goes.
BOOL SetMenu(HWND window, HMENU menu);
HMENU GetMenu(HWND window);
// Paints the bar again.
BOOL DrawMenuBar(HWND window);
// Each item's place on the bar, in the window's client coordinates (the bar lies above the client area).
std::vector<CRect> MenuBarItemRects(HWND window);
// The item under the point on the screen; -1 where there is none.
int MenuBarItemAt(HWND window, CPoint screenPoint);
// The enabled item whose text marks the letter; -1 when none does.
int MenuBarItemWithMnemonic(HWND window, wchar_t letter);
// Opens the item's popup under it; an item without a popup is its command.
void OpenMenuBarItem(HWND window, int position);
// Draws the bar on a context whose origin is the window's client area.
void PaintMenuBar(HWND window, CDC& dc);
