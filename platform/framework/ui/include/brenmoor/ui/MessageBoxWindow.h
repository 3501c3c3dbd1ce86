#pragma once
// The message box as a window: its icon, the text wrapped to fit, and the
// buttons its type asks for, the box sized to its text.

#include <vector>

#include "brenmoor/ui/BuiltInDialog.h"

class CMessageBoxWindow : public CBuiltInDialog {
 public:
  CMessageBoxWindow(const CString& text, const CString& caption, UINT type);
  // The lines the text is shown in, wrapped where they would be too wide.
  static std::vector<std::wstring> WrapText(const CString& text);

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnCancel() override;
  void DrawPicture(int id, CDC& dc, const CRect& box) override;

 private:
  UINT type_;
};

// Shows the box and waits for its answer: IDOK, IDCANCEL, IDYES, IDNO, IDABORT, IDRETRY or IDIGNORE.
int RunMessageBoxWindow(const CString& text, const CString& caption, UINT type);
