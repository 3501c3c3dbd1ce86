// The dialog class: a raised frame, the caption bar when the dialog has one,
// and the button face inside.

#include "brenmoor/gdi/ClassicLook.h"
#include "brenmoor/windowing/WindowPainter.h"
#include "brenmoor/windowing/WindowSystem.h"

namespace {

using namespace classic;

void PaintDialog(HWND window) {
  PAINTSTRUCT paint;
  CDC& dc = *BeginPaint(window, &paint);
  const WindowState& state = *FindWindowState(window);
  const CRect& insets = state.clientInsets;
  const CRect box{-insets.left, -insets.top, state.windowRect.Width() - insets.left,
                  state.windowRect.Height() - insets.top};
  {
    Painter painter(dc, box, (state.style & WS_DISABLED) == 0);
    dc.Draw3dRect(box, kLight, kDarkShadow);
    dc.Draw3dRect(Painter::Inset(box, 1), kHighlight, kShadow);
    dc.FillSolidRect(Painter::Inset(box, 2), kFace);
    if (insets.top > insets.left) {
      dc.FillSolidRect({0, -insets.top + insets.left, box.right - insets.right, -1}, kCaption);
      CFont bold;
      const LOGFONT description = DialogFont(true);
      bold.CreateFontIndirect(&description);
      CFont* previous = dc.SelectObject(&bold);
      painter.Text(state.text.Str(), 4, -insets.top + insets.left + 3, box.right - insets.right - 4, kCaptionText);
      dc.SelectObject(previous);
    }
  }
  EndPaint(window, &paint);
}

// Closing a dialog's window is its Cancel.
LRESULT DialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      PaintDialog(window);
      return 0;
    case WM_CLOSE:
      SendMessage(window, WM_COMMAND, IDCANCEL);
      return 0;
    default:
      return DefWindowProc(window, message, wParam, lParam);
  }
}

const WindowClassRegistration dialogClass{{kDialogClass, &DialogProcedure, nullptr}};

}  // namespace
