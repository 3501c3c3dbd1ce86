#pragma once
// Control bars: windows along a frame's edge (status bars, docking bars). A
// bar that allows docking holds a dock context, which moves it between
// docked at the edge and floating in a window of its own.

#include "brenmoor/ui/CWnd.h"

class CControlBar;

class CDockContext {
 public:
  explicit CDockContext(CControlBar* bar) : m_pBar(bar) {}
  virtual ~CDockContext() = default;
  CDockContext(const CDockContext&) = delete;
  CDockContext& operator=(const CDockContext&) = delete;

  // Floats a docked bar, docks a floating one.
  virtual void ToggleDocking();

  CControlBar* m_pBar;
};

class CControlBar : public CWnd {
  DECLARE_DYNAMIC(CControlBar)

 public:
  ~CControlBar() override;
  // Gives the bar its dock context; a bar without one stays where it is.
  void EnableDocking(DWORD dockStyle);
  BOOL IsFloating() const { return floating_; }

  CDockContext* m_pDockContext = nullptr;

 private:
  friend class CDockContext;
  bool floating_ = false;
};
