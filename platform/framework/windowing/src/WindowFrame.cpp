#include "WindowFrame.h"

#include "brenmoor/gdi/ClassicLook.h"
#include "brenmoor/windowing/MenuBar.h"
#include "brenmoor/windowing/WindowPainter.h"

using namespace classic;

void PaintWindowFrame(HWND window) {
  PAINTSTRUCT paint;
  CDC& dc = *BeginPaint(window, &paint);
  const WindowState& state = *FindWindowState(window);
  const CRect& insets = state.clientInsets;
  const CRect box{-insets.left, -insets.top, state.windowRect.Width() - insets.left,
                  state.windowRect.Height() - insets.top};
  const int captionBottom = (state.menu != nullptr ? -kMenuBarHeight : 0) - 1;
  {
    Painter painter(dc, box, (state.style & WS_DISABLED) == 0);
    dc.Draw3dRect(box, kLight, kDarkShadow);
    dc.Draw3dRect(Painter::Inset(box, 1), kHighlight, kShadow);
    dc.FillSolidRect(Painter::Inset(box, 2), kFace);
    if ((state.style & WS_CAPTION) == WS_CAPTION) {
      dc.FillSolidRect({0, -insets.top + insets.left, box.right - insets.right, captionBottom}, kCaption);
      CFont bold;
      const LOGFONT description = DialogFont(true);
      bold.CreateFontIndirect(&description);
      CFont* previous = dc.SelectObject(&bold);
      painter.Text(state.text.Str(), 4, -insets.top + insets.left + 3, box.right - insets.right - 4, kCaptionText);
      dc.SelectObject(previous);
    }
  }
  PaintMenuBar(window, dc);
  EndPaint(window, &paint);
}
