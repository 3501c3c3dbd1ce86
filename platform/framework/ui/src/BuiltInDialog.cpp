#include "brenmoor/ui/BuiltInDialog.h"

#include "brenmoor/gdi/ClassicLook.h"

BEGIN_MESSAGE_MAP(CBuiltInDialog, CDialog)
  MessageEntry<&CBuiltInDialog::HandleDrawItem>(WM_DRAWITEM),
END_MESSAGE_MAP()

LRESULT CBuiltInDialog::HandleDrawItem(WPARAM, LPARAM lParam) {
  const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
  DrawPicture(static_cast<int>(item.CtlID), *item.hDC, item.rcItem);
  return true;
}

CString CBuiltInDialog::ItemText(int id) const {
  CString text;
  GetDlgItemText(id, text);
  return text;
}

void CBuiltInDialog::SetItemText(int id, const CString& text) { SetDlgItemText(id, text); }

bool CBuiltInDialog::IsChecked(int id) const {
  return ::SendMessage(::GetDlgItem(m_hWnd, id), BM_GETCHECK) == BST_CHECKED;
}

void CBuiltInDialog::SetChecked(int id, bool checked) {
  ::SendMessage(::GetDlgItem(m_hWnd, id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED);
}

DialogTextMeasure::DialogTextMeasure() {
  const LOGFONT description = classic::DialogFont(false);
  font_.CreateFontIndirect(&description);
  dc_.SelectObject(&font_);
}

int DialogTextMeasure::Width(const std::wstring& text) const { return dc_.GetTextExtent(CString(text)).cx; }

DialogItemTemplate Label(int id, const CString& text, CRect rect) {
  return {kStaticClass, id, text, rect, WS_VISIBLE | SS_LEFT};
}

DialogItemTemplate Button(int id, const CString& text, CRect rect, bool isDefault) {
  return {kButtonClass, id, text, rect, WS_VISIBLE | WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON)};
}

DialogItemTemplate CheckBox(int id, const CString& text, CRect rect) {
  return {kButtonClass, id, text, rect, WS_VISIBLE | WS_TABSTOP | BS_CHECKBOX};
}

DialogItemTemplate Field(int id, const CString& text, CRect rect) {
  return {kEditClass, id, text, rect, WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL};
}

DialogItemTemplate DropList(int id, CRect rect, std::initializer_list<CString> choices) {
  return {kComboBoxClass, id, L"", rect, WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST, choices};
}

DialogItemTemplate Picture(int id, CRect rect, bool clickable) {
  return {kButtonClass, id, L"", rect, WS_VISIBLE | BS_OWNERDRAW | (clickable ? 0 : WS_DISABLED)};
}

CRect PixelsToDialogUnits(CPoint corner, int width, int height) {
  return {corner.x, corner.y, corner.x + MulDiv(width, 4, 6), corner.y + MulDiv(height, 8, 13)};
}

void DrawFilledPolygon(CDC& dc, std::span<const CPoint> corners, COLORREF fill, COLORREF edge) {
  CBrush brush(fill);
  CPen pen(PS_SOLID, 1, edge);
  CBrush* oldBrush = dc.SelectObject(&brush);
  CPen* oldPen = dc.SelectObject(&pen);
  dc.Polygon(corners.data(), static_cast<int>(corners.size()));
  dc.SelectObject(oldPen);
  dc.SelectObject(oldBrush);
}
