#include "brenmoor/ui/CControlBar.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

void CDockContext::ToggleDocking() { m_pBar->floating_ = !m_pBar->floating_; }

CControlBar::~CControlBar() { delete m_pDockContext; }

void CControlBar::EnableDocking(DWORD) {
  if (m_pDockContext == nullptr) m_pDockContext = new CDockContext(this);
}
