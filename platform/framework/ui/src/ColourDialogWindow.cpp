#include "brenmoor/ui/ColourDialogWindow.h"

#include <string>

#include "brenmoor/gdi/ClassicLook.h"
#include "brenmoor/windowing/WindowPainter.h"
#include "brenmoor/ui/CColorDialog.h"
#include "brenmoor/windowing/CUser.h"

namespace {

constexpr int kColumns = 8;

CRect SwatchRect(int index) {
  const int left = 6 + (index % kColumns) * 17;
  const int top = 15 + (index / kColumns) * 14;
  return {left, top, left + 14, top + 11};
}

DialogTemplate LayOut() {
  using Self = CColourDialogWindow;
  DialogTemplate layout{L"Color", {0, 0, 220, 130}, WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, {}};
  layout.items.push_back(Label(0xFFFF, L"Basic colors:", {6, 4, 140, 12}));
  for (int index = 0; index < static_cast<int>(Self::kBasicColours.size()); ++index) {
    layout.items.push_back(Picture(Self::kFirstSwatch + index, SwatchRect(index), true));
  }
  layout.items.push_back(Picture(Self::kSample, {152, 15, 212, 52}, false));
  layout.items.push_back(Label(0xFFFF, L"Red:", {152, 62, 180, 70}));
  layout.items.push_back(Field(Self::kRed, L"", {182, 60, 212, 72}));
  layout.items.push_back(Label(0xFFFF, L"Green:", {152, 78, 180, 86}));
  layout.items.push_back(Field(Self::kGreen, L"", {182, 76, 212, 88}));
  layout.items.push_back(Label(0xFFFF, L"Blue:", {152, 94, 180, 102}));
  layout.items.push_back(Field(Self::kBlue, L"", {182, 92, 212, 104}));
  layout.items.push_back(Button(IDOK, L"OK", {6, 110, 56, 124}, true));
  layout.items.push_back(Button(IDCANCEL, L"Cancel", {62, 110, 112, 124}));
  return layout;
}

// A whole number from 0 to 255 and nothing else.
bool ReadComponent(const CString& text, int& value) {
  const std::wstring& digits = text.Str();
  const bool digitsOnly = digits.find_first_not_of(L"0123456789") == std::wstring::npos;
  if (digits.empty() || digits.size() > 3 || !digitsOnly) return false;
  value = std::stoi(digits);
  return value <= 255;
}

}  // namespace

// The basic colours of the system's colour dialog, row by row.
const std::array<COLORREF, 48> CColourDialogWindow::kBasicColours = {
    RGB(255, 128, 128), RGB(255, 255, 128), RGB(128, 255, 128), RGB(0, 255, 128),
    RGB(128, 255, 255), RGB(0, 128, 255),   RGB(255, 128, 192), RGB(255, 128, 255),
    RGB(255, 0, 0),     RGB(255, 255, 0),   RGB(128, 255, 0),   RGB(0, 255, 64),
    RGB(0, 255, 255),   RGB(0, 128, 192),   RGB(128, 128, 192), RGB(255, 0, 255),
    RGB(128, 64, 64),   RGB(255, 128, 64),  RGB(0, 255, 0),     RGB(0, 128, 128),
    RGB(0, 64, 128),    RGB(128, 128, 255), RGB(128, 0, 64),    RGB(255, 0, 128),
    RGB(128, 0, 0),     RGB(255, 128, 0),   RGB(0, 128, 0),     RGB(0, 128, 64),
    RGB(0, 0, 255),     RGB(0, 0, 160),     RGB(128, 0, 128),   RGB(128, 0, 255),
    RGB(64, 0, 0),      RGB(128, 64, 0),    RGB(0, 64, 0),      RGB(0, 64, 64),
    RGB(0, 0, 128),     RGB(0, 0, 64),      RGB(64, 0, 64),     RGB(64, 0, 128),
    RGB(0, 0, 0),       RGB(128, 128, 0),   RGB(128, 128, 64),  RGB(128, 128, 128),
    RGB(64, 128, 128),  RGB(192, 192, 192), RGB(64, 0, 64),     RGB(255, 255, 255),
};

CColourDialogWindow::CColourDialogWindow(CColorDialog& dialog)
    : CBuiltInDialog(kColourDialogWindow, LayOut()), dialog_(dialog), shown_(dialog.GetColor()) {}

BOOL CColourDialogWindow::OnInitDialog() {
  ShowColour(dialog_.GetColor());
  return true;
}

void CColourDialogWindow::ShowColour(COLORREF colour) {
  shown_ = colour;
  SetItemText(kRed, CString(std::to_wstring(GetRValue(colour))));
  SetItemText(kGreen, CString(std::to_wstring(GetGValue(colour))));
  SetItemText(kBlue, CString(std::to_wstring(GetBValue(colour))));
  RepaintSamples();
}

void CColourDialogWindow::RepaintSamples() {
  for (HWND child : GetChildren(m_hWnd)) {
    if ((::GetStyle(child) & BS_TYPEMASK) == BS_OWNERDRAW) ::InvalidateRect(child, nullptr, true);
  }
}

bool CColourDialogWindow::FieldsColour(COLORREF& colour, int& wrongField) const {
  int parts[3] = {};
  const int fields[3] = {kRed, kGreen, kBlue};
  for (int i = 0; i < 3; ++i) {
    if (!ReadComponent(ItemText(fields[i]), parts[i])) {
      wrongField = fields[i];
      return false;
    }
  }
  colour = RGB(parts[0], parts[1], parts[2]);
  return true;
}

BOOL CColourDialogWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam);
  const int swatch = id - kFirstSwatch;
  if (swatch >= 0 && swatch < static_cast<int>(kBasicColours.size()) && HIWORD(wParam) == BN_CLICKED) {
    ShowColour(kBasicColours[static_cast<std::size_t>(swatch)]);
    return true;
  }
  if ((id == kRed || id == kGreen || id == kBlue) && HIWORD(wParam) == EN_CHANGE) {
    COLORREF colour = 0;
    int wrong = 0;
    if (FieldsColour(colour, wrong) && colour != shown_) {
      shown_ = colour;
      RepaintSamples();
    }
    return true;
  }
  return CBuiltInDialog::OnCommand(wParam, lParam);
}

void CColourDialogWindow::OnOK() {
  COLORREF colour = 0;
  int wrong = 0;
  if (!FieldsColour(colour, wrong)) {
    AfxGetUser().AnswerMessageBox(L"Enter a number between 0 and 255.", L"Color", MB_OK | MB_ICONWARNING);
    ::SetFocus(::GetDlgItem(m_hWnd, wrong));
    return;
  }
  dialog_.SetCurrentColor(colour);
  EndDialog(IDOK);
}

// The swatch of the colour shown has a black frame, as the one picked.
void CColourDialogWindow::DrawPicture(int id, CDC& dc, const CRect& box) {
  using namespace classic;
  const COLORREF colour =
      id == kSample ? shown_ : kBasicColours[static_cast<std::size_t>(id - kFirstSwatch)];
  Painter painter(dc, box, true);
  if (id != kSample && colour == shown_) {
    dc.Draw3dRect(box, kText, kText);
    painter.Sunken(Painter::Inset(box, 1), colour);
  } else {
    painter.Sunken(box, colour);
  }
}

bool RunColourDialogWindow(CColorDialog& dialog) {
  CColourDialogWindow window(dialog);
  return window.DoModal() == IDOK;
}
