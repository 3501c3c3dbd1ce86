#pragma once
// The host application object and the chain of modules whose resources the
// framework searches: the application first, then the extension libraries
// that registered themselves. Hosts register their strings by number.

#include <map>
#include <vector>

#include "CString.h"

// One module's resources.
class CResourceModule {
 public:
  void RegisterString(UINT id, CString text) { strings_[id] = std::move(text); }
  const CString* FindString(UINT id) const;

 private:
  std::map<UINT, CString> strings_;
};

class CWinApp : public CResourceModule {
 public:
  explicit CWinApp(const wchar_t* appName = nullptr);
  virtual ~CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  // Searches the application, then each extension module in the order they joined.
  static const CString* FindString(UINT id);
  // An extension library's resources join the chain for as long as it lives.
  static void AddExtensionModule(CResourceModule* module);
  static void RemoveExtensionModule(CResourceModule* module);

  CString m_strAppName;
};

// The one application object, or null when the host made none.
CWinApp* AfxGetApp();
