#pragma once
// A terminal a person uses: a window showing a ScreenBuffer that the escape
// parser feeds from a command on a pseudo-terminal. Keys go to the command;
// dragging the left button selects and copies, the middle button and
// Shift+Insert paste, Ctrl+Insert copies; the context menu copies, pastes
// and prints the screen; the terminal's size follows the window's. The host
// calls Pump once per frame.

#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "EscapeParser.h"
#include "GridLayout.h"
#include "PtySession.h"
#include "brenmoor/ui/CWnd.h"
#include "brenmoor/win/ScreenBuffer.h"

class TerminalWindow : public CWnd {
 public:
  // The commands of the context menu.
  static constexpr UINT kCopyCommand = 0xE122;   // ID_EDIT_COPY
  static constexpr UINT kPasteCommand = 0xE125;  // ID_EDIT_PASTE
  static constexpr UINT kPrintCommand = ID_FILE_PRINT;

  TerminalWindow();
  ~TerminalWindow() override;

  // Makes the window, its client area rows by columns cells, and starts the
  // command on a terminal of that size; false, with the reason in error, when
  // either cannot be made.
  bool Open(const std::wstring& caption, PtySession::Command command, std::string& error);
  // What the command wrote since goes to the screen, which is painted when a
  // frame's time has passed; once the command has ended and all it wrote is
  // painted, its exit status.
  std::optional<int> Pump();
  // Returns when the command writes or ends, or after the time.
  void WaitForOutput(int milliseconds) const;

  ScreenBuffer& Screen() { return screen_; }
  // The screen's rows, trailing blanks and blank rows at the end left out, one line each.
  std::string ScreenText() const;

 private:
  DECLARE_MESSAGE_MAP()

  LRESULT OnPaint(WPARAM, LPARAM);
  LRESULT OnSize(WPARAM, LPARAM lParam);
  LRESULT OnChar(WPARAM wParam, LPARAM);
  LRESULT OnKeyDown(WPARAM wParam, LPARAM);
  LRESULT OnKeyUp(WPARAM wParam, LPARAM);
  LRESULT OnLeftButtonDown(WPARAM, LPARAM lParam);
  LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam);
  LRESULT OnLeftButtonUp(WPARAM, LPARAM);
  LRESULT OnMiddleButtonDown(WPARAM, LPARAM);
  LRESULT OnContextMenu(WPARAM, LPARAM lParam);
  void OnCopy();
  void OnPaste();
  void OnPrint();

  void Send(std::string_view bytes);
  void FitToClient();
  int TerminalRows() const;
  // The 1-based cell under a client point, kept on the screen.
  CursorPos CellAt(CPoint point) const;
  void DrawCursor(CDC& dc);

  GridLayout layout_;
  ScreenBuffer screen_;
  EscapeParser parser_;
  std::unique_ptr<PtySession> session_;
  bool shift_ = false;
  bool control_ = false;
  std::optional<CursorPos> dragFrom_;
  std::chrono::steady_clock::time_point lastPaint_;
};
