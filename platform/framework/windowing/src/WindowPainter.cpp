#include "brenmoor/windowing/WindowPainter.h"

#include <algorithm>
#include <cwchar>

#include "brenmoor/ui/CButton.h"
#include "brenmoor/ui/CComboBox.h"
#include "brenmoor/ui/CEdit.h"
#include "brenmoor/ui/CListCtrl.h"
#include "brenmoor/ui/CPaintDC.h"
#include "brenmoor/ui/CStatusBar.h"
#include "brenmoor/ui/CStatic.h"
#include "brenmoor/gdi/RasterSurface.h"
#include "brenmoor/windowing/WindowSystem.h"

namespace {

constexpr COLORREF kFace = RGB(212, 208, 200);
constexpr COLORREF kHighlight = RGB(255, 255, 255);
constexpr COLORREF kLight = RGB(232, 230, 226);
constexpr COLORREF kShadow = RGB(128, 128, 128);
constexpr COLORREF kDarkShadow = RGB(64, 64, 64);
constexpr COLORREF kWindow = RGB(255, 255, 255);
constexpr COLORREF kText = RGB(0, 0, 0);
constexpr COLORREF kGrayText = RGB(128, 128, 128);
constexpr COLORREF kCaption = RGB(10, 36, 106);
constexpr COLORREF kCaptionText = RGB(255, 255, 255);
constexpr int kTabWidth = 48;  // 32 dialog units
constexpr int kLineHeight = 13;

LOGFONT DialogFont(bool bold) {
  LOGFONT font;
  font.lfHeight = -11;
  font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  std::wcsncpy(font.lfFaceName, L"Tahoma", LF_FACESIZE - 1);
  return font;
}

class Painter {
 public:
  Painter(CDC& dc, const WindowState& state, CRect area)
      : dc_(dc), state_(state), area_(area), enabled_((state.style & WS_DISABLED) == 0) {
    const LOGFONT description = DialogFont(false);
    font_.CreateFontIndirect(&description);
    previous_ = dc_.SelectObject(&font_);
    dc_.SetBkMode(TRANSPARENT);
  }
  ~Painter() { dc_.SelectObject(previous_); }
  Painter(const Painter&) = delete;
  Painter& operator=(const Painter&) = delete;

  void Sunken(CRect box, COLORREF inside) {
    dc_.Draw3dRect(box, kShadow, kHighlight);
    dc_.Draw3dRect(Inset(box, 1), kDarkShadow, kLight);
    dc_.FillSolidRect(Inset(box, 2), inside);
  }
  void Raised(CRect box, bool pushed) {
    if (pushed) {
      dc_.Draw3dRect(box, kDarkShadow, kHighlight);
      dc_.Draw3dRect(Inset(box, 1), kShadow, kLight);
    } else {
      dc_.Draw3dRect(box, kHighlight, kDarkShadow);
      dc_.Draw3dRect(Inset(box, 1), kLight, kShadow);
    }
    dc_.FillSolidRect(Inset(box, 2), kFace);
  }
  // One line of text, cut where it would leave the box; tabs go to the next stop.
  void Text(const std::wstring& line, int x, int y, int right, COLORREF colour) {
    dc_.SetTextColor(enabled_ ? colour : kGrayText);
    int at = x;
    std::size_t start = 0;
    while (start <= line.size()) {
      const std::size_t tab = std::min(line.find(L'\t', start), line.size());
      at = Run(line.substr(start, tab - start), at, y, right);
      if (tab == line.size()) break;
      at = x + ((at - x) / kTabWidth + 1) * kTabWidth;
      start = tab + 1;
    }
  }
  int Width(const std::wstring& text) { return dc_.GetTextExtent(CString(text)).cx; }
  CDC& Dc() { return dc_; }
  const WindowState& State() const { return state_; }
  const CRect& Area() const { return area_; }
  bool Enabled() const { return enabled_; }
  static CRect Inset(CRect box, int by) { return {box.left + by, box.top + by, box.right - by, box.bottom - by}; }

 private:
  int Run(const std::wstring& text, int x, int y, int right) {
    std::size_t fits = text.size();
    while (fits > 0 && x + Width(text.substr(0, fits)) > right) --fits;
    if (fits > 0) dc_.TextOut(x, y, CString(text.substr(0, fits)));
    return x + (fits > 0 ? Width(text.substr(0, fits)) : 0);
  }

  CDC& dc_;
  const WindowState& state_;
  CRect area_;
  bool enabled_;
  CFont font_;
  CFont* previous_ = nullptr;
};

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

void PaintDialog(Painter& painter) {
  CDC& dc = painter.Dc();
  const CRect& box = painter.Area();
  dc.Draw3dRect(box, kLight, kDarkShadow);
  dc.Draw3dRect(Painter::Inset(box, 1), kHighlight, kShadow);
  dc.FillSolidRect(Painter::Inset(box, 2), kFace);
  const CRect& insets = painter.State().clientInsets;
  if (insets.top > insets.left) {
    dc.FillSolidRect({insets.left, insets.left, box.right - insets.right, insets.top - 1}, kCaption);
    CFont bold;
    const LOGFONT description = DialogFont(true);
    bold.CreateFontIndirect(&description);
    CFont* previous = dc.SelectObject(&bold);
    painter.Text(painter.State().text.Str(), insets.left + 4, insets.left + 3, box.right - insets.right - 4,
                 kCaptionText);
    dc.SelectObject(previous);
  }
}

// The owner of an owner-drawn button draws it, on the button's own place.
void AskOwnerToDraw(Painter& painter, UINT state) {
  DRAWITEMSTRUCT item;
  item.CtlType = ODT_BUTTON;
  item.CtlID = static_cast<UINT>(painter.State().id);
  item.itemAction = ODA_DRAWENTIRE;
  item.itemState = ((state & BST_PUSHED) != 0 ? ODS_SELECTED : 0) | ((state & BST_FOCUS) != 0 ? ODS_FOCUS : 0) |
                   (painter.Enabled() ? 0 : ODS_DISABLED);
  item.hwndItem = painter.State().handle;
  item.hDC = &painter.Dc();
  item.rcItem = painter.Area();
  SendMessage(painter.State().parent, WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
}

void PaintButton(Painter& painter) {
  CDC& dc = painter.Dc();
  const CRect& box = painter.Area();
  const DWORD type = painter.State().style & BS_TYPEMASK;
  const auto state = static_cast<UINT>(SendMessage(painter.State().handle, BM_GETSTATE));
  if (type == BS_OWNERDRAW) {
    AskOwnerToDraw(painter, state);
    return;
  }
  const std::wstring& label = painter.State().text.Str();
  if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX) {
    const int top = box.top + (box.Height() - 13) / 2;
    const CRect square{box.left, top, box.left + 13, top + 13};
    painter.Sunken(square, painter.Enabled() ? kWindow : kFace);
    if ((state & BST_CHECKED) != 0) {
      for (int stroke = 0; stroke < 3; ++stroke) {
        const CPoint tick[] = {{square.left + 3, top + 5 + stroke}, {square.left + 5, top + 7 + stroke},
                               {square.left + 10, top + 2 + stroke}};
        CPen pen(PS_SOLID, 1, painter.Enabled() ? kText : kGrayText);
        CPen* previous = dc.SelectObject(&pen);
        dc.Polyline(tick, 3);
        dc.SelectObject(previous);
      }
    }
    painter.Text(label, box.left + 17, box.top + (box.Height() - kLineHeight) / 2, box.right, kText);
    return;
  }
  CRect face = box;
  if (type == BS_DEFPUSHBUTTON) {
    dc.Draw3dRect(box, kText, kText);
    face = Painter::Inset(box, 1);
  }
  painter.Raised(face, (state & BST_PUSHED) != 0);
  const int width = painter.Width(label);
  painter.Text(label, face.left + std::max(2, (face.Width() - width) / 2), face.top + (face.Height() - kLineHeight) / 2,
               face.right - 2, kText);
}

void PaintEdit(Painter& painter) {
  const CRect& box = painter.Area();
  const bool readOnly = (painter.State().style & ES_READONLY) != 0;
  painter.Sunken(box, painter.Enabled() && !readOnly ? kWindow : kFace);
  int y = box.top + 3;
  for (const std::wstring& line : Lines(painter.State().text.Str())) {
    if (y + kLineHeight > box.bottom - 2) break;
    painter.Text(line, box.left + 4, y, box.right - 3, kText);
    y += kLineHeight;
  }
}

void PaintCombo(Painter& painter) {
  const CRect& box = painter.Area();
  painter.Sunken(box, painter.Enabled() ? kWindow : kFace);
  const CRect button{box.right - 2 - CComboBox::kButtonWidth, box.top + 2, box.right - 2, box.bottom - 2};
  painter.Raised(button, false);
  const int x = button.left + button.Width() / 2;
  const int y = button.top + button.Height() / 2 - 1;
  for (int row = 0; row < 4; ++row) {
    painter.Dc().FillSolidRect({x - 3 + row, y - 1 + row, x + 4 - row, y + row}, kText);
  }
  painter.Text(painter.State().text.Str(), box.left + 4, box.top + (box.Height() - kLineHeight) / 2, button.left - 1,
               kText);
}

void PaintStatic(Painter& painter) {
  const CRect& box = painter.Area();
  int y = box.top;
  for (const std::wstring& line : Lines(painter.State().text.Str())) {
    painter.Text(line, box.left, y, box.right, kText);
    y += kLineHeight;
  }
}

// The list's rows under its header, in the order the header shows the columns.
void PaintList(Painter& painter) {
  const CRect& box = painter.Area();
  painter.Sunken(box, kWindow);
  const HWND list = painter.State().handle;
  const auto header = reinterpret_cast<HWND>(SendMessage(list, LVM_GETHEADER));
  const int columns = static_cast<int>(SendMessage(header, HDM_GETITEMCOUNT));
  std::vector<int> order(static_cast<std::size_t>(columns));
  SendMessage(list, LVM_GETCOLUMNORDERARRAY, order.size(), reinterpret_cast<LPARAM>(order.data()));
  const int rows = static_cast<int>(SendMessage(list, LVM_GETITEMCOUNT));
  const CRect headerBox = GetWindowRect(header);
  for (int row = 0, y = box.top + 2 + headerBox.Height() + 1; row < rows && y + kLineHeight < box.bottom; ++row) {
    int x = box.left + 2;
    for (int column : order) {
      const int width = static_cast<int>(SendMessage(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column)));
      wchar_t text[260];
      LVITEM item;
      item.iSubItem = column;
      item.pszText = text;
      item.cchTextMax = 260;
      SendMessage(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
      painter.Text(text, x + 4, y, std::min<int>(x + width - 2, box.right - 2), kText);
      x += width;
    }
    y += kLineHeight + 3;
  }
}

void PaintHeader(Painter& painter) {
  const CRect& box = painter.Area();
  const HWND list = GetParent(painter.State().handle);
  const int columns = static_cast<int>(SendMessage(painter.State().handle, HDM_GETITEMCOUNT));
  std::vector<int> order(static_cast<std::size_t>(columns));
  SendMessage(list, LVM_GETCOLUMNORDERARRAY, order.size(), reinterpret_cast<LPARAM>(order.data()));
  int x = box.left;
  for (int column : order) {
    wchar_t heading[260];
    LVCOLUMN description;
    description.mask = LVCF_TEXT | LVCF_WIDTH;
    description.pszText = heading;
    description.cchTextMax = 260;
    SendMessage(list, LVM_GETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&description));
    const CRect cell{x, box.top, std::min<int>(x + description.cx, box.right), box.bottom};
    if (cell.IsRectEmpty()) break;
    painter.Raised(cell, false);
    painter.Text(heading, cell.left + 5, cell.top + (cell.Height() - kLineHeight) / 2, cell.right - 3, kText);
    x += description.cx;
  }
  if (x < box.right) painter.Raised({x, box.top, box.right, box.bottom}, false);
}

void PaintOne(HWND window, CDC& dc, CPoint origin) {
  const WindowState& state = *FindWindowState(window);
  const CRect area{0, 0, state.windowRect.Width(), state.windowRect.Height()};
  const CPoint previous = dc.SetViewportOrg(origin.x, origin.y);
  Painter painter(dc, state, area);
  const std::wstring& name = state.className;
  if (name == kDialogClass) PaintDialog(painter);
  else if (name == kButtonClass) PaintButton(painter);
  else if (name == kEditClass) PaintEdit(painter);
  else if (name == kComboBoxClass) PaintCombo(painter);
  else if (name == kStaticClass) PaintStatic(painter);
  else if (name == kListViewClass) PaintList(painter);
  else if (name == kHeaderClass) PaintHeader(painter);
  else if (name == kStatusBarClass) {
    const PaintTarget target(window, dc.Surface(), origin);
    SendMessage(window, WM_PAINT);
  } else {
    dc.SetViewportOrg(origin.x + state.clientInsets.left, origin.y + state.clientInsets.top);
    SendMessage(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(&dc));
  }
  dc.SetViewportOrg(previous.x, previous.y);
}

void PaintTree(HWND window, CDC& dc, CPoint corner) {
  const CRect own = GetWindowRect(window);
  PaintOne(window, dc, {own.left - corner.x, own.top - corner.y});
  const std::vector<HWND> children = GetChildren(window);
  // The bottom of the Z order first, so windows on top cover it.
  for (auto child = children.rbegin(); child != children.rend(); ++child) {
    if ((GetStyle(*child) & WS_VISIBLE) != 0) PaintTree(*child, dc, corner);
  }
}

}  // namespace

void PaintWindow(HWND window, CDC& dc) {
  if (!IsWindow(window)) return;
  const CRect own = GetWindowRect(window);
  const CPoint base = dc.GetViewportOrg();
  PaintTree(window, dc, {own.left - base.x, own.top - base.y});
}

bool RenderWindowToPng(HWND window, const std::string& pngFile) {
  if (!IsWindow(window)) return false;
  const CRect own = GetWindowRect(window);
  RasterSurface surface(std::max(1, static_cast<int>(own.Width())), std::max(1, static_cast<int>(own.Height())), kFace);
  CDC dc(surface);
  PaintWindow(window, dc);
  return surface.WritePng(pngFile);
}
