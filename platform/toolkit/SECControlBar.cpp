#include "brenmoor/toolkit/SECControlBar.h"

#include "brenmoor/windowing/CMenu.h"

IMPLEMENT_DYNAMIC(SECControlBar, CControlBar)

namespace {

constexpr LONG kDockedWidth = 120;

}  // namespace

BEGIN_MESSAGE_MAP(SECControlBar, CControlBar)
  MessageEntry<&SECControlBar::OnContextMenu>(WM_CONTEXTMENU),
END_MESSAGE_MAP()

BOOL SECControlBar::Create(CWnd* parent, const wchar_t* title, DWORD style, UINT id) {
  if (parent == nullptr) return false;
  CRect client;
  parent->GetClientRect(&client);
  if (!CWnd::Create(kGenericWindowClass, title, style | WS_CHILD, {0, 0, kDockedWidth, client.bottom}, parent, id)) {
    return false;
  }
  EnableDocking(CBRS_ALIGN_ANY);
  return true;
}

void SECControlBar::HideBar() { ShowWindow(SW_HIDE); }

void SECControlBar::GetContextMenu(CMenu&) {}

LRESULT SECControlBar::OnContextMenu(WPARAM, LPARAM point) {
  CMenu menu;
  menu.CreatePopupMenu();
  GetContextMenu(menu);
  if (menu.GetMenuItemCount() == 0) return 0;
  const CPoint at = PointFromLParam(point);
  menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, this);
  return 0;
}
