#include "brenmoor/win/CMDIChildWndPlus.h"

#include "brenmoor/app/CWinApp.h"
#include "brenmoor/windowing/WindowPlacement.h"

IMPLEMENT_DYNCREATE(CMDIChildWndPlus, CMDIChildWnd)

namespace {

constexpr const wchar_t* kSection = L"SYSTEM";
constexpr const wchar_t* kEntry = L"LastMdiPlacement";

}  // namespace

BEGIN_MESSAGE_MAP(CMDIChildWndPlus, CMDIChildWnd)
  PlainEntry<&CMDIChildWndPlus::OnClose>(WM_CLOSE),
  CommandEntry<&CMDIChildWndPlus::OnWindowClose>(kCloseCommand),
END_MESSAGE_MAP()

BOOL CMDIChildWndPlus::PreCreateWindow(CREATESTRUCT& creating) {
  CWinApp* app = AfxGetApp();
  const auto* frame = app != nullptr ? DYNAMIC_DOWNCAST(CMDIFrameWnd, app->m_pMainWnd) : nullptr;
  if (frame != nullptr && frame->MDIGetActive() == nullptr &&
      app->GetProfileInt(kSection, kEntry, SW_RESTORE) == static_cast<UINT>(SW_SHOWMAXIMIZED)) {
    creating.style |= WS_VISIBLE | WS_MAXIMIZE;
  }
  return CMDIChildWnd::PreCreateWindow(creating);
}

void CMDIChildWndPlus::OnClose() {
  WINDOWPLACEMENT placement;
  placement.length = sizeof placement;
  if (CWinApp* app = AfxGetApp(); app != nullptr && ::GetWindowPlacement(m_hWnd, &placement)) {
    app->WriteProfileInt(kSection, kEntry, static_cast<int>(placement.showCmd));
  }
  CMDIChildWnd::OnClose();
}

void CMDIChildWndPlus::OnWindowClose() { PostMessage(WM_CLOSE); }
