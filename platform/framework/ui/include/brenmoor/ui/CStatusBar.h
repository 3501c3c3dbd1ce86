#pragma once
// The status bar along a frame's bottom edge: panes of text, the first one
// taking the width the others leave. Each pane's text comes from the host's
// string of its indicator id (none for ID_SEPARATOR) until it is set.

#include <vector>

#include "brenmoor/ui/CControlBar.h"

constexpr UINT ID_SEPARATOR = 0;
constexpr UINT AFX_IDW_STATUS_BAR = 0xE801;
constexpr DWORD CBRS_BOTTOM = 0x8000;

class CStatusBar : public CControlBar {
  DECLARE_DYNAMIC(CStatusBar)

 public:
  static constexpr int kHeight = 20;

  // A bar across the bottom of the parent's client area.
  BOOL Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT id = AFX_IDW_STATUS_BAR);
  BOOL SetIndicators(const UINT* ids, int count);
  int GetCount() const { return static_cast<int>(widths_.size()); }
  CString GetPaneText(int index) const;
  BOOL SetPaneText(int index, const wchar_t* text, BOOL update = true);
  // The pane's width in pixels; 0 asks the first pane to stretch.
  void SetPaneWidth(int index, int width);
  void GetItemRect(int index, CRect* rect) const;

 protected:
  // A bar is made with its own Create; the plain window's stays for the bars
  // built on this one.
  using CWnd::Create;

 private:
  void LayOutPanes();

  std::vector<int> widths_;
};
