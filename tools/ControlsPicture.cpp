// Draws libwin's colour button in its four looks (raised, pressed, disabled,
// focused) and its status bar beside the framework's plain one, into one
// PNG: a picture to check the owner drawing by eye. With --show the window
// then stays on screen, where a click on a colour button opens the colour
// dialog; once the window is closed, each button's colour is written out.
//
//   controls_picture [--show] <output.png>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "brenmoor/win/CColorStatusBar.h"
#include "brenmoor/win/CColourButton.h"
#include "brenmoor/ui/CStatic.h"
#include "brenmoor/app/CWinApp.h"
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

// Closing it (its Cancel, as it is drawn as a dialog) ends the program.
class ControlsWindow : public CWnd {
 protected:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (LOWORD(wParam) != IDCANCEL) return CWnd::OnCommand(wParam, lParam);
    DestroyWindow();
    return true;
  }
};

void FillPanes(CStatusBar& bar, const wchar_t* first) {
  const UINT panes[] = {ID_SEPARATOR, ID_SEPARATOR};
  bar.SetIndicators(panes, 2);
  bar.SetPaneWidth(1, 60);
  bar.SetPaneText(0, first);
  bar.SetPaneText(1, L"NUM");
}

void PrintColours(const std::vector<std::unique_ptr<CColourButton>>& buttons) {
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    const COLORREF colour = buttons[i]->GetColour();
    std::printf("%ls: RGB(%d, %d, %d)\n", kLooks[i].name, GetRValue(colour), GetGValue(colour), GetBValue(colour));
  }
}

}  // namespace

int main(int argc, char** argv) {
  const bool show = argc == 3 && std::strcmp(argv[1], "--show") == 0;
  if (argc != 2 && !show) {
    std::fprintf(stderr, "usage: controls_picture [--show] <output.png>\n");
    return 2;
  }
  const char* output = argv[argc - 1];
  CWinApp app(L"Controls picture");
  std::string why;
  if (show && !app.UseScreen(why)) {
    std::fprintf(stderr, "controls_picture: --show: no screen: %s\n", why.c_str());
    return 1;
  }
  const struct FontCachesAtExit {
    ~FontCachesAtExit() { ReleaseFontCaches(); }
  } fontCaches;
  const int width = 2 * kMargin + kColumnWidth * static_cast<int>(std::size(kLooks));
  ControlsWindow window;
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

  if (!RenderWindowToPng(window.m_hWnd, output)) {
    std::fprintf(stderr, "controls_picture: cannot write %s\n", output);
    return 1;
  }
  std::printf("%s\n", output);
  if (!show) return 0;
  std::fflush(stdout);
  app.m_pMainWnd = &window;
  app.Run();
  PrintColours(buttons);
  return 0;
}
