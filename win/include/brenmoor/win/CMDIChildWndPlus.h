#pragma once
// An MDI child frame that remembers whether the last child closed was
// maximised ("SYSTEM"/"LastMdiPlacement" in the application profile) and
// opens a new child maximised when that was so and no other child is active.

#include "brenmoor/docview/CMDIFrameWnd.h"

class CMDIChildWndPlus : public CMDIChildWnd {
  DECLARE_DYNCREATE(CMDIChildWndPlus)

 public:
  // The host's command that closes a child.
  static constexpr UINT kCloseCommand = 32785;

  BOOL PreCreateWindow(CREATESTRUCT& creating) override;

 protected:
  void OnClose();
  void OnWindowClose();

  DECLARE_MESSAGE_MAP()
};
