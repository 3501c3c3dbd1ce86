#pragma once
// The toolkit's docking bar: a control bar docked along its frame's edge or
// floating on its own, moved between the two by its dock context. A right
// click (WM_CONTEXTMENU) shows the menu the bar's class fills in
// GetContextMenu; the command picked comes back to the bar as WM_COMMAND.
// The toolkit's own operation on a bar beside docking is hiding it.

#include "brenmoor/ui/CControlBar.h"

class CMenu;

constexpr DWORD CBRS_ALIGN_ANY = 0xF000;

class SECControlBar : public CControlBar {
  DECLARE_DYNAMIC(SECControlBar)

 public:
  // A docked bar with its dock context, along the parent's left edge.
  virtual BOOL Create(CWnd* parent, const wchar_t* title, DWORD style = WS_CHILD | WS_VISIBLE, UINT id = 0);
  // Hides the bar; docked or floating, it stays as it was.
  void HideBar();

 protected:
  // A bar is made with its own Create; the plain window's stays for the bars
  // built on this one.
  using CWnd::Create;
  // The items of the bar's context menu; none unless the bar's class adds some.
  virtual void GetContextMenu(CMenu& menu);
  LRESULT OnContextMenu(WPARAM, LPARAM point);

  DECLARE_MESSAGE_MAP()
};
