#pragma once
// The tab control: a row of tabs, each with a text, one of them selected.
// A click on a tab, or the arrows (Ctrl+Tab in the dialog), ask the parent
// first (TCN_SELCHANGING; a nonzero answer keeps the selection), then select
// the tab and tell the parent (TCN_SELCHANGE).

#include <vector>

#include "brenmoor/core/CString.h"
#include "brenmoor/windowing/WindowSystem.h"

constexpr UINT TCM_GETITEMCOUNT = 0x1304;
constexpr UINT TCM_DELETEITEM = 0x1308;
constexpr UINT TCM_DELETEALLITEMS = 0x1309;
constexpr UINT TCM_GETCURSEL = 0x130B;
constexpr UINT TCM_SETCURSEL = 0x130C;
constexpr UINT TCM_GETITEMW = 0x133C;
constexpr UINT TCM_SETITEMW = 0x133D;
constexpr UINT TCM_INSERTITEMW = 0x133E;
constexpr UINT TCIF_TEXT = 0x0001;
constexpr UINT TCIF_PARAM = 0x0008;
constexpr UINT TCN_SELCHANGE = static_cast<UINT>(-551);
constexpr UINT TCN_SELCHANGING = static_cast<UINT>(-552);

struct TCITEMW {
  UINT mask = 0;
  DWORD dwState = 0;
  DWORD dwStateMask = 0;
  wchar_t* pszText = nullptr;
  int cchTextMax = 0;  // units, terminator included
  int iImage = -1;
  LPARAM lParam = 0;
};
using TCITEM = TCITEMW;

// Every tab is this wide and high, left to right from the control's corner.
constexpr int kTabWidth = 100;
constexpr int kTabHeight = 20;
