#pragma once
// Dialogs made from a host template by number, run modally: the user (see
// CUser) acts in the dialog until it ends. Data exchange moves values between
// the controls and the dialog's members in both directions.

#include "brenmoor/ui/CWnd.h"
#include "brenmoor/windowing/DialogTemplate.h"

class CDialog;

class CDataExchange {
 public:
  CDataExchange(CWnd* dialog, BOOL saveAndValidate) : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}
  // The control with that id; a dialog without it is a programming error and throws.
  HWND PrepareCtrl(int id) const;

  CWnd* m_pDlgWnd;
  BOOL m_bSaveAndValidate;
};

// Attaches the member to the control the first time.
void DDX_Control(CDataExchange* exchange, int id, CWnd& control);
void DDX_Text(CDataExchange* exchange, int id, CString& value);
// Saving reads the combo box's field (its selected choice when it has no
// field); loading selects the first choice that begins with the value, or
// puts the value into the field when none does.
void DDX_CBString(CDataExchange* exchange, int id, CString& value);
// Loading checks the box for any nonzero value.
void DDX_Check(CDataExchange* exchange, int id, int& value);

class CDialog : public CWnd {
  DECLARE_DYNAMIC(CDialog)

 public:
  explicit CDialog(UINT templateId, CWnd* parent = nullptr);

  // IDOK, IDCANCEL or what EndDialog was given; -1 when the host has no
  // template of that number.
  virtual INT_PTR DoModal();
  void EndDialog(int result);
  bool IsModalRunning() const { return running_; }
  UINT GetTemplateId() const { return templateId_; }
  // Runs once the controls exist: loads the members into them. True lets the
  // framework put the focus on the first control that takes it.
  virtual BOOL OnInitDialog();

 protected:
  // OK saves the controls into the members and ends the dialog; Cancel ends it.
  virtual void OnOK();
  virtual void OnCancel();
  // Makes the window of a modal run: the host's template by number.
  virtual bool CreateModalWindow(HWND owner);
  // The template's controls as children of the dialog's window.
  bool CreateControls(const DialogTemplate& dialog);
  // The dialog's window in the middle of the screen, with the template's controls.
  bool CreateFromTemplate(const DialogTemplate& dialog, HWND owner);

  DECLARE_MESSAGE_MAP()

 private:
  LRESULT HandleInitDialog(WPARAM, LPARAM);
  void RunModalLoop();

  UINT templateId_;
  CWnd* parent_;
  bool running_ = false;
  int result_ = IDCANCEL;
};
