#include "EmulatorLayout.h"

#include "ScreenCharRenderer.h"
#include "WinUtils.h"

namespace {

constexpr int kBold = 0x01;
constexpr int kSelected = 0x1000;
// Selected styles keep bold, underlined and reverse.
constexpr int kSelectedKeyMask = 0x1015;

enum Colour { kText, kBackground, kSubdued, kUnderlined, kBlinking, kSelectedText, kSelectedBack };

struct StyleRow {
  int key;
  Colour text;
  Colour back;
  bool underlined;
};

// Subdued and blinking together have no style of their own: GetStyle falls back to 0.
constexpr StyleRow kStyleTable[] = {
    {0x00, kText, kBackground, false},         {0x02, kSubdued, kBackground, false},
    {0x04, kUnderlined, kBackground, true},    {0x08, kBlinking, kBackground, false},
    {0x06, kSubdued, kBackground, true},       {0x0C, kBlinking, kBackground, true},
    {0x10, kBackground, kText, false},         {0x12, kBackground, kSubdued, false},
    {0x14, kBackground, kUnderlined, true},    {0x18, kBackground, kBlinking, false},
    {0x16, kBackground, kSubdued, true},       {0x1C, kBackground, kBlinking, true},
    {0x1000, kSelectedText, kSelectedBack, false}, {0x1004, kSelectedText, kSelectedBack, true},
    {0x1010, kSelectedBack, kSelectedText, false}, {0x1014, kSelectedBack, kSelectedText, true},
};

}  // namespace

EmulatorLayout::~EmulatorLayout() = default;

FontStyle* EmulatorLayout::GetStyle(int mode) {
  auto found = styles_.find(mode);
  if (found == styles_.end()) found = styles_.find(0);
  return found == styles_.end() ? nullptr : found->second.get();
}

FontStyle* EmulatorLayout::GetSelStyle(int mode) {
  auto found = styles_.find((mode | kSelected) & kSelectedKeyMask);
  if (found == styles_.end()) found = styles_.find(0);
  return found == styles_.end() ? nullptr : found->second.get();
}

void EmulatorLayout::UpdateStyle(int mode, COLORREF textColor, COLORREF backColor, CFont* font) {
  for (int key : {mode, mode | kBold}) {
    auto& style = styles_[key];
    if (style) {
      style->SetStyle(textColor, backColor, font);
    } else {
      style = std::make_unique<FontStyle>(key, textColor, backColor, font);
    }
  }
}

void EmulatorLayout::ChangeLayout(const COLORREF colours[7], const CString& faceName, int height,
                                  bool bold, bool italic) {
  bkColor_ = colours[kBackground];
  for (const StyleRow& row : kStyleTable) {
    UpdateStyle(row.key, colours[row.text], colours[row.back],
                row.underlined ? &underlineFont_ : &normalFont_);
  }
  normalFont_.DeleteObject();
  underlineFont_.DeleteObject();
  charSize_ = WinUtils::CreateFontW(&normalFont_, faceName, height, bold, false, italic);
  WinUtils::CreateFontW(&underlineFont_, faceName, height, bold, true, italic);
  ScreenCharRenderer::Instance()->SetFontBounds(charSize_);
}
