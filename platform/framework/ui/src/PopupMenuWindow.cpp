#include "brenmoor/ui/PopupMenuWindow.h"

#include <algorithm>

#include "brenmoor/gdi/ClassicLook.h"
#include "brenmoor/windowing/WindowPainter.h"
#include "brenmoor/windowing/CMenu.h"

namespace {

// Dialog units.
constexpr int kRowHeight = 10;
constexpr int kSeparatorHeight = 5;
// Pixels.
constexpr int kGutter = 18;
constexpr int kArrowSpace = 20;
constexpr int kAcceleratorGap = 24;
// A row tells its menu that the mouse is over it.
constexpr UINT kRowHovered = WM_USER + 1;

// The rows are buttons that also say when the mouse moves over them.
LRESULT RowProcedure(HWND row, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_MOUSEMOVE) ::SendMessage(GetParent(row), kRowHovered, static_cast<WPARAM>(GetDlgCtrlID(row)));
  return CallClassProcedure(row, message, wParam, lParam);
}

bool IsGrayed(UINT state) { return (state & (MF_GRAYED | MF_DISABLED)) != 0; }

void Tick(CDC& dc, CPoint at, COLORREF colour) {
  CPen pen(PS_SOLID, 1, colour);
  CPen* previous = dc.SelectObject(&pen);
  for (int stroke = 0; stroke < 3; ++stroke) {
    const CPoint tick[] = {{at.x, at.y + 2 + stroke}, {at.x + 2, at.y + 4 + stroke}, {at.x + 7, at.y - 1 + stroke}};
    dc.Polyline(tick, 3);
  }
  dc.SelectObject(previous);
}

void Arrow(CDC& dc, CPoint at, COLORREF colour) {
  const CPoint corners[] = {{at.x, at.y - 4}, {at.x + 4, at.y}, {at.x, at.y + 4}};
  DrawFilledPolygon(dc, corners, colour, colour);
}

}  // namespace

BEGIN_MESSAGE_MAP(CPopupMenuWindow, CBuiltInDialog)
  MessageEntry<&CPopupMenuWindow::HandleKeyDown>(WM_KEYDOWN),
  MessageEntry<&CPopupMenuWindow::HandleRowHovered>(kRowHovered),
END_MESSAGE_MAP()

std::vector<CPopupMenuWindow::Row> CPopupMenuWindow::RowsOf(HMENU menu) {
  std::vector<Row> rows;
  const int count = GetMenuItemCount(menu);
  for (int position = 0; position < count; ++position) {
    const auto index = static_cast<UINT>(position);
    const UINT state = GetMenuState(menu, index, MF_BYPOSITION);
    CString text;
    CMenu::FromHandle(menu)->GetMenuString(index, text, MF_BYPOSITION);
    const std::wstring& all = text.Str();
    const std::size_t tab = all.find(L'\t');
    Row row{kSeparatorRow, all.substr(0, tab), tab == std::wstring::npos ? L"" : all.substr(tab + 1),
            state, nullptr};
    if ((state & MF_POPUP) != 0) {
      row.id = kFirstPopupRow + position;
      row.popup = GetSubMenu(menu, position);
    } else if ((state & MF_SEPARATOR) == 0) {
      row.id = static_cast<int>(GetMenuItemID(menu, position));
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

DialogTemplate CPopupMenuWindow::LayOut(const std::vector<Row>& rows) {
  const DialogTextMeasure measure;
  int texts = 0;
  int accelerators = 0;
  for (const Row& row : rows) {
    texts = std::max(texts, measure.Width(classic::Unmarked(row.text).shown));
    accelerators = std::max(accelerators, measure.Width(row.accelerator));
  }
  const int pixels = kGutter + texts + (accelerators > 0 ? kAcceleratorGap + accelerators : 0) + kArrowSpace;
  const int width = MulDiv(pixels, 4, 6);
  DialogTemplate layout{L"", {}, WS_BORDER, {}};
  int top = 0;
  for (const Row& row : rows) {
    const bool separator = row.id == kSeparatorRow;
    const int bottom = top + (separator ? kSeparatorHeight : kRowHeight);
    // The row's text, never drawn by the row itself, gives the dialog its mnemonic.
    DialogItemTemplate item = Picture(row.id, {0, top, width, bottom}, !separator && !IsGrayed(row.state));
    item.text = CString(row.text);
    layout.items.push_back(std::move(item));
    top = bottom;
  }
  layout.rect = {0, 0, width, top};
  return layout;
}

CPopupMenuWindow::CPopupMenuWindow(HMENU menu, CPoint at)
    : CBuiltInDialog(kPopupMenuWindow, LayOut(RowsOf(menu))), rows_(RowsOf(menu)), at_(at) {}

BOOL CPopupMenuWindow::OnInitDialog() {
  for (HWND row : GetChildren(m_hWnd)) SetWindowProcedure(row, &RowProcedure);
  const CRect place = ::GetWindowRect(m_hWnd);
  ::MoveWindow(m_hWnd, {at_.x, at_.y, at_.x + place.Width(), at_.y + place.Height()});
  ::SetFocus(m_hWnd);
  return false;
}

const CPopupMenuWindow::Row* CPopupMenuWindow::RowWithId(int id) const {
  const auto found = std::find_if(rows_.begin(), rows_.end(), [id](const Row& row) { return row.id == id; });
  return found != rows_.end() ? &*found : nullptr;
}

// A click leaves the keys with the menu, as they stay while a menu is open.
BOOL CPopupMenuWindow::OnCommand(WPARAM wParam, LPARAM) {
  const int id = LOWORD(wParam);
  ::SetFocus(m_hWnd);
  if (HIWORD(wParam) != BN_CLICKED || id == kSeparatorRow) return true;
  if (const Row* row = RowWithId(id)) Activate(static_cast<std::size_t>(row - rows_.data()));
  return true;
}

void CPopupMenuWindow::Activate(std::size_t row) {
  const Row& picked = rows_[row];
  if (picked.id == kSeparatorRow || IsGrayed(picked.state)) return;
  if (picked.popup == nullptr) return EndDialog(picked.id);
  const CRect shown = ::GetWindowRect(::GetDlgItem(m_hWnd, picked.id));
  if (const UINT command = RunPopupMenuWindow(picked.popup, {shown.right, shown.top})) {
    EndDialog(static_cast<int>(command));
  }
}

void CPopupMenuWindow::SetHot(int row) {
  if (row == hot_) return;
  hot_ = row;
  for (HWND child : GetChildren(m_hWnd)) ::InvalidateRect(child, nullptr, true);
}

void CPopupMenuWindow::MoveHot(int step) {
  const int count = static_cast<int>(rows_.size());
  int next = hot_;
  for (int tried = 0; tried < count; ++tried) {
    next = next < 0 ? (step > 0 ? 0 : count - 1) : (next + step + count) % count;
    if (rows_[static_cast<std::size_t>(next)].id != kSeparatorRow) return SetHot(next);
  }
}

// Over a separator nothing is highlighted.
LRESULT CPopupMenuWindow::HandleRowHovered(WPARAM id, LPARAM) {
  const Row* row = static_cast<int>(id) != kSeparatorRow ? RowWithId(static_cast<int>(id)) : nullptr;
  SetHot(row != nullptr ? static_cast<int>(row - rows_.data()) : -1);
  return 0;
}

LRESULT CPopupMenuWindow::HandleKeyDown(WPARAM key, LPARAM) {
  switch (key) {
    case VK_DOWN: MoveHot(1); break;
    case VK_UP: MoveHot(-1); break;
    case VK_RETURN:
    case VK_RIGHT:
      if (hot_ >= 0) Activate(static_cast<std::size_t>(hot_));
      break;
    case VK_ESCAPE:
    case VK_LEFT: EndDialog(0); break;
    default: break;
  }
  return 0;
}

void CPopupMenuWindow::DrawPicture(int id, CDC& dc, const CRect& box) {
  using namespace classic;
  Painter painter(dc, box, true);
  if (id == kSeparatorRow) {
    const int middle = box.top + box.Height() / 2 - 1;
    dc.Draw3dRect({box.left + 1, middle, box.right - 1, middle + 2}, kShadow, kHighlight);
    return;
  }
  const Row* row = RowWithId(id);
  if (row == nullptr) return;
  const bool hot = hot_ >= 0 && rows_[static_cast<std::size_t>(hot_)].id == id;
  dc.FillSolidRect(box, hot ? kCaption : kFace);
  const bool grayed = IsGrayed(row->state);
  const COLORREF ink = grayed ? kGrayText : (hot ? kCaptionText : kText);
  const int y = box.top + (box.Height() - kLineHeight) / 2;
  auto write = [&](const std::wstring& text, int x) {
    if (grayed && !hot) painter.Label(text, x + 1, y + 1, box.right, kHighlight);
    painter.Label(text, x, y, box.right, ink);
  };
  if ((row->state & MF_CHECKED) != 0) Tick(dc, {box.left + 5, y + 4}, ink);
  write(row->text, box.left + kGutter);
  if (!row->accelerator.empty()) {
    write(row->accelerator, box.right - kArrowSpace - painter.LabelWidth(row->accelerator));
  }
  if (row->popup != nullptr) Arrow(dc, {box.right - 12, box.top + box.Height() / 2}, ink);
}

UINT RunPopupMenuWindow(HMENU menu, CPoint at) {
  CPopupMenuWindow window(menu, at);
  return static_cast<UINT>(window.DoModal());
}
