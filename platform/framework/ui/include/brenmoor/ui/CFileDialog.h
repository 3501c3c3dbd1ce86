#pragma once
// The file dialog: the user picks a file, or cancels. What the program opened
// it with (default extension, initial name, flags, filter) is there for the
// user to see.

#include "brenmoor/core/CString.h"

class CWnd;

constexpr DWORD OFN_OVERWRITEPROMPT = 0x0002;
constexpr DWORD OFN_HIDEREADONLY = 0x0004;
constexpr DWORD OFN_PATHMUSTEXIST = 0x0800;
constexpr DWORD OFN_FILEMUSTEXIST = 0x1000;

class CFileDialog {
 public:
  CFileDialog(BOOL openFileDialog, const wchar_t* defaultExtension = nullptr, const wchar_t* fileName = nullptr,
              DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const wchar_t* filter = nullptr,
              CWnd* parent = nullptr);
  virtual ~CFileDialog() = default;

  // IDOK when the user confirmed a file, IDCANCEL otherwise.
  virtual INT_PTR DoModal();
  CString GetPathName() const { return path_; }

  bool IsOpenDialog() const { return open_; }
  const CString& GetDefaultExtension() const { return defaultExtension_; }
  const CString& GetInitialFileName() const { return initialName_; }
  DWORD GetFlags() const { return flags_; }
  const CString& GetFilter() const { return filter_; }

  // What the user typed or picked, as the dialog takes it: the default
  // extension is added to a name without one. False, and nothing taken,
  // when the folder must exist and does not.
  bool Choose(const CString& path);

 private:
  bool open_;
  CString defaultExtension_;
  CString initialName_;
  DWORD flags_;
  CString filter_;
  CString path_;
};
