#include "brenmoor/docview/CMDIFrameWnd.h"

#include <algorithm>
#include <vector>

#include "brenmoor/docview/CView.h"
#include "brenmoor/ui/CWinThread.h"

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

namespace {

struct MDIClientData : ControlData {
  HWND active = nullptr;
  std::vector<HWND> activated;  // the children in the order they were last activated, the latest last
};

bool Alive(HWND window) {
  const WindowState* state = FindWindowState(window);
  return state != nullptr && !state->destroying;
}

void Activate(MDIClientData& data, HWND child) {
  const HWND previous = data.active;
  if (previous == child) return;
  data.active = child;
  if (child != nullptr) {
    std::erase(data.activated, child);
    data.activated.push_back(child);
  }
  const auto deactivated = reinterpret_cast<WPARAM>(previous);
  const auto activated = reinterpret_cast<LPARAM>(child);
  if (IsWindow(previous)) SendMessage(previous, WM_MDIACTIVATE, deactivated, activated);
  if (child != nullptr) {
    SendMessage(child, WM_MDIACTIVATE, deactivated, activated);
    SetFocus(child);
  }
}

// The child that was active before the one going takes over.
void Destroy(MDIClientData& data, HWND child) {
  std::erase(data.activated, child);
  if (data.active == child) {
    std::erase_if(data.activated, [](HWND other) { return !Alive(other); });
    Activate(data, data.activated.empty() ? nullptr : data.activated.back());
  }
  DestroyWindow(child);
}

LRESULT MDIClientProcedure(HWND client, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* data = ControlDataOf<MDIClientData>(client);
  switch (message) {
    case WM_MDIACTIVATE:
      if (GetParent(reinterpret_cast<HWND>(wParam)) == client) Activate(*data, reinterpret_cast<HWND>(wParam));
      return 0;
    case WM_MDIGETACTIVE: {
      const HWND active = Alive(data->active) ? data->active : nullptr;
      if (auto* maximized = reinterpret_cast<BOOL*>(lParam)) {
        *maximized = active != nullptr && (GetStyle(active) & WS_MAXIMIZE) != 0;
      }
      return reinterpret_cast<LRESULT>(active);
    }
    case WM_MDIDESTROY:
      if (GetParent(reinterpret_cast<HWND>(wParam)) == client) Destroy(*data, reinterpret_cast<HWND>(wParam));
      return 0;
    default:
      return DefWindowProc(client, message, wParam, lParam);
  }
}

const ControlRegistration<MDIClientData, CWnd> mdiClientClass{kMDIClientClass, &MDIClientProcedure};

}  // namespace

BOOL CMDIFrameWnd::OnCreateClient(CREATESTRUCT*, CCreateContext*) {
  CRect client;
  GetClientRect(&client);
  m_hWndMDIClient = CreateWindowExW(kMDIClientClass, L"", WS_CHILD | WS_VISIBLE, client, m_hWnd,
                                    static_cast<int>(AFX_IDW_PANE_FIRST));
  return m_hWndMDIClient != nullptr;
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* maximized) const {
  const auto active = reinterpret_cast<HWND>(
      ::SendMessage(m_hWndMDIClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(maximized)));
  return DYNAMIC_DOWNCAST(CMDIChildWnd, FromHandlePermanent(active));
}

void CMDIFrameWnd::MDIActivate(CWnd* child) {
  if (child != nullptr) ::SendMessage(m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child->m_hWnd));
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame() {
  CMDIChildWnd* active = MDIGetActive();
  return active != nullptr ? static_cast<CFrameWnd*>(active) : this;
}

bool CMDIFrameWnd::OnCmdMsg(UINT id, UINT code) {
  CMDIChildWnd* active = MDIGetActive();
  if (active != nullptr && active->OnCmdMsg(id, code)) return true;
  return CFrameWnd::OnCmdMsg(id, code);
}

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
  MessageEntry<&CMDIChildWnd::OnMDIActivateMessage>(WM_MDIACTIVATE),
END_MESSAGE_MAP()

BOOL CMDIChildWnd::Create(const wchar_t* className, const wchar_t* title, DWORD style, const CRect& rect,
                          CMDIFrameWnd* parent, CCreateContext* context) {
  if (parent == nullptr) {
    parent = DYNAMIC_DOWNCAST(CMDIFrameWnd, AfxGetMainWnd());
  }
  if (parent == nullptr || parent->m_hWndMDIClient == nullptr) {
    PostNcDestroy();
    return false;
  }
  m_strTitle = title;
  m_bAddToTitle = (style & FWS_ADDTOTITLE) != 0;
  return CreateEx(0, className, title, style & ~FWS_ADDTOTITLE, rect, FromHandle(parent->m_hWndMDIClient), 0,
                  context);
}

BOOL CMDIChildWnd::Create(const wchar_t* className, const wchar_t* title, DWORD style, const CRect& rect,
                          CWnd* parent, const wchar_t*, DWORD, CCreateContext* context) {
  return Create(className, title, style, rect, DYNAMIC_DOWNCAST(CMDIFrameWnd, parent), context);
}

BOOL CMDIChildWnd::LoadFrame(UINT resourceId, DWORD style, CWnd* parent, CCreateContext* context) {
  CString title;
  title.LoadString(resourceId);
  if (const int lineEnd = title.Find(L'\n'); lineEnd >= 0) title = title.Left(lineEnd);
  return Create(nullptr, title, style, rectDefault, parent, nullptr, 0, context);
}

// A child of the client; a maximised child, or one that let the system
// choose, fills the client area.
BOOL CMDIChildWnd::PreCreateWindow(CREATESTRUCT& creating) {
  creating.style |= WS_CHILD;
  if ((creating.style & WS_MAXIMIZE) != 0 || creating.x == CW_USEDEFAULT) {
    const CRect client = ::GetClientRect(creating.hwndParent);
    creating.x = client.left;
    creating.y = client.top;
    creating.cx = client.Width();
    creating.cy = client.Height();
  }
  return CFrameWnd::PreCreateWindow(creating);
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const {
  return DYNAMIC_DOWNCAST(CMDIFrameWnd, FromHandlePermanent(::GetParent(::GetParent(m_hWnd))));
}

void CMDIChildWnd::ActivateFrame(int showCommand) {
  if (showCommand == -1) showCommand = IsWindowVisible() ? SW_SHOW : SW_SHOWNORMAL;
  ShowWindow(showCommand);
  if (showCommand != SW_HIDE) MDIActivate();
}

void CMDIChildWnd::MDIActivate() {
  ::SendMessage(::GetParent(m_hWnd), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(m_hWnd));
}

void CMDIChildWnd::MDIDestroy() {
  ::SendMessage(::GetParent(m_hWnd), WM_MDIDESTROY, reinterpret_cast<WPARAM>(m_hWnd));
}

BOOL CMDIChildWnd::DestroyWindow() {
  if (m_hWnd == nullptr) return false;
  MDIDestroy();
  return true;
}

LRESULT CMDIChildWnd::OnMDIActivateMessage(WPARAM wParam, LPARAM lParam) {
  const auto activated = reinterpret_cast<HWND>(lParam);
  OnMDIActivate(activated == m_hWnd, FromHandle(activated), FromHandle(reinterpret_cast<HWND>(wParam)));
  return 0;
}

void CMDIChildWnd::OnMDIActivate(BOOL activate, CWnd*, CWnd*) {
  if (CView* view = GetActiveView()) view->OnActivateView(activate, view, view);
}
