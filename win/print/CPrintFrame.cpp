#include "brenmoor/win/CPrintFrame.h"

#include "brenmoor/docview/CView.h"
#include "brenmoor/app/CWinApp.h"

IMPLEMENT_DYNCREATE(CPrintFrame, CMDIChildWnd)
IMPLEMENT_DYNCREATE(CListPrintFrame, CPrintFrame)

namespace {

// Child, visible, maximised, with the overlapped window's frame.
constexpr DWORD kPrintFrameStyle = WS_CHILD | WS_VISIBLE | WS_MAXIMIZE | WS_OVERLAPPEDWINDOW;
static_assert(kPrintFrameStyle == 0x51CF0000);

}  // namespace

BEGIN_MESSAGE_MAP(CPrintFrame, CMDIChildWnd)
  CreateEntry<&CPrintFrame::OnCreate>(),
  PlainEntry<&CPrintFrame::OnClose>(WM_CLOSE),
END_MESSAGE_MAP()

CPrintFrame::CPrintFrame() = default;
CPrintFrame::~CPrintFrame() = default;

BOOL CPrintFrame::Create(const wchar_t* className, const wchar_t* title, DWORD style, const CRect&,
                         CMDIFrameWnd* parent, CCreateContext* context) {
  CRect client;
  if (CWnd* main = AfxGetMainWnd()) main->GetClientRect(&client);
  const CRect corner{client.right, client.bottom, client.right, client.bottom};
  Printing = false;
  CloseWhilePrinting = true;
  return CMDIChildWnd::Create(className, title, style | kPrintFrameStyle, corner, parent, context);
}

void CPrintFrame::ActivateFrame(int) {
  auto* main = DYNAMIC_DOWNCAST(CMDIFrameWnd, AfxGetMainWnd());
  PrevActiveChild = main != nullptr ? main->MDIGetActive() : nullptr;
  PrevActiveHandle = PrevActiveChild != nullptr ? PrevActiveChild->m_hWnd : nullptr;
}

int CPrintFrame::OnCreate(CREATESTRUCT* creating) {
  FocusWnd = ::GetFocus();
  return CMDIChildWnd::OnCreate(creating) == -1 ? -1 : 0;
}

void CPrintFrame::OnClose() {
  if (Printing && !CloseWhilePrinting) return;
  // Closing deletes the frame: what is needed afterwards is kept here.
  const HWND focus = FocusWnd;
  CMDIChildWnd::OnClose();
  ::SetFocus(focus);
}

CMDIChildWnd* CPrintFrame::StillOpen(CMDIChildWnd* child) const {
  return child != nullptr && FromHandlePermanent(PrevActiveHandle) == child ? child : nullptr;
}

void CPrintFrame::ActivateInClient(HWND child) const {
  ::SendMessage(::GetParent(m_hWnd), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child));
}

void CPrintFrame::SetPrintStart() {
  Printing = true;
  if (CMDIChildWnd* previous = StillOpen(PrevActiveChild)) ActivateInClient(previous->m_hWnd);
}

void CPrintFrame::SetPrintEnd() {
  Printing = false;
  PostMessage(WM_CLOSE);
  if (CView* view = GetActiveView()) view->ShowWindow(SW_HIDE);
  ActivateInClient(m_hWnd);
}

BEGIN_MESSAGE_MAP(CListPrintFrame, CPrintFrame)
END_MESSAGE_MAP()

BOOL CListPrintFrame::PreCreateWindow(CREATESTRUCT& creating) { return CMDIChildWnd::PreCreateWindow(creating); }
