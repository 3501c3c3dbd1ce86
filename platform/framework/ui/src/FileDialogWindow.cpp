#include "brenmoor/ui/FileDialogWindow.h"

#include <algorithm>
#include <cwctype>
#include <system_error>

#include "brenmoor/ui/CComboBox.h"
#include "brenmoor/ui/CFileDialog.h"
#include "brenmoor/ui/CListCtrl.h"
#include "brenmoor/windowing/CUser.h"

namespace fs = std::filesystem;

namespace {

CString FromPath(const fs::path& path) { return CString::FromUtf8(path.string()); }
fs::path ToPath(const CString& text) { return fs::path(text.ToUtf8()); }

DialogTemplate LayOut(const CFileDialog& dialog) {
  const bool open = dialog.IsOpenDialog();
  using Self = CFileDialogWindow;
  DialogTemplate layout{open ? L"Open" : L"Save As", {0, 0, 263, 150}, WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, {}};
  layout.items = {
      Label(0xFFFF, open ? L"Look in:" : L"Save in:", {7, 8, 50, 16}),
      DropList(Self::kFolders, {52, 6, 200, 18}),
      Button(Self::kUpOneLevel, L"Up", {206, 5, 256, 19}),
      {kListViewClass, Self::kFileList, L"", {7, 24, 256, 108}, WS_VISIBLE | WS_TABSTOP | WS_BORDER | LVS_REPORT},
      Label(0xFFFF, L"File name:", {7, 116, 60, 124}),
      Field(Self::kFileName, L"", {62, 114, 200, 126}),
      Button(IDOK, open ? L"Open" : L"Save", {206, 113, 256, 127}, true),
      Label(0xFFFF, open ? L"Files of type:" : L"Save as type:", {7, 133, 60, 141}),
      DropList(Self::kFileTypes, {62, 131, 200, 143}),
      Button(IDCANCEL, L"Cancel", {206, 130, 256, 144}),
  };
  return layout;
}

std::wstring Lower(std::wstring text) {
  std::transform(text.begin(), text.end(), text.begin(), [](wchar_t c) { return std::towlower(c); });
  return text;
}

bool WildcardMatch(std::wstring_view name, std::wstring_view pattern) {
  if (pattern.empty()) return name.empty();
  if (pattern.front() == L'*') {
    for (std::size_t skip = 0; skip <= name.size(); ++skip) {
      if (WildcardMatch(name.substr(skip), pattern.substr(1))) return true;
    }
    return false;
  }
  return !name.empty() && (pattern.front() == L'?' || pattern.front() == name.front()) &&
         WildcardMatch(name.substr(1), pattern.substr(1));
}

// Sizes as the system's lists show them: whole kilobytes, rounded up.
CString SizeText(std::uintmax_t bytes) { return CString(std::to_wstring((bytes + 1023) / 1024) + L" KB"); }

CString TypeText(const fs::path& entry, bool folder) {
  if (folder) return L"File Folder";
  const std::wstring extension = entry.extension().wstring();
  if (extension.size() < 2) return L"File";
  std::wstring upper = extension.substr(1);
  std::transform(upper.begin(), upper.end(), upper.begin(), [](wchar_t c) { return std::towupper(c); });
  return CString(upper + L" File");
}

CListCtrl& ListOf(HWND dialog) {
  return *static_cast<CListCtrl*>(CWnd::FromHandle(GetDlgItem(dialog, CFileDialogWindow::kFileList)));
}
CComboBox& ComboOf(HWND dialog, int id) { return *static_cast<CComboBox*>(CWnd::FromHandle(GetDlgItem(dialog, id))); }

}  // namespace

std::vector<CFileDialogWindow::FileType> CFileDialogWindow::ParseFilter(const CString& filter) {
  std::vector<std::wstring> parts;
  const std::wstring& all = filter.Str();
  std::size_t start = 0;
  while (start < all.size()) {
    const std::size_t bar = all.find(L'|', start);
    if (bar == start) break;
    parts.push_back(all.substr(start, bar == std::wstring::npos ? std::wstring::npos : bar - start));
    if (bar == std::wstring::npos) break;
    start = bar + 1;
  }
  std::vector<FileType> types;
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
    FileType type{CString(parts[i]), {}};
    std::size_t from = 0;
    while (from <= parts[i + 1].size()) {
      const std::size_t semicolon = std::min(parts[i + 1].find(L';', from), parts[i + 1].size());
      if (semicolon > from) type.patterns.push_back(parts[i + 1].substr(from, semicolon - from));
      from = semicolon + 1;
    }
    types.push_back(std::move(type));
  }
  return types;
}

bool CFileDialogWindow::Matches(const std::wstring& name, const std::wstring& pattern) {
  return pattern == L"*.*" || WildcardMatch(Lower(name), Lower(pattern));
}

CFileDialogWindow::CFileDialogWindow(CFileDialog& dialog)
    : CBuiltInDialog(kFileDialogWindow, LayOut(dialog)), dialog_(dialog), types_(ParseFilter(dialog.GetFilter())) {}

BOOL CFileDialogWindow::OnInitDialog() {
  const fs::path initial = ToPath(dialog_.GetInitialFileName());
  std::error_code error;
  const bool inFolder = initial.has_parent_path() && fs::is_directory(initial.parent_path(), error);
  CListCtrl& list = ListOf(m_hWnd);
  list.InsertColumn(0, L"Name", LVCFMT_LEFT, 200);
  list.InsertColumn(1, L"Size", LVCFMT_RIGHT, 70);
  list.InsertColumn(2, L"Type", LVCFMT_LEFT, 90);
  CComboBox& typeBox = ComboOf(m_hWnd, kFileTypes);
  for (const FileType& type : types_) typeBox.AddString(type.description);
  typeBox.SetCurSel(0);
  SetItemText(kFileName, inFolder ? FromPath(initial.filename()) : dialog_.GetInitialFileName());
  ShowFolder(inFolder ? fs::absolute(initial.parent_path()) : fs::current_path(error));
  return true;
}

void CFileDialogWindow::ShowFolder(const fs::path& folder) {
  folder_ = folder.lexically_normal();
  if (folder_.has_relative_path() && !folder_.has_filename()) folder_ = folder_.parent_path();
  FillFolders();
  FillList();
}

// The folder and every folder above it, the root first, as the box's choices.
void CFileDialogWindow::FillFolders() {
  CComboBox& folders = ComboOf(m_hWnd, kFolders);
  folders.ResetContent();
  std::vector<fs::path> way;
  for (fs::path step = folder_; !step.empty(); step = step.parent_path()) {
    way.push_back(step);
    if (step == step.parent_path()) break;
  }
  for (auto step = way.rbegin(); step != way.rend(); ++step) folders.AddString(FromPath(*step));
  folders.SetCurSel(folders.GetCount() - 1);
}

// Folders first, then the files the chosen type lets through, each by name without regard to case.
void CFileDialogWindow::FillList() {
  struct Entry {
    std::wstring name;
    bool folder;
    std::uintmax_t size;
  };
  const int typeIndex = ComboOf(m_hWnd, kFileTypes).GetCurSel();
  const std::vector<std::wstring> patterns =
      typeIndex >= 0 ? types_[static_cast<std::size_t>(typeIndex)].patterns : std::vector<std::wstring>{L"*.*"};
  std::vector<Entry> entries;
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder_, error)) {
    const std::wstring name = entry.path().filename().wstring();
    const bool folder = entry.is_directory(error);
    const bool wanted = std::any_of(patterns.begin(), patterns.end(),
                                    [&name](const std::wstring& pattern) { return Matches(name, pattern); });
    if (folder || wanted) entries.push_back({name, folder, folder ? 0 : entry.file_size(error)});
  }
  std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
    return a.folder != b.folder ? a.folder : Lower(a.name) < Lower(b.name);
  });
  CListCtrl& list = ListOf(m_hWnd);
  list.DeleteAllItems();
  for (const Entry& entry : entries) {
    const int row = list.InsertItem(list.GetItemCount(), entry.name.c_str());
    list.SetItemText(row, 1, entry.folder ? L"" : static_cast<const wchar_t*>(SizeText(entry.size)));
    list.SetItemText(row, 2, TypeText(entry.name, entry.folder));
  }
}

BOOL CFileDialogWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam);
  const UINT code = HIWORD(wParam);
  if (id == kFolders && code == CBN_SELCHANGE) {
    CString picked;
    CComboBox& folders = ComboOf(m_hWnd, kFolders);
    folders.GetLBText(folders.GetCurSel(), picked);
    ShowFolder(ToPath(picked));
    return true;
  }
  if (id == kFileTypes && code == CBN_SELCHANGE) {
    FillList();
    return true;
  }
  if (id == kUpOneLevel && code == BN_CLICKED) {
    ShowFolder(folder_.parent_path());
    return true;
  }
  return CBuiltInDialog::OnCommand(wParam, lParam);
}

int CFileDialogWindow::Tell(const CString& text, UINT type) const {
  return AfxGetUser().AnswerMessageBox(text, GetWindowText(), type);
}

// With the name field empty, the entry selected in the list is the one taken.
CString CFileDialogWindow::SelectedEntry() const {
  CListCtrl& list = ListOf(m_hWnd);
  for (int row = 0; row < list.GetItemCount(); ++row) {
    if (list.GetItemState(row, LVIS_SELECTED) != 0) return list.GetItemText(row, 0);
  }
  return {};
}

void CFileDialogWindow::OnOK() {
  const CString typed = ItemText(kFileName).IsEmpty() ? SelectedEntry() : ItemText(kFileName);
  if (typed.IsEmpty()) return;
  fs::path chosen = ToPath(typed);
  if (chosen.is_relative()) chosen = folder_ / chosen;
  std::error_code error;
  if (fs::is_directory(chosen, error)) {
    ShowFolder(chosen);
    SetItemText(kFileName, L"");
    return;
  }
  if (!chosen.has_extension() && !dialog_.GetDefaultExtension().IsEmpty()) {
    chosen += "." + dialog_.GetDefaultExtension().ToUtf8();
  }
  if (Confirm(chosen)) EndDialog(IDOK);
}

bool CFileDialogWindow::Confirm(fs::path file) {
  const CString name = FromPath(file);
  std::error_code error;
  const bool exists = fs::exists(file, error);
  const DWORD flags = dialog_.GetFlags();
  if (dialog_.IsOpenDialog() && (flags & OFN_FILEMUSTEXIST) != 0 && !exists) {
    Tell(name + L"\nFile not found.\nCheck the file name and try again.", MB_OK | MB_ICONWARNING);
    return false;
  }
  if (!dialog_.IsOpenDialog() && (flags & OFN_OVERWRITEPROMPT) != 0 && exists &&
      Tell(name + L" already exists.\nDo you want to replace it?", MB_YESNO | MB_ICONWARNING) != IDYES) {
    return false;
  }
  if (!dialog_.Choose(name)) {
    Tell(FromPath(file.parent_path()) + L"\nPath does not exist.\nCheck the path and try again.",
         MB_OK | MB_ICONWARNING);
    return false;
  }
  return true;
}

bool RunFileDialogWindow(CFileDialog& dialog) {
  CFileDialogWindow window(dialog);
  return window.DoModal() == IDOK;
}
