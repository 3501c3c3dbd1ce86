#include "GdiObjects.h"

BOOL CGdiObject::DeleteObject() {
  const bool wasCreated = created_;
  created_ = false;
  return wasCreated;
}

BOOL CFont::CreateFontIndirect(const LOGFONT* description) {
  if (description == nullptr || created_) return false;
  font_ = *description;
  font_.lfFaceName[LF_FACESIZE - 1] = L'\0';
  created_ = true;
  return true;
}

BOOL CPen::CreatePen(int style, int width, COLORREF colour) {
  if (created_) return false;
  style_ = style;
  width_ = width;
  colour_ = colour;
  created_ = true;
  return true;
}

BOOL CPen::CreatePen(int style, int width, const LOGBRUSH* brush) {
  return brush != nullptr && CreatePen(style, width, brush->lbColor);
}

BOOL CBrush::CreateSolidBrush(COLORREF colour) {
  if (created_) return false;
  colour_ = colour;
  created_ = true;
  return true;
}
