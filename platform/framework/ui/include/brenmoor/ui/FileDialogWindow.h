#pragma once
// The file dialog as a window: the folder with the way up to it, the
// folder's entries that the chosen type lets through, the file name and the
// types of the program's filter. OK takes the name typed, or the entry
// selected in the list when none is; on a folder's name it opens the folder; on
// a file's, it confirms the file into the CFileDialog, asking first when the
// file must exist and does not, or is to be replaced and the flags say to ask.

#include <filesystem>
#include <string>
#include <vector>

#include "brenmoor/ui/BuiltInDialog.h"

class CFileDialog;

class CFileDialogWindow : public CBuiltInDialog {
 public:
  enum : int { kFileList = 0x460, kFileTypes = 0x470, kFolders = 0x471, kFileName = 0x480, kUpOneLevel = 0x4A0 };
  struct FileType {
    CString description;
    std::vector<std::wstring> patterns;
  };
  // The filter's pairs of description and patterns ("Text (*.txt)|*.txt;*.log|...||").
  static std::vector<FileType> ParseFilter(const CString& filter);
  // Windows' wildcards, without regard to case; "*.*" lets every name through.
  static bool Matches(const std::wstring& name, const std::wstring& pattern);

  explicit CFileDialogWindow(CFileDialog& dialog);
  const std::filesystem::path& Folder() const { return folder_; }

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnOK() override;
  void DrawPicture(int, CDC&, const CRect&) override {}

 private:
  void ShowFolder(const std::filesystem::path& folder);
  void FillFolders();
  void FillList();
  CString SelectedEntry() const;
  bool Confirm(std::filesystem::path file);
  int Tell(const CString& text, UINT type) const;

  CFileDialog& dialog_;
  std::vector<FileType> types_;
  std::filesystem::path folder_;
};

// True when the user confirmed a file, which the dialog then holds.
bool RunFileDialogWindow(CFileDialog& dialog);
