#include "TerminalWindow.h"

#include <algorithm>
#include <chrono>
#include <utility>

#include "brenmoor/windowing/WinMessages.h"
#include "TerminalKeys.h"
#include "TerminalLook.h"
#include "TerminalPrinting.h"
#include "brenmoor/docview/CPrintInfo.h"
#include "brenmoor/ui/CPaintDC.h"
#include "brenmoor/ui/CWinThread.h"
#include "brenmoor/ui/CWindowDC.h"
#include "brenmoor/win/WinUtils.h"
#include "brenmoor/windowing/CMenu.h"

namespace {

// The cursor is a bar across the bottom of its cell, this many pixels high.
constexpr int kCursorHeight = 2;
// What an ended command's last output may take to arrive.
constexpr int kLastOutputMilliseconds = 500;
// The screen is painted at most this often while output streams in.
constexpr auto kFrame = std::chrono::milliseconds(16);

// Lends the screen a context on the window's client area while it lives, so
// that it draws the cells it changes at once.
class ClientDrawing {
 public:
  ClientDrawing(CWnd& window, ScreenBuffer& screen) : dc_(&window), screen_(screen) {
    CRect outer;
    window.GetWindowRect(&outer);
    const CPoint client = ::GetClientOrigin(window.GetSafeHwnd());
    dc_.SetViewportOrg(client.x - outer.left, client.y - outer.top);
    screen_.SetDC(&dc_);
  }
  ~ClientDrawing() { screen_.SetDC(nullptr); }
  ClientDrawing(const ClientDrawing&) = delete;
  ClientDrawing& operator=(const ClientDrawing&) = delete;

 private:
  CWindowDC dc_;
  ScreenBuffer& screen_;
};

GridLayout& Prepared(GridLayout& layout) {
  layout.ChangeLayout(terminal_look::kColours, terminal_look::kFace, terminal_look::kHeight, false, false);
  return layout;
}

}  // namespace

BEGIN_MESSAGE_MAP(TerminalWindow, CWnd)
  MessageEntry<&TerminalWindow::OnPaint>(WM_PAINT),
  MessageEntry<&TerminalWindow::OnSize>(WM_SIZE),
  MessageEntry<&TerminalWindow::OnChar>(WM_CHAR),
  MessageEntry<&TerminalWindow::OnKeyDown>(WM_KEYDOWN),
  MessageEntry<&TerminalWindow::OnKeyUp>(WM_KEYUP),
  MessageEntry<&TerminalWindow::OnLeftButtonDown>(WM_LBUTTONDOWN),
  MessageEntry<&TerminalWindow::OnMouseMove>(WM_MOUSEMOVE),
  MessageEntry<&TerminalWindow::OnLeftButtonUp>(WM_LBUTTONUP),
  MessageEntry<&TerminalWindow::OnMiddleButtonDown>(WM_MBUTTONDOWN),
  MessageEntry<&TerminalWindow::OnContextMenu>(WM_CONTEXTMENU),
  CommandEntry<&TerminalWindow::OnCopy>(kCopyCommand),
  CommandEntry<&TerminalWindow::OnPaste>(kPasteCommand),
  CommandEntry<&TerminalWindow::OnPrint>(kPrintCommand),
END_MESSAGE_MAP()

TerminalWindow::TerminalWindow()
    : screen_(Prepared(layout_)),
      parser_(screen_, {[this](std::string_view reply) { Send(reply); }, true}) {}

// The window goes while the screen it paints still lives.
TerminalWindow::~TerminalWindow() { DestroyWindow(); }

bool TerminalWindow::Open(const std::wstring& caption, PtySession::Command command, std::string& error) {
  const CSize cell = screen_.ScreenCharSize();
  const CRect client{0, 0, command.columns * cell.cx, command.rows * cell.cy};
  if (!CreateEx(0, kGenericWindowClass, caption.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, client, nullptr, 0)) {
    error = "cannot make the terminal's window";
    return false;
  }
  // The frame goes around the cells.
  CRect outer;
  GetWindowRect(&outer);
  CRect inner;
  GetClientRect(&inner);
  MoveWindow({outer.left, outer.top, outer.left + 2 * outer.Width() - inner.Width(),
              outer.top + 2 * outer.Height() - inner.Height()});
  screen_.SetParent(this);
  FitToClient();
  command.rows = TerminalRows();
  command.columns = screen_.VisColumns();
  command.term = TerminalKeys::kTerm;
  command.erase = TerminalKeys::kBackspace;
  session_ = PtySession::Start(command, error);
  SetFocus();
  return session_ != nullptr;
}

std::optional<int> TerminalWindow::Pump() {
  if (!session_) return std::nullopt;
  // The status first: what the command wrote before it ended is then on its way.
  const std::optional<int> status = session_->ExitStatus();
  const std::string output = status ? session_->DrainToEnd(kLastOutputMilliseconds) : session_->Drain();
  if (!output.empty()) {
    parser_.Feed(output);
    Invalidate(false);
  }
  const auto now = std::chrono::steady_clock::now();
  if (status || now - lastPaint_ >= kFrame) {
    UpdateWindow(m_hWnd);
    lastPaint_ = now;
  }
  return status;
}

void TerminalWindow::WaitForOutput(int milliseconds) const {
  if (session_) session_->WaitForOutput(milliseconds);
}

std::string TerminalWindow::ScreenText() const {
  std::string text;
  std::string blankRows;
  for (int row = 0; row < screen_.VisRows(); ++row) {
    std::wstring line;
    for (int col = 0; col < screen_.VisColumns(); ++col) line += screen_.Cell(row, col)->GetValue();
    line.erase(line.find_last_not_of(L' ') + 1);
    if (line.empty()) {
      blankRows += '\n';
    } else {
      text += blankRows + CString(line).ToUtf8() + '\n';
      blankRows.clear();
    }
  }
  return text;
}

LRESULT TerminalWindow::OnPaint(WPARAM, LPARAM) {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  dc.FillSolidRect(client, screen_.GetBkColor());
  screen_.Refresh(&dc);
  DrawCursor(dc);
  return 0;
}

void TerminalWindow::DrawCursor(CDC& dc) {
  const CSize cell = screen_.ScreenCharSize();
  // A cursor waiting to wrap stays on the last column.
  const int col = std::min(screen_.GetCol(), screen_.VisColumns()) - 1;
  const int bottom = layout_.RowToY(screen_.GetRow() - 1) + cell.cy;
  const int left = layout_.ColumnToX(col);
  dc.FillSolidRect({left, bottom - kCursorHeight, left + cell.cx, bottom}, terminal_look::kColours[0]);
}

LRESULT TerminalWindow::OnSize(WPARAM, LPARAM) {
  FitToClient();
  return 0;
}

void TerminalWindow::FitToClient() {
  CRect client;
  GetClientRect(&client);
  const CSize cell = screen_.ScreenCharSize();
  const LONG rows = std::max<LONG>(1, client.Height() / cell.cy);
  const LONG columns = std::max<LONG>(1, client.Width() / cell.cx);
  screen_.SetWindowSize(rows, columns, true);
  if (session_) session_->Resize(TerminalRows(), screen_.VisColumns());
  Invalidate(false);
}

LRESULT TerminalWindow::OnChar(WPARAM wParam, LPARAM) {
  Send(TerminalKeys::CharacterBytes(static_cast<wchar_t>(wParam)));
  return 0;
}

LRESULT TerminalWindow::OnKeyDown(WPARAM wParam, LPARAM) {
  const auto key = static_cast<UINT>(wParam);
  if (key == VK_SHIFT) shift_ = true;
  if (key == VK_CONTROL) control_ = true;
  if (key == VK_INSERT && shift_) {
    OnPaste();
  } else if (key == VK_INSERT && control_) {
    OnCopy();
  } else {
    Send(TerminalKeys::KeySequence(key, screen_.GetCursorKeyMode()));
  }
  return 0;
}

LRESULT TerminalWindow::OnKeyUp(WPARAM wParam, LPARAM) {
  if (wParam == VK_SHIFT) shift_ = false;
  if (wParam == VK_CONTROL) control_ = false;
  return 0;
}

// Programs are told the rows the cursor can be put on, the buffer's terminal
// rows: a taller window shows more of what scrolls past, and a full-screen
// program that addressed its last rows below them would draw them all on
// the 24th. They are told the columns text wraps at, which line editors
// count on; cursor addressing reaches only the terminal's 80 or 132.
int TerminalWindow::TerminalRows() const { return screen_.NumRows(); }

CursorPos TerminalWindow::CellAt(CPoint point) const {
  const CSize cell = screen_.ScreenCharSize();
  const int row = std::clamp(static_cast<int>(point.y / cell.cy) + 1, 1, screen_.VisRows());
  const int col = std::clamp(static_cast<int>(point.x / cell.cx) + 1, 1, screen_.VisColumns());
  return CursorPos(row, col);
}

LRESULT TerminalWindow::OnLeftButtonDown(WPARAM, LPARAM lParam) {
  ClientDrawing drawing(*this, screen_);
  screen_.Unselect();
  dragFrom_ = CellAt(PointFromLParam(lParam));
  return 0;
}

LRESULT TerminalWindow::OnMouseMove(WPARAM wParam, LPARAM lParam) {
  if (!dragFrom_ || (wParam & MK_LBUTTON) == 0) return 0;
  ClientDrawing drawing(*this, screen_);
  screen_.Select(*dragFrom_, CellAt(PointFromLParam(lParam)));
  return 0;
}

LRESULT TerminalWindow::OnLeftButtonUp(WPARAM, LPARAM) {
  dragFrom_.reset();
  if (screen_.ActiveSelection()) OnCopy();
  return 0;
}

LRESULT TerminalWindow::OnMiddleButtonDown(WPARAM, LPARAM) {
  OnPaste();
  return 0;
}

LRESULT TerminalWindow::OnContextMenu(WPARAM, LPARAM lParam) {
  CMenu menu;
  menu.CreatePopupMenu();
  menu.AppendMenu(screen_.ActiveSelection() ? MF_STRING : MF_STRING | MF_GRAYED, kCopyCommand, L"&Copy\tCtrl+Insert");
  menu.AppendMenu(MF_STRING, kPasteCommand, L"&Paste\tShift+Insert");
  menu.AppendMenu(MF_SEPARATOR);
  menu.AppendMenu(MF_STRING, kPrintCommand, L"P&rint the screen...");
  const CPoint at = PointFromLParam(lParam);
  menu.TrackPopupMenu(0, at.x, at.y, this);
  return 0;
}

void TerminalWindow::OnCopy() {
  if (screen_.ActiveSelection()) WinUtils::CopyToClipboard(screen_.SelectedText());
}

void TerminalWindow::OnPaste() { Send(TerminalKeys::PastedBytes(WinUtils::PasteFromClipboard())); }

void TerminalWindow::OnPrint() {
  CPrintDialog dialog(false);
  if (dialog.DoModal() != IDOK) return;
  const std::string file = dialog.GetOutputFile().ToUtf8();
  if (file.empty() || !PrintScreen(screen_, file)) {
    const CString text = L"The screen could not be printed to \"" + CString::FromUtf8(file) + L"\".";
    AfxMessageBox(text, MB_ICONERROR);
  }
}

void TerminalWindow::Send(std::string_view bytes) {
  if (session_ && !bytes.empty()) session_->Write(bytes);
}
