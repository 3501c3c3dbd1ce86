#include "brenmoor/ui/CWinThread.h"

#include "brenmoor/ui/CWnd.h"
#include "brenmoor/windowing/CUser.h"

namespace {

CWinThread* theThread = nullptr;

bool TranslateInThread(const MSG& message) { return theThread != nullptr && theThread->PreTranslateMessage(message); }

}  // namespace

CWinThread::CWinThread() {
  theThread = this;
  SetInputTranslator(&TranslateInThread);
}

CWinThread::~CWinThread() {
  if (theThread == this) theThread = nullptr;
}

BOOL CWinThread::PreTranslateMessage(const MSG& message) {
  for (HWND window = message.hwnd; window != nullptr; window = ::GetParent(window)) {
    CWnd* object = CWnd::FromHandlePermanent(window);
    if (object != nullptr && object->PreTranslateMessage(message)) return true;
    if ((::GetStyle(window) & WS_CHILD) == 0) break;
  }
  return false;
}

int CWinThread::DoMessageBox(const CString& text, UINT type) {
  return AfxGetUser().AnswerMessageBox(text, CString(), type);
}

CWinThread* AfxGetThread() { return theThread; }
CWnd* AfxGetMainWnd() { return theThread != nullptr ? theThread->m_pMainWnd : nullptr; }

int AfxMessageBox(const wchar_t* text, UINT type) {
  return theThread != nullptr ? theThread->DoMessageBox(CString(text), type)
                              : AfxGetUser().AnswerMessageBox(CString(text), CString(), type);
}

int AfxMessageBox(UINT textId, UINT type) {
  CString text;
  text.LoadString(textId);
  return AfxMessageBox(text, type);
}
