#pragma once
// The person in front of the application. Every modal thing hands control to
// the user the host or test installed: a dialog lets the user act in it until
// it ends, a message box or file dialog asks for an answer. Without an
// installed user, nobody answers: the first modal thing fails loudly.

#include <stdexcept>

#include "brenmoor/core/CString.h"
#include "brenmoor/core/Geometry.h"

class CColorDialog;
class CDialog;
class CFileDialog;
class CPrintDialog;
class CPrintPreview;

// A modal thing nobody expected, or a step that a person could not take.
class UserScriptError : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

class CUser {
 public:
  virtual ~CUser() = default;
  // The dialog's modal loop starts, then asks for one action at a time until
  // the dialog ends, then says so.
  virtual void BeginDialog(CDialog& dialog) = 0;
  virtual void ActInDialog(CDialog& dialog) = 0;
  virtual void EndDialog(CDialog& dialog) = 0;
  // The button pressed (IDOK, IDCANCEL, IDYES, IDNO).
  virtual int AnswerMessageBox(const CString& text, const CString& caption, UINT type) = 0;
  // True when the user confirmed a file, which the dialog then holds.
  virtual bool AnswerFileDialog(CFileDialog& dialog) = 0;
  // True when the user printed; the dialog then holds the pages and file.
  // Nobody answers unless a user that knows printing says otherwise.
  virtual bool AnswerPrintDialog(CPrintDialog& dialog);
  // Returns when the user closes the preview.
  virtual void ViewPrintPreview(CPrintPreview& preview);
  // The command picked in a popup menu shown with its top-left corner at the
  // point on the screen, or 0 when the user dismissed it. A user that does
  // not expect menus fails at once.
  virtual UINT AnswerPopupMenu(HMENU menu, CPoint at);
  // True when the user picked a colour, which the dialog then holds.
  // A user that does not expect colour dialogs fails at once.
  virtual bool AnswerColorDialog(CColorDialog& dialog);
};

CUser& AfxGetUser();
// Installs the user for as long as the scope lives; scopes nest.
class CUserScope {
 public:
  explicit CUserScope(CUser& user);
  ~CUserScope();
  CUserScope(const CUserScope&) = delete;
  CUserScope& operator=(const CUserScope&) = delete;

 private:
  CUser* previous_;
};
