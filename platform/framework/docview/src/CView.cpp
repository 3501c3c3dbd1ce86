#include "brenmoor/docview/CView.h"

#include "brenmoor/docview/CCreateContext.h"
#include "brenmoor/gdi/CDC.h"
#include "brenmoor/docview/CDocument.h"
#include "brenmoor/docview/CFrameWnd.h"
#include "brenmoor/ui/CPaintDC.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

BEGIN_MESSAGE_MAP(CView, CWnd)
  MessageEntry<&CView::OnCreate>(WM_CREATE),
  MessageEntry<&CView::OnInitialUpdateMessage>(WM_INITIALUPDATE),
  MessageEntry<&CView::OnPaintMessage>(WM_PAINT),
  MessageEntry<&CView::OnSetFocusMessage>(WM_SETFOCUS),
  PlainEntry<&CView::OnDestroy>(WM_DESTROY),
END_MESSAGE_MAP()

CView::~CView() {
  if (m_pDocument != nullptr) m_pDocument->RemoveView(this);
}

LRESULT CView::OnCreate(WPARAM, LPARAM lParam) {
  const auto* creating = reinterpret_cast<const CREATESTRUCT*>(lParam);
  const auto* context = creating != nullptr ? static_cast<const CCreateContext*>(creating->lpCreateParams) : nullptr;
  if (context != nullptr && context->m_pCurrentDoc != nullptr) context->m_pCurrentDoc->AddView(this);
  return 0;
}

LRESULT CView::OnInitialUpdateMessage(WPARAM, LPARAM) {
  OnInitialUpdate();
  return 0;
}

LRESULT CView::OnPaintMessage(WPARAM, LPARAM) {
  CPaintDC dc(this);
  OnDraw(&dc);
  return 0;
}

// The frame learns which of its views has the focus.
LRESULT CView::OnSetFocusMessage(WPARAM, LPARAM) {
  if (CFrameWnd* frame = GetParentFrame()) frame->SetActiveView(this, false);
  return 0;
}

void CView::OnDestroy() {
  CFrameWnd* frame = GetParentFrame();
  if (frame != nullptr && frame->GetActiveView() == this) frame->SetActiveView(nullptr, false);
}

void CView::OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }

void CView::OnUpdate(CView*, LPARAM, CObject*) { Invalidate(true); }

// The view takes the focus when its top-level window is the one in front.
void CView::OnActivateView(BOOL activate, CView* activateView, CView*) {
  if (!activate || activateView != this || ::GetFocus() == m_hWnd) return;
  HWND topLevel = m_hWnd;
  while (::GetParent(topLevel) != nullptr) topLevel = ::GetParent(topLevel);
  if (::GetForegroundWindow() == topLevel) SetFocus();
}

bool CView::OnCmdMsg(UINT id, UINT code) {
  command_ = id;
  if (CWnd::OnCmdMsg(id, code)) return true;
  return m_pDocument != nullptr && m_pDocument->OnCmdMsg(id, code);
}
