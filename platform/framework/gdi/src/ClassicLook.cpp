#include "brenmoor/gdi/ClassicLook.h"

#include <algorithm>
#include <cwchar>

namespace classic {

namespace {

constexpr int kTabStop = 48;  // 32 dialog units

}  // namespace

LOGFONT DialogFont(bool bold) {
  LOGFONT font;
  font.lfHeight = -11;
  font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  std::wcsncpy(font.lfFaceName, L"Tahoma", LF_FACESIZE - 1);
  return font;
}

std::vector<std::wstring> Lines(const std::wstring& text) {
  std::vector<std::wstring> lines{L""};
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') {
      lines.emplace_back();
      ++i;
    } else {
      lines.back() += text[i];
    }
  }
  return lines;
}

LabelText Unmarked(const std::wstring& text) {
  LabelText label;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'&' && i + 1 < text.size()) {
      ++i;
      if (text[i] != L'&' && label.mnemonic == std::wstring::npos) label.mnemonic = label.shown.size();
    }
    label.shown += text[i];
  }
  return label;
}

Painter::Painter(CDC& dc, CRect area, bool enabled) : dc_(dc), area_(area), enabled_(enabled) {
  const LOGFONT description = DialogFont(false);
  font_.CreateFontIndirect(&description);
  previous_ = dc_.SelectObject(&font_);
  dc_.SetBkMode(TRANSPARENT);
}

Painter::~Painter() { dc_.SelectObject(previous_); }

void Painter::Sunken(CRect box, COLORREF inside) {
  dc_.Draw3dRect(box, kShadow, kHighlight);
  dc_.Draw3dRect(Inset(box, 1), kDarkShadow, kLight);
  dc_.FillSolidRect(Inset(box, 2), inside);
}

void Painter::Raised(CRect box, bool pushed) {
  if (pushed) {
    dc_.Draw3dRect(box, kDarkShadow, kHighlight);
    dc_.Draw3dRect(Inset(box, 1), kShadow, kLight);
  } else {
    dc_.Draw3dRect(box, kHighlight, kDarkShadow);
    dc_.Draw3dRect(Inset(box, 1), kLight, kShadow);
  }
  dc_.FillSolidRect(Inset(box, 2), kFace);
}

void Painter::Text(const std::wstring& line, int x, int y, int right, COLORREF colour) {
  dc_.SetTextColor(enabled_ ? colour : kGrayText);
  int at = x;
  std::size_t start = 0;
  while (start <= line.size()) {
    const std::size_t tab = std::min(line.find(L'\t', start), line.size());
    at = Run(line.substr(start, tab - start), at, y, right);
    if (tab == line.size()) break;
    at = x + ((at - x) / kTabStop + 1) * kTabStop;
    start = tab + 1;
  }
}

int Painter::Width(const std::wstring& text) { return dc_.GetTextExtent(CString(text)).cx; }

void Painter::Label(const std::wstring& text, int x, int y, int right, COLORREF colour) {
  const LabelText label = Unmarked(text);
  Text(label.shown, x, y, right, colour);
  if (label.mnemonic == std::wstring::npos) return;
  const int from = x + Width(label.shown.substr(0, label.mnemonic));
  const int to = std::min(right, x + Width(label.shown.substr(0, label.mnemonic + 1)));
  if (from < to) dc_.FillSolidRect({from, y + kLineHeight - 1, to, y + kLineHeight}, enabled_ ? colour : kGrayText);
}

void Painter::FocusRect(CRect box) {
  for (int x = box.left; x < box.right; x += 2) {
    dc_.SetPixel(x, box.top, kText);
    dc_.SetPixel(x, box.bottom - 1, kText);
  }
  for (int y = box.top; y < box.bottom; y += 2) {
    dc_.SetPixel(box.left, y, kText);
    dc_.SetPixel(box.right - 1, y, kText);
  }
}

void Painter::Caret(int x, int y) { dc_.FillSolidRect({x, y, x + 1, y + kLineHeight}, kText); }

void Painter::Arrow(int x, int top, bool up, COLORREF colour) {
  for (int row = 0; row < 4; ++row) {
    const int half = 3 - row;
    const int y = up ? top + 3 - row : top + row;
    dc_.FillSolidRect({x - half, y, x + half + 1, y + 1}, colour);
  }
}

int Painter::Run(const std::wstring& text, int x, int y, int right) {
  std::size_t fits = text.size();
  while (fits > 0 && x + Width(text.substr(0, fits)) > right) --fits;
  if (fits > 0) dc_.TextOut(x, y, CString(text.substr(0, fits)));
  return x + (fits > 0 ? Width(text.substr(0, fits)) : 0);
}

}  // namespace classic
