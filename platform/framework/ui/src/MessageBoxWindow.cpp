#include "brenmoor/ui/MessageBoxWindow.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <cwchar>

#include "brenmoor/gdi/ClassicLook.h"
#include "brenmoor/windowing/Screen.h"

namespace {

constexpr int kIconUnits = 20;
constexpr int kMargin = 10;  // dialog units
constexpr int kButtonWidth = 50;
constexpr int kButtonHeight = 14;
constexpr int kButtonGap = 4;
constexpr int kIconPixels = 32;
// The ids the system gives the message box's icon and text.
constexpr int kIconId = 20;
constexpr int kTextId = 0xFFFF;

struct ButtonText {
  int id;
  const wchar_t* text;
};

std::span<const ButtonText> ButtonsOf(UINT type) {
  static constexpr ButtonText ok[] = {{IDOK, L"OK"}};
  static constexpr ButtonText okCancel[] = {{IDOK, L"OK"}, {IDCANCEL, L"Cancel"}};
  static constexpr ButtonText abortRetryIgnore[] = {{IDABORT, L"Abort"}, {IDRETRY, L"Retry"}, {IDIGNORE, L"Ignore"}};
  static constexpr ButtonText yesNoCancel[] = {{IDYES, L"Yes"}, {IDNO, L"No"}, {IDCANCEL, L"Cancel"}};
  static constexpr ButtonText yesNo[] = {{IDYES, L"Yes"}, {IDNO, L"No"}};
  static constexpr ButtonText retryCancel[] = {{IDRETRY, L"Retry"}, {IDCANCEL, L"Cancel"}};
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return okCancel;
    case MB_ABORTRETRYIGNORE: return abortRetryIgnore;
    case MB_YESNOCANCEL: return yesNoCancel;
    case MB_YESNO: return yesNo;
    case MB_RETRYCANCEL: return retryCancel;
    default: return ok;
  }
}

std::size_t DefaultButton(UINT type) {
  const std::size_t asked = (type & MB_DEFMASK) >> 8;
  return asked < ButtonsOf(type).size() ? asked : 0;
}

bool HasIcon(UINT type) { return (type & MB_ICONMASK) != 0; }

// Words go to the next line where the line would pass the widest a box may
// be; a word wider than that stays whole on a line of its own.
void WrapParagraph(const DialogTextMeasure& measure, const std::wstring& paragraph, int widest,
                   std::vector<std::wstring>& lines) {
  std::wstring line;
  std::size_t start = 0;
  while (start <= paragraph.size()) {
    std::size_t end = paragraph.find(L' ', start);
    if (end == std::wstring::npos) end = paragraph.size();
    const std::wstring word = paragraph.substr(start, end - start);
    const std::wstring longer = line.empty() ? word : line + L' ' + word;
    if (!line.empty() && measure.Width(longer) > widest) {
      lines.push_back(line);
      line = word;
    } else {
      line = longer;
    }
    start = end + 1;
  }
  lines.push_back(line);
}

CRect TextArea(std::size_t lines, int widestPixels, bool icon) {
  const int left = icon ? kMargin + kIconUnits + kMargin : kMargin;
  const int top = kMargin + (icon && lines == 1 ? 4 : 0);
  const int width = (widestPixels * 4 + 5) / 6 + 1;
  return {left, top, left + width, top + static_cast<int>(lines) * 8};
}

DialogTemplate LayOut(const CString& text, const CString& caption, UINT type) {
  const DialogTextMeasure measure;
  const std::vector<std::wstring> lines = CMessageBoxWindow::WrapText(text);
  int widest = 0;
  for (const std::wstring& line : lines) widest = std::max(widest, measure.Width(line));
  const bool icon = HasIcon(type);
  const CRect textArea = TextArea(lines.size(), widest, icon);
  const std::span<const ButtonText> buttons = ButtonsOf(type);
  const int rowWidth = static_cast<int>(buttons.size()) * (kButtonWidth + kButtonGap) - kButtonGap;
  const int width = std::max(textArea.right + kMargin, rowWidth + 2 * kMargin);
  const int buttonTop = std::max(textArea.bottom, icon ? kMargin + kIconUnits : 0) + kMargin;

  std::wstring shown = lines.front();
  for (std::size_t i = 1; i < lines.size(); ++i) shown += L"\r\n" + lines[i];
  DialogTemplate layout{caption.IsEmpty() ? CString(L"Error") : caption,
                        {0, 0, width, buttonTop + kButtonHeight + 7},
                        WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
                        {}};
  const CRect iconArea = PixelsToDialogUnits({kMargin, kMargin}, kIconPixels, kIconPixels);
  if (icon) layout.items.push_back(Picture(kIconId, iconArea, false));
  layout.items.push_back(Label(kTextId, CString(std::move(shown)), textArea));
  int left = (width - rowWidth) / 2;
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    layout.items.push_back(Button(buttons[i].id, buttons[i].text,
                                  {left, buttonTop, left + kButtonWidth, buttonTop + kButtonHeight},
                                  i == DefaultButton(type)));
    left += kButtonWidth + kButtonGap;
  }
  return layout;
}

// The icons of the classic look, drawn in a 32 by 32 box.
void Disc(CDC& dc, CPoint centre, int radius, COLORREF fill, COLORREF edge) {
  std::vector<CPoint> rim;
  for (int step = 0; step < 48; ++step) {
    const double angle = step * 2 * 3.14159265358979 / 48;
    rim.push_back({centre.x + static_cast<int>(std::lround(radius * std::cos(angle))),
                   centre.y + static_cast<int>(std::lround(radius * std::sin(angle)))});
  }
  DrawFilledPolygon(dc, rim, fill, edge);
}

void Glyph(CDC& dc, const wchar_t* glyph, CPoint centre, COLORREF colour) {
  LOGFONT description = classic::DialogFont(true);
  description.lfHeight = -22;
  std::wcsncpy(description.lfFaceName, L"Times New Roman", LF_FACESIZE - 1);
  CFont font;
  font.CreateFontIndirect(&description);
  CFont* previous = dc.SelectObject(&font);
  const CSize size = dc.GetTextExtent(glyph);
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(colour);
  dc.TextOut(centre.x - size.cx / 2, centre.y - size.cy / 2, glyph);
  dc.SelectObject(previous);
}

void Cross(CDC& dc, CPoint centre) {
  for (int sign : {1, -1}) {
    const CPoint bar[] = {{centre.x - 7, centre.y - 7 * sign + 2 * sign}, {centre.x - 5, centre.y - 7 * sign},
                          {centre.x + 7, centre.y + 7 * sign - 2 * sign}, {centre.x + 5, centre.y + 7 * sign}};
    DrawFilledPolygon(dc, bar, classic::kWindow, classic::kWindow);
  }
}

void WarningSign(CDC& dc, const CRect& box) {
  const CPoint corners[] = {{box.left + 16, box.top + 1}, {box.left + 31, box.top + 29}, {box.left + 1, box.top + 29}};
  DrawFilledPolygon(dc, corners, RGB(255, 255, 0), classic::kText);
  Glyph(dc, L"!", {box.left + 16, box.top + 18}, classic::kText);
}

}  // namespace

std::vector<std::wstring> CMessageBoxWindow::WrapText(const CString& text) {
  const DialogTextMeasure measure;
  const int widest = ScreenRect().Width() * 5 / 8 - 6 * (2 * kMargin + kIconUnits + kMargin) / 4;
  std::vector<std::wstring> lines;
  const std::wstring& all = text.Str();
  std::size_t start = 0;
  while (true) {
    const std::size_t end = all.find(L'\n', start);
    std::wstring paragraph = all.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
    if (!paragraph.empty() && paragraph.back() == L'\r') paragraph.pop_back();
    WrapParagraph(measure, paragraph, widest, lines);
    if (end == std::wstring::npos) break;
    start = end + 1;
  }
  return lines;
}

CMessageBoxWindow::CMessageBoxWindow(const CString& text, const CString& caption, UINT type)
    : CBuiltInDialog(kMessageBoxDialog, LayOut(text, caption, type)), type_(type) {}

BOOL CMessageBoxWindow::OnInitDialog() {
  ::SetFocus(::GetDlgItem(m_hWnd, ButtonsOf(type_)[DefaultButton(type_)].id));
  return false;
}

BOOL CMessageBoxWindow::OnCommand(WPARAM wParam, LPARAM) {
  const int id = LOWORD(wParam);
  for (const ButtonText& button : ButtonsOf(type_)) {
    if (button.id == id && HIWORD(wParam) == BN_CLICKED) {
      EndDialog(id);
      return true;
    }
  }
  if (id == IDCANCEL) OnCancel();
  return true;
}

// Escape answers Cancel where there is one, and OK where OK is all there is.
void CMessageBoxWindow::OnCancel() {
  for (const ButtonText& button : ButtonsOf(type_)) {
    if (button.id == IDCANCEL) return EndDialog(IDCANCEL);
  }
  if ((type_ & MB_TYPEMASK) == MB_OK) EndDialog(IDOK);
}

void CMessageBoxWindow::DrawPicture(int, CDC& dc, const CRect& box) {
  const CPoint centre{box.left + 16, box.top + 16};
  switch (type_ & MB_ICONMASK) {
    case MB_ICONERROR:
      Disc(dc, centre, 15, RGB(255, 0, 0), RGB(128, 0, 0));
      Cross(dc, centre);
      break;
    case MB_ICONWARNING:
      WarningSign(dc, box);
      break;
    case MB_ICONQUESTION:
      Disc(dc, centre, 15, classic::kWindow, classic::kText);
      Glyph(dc, L"?", centre, RGB(0, 0, 255));
      break;
    default:
      Disc(dc, centre, 15, classic::kWindow, classic::kText);
      Glyph(dc, L"i", centre, RGB(0, 0, 255));
      break;
  }
}

int RunMessageBoxWindow(const CString& text, const CString& caption, UINT type) {
  CMessageBoxWindow box(text, caption, type);
  return static_cast<int>(box.DoModal());
}
