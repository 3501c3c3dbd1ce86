#include "brenmoor/win/EmulatorLayout.h"

#include "brenmoor/win/CellAttributes.h"
#include "brenmoor/win/ScreenCharRenderer.h"
#include "brenmoor/win/WinUtils.h"

namespace {

enum Colour {
  kText,
  kBackground,
  kSubduedText,
  kUnderlinedText,
  kBlinkingText,
  kSelectedText,
  kSelectedBack
};

struct StyleRow {
  int key;
  Colour text;
  Colour back;
  bool underlined;
};

// Subdued and blinking together have no style of their own: GetStyle falls back to 0.
constexpr StyleRow kStyleTable[] = {
    {video::kNormal, kText, kBackground, false},
    {video::kSubdued, kSubduedText, kBackground, false},
    {video::kUnderlined, kUnderlinedText, kBackground, true},
    {video::kBlinking, kBlinkingText, kBackground, false},
    {video::kSubdued | video::kUnderlined, kSubduedText, kBackground, true},
    {video::kUnderlined | video::kBlinking, kBlinkingText, kBackground, true},
    {video::kReverse, kBackground, kText, false},
    {video::kReverse | video::kSubdued, kBackground, kSubduedText, false},
    {video::kReverse | video::kUnderlined, kBackground, kUnderlinedText, true},
    {video::kReverse | video::kBlinking, kBackground, kBlinkingText, false},
    {video::kReverse | video::kSubdued | video::kUnderlined, kBackground, kSubduedText, true},
    {video::kReverse | video::kUnderlined | video::kBlinking, kBackground, kBlinkingText, true},
    {video::kSelected, kSelectedText, kSelectedBack, false},
    {video::kSelected | video::kUnderlined, kSelectedText, kSelectedBack, true},
    {video::kSelected | video::kReverse, kSelectedBack, kSelectedText, false},
    {video::kSelected | video::kReverse | video::kUnderlined, kSelectedBack, kSelectedText, true},
};

}  // namespace

EmulatorLayout::~EmulatorLayout() = default;

FontStyle* EmulatorLayout::GetStyle(int mode) {
  FontStyle* style = Find(mode);
  return style != nullptr ? style : Find(video::kNormal);
}

FontStyle* EmulatorLayout::GetSelStyle(int mode) {
  FontStyle* style = Find((mode | video::kSelected) & video::kSelectedKeyMask);
  return style != nullptr ? style : Find(video::kNormal);
}

void EmulatorLayout::UpdateStyle(int mode, COLORREF textColor, COLORREF backColor, CFont* font) {
  for (int key : {mode, mode | video::kBold}) {
    auto& style = styles_[key];
    if (style) {
      style->SetStyle(textColor, backColor, font);
    } else {
      style = std::make_unique<FontStyle>(key, textColor, backColor, font);
      if (const int slot = Slot(key); slot >= 0) byAttributes_[static_cast<std::size_t>(slot)] = style.get();
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
