#include "brenmoor/ui/CWinThread.h"

#include "brenmoor/windowing/CUser.h"

namespace {

CWinThread* theThread = nullptr;

}  // namespace

CWinThread::CWinThread() { theThread = this; }

CWinThread::~CWinThread() {
  if (theThread == this) theThread = nullptr;
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
