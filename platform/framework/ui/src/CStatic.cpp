#include "brenmoor/ui/CStatic.h"

#include "brenmoor/gdi/ClassicLook.h"
#include "brenmoor/ui/CPaintDC.h"

IMPLEMENT_DYNAMIC(CStatic, CWnd)

namespace {

// Its text, one line under the other, on the face of what is behind it; the mnemonic underlined.
void PaintLabel(HWND window) {
  using namespace classic;
  CPaintDC dc(CWnd::FromHandle(window));
  Painter painter(dc, GetClientRect(window), IsWindowEnabled(window));
  const CRect& box = painter.Area();
  int y = box.top;
  for (const std::wstring& line : Lines(FindWindowState(window)->text.Str())) {
    painter.Label(line, box.left, y, box.right, kText);
    y += kLineHeight;
  }
}

// A label lets the mouse through to what is behind it.
LRESULT StaticProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      PaintLabel(window);
      return 0;
    case WM_NCHITTEST:
      return HTTRANSPARENT;
    case WM_GETDLGCODE:
      return DLGC_STATIC;
    default:
      return DefWindowProc(window, message, wParam, lParam);
  }
}

const WindowClassRegistration staticClass{{kStaticClass, &StaticProcedure, nullptr}};
const CWnd::WrapperRegistration staticWrapper{kStaticClass, []() -> CWnd* { return new CStatic; }};

}  // namespace
