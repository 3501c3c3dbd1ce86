#pragma once
// The host application object and the chain of modules whose resources the
// framework searches: the application first, then the extension libraries
// that registered themselves. Hosts register their strings by number.

#include <filesystem>
#include <map>
#include <memory>
#include <vector>

#include "brenmoor/windowing/Accelerators.h"
#include "brenmoor/windowing/CMenu.h"
#include "brenmoor/core/CList.h"
#include "brenmoor/core/CString.h"
#include "brenmoor/windowing/DialogTemplate.h"
#include "brenmoor/gdi/ImageList.h"

class CDocTemplate;
class CWnd;
class ProfileFile;

// A module of the process whose resources can be searched: the application or an extension library.
class CResourceModule;
using HINSTANCE = CResourceModule*;

constexpr UINT RT_ICON = 3;
constexpr UINT RT_MENU = 4;
constexpr UINT RT_DIALOG = 5;
constexpr UINT RT_STRING = 6;
constexpr UINT RT_ACCELERATOR = 9;

// One module's resources.
class CResourceModule {
 public:
  void RegisterString(UINT id, CString text) { strings_[id] = std::move(text); }
  const CString* FindString(UINT id) const;
  void RegisterDialog(UINT id, DialogTemplate dialog) { dialogs_[id] = std::move(dialog); }
  const DialogTemplate* FindDialog(UINT id) const;
  void RegisterMenu(UINT id, MenuTemplate menu) { menus_[id] = std::move(menu); }
  const MenuTemplate* FindMenu(UINT id) const;
  void RegisterAccelerators(UINT id, AcceleratorTemplate table) { accelerators_[id] = std::move(table); }
  const AcceleratorTemplate* FindAccelerators(UINT id) const;
  void RegisterIcon(UINT id, IconImage icon) { icons_[id] = std::move(icon); }
  const IconImage* FindIcon(UINT id) const;
  // Whether the module holds a resource of the type (RT_MENU, ...) with the id.
  bool Holds(UINT id, UINT type) const;

 private:
  std::map<UINT, CString> strings_;
  std::map<UINT, DialogTemplate> dialogs_;
  std::map<UINT, MenuTemplate> menus_;
  std::map<UINT, AcceleratorTemplate> accelerators_;
  std::map<UINT, IconImage> icons_;
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
  static const MenuTemplate* FindMenu(UINT id);
  // An extension library's resources join the chain for as long as it lives.
  static void AddExtensionModule(CResourceModule* module);
  static void RemoveExtensionModule(CResourceModule* module);

  // The application profile: the host names its file. Without one, reads
  // give the defaults and writes fail.
  void SetProfileFile(const std::filesystem::path& file);
  CString GetProfileString(const wchar_t* section, const wchar_t* entry, const wchar_t* defaultValue = nullptr) const;
  // As the system reads numbers (_wtoi); the default only when the entry is missing.
  UINT GetProfileInt(const wchar_t* section, const wchar_t* entry, int defaultValue) const;
  // A block the caller frees with delete[]; false, with null and 0, when the
  // entry is missing, empty or not whole hexadecimal bytes.
  BOOL GetProfileBinary(const wchar_t* section, const wchar_t* entry, BYTE** data, UINT* bytes) const;
  BOOL WriteProfileString(const wchar_t* section, const wchar_t* entry, const wchar_t* value);
  BOOL WriteProfileInt(const wchar_t* section, const wchar_t* entry, int value);
  // Stored as two upper-case hexadecimal digits a byte.
  BOOL WriteProfileBinary(const wchar_t* section, const wchar_t* entry, const BYTE* data, UINT bytes);
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
  std::unique_ptr<ProfileFile> profile_;
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

// The first module on the chain that holds the resource; null when none does.
HINSTANCE AfxFindResourceHandle(UINT id, UINT type);
// The application's own module (null when the host made no application).
HINSTANCE AfxGetInstanceHandle();
// From the module, or searched through the chain when it is null; null when not found.
HACCEL LoadAccelerators(HINSTANCE module, UINT id);
HICON LoadIcon(HINSTANCE module, UINT id);
HMENU LoadMenuW(HINSTANCE module, UINT id);

// The one application object, or null when the host made none.
CWinApp* AfxGetApp();
// The application's main window, or null.
CWnd* AfxGetMainWnd();
