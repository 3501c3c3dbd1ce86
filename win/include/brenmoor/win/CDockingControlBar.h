#pragma once
// A docking bar whose context menu offers docking or floating (whichever the
// bar is not), and the toolkit's hiding of the bar. The menu texts are the
// host's strings 689 to 691.

#include "brenmoor/toolkit/SECControlBar.h"

class CDockingControlBar : public SECControlBar {
  DECLARE_SERIAL(CDockingControlBar)

 public:
  enum : UINT { ID_DOCK = 32790, ID_FLOAT = 32791, ID_HIDE = 32792 };
  enum : UINT { IDS_DOCK = 689, IDS_FLOAT = 690, IDS_HIDE = 691 };

 protected:
  void GetContextMenu(CMenu& menu) override;
  // True for the menu's commands, which it carries out.
  bool HandleCommand(UINT id);
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};
