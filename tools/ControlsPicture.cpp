// Draws libwin's colour button in its four looks (raised, pressed, disabled,
// focused) and its status bar beside the framework's plain one, into one
// PNG: a picture to check the owner drawing by eye.
//
//   controls_picture <output.png>

#include <cstdio>
#include <memory>
#include <vector>

#include "brenmoor/win/CColorStatusBar.h"
#include "brenmoor/win/CColourButton.h"
#include "brenmoor/ui/CStatic.h"
#include "brenmoor/gdi/FontCaches.h"
#include "brenmoor/windowing/WindowPainter.h"

namespace {

constexpr int kButtonWidth = 64;
constexpr int kButtonHeight = 26;
constexpr int kColumnWidth = 84;
constexpr int kMargin = 16;

struct Look {
  const wchar_t* name;
  COLORREF colour;
};

constexpr Look kLooks[] = {
    {L"raised", RGB(200, 30, 30)},
    {L"pressed", RGB(30, 90, 200)},
    {L"disabled", RGB(30, 160, 60)},
    {L"focused", RGB(240, 180, 20)},
};

void ShowLook(CColourButton& button, std::size_t look) {
  if (look == 1) button.SetState(true);
  if (look == 2) button.EnableWindow(false);
  if (look == 3) button.SetFocus();
}

void FillPanes(CStatusBar& bar, const wchar_t* first) {
  const UINT panes[] = {ID_SEPARATOR, ID_SEPARATOR};
  bar.SetIndicators(panes, 2);
  bar.SetPaneWidth(1, 60);
  bar.SetPaneText(0, first);
  bar.SetPaneText(1, L"NUM");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: controls_picture <output.png>\n");
    return 2;
  }
  const struct FontCachesAtExit {
    ~FontCachesAtExit() { ReleaseFontCaches(); }
  } fontCaches;
  const int width = 2 * kMargin + kColumnWidth * static_cast<int>(std::size(kLooks));
  CWnd window;
  window.Create(kDialogClass, L"Colour buttons and status bars", WS_CAPTION | DS_MODALFRAME | WS_VISIBLE,
                {0, 0, width, 150}, nullptr, 0);

  std::vector<std::unique_ptr<CColourButton>> buttons;
  for (std::size_t i = 0; i < std::size(kLooks); ++i) {
    const int left = kMargin + kColumnWidth * static_cast<int>(i);
    const int id = 100 + static_cast<int>(i);
    const HWND button = CreateWindowExW(kButtonClass, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                                        {left, kMargin, left + kButtonWidth, kMargin + kButtonHeight}, window.m_hWnd,
                                        id);
    CreateWindowExW(kStaticClass, kLooks[i].name, WS_CHILD | WS_VISIBLE,
                    {left, kMargin + kButtonHeight + 6, left + kButtonWidth, kMargin + kButtonHeight + 20},
                    window.m_hWnd, id + 10);
    buttons.push_back(std::make_unique<CColourButton>(kLooks[i].colour));
    buttons.back()->SubclassWindow(button);
    ShowLook(*buttons.back(), i);
  }

  CStatusBar plain;
  plain.Create(&window);
  FillPanes(plain, L"Ready (plain status bar)");
  CRect place;
  plain.GetWindowRect(&place);
  window.ScreenToClient(&place);
  plain.MoveWindow({place.left, place.top - 26, place.right, place.bottom - 26});
  CColorStatusBar coloured;
  coloured.Create(&window);
  FillPanes(coloured, L"Ready (colour status bar)");

  if (!RenderWindowToPng(window.m_hWnd, argv[1])) {
    std::fprintf(stderr, "controls_picture: cannot write %s\n", argv[1]);
    return 1;
  }
  std::printf("%s\n", argv[1]);
  return 0;
}
