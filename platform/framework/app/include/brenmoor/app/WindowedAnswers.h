#pragma once
// A user that answers every modal thing in a window of its own: message
// boxes, the file, colour and print dialogs, the print preview and popup
// menus each run as a dialog in the modal loop, where the user acts as in
// any other dialog. What acting is stays with the user that derives from it.

#include "brenmoor/windowing/CUser.h"

class WindowedAnswers : public CUser {
 public:
  int AnswerMessageBox(const CString& text, const CString& caption, UINT type) override;
  bool AnswerFileDialog(CFileDialog& dialog) override;
  bool AnswerPrintDialog(CPrintDialog& dialog) override;
  void ViewPrintPreview(CPrintPreview& preview) override;
  UINT AnswerPopupMenu(HMENU menu, CPoint at) override;
  bool AnswerColorDialog(CColorDialog& dialog) override;
};
