#pragma once
// A status bar that paints only the text of its first pane, in white on navy.

#include "brenmoor/ui/CStatusBar.h"

class CColorStatusBar : public CStatusBar {
  DECLARE_DYNAMIC(CColorStatusBar)

 protected:
  LRESULT OnPaint(WPARAM, LPARAM);

  DECLARE_MESSAGE_MAP()
};
