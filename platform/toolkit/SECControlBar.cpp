#include "SECControlBar.h"

IMPLEMENT_DYNAMIC(SECControlBar, CControlBar)

namespace {

constexpr LONG kDockedWidth = 120;

}  // namespace

BOOL SECControlBar::Create(CWnd* parent, const wchar_t* title, DWORD style, UINT id) {
  if (parent == nullptr) return false;
  CRect client;
  parent->GetClientRect(&client);
  if (!CWnd::Create(kGenericWindowClass, title, style | WS_CHILD, {0, 0, kDockedWidth, client.bottom}, parent, id)) {
    return false;
  }
  EnableDocking(CBRS_ALIGN_ANY);
  return true;
}

void SECControlBar::HideBar() { ShowWindow(SW_HIDE); }
