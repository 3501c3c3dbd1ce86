#include "brenmoor/win/CColourButton.h"

#include <initializer_list>

#include "brenmoor/ui/CColorDialog.h"
#include "brenmoor/gdi/CDC.h"

IMPLEMENT_DYNAMIC(CColourButton, CButton)

namespace {

constexpr COLORREF kGrey = RGB(128, 128, 128);

// A polyline from the current position through the points, in the pen selected.
void LinesTo(CDC& dc, std::initializer_list<CPoint> points) {
  for (const CPoint& point : points) dc.LineTo(point.x, point.y);
}

void DrawPressedBorder(CDC& dc, const CRect& r, CPen& grey) {
  dc.SelectObject(&grey);
  dc.MoveTo(r.left, r.bottom - 1);
  LinesTo(dc, {{r.left, r.top}, {r.right - 1, r.top}});
  dc.SelectStockObject(WHITE_PEN);
  dc.MoveTo(r.right - 1, r.top - 1);
  LinesTo(dc, {{r.right - 1, r.bottom - 1}, {r.left + 1, r.bottom - 1}});
  dc.SelectStockObject(BLACK_PEN);
  dc.MoveTo(r.left + 1, r.bottom - 2);
  LinesTo(dc, {{r.left + 1, r.top + 1}, {r.right - 2, r.top + 1}});
}

void DrawRaisedBorder(CDC& dc, const CRect& r, CPen& grey) {
  dc.SelectStockObject(BLACK_PEN);
  dc.MoveTo(r.left, r.bottom - 1);
  LinesTo(dc, {{r.right - 1, r.bottom - 1}, {r.right - 1, r.top}});
  dc.SelectObject(&grey);
  dc.MoveTo(r.left + 1, r.bottom - 2);
  LinesTo(dc, {{r.right - 2, r.bottom - 2}, {r.right - 2, r.top + 1}});
  dc.SelectStockObject(WHITE_PEN);
  LinesTo(dc, {{r.left + 1, r.top + 1}, {r.left + 1, r.bottom - 2}});
}

// Every second pixel, inside the border.
void DrawFocusDots(CDC& dc, const CRect& r) {
  for (int x = r.left + 3; x < r.right - 4; x += 2) {
    dc.SetPixel(x, r.top + 3, RGB(0, 0, 0));
    dc.SetPixel(x, r.bottom - 4, RGB(0, 0, 0));
  }
  for (int y = r.top + 3; y < r.bottom - 4; y += 2) {
    dc.SetPixel(r.left + 3, y, RGB(0, 0, 0));
    dc.SetPixel(r.right - 4, y, RGB(0, 0, 0));
  }
}

}  // namespace

CColourButton::CColourButton(COLORREF colour) : colour_(colour) {}

BEGIN_MESSAGE_MAP(CColourButton, CButton)
  ReflectEntry<&CColourButton::OnClicked>(BN_CLICKED),
END_MESSAGE_MAP()

void CColourButton::PreSubclassWindow() {
  SetButtonStyle((GetStyle() & 0xFF) | BS_OWNERDRAW, true);
  CButton::PreSubclassWindow();
}

bool CColourButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (message != WM_DRAWITEM) return CButton::OnChildNotify(message, wParam, lParam, result);
  DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
  *result = true;
  return true;
}

void CColourButton::DrawItem(LPDRAWITEMSTRUCT item) {
  CDC& dc = *item->hDC;
  CRect rect = item->rcItem;
  CBrush face(GetSysColor(COLOR_BTNFACE));
  CPen grey(PS_SOLID, 1, kGrey);
  CGdiObject* previousPen = dc.SelectStockObject(NULL_PEN);
  CBrush* previousBrush = dc.SelectObject(&face);
  dc.Rectangle(rect);

  if ((item->itemState & ODS_SELECTED) != 0) {
    DrawPressedBorder(dc, rect, grey);
    rect = {rect.left + 1, rect.top + 1, rect.right + 1, rect.bottom + 1};
  } else {
    DrawRaisedBorder(dc, rect, grey);
  }

  CBrush swatch(colour_);
  if ((item->itemState & ODS_DISABLED) == 0) {
    dc.SelectStockObject(BLACK_PEN);
    dc.SelectObject(&swatch);
    dc.Rectangle({rect.left + 5, rect.top + 4, rect.right - 5, rect.bottom - 4});
  }
  if ((item->itemState & ODS_FOCUS) != 0) DrawFocusDots(dc, rect);

  dc.SelectObject(static_cast<CPen*>(previousPen));
  dc.SelectObject(previousBrush);
}

void CColourButton::OnClicked() {
  CColorDialog dialog(colour_, CC_ANYCOLOR, nullptr);
  if (dialog.DoModal() == IDOK) {
    const COLORREF previous = colour_;
    colour_ = dialog.GetColor();
    if (colour_ != previous) Invalidate(true);
  } else {
    CommDlgExtendedError();
  }
  if (CWnd* parent = GetParent()) {
    parent->SendMessage(WM_COLOURBUTTON_CLICKED, static_cast<WPARAM>(GetDlgCtrlID()), static_cast<LPARAM>(colour_));
  }
}

bool CColourButton::OnCmdMsg(UINT id, UINT code) {
  CButton::OnCmdMsg(id, code);
  return false;
}
