#include "brenmoor/win/CColorStatusBar.h"

#include "brenmoor/ui/CPaintDC.h"

IMPLEMENT_DYNAMIC(CColorStatusBar, CStatusBar)

BEGIN_MESSAGE_MAP(CColorStatusBar, CStatusBar)
  MessageEntry<&CColorStatusBar::OnPaint>(WM_PAINT),
END_MESSAGE_MAP()

LRESULT CColorStatusBar::OnPaint(WPARAM, LPARAM) {
  CPaintDC dc(this);
  const CString text = GetPaneText(0);
  if (text.IsEmpty()) return 0;
  dc.SelectObject(GetFont());
  dc.SetBkColor(RGB(0, 0, 128));
  dc.SetTextColor(RGB(255, 255, 255));
  dc.TextOut(0, 3, text + CString(L" "));
  return 0;
}
