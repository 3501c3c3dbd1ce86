#pragma once
// The person in front of a real display (see Screen.h): a dialog runs its
// modal loop on the person's mouse and keyboard until it ends. The
// application installs it when the windows are on screen.

#include "brenmoor/windowing/CUser.h"

class ScreenUser : public CUser {
 public:
  // Shows the dialog as it is after its initialisation.
  void BeginDialog(CDialog& dialog) override;
  // Waits a little for the person's input and hands what came to the windows.
  void ActInDialog(CDialog& dialog) override;
  void EndDialog(CDialog& dialog) override;
  // The modal things that have no window of their own yet cannot be answered
  // on screen: each throws UserScriptError naming itself.
  int AnswerMessageBox(const CString& text, const CString& caption, UINT type) override;
  bool AnswerFileDialog(CFileDialog& dialog) override;
  bool AnswerPrintDialog(CPrintDialog& dialog) override;
  void ViewPrintPreview(CPrintPreview& preview) override;
  UINT AnswerPopupMenu(HMENU menu) override;
  bool AnswerColorDialog(CColorDialog& dialog) override;
};
