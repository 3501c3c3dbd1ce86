#include "ScreenChar.h"

void ScreenChar::Set(wchar_t value, int charSet, FontStyle* style, FontStyle* selStyle) {
  value_ = value;
  charSet_ = charSet;
  style_ = style;
  selStyle_ = selStyle;
}
