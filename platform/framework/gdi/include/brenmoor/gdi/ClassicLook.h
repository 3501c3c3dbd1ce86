#pragma once
// The plain classic look every built-in window paints itself in: the
// system colours, the dialog font, and the sunken and raised edges and the
// clipped text the controls are drawn from.

#include <string>
#include <vector>

#include "brenmoor/gdi/CDC.h"
#include "brenmoor/gdi/GdiObjects.h"

namespace classic {

inline constexpr COLORREF kFace = RGB(212, 208, 200);
inline constexpr COLORREF kHighlight = RGB(255, 255, 255);
inline constexpr COLORREF kLight = RGB(232, 230, 226);
inline constexpr COLORREF kShadow = RGB(128, 128, 128);
inline constexpr COLORREF kDarkShadow = RGB(64, 64, 64);
inline constexpr COLORREF kWindow = RGB(255, 255, 255);
inline constexpr COLORREF kText = RGB(0, 0, 0);
inline constexpr COLORREF kGrayText = RGB(128, 128, 128);
inline constexpr COLORREF kCaption = RGB(10, 36, 106);
inline constexpr COLORREF kCaptionText = RGB(255, 255, 255);
// Selected text and rows.
inline constexpr COLORREF kSelection = RGB(10, 36, 106);
inline constexpr COLORREF kSelectionText = RGB(255, 255, 255);
// One line of the dialog font.
inline constexpr int kLineHeight = 13;

LOGFONT DialogFont(bool bold);

// The lines of a text whose lines end with CR LF.
std::vector<std::wstring> Lines(const std::wstring& text);

// A label's text as it shows: "&&" is "&", and a single "&" marks the next
// character, the mnemonic (shown underlined), which is npos when there is none.
struct LabelText {
  std::wstring shown;
  std::size_t mnemonic = std::wstring::npos;
};
LabelText Unmarked(const std::wstring& text);

// Draws on a window's area in the dialog font, grey text when the window is disabled.
class Painter {
 public:
  Painter(CDC& dc, CRect area, bool enabled);
  ~Painter();
  Painter(const Painter&) = delete;
  Painter& operator=(const Painter&) = delete;

  void Sunken(CRect box, COLORREF inside);
  void Raised(CRect box, bool pushed);
  // One line of text, cut where it would leave the box; tabs go to the next stop.
  void Text(const std::wstring& line, int x, int y, int right, COLORREF colour);
  int Width(const std::wstring& text);
  // A control's label: its text without the markers, the mnemonic underlined.
  void Label(const std::wstring& text, int x, int y, int right, COLORREF colour);
  int LabelWidth(const std::wstring& text) { return Width(Unmarked(text).shown); }
  // The dotted frame around what has the keyboard focus.
  void FocusRect(CRect box);
  // The edit's caret: a line of the text's height left of x.
  void Caret(int x, int y);
  // The small arrow on a drop-down or scroll button: four rows from top,
  // seven pixels wide at its base, around the column x.
  void Arrow(int x, int top, bool up, COLORREF colour);
  CDC& Dc() { return dc_; }
  const CRect& Area() const { return area_; }
  bool Enabled() const { return enabled_; }
  static CRect Inset(CRect box, int by) { return {box.left + by, box.top + by, box.right - by, box.bottom - by}; }

 private:
  int Run(const std::wstring& text, int x, int y, int right);

  CDC& dc_;
  CRect area_;
  bool enabled_;
  CFont font_;
  CFont* previous_ = nullptr;
};

}  // namespace classic
