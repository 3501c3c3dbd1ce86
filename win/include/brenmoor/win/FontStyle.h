#pragma once
// The look of a terminal cell: colours and font, keyed by the video
// attributes it stands for (the bits of CellAttributes.h).

#include "brenmoor/gdi/CDC.h"

class FontStyle {
 public:
  FontStyle(int mode, COLORREF textColor, COLORREF backColor, CFont* font)
      : mode_(mode), textColor_(textColor), backColor_(backColor), font_(font) {}
  FontStyle& operator=(const FontStyle&) = default;
  FontStyle(const FontStyle&) = default;

  // Replaces colours and font; the mode stays.
  void SetStyle(COLORREF textColor, COLORREF backColor, CFont* font);
  void SetTextColor(COLORREF color) { textColor_ = color; }
  void SetBackColor(COLORREF color) { backColor_ = color; }
  void SetFont(CFont* font) { font_ = font; }

  int GetMode() const { return mode_; }
  COLORREF GetTextColor() const { return textColor_; }
  COLORREF GetBackColor() const { return backColor_; }
  CFont* GetFont() const { return font_; }

  // Text colour, background colour, then the font; the previous font is not kept.
  void SetupText(CDC* dc) const;
  // The same with the two colours swapped.
  void SetupTextReverse(CDC* dc) const;

 private:
  int mode_;
  COLORREF textColor_;
  COLORREF backColor_;
  CFont* font_;  // owned by the emulator layout
};
