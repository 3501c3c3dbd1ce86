#include "brenmoor/win/CDockingControlBar.h"

#include "brenmoor/windowing/CMenu.h"
#include "brenmoor/win/CResourceString.h"

IMPLEMENT_SERIAL(CDockingControlBar, SECControlBar, 1)

void CDockingControlBar::GetContextMenu(CMenu& menu) {
  if (IsFloating()) {
    menu.AppendMenu(MF_STRING, ID_DOCK, CResourceString(IDS_DOCK));
  } else {
    menu.AppendMenu(MF_STRING, ID_FLOAT, CResourceString(IDS_FLOAT));
  }
  menu.AppendMenu(MF_STRING, ID_HIDE, CResourceString(IDS_HIDE));
}

bool CDockingControlBar::HandleCommand(UINT id) {
  switch (id) {
    case ID_DOCK:
    case ID_FLOAT:
      if (m_pDockContext != nullptr) m_pDockContext->ToggleDocking();
      return true;
    case ID_HIDE:
      HideBar();
      return true;
    default:
      return false;
  }
}

BOOL CDockingControlBar::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (HandleCommand(LOWORD(wParam))) return true;
  return CWnd::OnCommand(wParam, lParam);
}
