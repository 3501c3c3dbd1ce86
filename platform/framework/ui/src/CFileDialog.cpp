#include "brenmoor/ui/CFileDialog.h"

#include <filesystem>

#include "brenmoor/windowing/CUser.h"
#include "brenmoor/windowing/WinMessages.h"

CFileDialog::CFileDialog(BOOL openFileDialog, const wchar_t* defaultExtension, const wchar_t* fileName, DWORD flags,
                         const wchar_t* filter, CWnd*)
    : open_(openFileDialog != 0),
      defaultExtension_(defaultExtension),
      initialName_(fileName),
      flags_(flags),
      filter_(filter) {}

INT_PTR CFileDialog::DoModal() { return AfxGetUser().AnswerFileDialog(*this) ? IDOK : IDCANCEL; }

bool CFileDialog::Choose(const CString& path) {
  std::filesystem::path chosen(path.ToUtf8());
  if ((flags_ & OFN_PATHMUSTEXIST) != 0 && chosen.has_parent_path() &&
      !std::filesystem::is_directory(chosen.parent_path())) {
    return false;
  }
  path_ = path;
  if (!chosen.has_extension() && !defaultExtension_.IsEmpty()) path_ += CString(L".") + defaultExtension_;
  return true;
}
