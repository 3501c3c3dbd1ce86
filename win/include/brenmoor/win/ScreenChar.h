#pragma once
// One cell of the terminal screen: a character, the character set it is
// shown in, whether it is selected, and its two styles (not owned).

#include "brenmoor/win/CellAttributes.h"
#include "brenmoor/win/FontStyle.h"

class ScreenChar {
 public:
  // A blank in US ASCII, not selected, without styles.
  ScreenChar() = default;
  ScreenChar(const ScreenChar&) = default;
  ScreenChar& operator=(const ScreenChar&) = default;

  // The selected flag stays as it was. Inline: every character written passes here.
  void Set(wchar_t value, int charSet, FontStyle* style, FontStyle* selStyle) {
    value_ = value;
    charSet_ = charSet;
    style_ = style;
    selStyle_ = selStyle;
  }
  void Select() { selected_ = true; }
  void Unselect() { selected_ = false; }
  bool IsSelected() const { return selected_; }

  wchar_t GetValue() const { return value_; }
  int GetCharSet() const { return charSet_; }
  // The selected style while selected, the other one otherwise.
  FontStyle* GetStyle() const { return selected_ ? selStyle_ : style_; }

 private:
  wchar_t value_ = L' ';
  bool selected_ = false;
  int charSet_ = charset::kUsAscii;
  FontStyle* style_ = nullptr;
  FontStyle* selStyle_ = nullptr;
};
