#pragma once
// Push buttons and check boxes. A click (the left button pressed and released
// over an enabled button) toggles an automatic check box and tells the parent
// with BN_CLICKED.

#include "brenmoor/ui/CWnd.h"

class CButton : public CWnd {
  DECLARE_DYNAMIC(CButton)

 public:
  int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
  void SetCheck(int check) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(check)); }
  UINT GetState() const { return static_cast<UINT>(SendMessage(BM_GETSTATE)); }
  void SetState(BOOL pushed) { SendMessage(BM_SETSTATE, pushed ? 1 : 0); }
  UINT GetButtonStyle() const { return GetStyle() & BS_TYPEMASK; }
  void SetButtonStyle(UINT style, BOOL redraw = true) { SendMessage(BM_SETSTYLE, style, redraw); }
};
