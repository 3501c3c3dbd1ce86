#include "brenmoor/windowing/CMenu.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <utility>

#include "brenmoor/core/Desktop.h"
#include "brenmoor/core/HandleTable.h"
#include "brenmoor/windowing/CUser.h"
#include "brenmoor/windowing/WindowSystem.h"

namespace {

struct MenuItem {
  UINT flags = MF_STRING;  // state bits, MF_SEPARATOR or MF_POPUP
  UINT id = 0;
  CString text;
  HMENU popup = nullptr;
};

struct MenuRecord {
  bool isPopup = false;
  std::vector<MenuItem> items;
  HMENU owner = nullptr;  // the menu that holds this one as a popup
  CMenu* attached = nullptr;
  std::unique_ptr<CMenu> wrapper;
};

struct MenuTable : Desktop::Part {
  // The objects made for menus still alive when the desktop goes go with
  // the table; they must not destroy their menus in a table that is going away.
  ~MenuTable() override {
    menus.ForEach([](MenuRecord& record) {
      if (record.wrapper != nullptr) record.wrapper->m_hMenu = nullptr;
    });
  }

  void CountAlive(std::map<std::string, std::ptrdiff_t>& alive) const override {
    alive["menu"] += static_cast<std::ptrdiff_t>(menus.Count());
  }

  HandleTable<HMENU, MenuRecord> menus{0x50000000};
  // Objects the table made for destroyed menus; kept until the next is made,
  // since a caller may still hold one (even inside its own DestroyMenu).
  std::vector<std::unique_ptr<CMenu>> retired;
};

MenuTable& Table() { return Desktop::Current().Get<MenuTable>(); }
std::vector<std::unique_ptr<CMenu>>& Retired() { return Table().retired; }
MenuRecord* Find(HMENU menu) { return Table().menus.Find(menu); }

HMENU NewMenu(bool isPopup) {
  MenuRecord record;
  record.isPopup = isPopup;
  return Table().menus.Add(std::move(record));
}

MenuItem* FindItem(HMENU menu, UINT item, UINT flags);

// By command: the first item with the id, searching popups too, as the system does.
MenuItem* FindByCommand(MenuRecord& record, UINT id) {
  for (MenuItem& item : record.items) {
    if (item.popup == nullptr && (item.flags & MF_SEPARATOR) == 0 && item.id == id) return &item;
    if (MenuRecord* popup = Find(item.popup)) {
      if (MenuItem* found = FindByCommand(*popup, id)) return found;
    }
  }
  return nullptr;
}

MenuItem* FindItem(HMENU menu, UINT item, UINT flags) {
  MenuRecord* record = Find(menu);
  if (record == nullptr) return nullptr;
  if ((flags & MF_BYPOSITION) == 0) return FindByCommand(*record, item);
  return item < record->items.size() ? &record->items[item] : nullptr;
}

bool Holds(HMENU menu, HMENU wanted) {
  if (menu == wanted) return true;
  const MenuRecord* record = Find(menu);
  if (record == nullptr) return false;
  return std::any_of(record->items.begin(), record->items.end(),
                     [wanted](const MenuItem& item) { return item.popup != nullptr && Holds(item.popup, wanted); });
}

UINT ChangeState(HMENU menu, UINT item, UINT flags, UINT bits) {
  MenuItem* found = FindItem(menu, item, flags);
  if (found == nullptr) return kNoMenuItem;
  const UINT previous = found->flags & bits;
  found->flags = (found->flags & ~bits) | (flags & bits);
  return previous;
}

bool AppendTemplate(HMENU menu, const MenuTemplate& items) {
  for (const MenuItemTemplate& item : items) {
    if (item.popup.empty() && (item.flags & MF_POPUP) == 0) {
      if (!AppendMenuW(menu, item.flags, item.id, item.text)) return false;
      continue;
    }
    const HMENU popup = CreatePopupMenu();
    if (!AppendTemplate(popup, item.popup) ||
        !AppendMenuW(menu, item.flags | MF_POPUP, reinterpret_cast<UINT_PTR>(popup), item.text)) {
      DestroyMenu(popup);
      return false;
    }
  }
  return true;
}

}  // namespace

HMENU CreateMenu() { return NewMenu(false); }
HMENU CreatePopupMenu() { return NewMenu(true); }

BOOL DestroyMenu(HMENU menu) {
  MenuRecord* record = Find(menu);
  if (record == nullptr) return false;
  for (const MenuItem& item : record->items) {
    if (MenuRecord* popup = Find(item.popup)) popup->owner = nullptr;
    DestroyMenu(item.popup);
  }
  if (MenuRecord* owner = Find(record->owner)) {
    std::erase_if(owner->items, [menu](const MenuItem& item) { return item.popup == menu; });
  }
  if (record->attached != nullptr) record->attached->m_hMenu = nullptr;
  if (record->wrapper != nullptr) {
    record->wrapper->m_hMenu = nullptr;
    Retired().push_back(std::move(record->wrapper));
  }
  Table().menus.Remove(menu);
  return true;
}

BOOL IsMenu(HMENU menu) { return Find(menu) != nullptr; }

BOOL AppendMenuW(HMENU menu, UINT flags, UINT_PTR idOrPopup, const wchar_t* text) {
  MenuRecord* record = Find(menu);
  if (record == nullptr) return false;
  MenuItem item{flags, static_cast<UINT>(idOrPopup), CString(text), nullptr};
  if ((flags & MF_SEPARATOR) != 0) {
    item.flags = MF_SEPARATOR;
    item.id = 0;
    item.text.Empty();
  } else if ((flags & MF_POPUP) != 0) {
    const auto popup = reinterpret_cast<HMENU>(idOrPopup);
    MenuRecord* popupRecord = Find(popup);
    if (popupRecord == nullptr || popupRecord->owner != nullptr || Holds(popup, menu)) return false;
    popupRecord->owner = menu;
    item.popup = popup;
    item.id = 0;
  }
  record->items.push_back(std::move(item));
  return true;
}

int GetMenuItemCount(HMENU menu) {
  const MenuRecord* record = Find(menu);
  return record != nullptr ? static_cast<int>(record->items.size()) : -1;
}

UINT GetMenuItemID(HMENU menu, int position) {
  const MenuItem* item = position < 0 ? nullptr : FindItem(menu, static_cast<UINT>(position), MF_BYPOSITION);
  return item == nullptr || item->popup != nullptr ? kNoMenuItem : item->id;
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags) {
  const MenuItem* found = FindItem(menu, item, flags);
  if (found == nullptr) return kNoMenuItem;
  if (found->popup == nullptr) return found->flags;
  return (static_cast<UINT>(GetMenuItemCount(found->popup)) << 8) | (found->flags & 0xFF) | MF_POPUP;
}

int GetMenuStringW(HMENU menu, UINT item, wchar_t* text, int count, UINT flags) {
  const MenuItem* found = FindItem(menu, item, flags);
  if (found == nullptr) return 0;
  const int length = found->text.GetLength();
  if (text == nullptr || count <= 0) return length;
  const int copied = std::min(length, count - 1);
  std::wmemcpy(text, found->text, static_cast<std::size_t>(copied));
  text[copied] = L'\0';
  return copied;
}

HMENU GetSubMenu(HMENU menu, int position) {
  const MenuItem* item = position < 0 ? nullptr : FindItem(menu, static_cast<UINT>(position), MF_BYPOSITION);
  return item != nullptr ? item->popup : nullptr;
}

UINT CheckMenuItem(HMENU menu, UINT item, UINT flags) { return ChangeState(menu, item, flags, MF_CHECKED); }
UINT EnableMenuItem(HMENU menu, UINT item, UINT flags) {
  return ChangeState(menu, item, flags, MF_GRAYED | MF_DISABLED);
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, HWND owner) {
  if (!IsMenu(menu)) return false;
  if (IsWindow(owner)) SendMessage(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
  const UINT picked = AfxGetUser().AnswerPopupMenu(menu, {x, y});
  if ((flags & TPM_RETURNCMD) != 0) return static_cast<BOOL>(picked);
  if (picked != 0 && (flags & TPM_NONOTIFY) == 0) PostMessage(owner, WM_COMMAND, picked, 0);
  return true;
}

HMENU CreateMenuFromTemplate(const MenuTemplate& items) {
  const HMENU menu = CreateMenu();
  if (AppendTemplate(menu, items)) return menu;
  DestroyMenu(menu);
  return nullptr;
}

HMENU LoadMenuW(HINSTANCE module, UINT id) {
  const MenuTemplate* menu = AfxFindResource<MenuTemplate>(module, id);
  return menu != nullptr ? CreateMenuFromTemplate(*menu) : nullptr;
}

CMenu::~CMenu() { DestroyMenu(); }

CMenu* CMenu::FromHandle(HMENU menu) {
  MenuRecord* record = Find(menu);
  if (record == nullptr) return nullptr;
  if (record->attached != nullptr) return record->attached;
  if (record->wrapper == nullptr) {
    Retired().clear();
    record->wrapper = std::make_unique<CMenu>();
    record->wrapper->m_hMenu = menu;
  }
  return record->wrapper.get();
}

BOOL CMenu::Attach(HMENU menu) {
  MenuRecord* record = Find(menu);
  if (record == nullptr || m_hMenu != nullptr || record->attached != nullptr) return false;
  record->attached = this;
  m_hMenu = menu;
  return true;
}

HMENU CMenu::Detach() {
  if (MenuRecord* record = Find(m_hMenu); record != nullptr && record->attached == this) record->attached = nullptr;
  return std::exchange(m_hMenu, nullptr);
}

BOOL CMenu::CreateMenu() { return m_hMenu == nullptr && Attach(::CreateMenu()); }
BOOL CMenu::CreatePopupMenu() { return m_hMenu == nullptr && Attach(::CreatePopupMenu()); }

BOOL CMenu::LoadMenu(UINT id) {
  const MenuTemplate* found = AfxFindResource<MenuTemplate>(nullptr, id);
  if (found == nullptr || m_hMenu != nullptr) return false;
  return Attach(CreateMenuFromTemplate(*found));
}

BOOL CMenu::DestroyMenu() {
  const HMENU menu = Detach();
  // The object only forgets a wrapper the table keeps; an attached one destroys its menu.
  return menu != nullptr && ::DestroyMenu(menu);
}

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR idOrPopup, const wchar_t* text) {
  return AppendMenuW(m_hMenu, flags, idOrPopup, text);
}
UINT CMenu::GetMenuItemCount() const { return static_cast<UINT>(::GetMenuItemCount(m_hMenu)); }
UINT CMenu::GetMenuItemID(int position) const { return ::GetMenuItemID(m_hMenu, position); }
UINT CMenu::GetMenuState(UINT item, UINT flags) const { return ::GetMenuState(m_hMenu, item, flags); }

int CMenu::GetMenuString(UINT item, CString& text, UINT flags) const {
  const int length = GetMenuStringW(m_hMenu, item, nullptr, 0, flags);
  std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
  buffer.resize(static_cast<std::size_t>(GetMenuStringW(m_hMenu, item, buffer.data(), length + 1, flags)));
  text = CString(std::move(buffer));
  return text.GetLength();
}

CMenu* CMenu::GetSubMenu(int position) const { return FromHandle(::GetSubMenu(m_hMenu, position)); }
UINT CMenu::CheckMenuItem(UINT item, UINT flags) { return ::CheckMenuItem(m_hMenu, item, flags); }
UINT CMenu::EnableMenuItem(UINT item, UINT flags) { return ::EnableMenuItem(m_hMenu, item, flags); }
