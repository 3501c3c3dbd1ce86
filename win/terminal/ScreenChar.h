#pragma once
// One cell of the terminal screen: a character, the character set it is
// shown in, whether it is selected, and its two styles (not owned).

#include "FontStyle.h"

class ScreenChar {
 public:
  // A blank in US ASCII, not selected, without styles.
  ScreenChar() = default;
  ScreenChar(const ScreenChar&) = default;
  ScreenChar& operator=(const ScreenChar&) = default;

  // The selected flag stays as it was.
  void Set(wchar_t value, int charSet, FontStyle* style, FontStyle* selStyle);
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
  int charSet_ = 0;  // 0 US ASCII, 1 UK national, 2 special graphics, 3 extended graphics
  FontStyle* style_ = nullptr;
  FontStyle* selStyle_ = nullptr;
};
