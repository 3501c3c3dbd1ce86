#include "brenmoor/gdi/GdiObjects.h"

#include "brenmoor/gdi/ClassicLook.h"

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

namespace {

CFont GuiFont() {
  const LOGFONT description = classic::DialogFont(false);
  CFont font;
  font.CreateFontIndirect(&description);
  return font;
}

}  // namespace

CGdiObject* GetStockObject(int index) {
  static CPen whitePen = {PS_SOLID, 1, RGB(255, 255, 255)};
  static CPen blackPen = {PS_SOLID, 1, RGB(0, 0, 0)};
  static CPen nullPen = {PS_NULL, 1, RGB(0, 0, 0)};
  static CFont guiFont = GuiFont();
  switch (index) {
    case WHITE_PEN: return &whitePen;
    case BLACK_PEN: return &blackPen;
    case NULL_PEN: return &nullPen;
    case DEFAULT_GUI_FONT: return &guiFont;
    default: return nullptr;
  }
}

COLORREF GetSysColor(int index) {
  switch (index) {
    case COLOR_BTNFACE: return classic::kFace;
    case COLOR_BTNSHADOW: return classic::kShadow;
    case COLOR_BTNTEXT: return classic::kText;
    case COLOR_BTNHIGHLIGHT: return classic::kHighlight;
    default: return RGB(0, 0, 0);
  }
}
