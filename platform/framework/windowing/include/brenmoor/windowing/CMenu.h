#pragma once
// Menus: a table of menus by handle, each a list of items (a command with
// an id, a separator, or a popup that opens another menu) with their texts
// and states; menus built from the host's templates by number; and the
// popup menu that the application's user answers (see CUser).

#include <memory>
#include <vector>

#include "brenmoor/core/CResourceModule.h"
#include "brenmoor/core/CString.h"

class CWnd;

constexpr UINT MF_STRING = 0x0000;
constexpr UINT MF_ENABLED = 0x0000;
constexpr UINT MF_UNCHECKED = 0x0000;
constexpr UINT MF_BYCOMMAND = 0x0000;
constexpr UINT MF_GRAYED = 0x0001;
constexpr UINT MF_DISABLED = 0x0002;
constexpr UINT MF_CHECKED = 0x0008;
constexpr UINT MF_POPUP = 0x0010;
constexpr UINT MF_BYPOSITION = 0x0400;
constexpr UINT MF_SEPARATOR = 0x0800;
constexpr UINT TPM_LEFTALIGN = 0x0000;
constexpr UINT TPM_RIGHTBUTTON = 0x0002;
constexpr UINT TPM_NONOTIFY = 0x0080;
constexpr UINT TPM_RETURNCMD = 0x0100;
constexpr UINT WM_INITMENUPOPUP = 0x0117;
// What GetMenuState and GetMenuItemID give for an item that is not there.
constexpr UINT kNoMenuItem = 0xFFFFFFFF;

// One item of a menu template; an item with sub-items opens a popup.
struct MenuItemTemplate {
  UINT flags = MF_STRING;
  UINT id = 0;
  CString text;
  std::vector<MenuItemTemplate> popup;
};
using MenuTemplate = std::vector<MenuItemTemplate>;
template <>
struct ResourceType<MenuTemplate> {
  static constexpr UINT value = RT_MENU;
};

HMENU CreateMenu();
HMENU CreatePopupMenu();
// Destroys the menu and every popup it holds.
BOOL DestroyMenu(HMENU menu);
BOOL IsMenu(HMENU menu);
// With MF_POPUP the id is the popup's handle, which then belongs to this
// menu. A popup that already belongs to a menu, or that holds this menu,
// is refused.
BOOL AppendMenuW(HMENU menu, UINT flags, UINT_PTR idOrPopup, const wchar_t* text);
int GetMenuItemCount(HMENU menu);
// The command id; kNoMenuItem for a popup or a missing item.
UINT GetMenuItemID(HMENU menu, int position);
// The state flags; for a popup the number of its items in the high byte.
UINT GetMenuState(HMENU menu, UINT item, UINT flags);
// Copies at most count - 1 units and the terminator; the length of the text.
int GetMenuStringW(HMENU menu, UINT item, wchar_t* text, int count, UINT flags);
HMENU GetSubMenu(HMENU menu, int position);
// Both return the previous state of the checked or enabled bits, or kNoMenuItem.
UINT CheckMenuItem(HMENU menu, UINT item, UINT flags);
UINT EnableMenuItem(HMENU menu, UINT item, UINT flags);
// Tells the owner (WM_INITMENUPOPUP), then lets the user pick: with
// TPM_RETURNCMD the command picked, 0 when none; otherwise the command goes
// to the owner as WM_COMMAND through the queue and the result is true.
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, HWND owner);

// The framework's menu object; it destroys the menu it holds.
class CMenu {
 public:
  CMenu() = default;
  virtual ~CMenu();
  CMenu(const CMenu&) = delete;
  CMenu& operator=(const CMenu&) = delete;

  // The object attached to the handle, or one the table keeps for it.
  static CMenu* FromHandle(HMENU menu);
  BOOL Attach(HMENU menu);
  HMENU Detach();
  HMENU GetSafeHmenu() const { return m_hMenu; }

  BOOL CreateMenu();
  BOOL CreatePopupMenu();
  // Builds the host's menu template with that id, searched through the chain of modules.
  BOOL LoadMenu(UINT id);
  BOOL DestroyMenu();

  BOOL AppendMenu(UINT flags, UINT_PTR idOrPopup = 0, const wchar_t* text = nullptr);
  UINT GetMenuItemCount() const;
  UINT GetMenuItemID(int position) const;
  UINT GetMenuState(UINT item, UINT flags) const;
  int GetMenuString(UINT item, CString& text, UINT flags) const;
  CMenu* GetSubMenu(int position) const;
  UINT CheckMenuItem(UINT item, UINT flags);
  UINT EnableMenuItem(UINT item, UINT flags);
  BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* owner);

  HMENU m_hMenu = nullptr;
};

// A menu built from a template; null when an item cannot be added.
HMENU CreateMenuFromTemplate(const MenuTemplate& menu);
// From the module, or searched through the chain when it is null; null when not found.
HMENU LoadMenuW(HINSTANCE module, UINT id);
