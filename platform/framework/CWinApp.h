#pragma once
// The host application object and the chain of modules whose resources the
// framework searches: the application first, then the extension libraries
// that registered themselves. Hosts register their strings by number.

#include <map>
#include <vector>

#include "CList.h"
#include "CString.h"
#include "DialogTemplate.h"

class CDocTemplate;
class CWnd;

// One module's resources.
class CResourceModule {
 public:
  void RegisterString(UINT id, CString text) { strings_[id] = std::move(text); }
  const CString* FindString(UINT id) const;
  void RegisterDialog(UINT id, DialogTemplate dialog) { dialogs_[id] = std::move(dialog); }
  const DialogTemplate* FindDialog(UINT id) const;

 private:
  std::map<UINT, CString> strings_;
  std::map<UINT, DialogTemplate> dialogs_;
};

class CWinApp : public CResourceModule {
 public:
  explicit CWinApp(const wchar_t* appName = nullptr);
  virtual ~CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  // Searches the application, then each extension module in the order they joined.
  static const CString* FindString(UINT id);
  static const DialogTemplate* FindDialog(UINT id);
  // An extension library's resources join the chain for as long as it lives.
  static void AddExtensionModule(CResourceModule* module);
  static void RemoveExtensionModule(CResourceModule* module);

  // The application owns its document templates from here on; each loads its strings.
  void AddDocTemplate(CDocTemplate* docTemplate);
  POSITION GetFirstDocTemplatePosition() const { return templates_.GetHeadPosition(); }
  CDocTemplate* GetNextDocTemplate(POSITION& position) const { return templates_.GetNext(position); }
  // Every template's documents, in template order.
  void CloseAllDocuments(BOOL endSession);
  BOOL SaveAllModified();

  CString m_strAppName;
  // Disabled while a modal dialog without a parent of its own runs.
  CWnd* m_pMainWnd = nullptr;

  // How many wait cursors are shown; the arrow comes back at zero.
  static int WaitCursorDepth();
  static void BeginWaitCursor();
  static void EndWaitCursor();

 private:
  CList<CDocTemplate*, CDocTemplate*> templates_;
};

// Shows the wait cursor for as long as it lives.
class CWaitCursor {
 public:
  CWaitCursor() { CWinApp::BeginWaitCursor(); }
  ~CWaitCursor() { CWinApp::EndWaitCursor(); }
  CWaitCursor(const CWaitCursor&) = delete;
  CWaitCursor& operator=(const CWaitCursor&) = delete;
};

// Asks the application's user (see CUser) and returns the button pressed.
// The caption is the application's name.
int AfxMessageBox(const wchar_t* text, UINT type = 0);
int AfxMessageBox(UINT textId, UINT type = 0);
// The host's string with every "%1" replaced by the argument (nothing else is
// read as a format, so any argument text is safe).
void AfxFormatString1(CString& result, UINT textId, const wchar_t* argument);

// The one application object, or null when the host made none.
CWinApp* AfxGetApp();
// The application's main window, or null.
CWnd* AfxGetMainWnd();
