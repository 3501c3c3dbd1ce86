#pragma once
// Fonts, pens and brushes: descriptions of drawing tools that a device
// context selects. Creating one only records what it describes; the drawing
// surface turns it into pixels.

#include "brenmoor/core/WinTypes.h"

constexpr int LF_FACESIZE = 32;
constexpr LONG FW_DONTCARE = 0;
constexpr LONG FW_NORMAL = 400;
constexpr LONG FW_BOLD = 700;

struct LOGFONTW {
  LONG lfHeight = 0;  // negative: the character height; positive: the cell height
  LONG lfWidth = 0;
  LONG lfEscapement = 0;
  LONG lfOrientation = 0;
  LONG lfWeight = 0;
  BYTE lfItalic = 0;
  BYTE lfUnderline = 0;
  BYTE lfStrikeOut = 0;
  BYTE lfCharSet = 0;
  BYTE lfOutPrecision = 0;
  BYTE lfClipPrecision = 0;
  BYTE lfQuality = 0;
  BYTE lfPitchAndFamily = 0;
  wchar_t lfFaceName[LF_FACESIZE] = {};  // UTF-16 units with the terminator
};
using LOGFONT = LOGFONTW;

// Pen style bits.
constexpr int PS_SOLID = 0;
constexpr int PS_NULL = 5;  // draws nothing
constexpr int PS_ENDCAP_ROUND = 0;
constexpr int PS_JOIN_ROUND = 0;
constexpr int PS_ENDCAP_FLAT = 0x200;
constexpr int PS_JOIN_BEVEL = 0x1000;
constexpr int PS_COSMETIC = 0;
constexpr int PS_GEOMETRIC = 0x10000;

constexpr UINT BS_SOLID = 0;
struct LOGBRUSH {
  UINT lbStyle = BS_SOLID;
  COLORREF lbColor = 0;
  std::uintptr_t lbHatch = 0;
};

class CGdiObject {
 public:
  virtual ~CGdiObject() = default;
  // Releases what the object describes; the object can be created again.
  BOOL DeleteObject();
  bool IsCreated() const { return created_; }

 protected:
  bool created_ = false;
};

class CFont : public CGdiObject {
 public:
  BOOL CreateFontIndirect(const LOGFONT* description);
  const LOGFONT& GetLogFont() const { return font_; }

 private:
  LOGFONT font_;
};

class CPen : public CGdiObject {
 public:
  CPen() = default;
  CPen(int style, int width, COLORREF colour) { CreatePen(style, width, colour); }
  BOOL CreatePen(int style, int width, COLORREF colour);
  // Geometric pens take their colour from a brush description.
  BOOL CreatePen(int style, int width, const LOGBRUSH* brush);
  int GetStyle() const { return style_; }
  int GetWidth() const { return width_; }
  COLORREF GetColor() const { return colour_; }

 private:
  int style_ = PS_SOLID;
  int width_ = 1;
  COLORREF colour_ = 0;
};

class CBrush : public CGdiObject {
 public:
  CBrush() = default;
  explicit CBrush(COLORREF colour) { CreateSolidBrush(colour); }
  BOOL CreateSolidBrush(COLORREF colour);
  COLORREF GetColor() const { return colour_; }

 private:
  COLORREF colour_ = RGB(255, 255, 255);
};

// The system's stock objects: shared, never deleted.
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;
constexpr int DEFAULT_GUI_FONT = 17;
// Null for a number that names no stock object.
CGdiObject* GetStockObject(int index);

// System colours of the classic look.
constexpr int COLOR_BTNFACE = 15;
constexpr int COLOR_BTNSHADOW = 16;
constexpr int COLOR_BTNTEXT = 18;
constexpr int COLOR_BTNHIGHLIGHT = 20;
// Black for a number the system has no colour for.
COLORREF GetSysColor(int index);
