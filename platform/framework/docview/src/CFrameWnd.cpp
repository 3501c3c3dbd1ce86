#include "brenmoor/docview/CFrameWnd.h"

#include <utility>

#include "brenmoor/docview/CDocument.h"
#include "brenmoor/docview/CView.h"
#include "brenmoor/docview/CDocManager.h"
#include "brenmoor/ui/CWinThread.h"
#include "brenmoor/windowing/MenuBar.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

const CRect CFrameWnd::rectDefault{CW_USEDEFAULT, CW_USEDEFAULT, 0, 0};

namespace {

// Where the system puts a top-level window that let it choose.
const CRect kDefaultTopLevel{0, 0, 1024, 768};
// Views are children with a border, shown with their frame.
constexpr DWORD kDefaultViewStyle = WS_CHILD | WS_VISIBLE | WS_BORDER;

}  // namespace

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
  CreateEntry<&CFrameWnd::OnCreate>(),
  PlainEntry<&CFrameWnd::OnClose>(WM_CLOSE),
  PlainEntry<&CFrameWnd::OnDestroy>(WM_DESTROY),
  MessageEntry<&CFrameWnd::OnSizeMessage>(WM_SIZE),
  MessageEntry<&CFrameWnd::OnSetFocusMessage>(WM_SETFOCUS),
END_MESSAGE_MAP()

CRect CFrameWnd::DefaultPlace(const CRect& rect) const {
  return rect.left == CW_USEDEFAULT ? kDefaultTopLevel : rect;
}

BOOL CFrameWnd::Create(const wchar_t* className, const wchar_t* title, DWORD style, const CRect& rect,
                       CWnd* parent, const wchar_t*, DWORD exStyle, CCreateContext* context) {
  m_strTitle = title;
  m_bAddToTitle = (style & FWS_ADDTOTITLE) != 0;
  return CreateEx(exStyle, className, title, style & ~FWS_ADDTOTITLE, DefaultPlace(rect), parent, 0, context);
}

BOOL CFrameWnd::LoadFrame(UINT resourceId, DWORD style, CWnd* parent, CCreateContext* context) {
  CString strings;
  strings.LoadString(resourceId);
  const int lineEnd = strings.Find(L'\n');
  if (!Create(nullptr, lineEnd < 0 ? strings : strings.Left(lineEnd), style, rectDefault, parent, nullptr, 0,
              context)) {
    return false;
  }
  if (const HMENU menu = LoadMenuW(nullptr, resourceId)) ::SetMenu(m_hWnd, menu);
  LoadAccelTable(resourceId);
  return true;
}

BOOL CFrameWnd::LoadAccelTable(UINT id) {
  if (m_hAccelTable != nullptr) return false;
  m_hAccelTable = LoadAccelerators(nullptr, id);
  return m_hAccelTable != nullptr;
}

BOOL CFrameWnd::PreTranslateMessage(const MSG& message) {
  return m_hAccelTable != nullptr && TranslateAccelerator(m_hWnd, m_hAccelTable, &message);
}

int CFrameWnd::OnCreate(CREATESTRUCT* creating) {
  auto* context = static_cast<CCreateContext*>(creating->lpCreateParams);
  return OnCreateClient(creating, context) ? 0 : -1;
}

BOOL CFrameWnd::OnCreateClient(CREATESTRUCT*, CCreateContext* context) {
  if (context == nullptr || context->m_pNewViewClass == nullptr) return true;
  return CreateView(context) != nullptr;
}

CWnd* CFrameWnd::CreateView(CCreateContext* context, UINT id) {
  CObject* made = context->m_pNewViewClass->CreateObject();
  auto* view = DYNAMIC_DOWNCAST(CWnd, made);
  if (view == nullptr) {
    delete made;
    return nullptr;
  }
  CRect client;
  GetClientRect(&client);
  // A view that fails deletes itself as its window goes.
  if (!view->CreateEx(0, nullptr, nullptr, kDefaultViewStyle, client, this, id, context)) return nullptr;
  return view;
}

void CFrameWnd::RecalcLayout() {
  if (CWnd* pane = GetDescendantWindow(static_cast<int>(AFX_IDW_PANE_FIRST), true)) {
    CRect client;
    GetClientRect(&client);
    pane->MoveWindow(client);
  }
}

LRESULT CFrameWnd::OnSizeMessage(WPARAM, LPARAM) {
  RecalcLayout();
  return 0;
}

// The focus goes on to the view that works in the frame.
LRESULT CFrameWnd::OnSetFocusMessage(WPARAM, LPARAM) {
  if (m_pViewActive != nullptr && m_pViewActive->m_hWnd != nullptr) m_pViewActive->SetFocus();
  return 0;
}

void CFrameWnd::SetActiveView(CView* view, BOOL notify) {
  CView* previous = m_pViewActive;
  if (view == previous) return;
  m_pViewActive = view;
  if (!notify) return;
  if (previous != nullptr) previous->OnActivateView(false, view, previous);
  if (view != nullptr) view->OnActivateView(true, view, previous);
}

CDocument* CFrameWnd::GetActiveDocument() {
  return m_pViewActive != nullptr ? m_pViewActive->GetDocument() : nullptr;
}

void CFrameWnd::ActivateFrame(int showCommand) {
  if (showCommand == -1) showCommand = IsWindowVisible() ? SW_SHOW : SW_SHOWNORMAL;
  ShowWindow(showCommand);
  if (showCommand != SW_HIDE && (GetStyle() & WS_CHILD) == 0) SetActiveWindow();
}

void CFrameWnd::OnUpdateFrameTitle(BOOL addToTitle) {
  CDocument* document = GetActiveDocument();
  if (addToTitle && document != nullptr) SetWindowText(document->GetTitle());
}

void CFrameWnd::InitialUpdateFrame(CDocument*, BOOL makeVisible) {
  CView* view = nullptr;
  if (GetActiveView() == nullptr) {
    view = DYNAMIC_DOWNCAST(CView, GetDescendantWindow(static_cast<int>(AFX_IDW_PANE_FIRST), true));
    if (view != nullptr) SetActiveView(view, false);
  }
  if (makeVisible) {
    SendMessageToDescendants(WM_INITIALUPDATE);
    ActivateFrame(-1);
    if (view != nullptr) view->OnActivateView(true, view, view);
  }
  OnUpdateFrameTitle(m_bAddToTitle);
}

bool CFrameWnd::OnCmdMsg(UINT id, UINT code) {
  if (m_pViewActive != nullptr && m_pViewActive->OnCmdMsg(id, code)) return true;
  return CWnd::OnCmdMsg(id, code);
}

// The last frame of a document closes the document, after asking whether
// to save it; the main window closes every document first.
void CFrameWnd::OnClose() {
  CDocument* document = GetActiveDocument();
  if (document != nullptr && !document->CanCloseFrame(this)) return;
  CDocManager* documents = AfxGetDocManager();
  if (documents != nullptr && AfxGetMainWnd() == this) {
    if (document == nullptr && !documents->SaveAllModified()) return;
    documents->CloseAllDocuments(false);
  } else if (document != nullptr && document->m_bAutoDelete) {
    bool otherFrame = false;
    for (POSITION position = document->GetFirstViewPosition(); position != nullptr;) {
      if (document->GetNextView(position)->GetParentFrame() != this) otherFrame = true;
    }
    if (!otherFrame) {
      document->OnCloseDocument();
      return;
    }
    document->PreCloseFrame(this);
  }
  DestroyWindow();
}

void CFrameWnd::OnDestroy() {
  DestroyAcceleratorTable(std::exchange(m_hAccelTable, nullptr));
  CWinThread* thread = AfxGetThread();
  if (thread != nullptr && thread->m_pMainWnd == this) thread->m_pMainWnd = nullptr;
}

void CFrameWnd::PostNcDestroy() {
  if (m_bAutoDelete) delete this;
}
