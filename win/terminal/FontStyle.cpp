#include "brenmoor/win/FontStyle.h"

void FontStyle::SetStyle(COLORREF textColor, COLORREF backColor, CFont* font) {
  textColor_ = textColor;
  backColor_ = backColor;
  font_ = font;
}

void FontStyle::SetupText(CDC* dc) const {
  dc->SetTextColor(textColor_);
  dc->SetBkColor(backColor_);
  dc->SelectObject(font_);
}

void FontStyle::SetupTextReverse(CDC* dc) const {
  dc->SetTextColor(backColor_);
  dc->SetBkColor(textColor_);
  dc->SelectObject(font_);
}
