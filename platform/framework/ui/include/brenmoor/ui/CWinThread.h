#pragma once
// The thread that runs the windows: its main window, which owns the modal
// things that have no parent of their own, how it asks its user a question,
// and its look at each key press before the window gets it. The application
// is the one thread.

#include "brenmoor/core/CString.h"
#include "brenmoor/ui/CCmdTarget.h"
#include "brenmoor/windowing/Input.h"

class CWnd;

class CWinThread : public CCmdTarget {
 public:
  CWinThread();
  ~CWinThread() override;
  CWinThread(const CWinThread&) = delete;
  CWinThread& operator=(const CWinThread&) = delete;

  // The button pressed; the caption is left empty.
  virtual int DoMessageBox(const CString& text, UINT type);
  // The key's window and its parents up to its top-level window are asked
  // in turn (CWnd::PreTranslateMessage); true when one used the key. A
  // dialog's keys therefore never reach the frame behind it.
  virtual BOOL PreTranslateMessage(const MSG& message);

  // Disabled while a modal dialog without a parent of its own runs.
  CWnd* m_pMainWnd = nullptr;
};

// The thread running the windows, or null when the host made none.
CWinThread* AfxGetThread();
// Its main window, or null.
CWnd* AfxGetMainWnd();

// Asks the thread's user (see CUser) and returns the button pressed.
int AfxMessageBox(const wchar_t* text, UINT type = 0);
int AfxMessageBox(UINT textId, UINT type = 0);
