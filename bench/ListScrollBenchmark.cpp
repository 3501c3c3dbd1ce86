// The cost of scrolling a long list: a list of 100 000 rows in three columns
// scrolled from its top to its end a wheel notch at a time, then again a
// Page Down at a time, the window painted after each step as a screen shows
// it. Per step: the input handled and the repaint, in milliseconds (mean and
// worst), and the frames a second the two allow. With BRENMOOR_SCREEN=sdl the
// window is on screen and each repaint includes copying what changed to the display.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include "brenmoor/app/CWinApp.h"
#include "brenmoor/gdi/FontCaches.h"
#include "brenmoor/ui/CListCtrl.h"
#include "brenmoor/windowing/Input.h"
#include "brenmoor/windowing/Screen.h"
#include "brenmoor/windowing/WindowPainter.h"

namespace {

constexpr int kRows = 100000;

using Clock = std::chrono::steady_clock;

struct Spent {
  double total = 0;
  double worst = 0;
  void Add(Clock::time_point start, Clock::time_point end) {
    const double took = std::chrono::duration<double, std::milli>(end - start).count();
    total += took;
    worst = std::max(worst, took);
  }
};

void Fill(CListCtrl& list) {
  list.InsertColumn(0, L"Link", LVCFMT_LEFT, 120);
  list.InsertColumn(1, L"Node", LVCFMT_LEFT, 200);
  list.InsertColumn(2, L"State", LVCFMT_LEFT, 120);
  for (int row = 0; row < kRows; ++row) {
    const std::wstring number = std::to_wstring(row);
    list.InsertItem(row, (L"L" + number).c_str());
    list.SetItemText(row, 1, (L"kestle-nms-" + number).c_str());
    list.SetItemText(row, 2, row % 7 == 0 ? L"DEGRADED" : L"Up");
  }
}

void Paint(HWND window) {
  UpdateWindow(window);
  PumpScreen(0);
}

// Steps until the list shows its last row, painting after each.
void Measure(const char* what, HWND window, const CListCtrl& list, const std::function<void()>& step) {
  const int last = kRows - static_cast<int>(list.SendMessage(LVM_GETCOUNTPERPAGE));
  Spent input, repaint;
  int steps = 0;
  while (list.SendMessage(LVM_GETTOPINDEX) < last) {
    const auto start = Clock::now();
    step();
    const auto handled = Clock::now();
    Paint(window);
    repaint.Add(handled, Clock::now());
    input.Add(start, handled);
    ++steps;
  }
  const double each = (input.total + repaint.total) / steps;
  std::printf("%s%s, %d steps: input %.3f ms (worst %.3f), repaint %.3f ms (worst %.3f), %.0f frames a second\n",
              what, IsOnScreen() ? " on screen" : "", steps, input.total / steps, input.worst, repaint.total / steps,
              repaint.worst, 1000 / each);
}

}  // namespace

int main() {
  CWinApp app(L"List scroll benchmark");
  {
    CWnd window;
    window.Create(kGenericWindowClass, L"Long list", WS_POPUP | WS_CAPTION | WS_VISIBLE, {0, 0, 640, 480}, nullptr, 0);
    CListCtrl list;
    list.Create(kListViewClass, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, {0, 0, 634, 455}, &window, 1);
    Fill(list);
    SetActiveWindow(window.m_hWnd);
    list.SetFocus();
    Paint(window.m_hWnd);
    const CPoint corner = GetClientOrigin(list.m_hWnd);
    const CPoint middle{corner.x + 300, corner.y + 200};
    Measure("wheel, a notch a step", window.m_hWnd, list,
            [&] { SendWheelInput(window.m_hWnd, middle, -WHEEL_DELTA, 0); });
    list.SendMessage(WM_VSCROLL, SB_TOP);
    list.SetItemState(0, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
    Paint(window.m_hWnd);
    Measure("Page Down, the selection along", window.m_hWnd, list, [] {
      SendKeyInput(WM_KEYDOWN, VK_NEXT, 1);
      SendKeyInput(WM_KEYUP, VK_NEXT, 1);
    });
  }
  ReleaseFontCaches();
  return 0;
}
