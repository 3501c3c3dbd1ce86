#pragma once
// A top-level window for controls under test: a framework object is
// attached, so the messages its children send go through message maps as
// in a dialog. Children are placed in its client area.

#include <string>

#include "brenmoor/ui/CWnd.h"

class TestParent : public CWnd {
 public:
  explicit TestParent(const CRect& rect) { Create(kGenericWindowClass, L"", 0, rect, nullptr, 0); }

  HWND AddChild(const wchar_t* className, int id, const CRect& rect, DWORD style = WS_VISIBLE) {
    return CreateWindowExW(className, L"", style | WS_CHILD, rect, m_hWnd, id);
  }
  // The child's rectangle in this window's client coordinates, as "(l,t,r,b)".
  std::string ChildRect(int id) const {
    CRect rect;
    GetDlgItem(id)->GetWindowRect(&rect);
    ScreenToClient(&rect);
    return "(" + std::to_string(rect.left) + "," + std::to_string(rect.top) + "," + std::to_string(rect.right) +
           "," + std::to_string(rect.bottom) + ")";
  }
  void Resize(int width, int height) { MoveWindow({0, 0, width, height}); }
};
