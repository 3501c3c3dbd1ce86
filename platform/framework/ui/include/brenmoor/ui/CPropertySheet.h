#pragma once
// Property sheets: pages (dialogs from the host's templates) shown one at a
// time in a sheet, chosen by the tabs of its tab control, or stepped through
// with Back, Next and Finish in wizard mode. A page's window is made the
// first time it is shown. The sheet runs modally like a dialog, so the
// application's user acts in it (see CUser).

#include <vector>

#include "brenmoor/ui/CDialog.h"

class CPropertySheet;

constexpr UINT PSM_SETWIZBUTTONS = WM_USER + 112;  // 0x470
constexpr DWORD PSWIZB_BACK = 0x1;
constexpr DWORD PSWIZB_NEXT = 0x2;
constexpr DWORD PSWIZB_FINISH = 0x4;
constexpr DWORD PSWIZB_DISABLEDFINISH = 0x8;
constexpr DWORD PSH_WIZARD = 0x00000020;
constexpr DWORD PSH_WIZARD97 = 0x01000000;

// The sheet's own controls.
constexpr int AFX_IDC_TAB_CONTROL = 0x3020;
constexpr int ID_APPLY_NOW = 0x3021;
constexpr int ID_WIZBACK = 0x3023;
constexpr int ID_WIZNEXT = 0x3024;
constexpr int ID_WIZFINISH = 0x3025;

struct PROPSHEETPAGE {
  DWORD dwSize = 0;
  DWORD dwFlags = 0;
};

struct PROPSHEETHEADER {
  DWORD dwSize = 0;
  DWORD dwFlags = 0;
  UINT nStartPage = 0;
};

class CPropertyPage : public CDialog {
  DECLARE_DYNAMIC(CPropertyPage)

 public:
  // The page's title is the template's caption, or the host string captionId when given.
  explicit CPropertyPage(UINT templateId, UINT captionId = 0, UINT pageSize = sizeof(PROPSHEETPAGE));

  // False keeps the page from being shown.
  virtual BOOL OnSetActive() { return true; }
  // False keeps the page: its data did not pass.
  virtual BOOL OnKillActive();
  // -1 stays on the page, 0 goes to the next one, anything else to the page with that template id.
  virtual LRESULT OnWizardBack() { return 0; }
  virtual LRESULT OnWizardNext() { return 0; }
  // False keeps the wizard open.
  virtual BOOL OnWizardFinish() { return true; }
  virtual BOOL OnQueryCancel() { return true; }
  // The sheet ends: accepted or cancelled.
  void OnOK() override {}
  void OnCancel() override {}

  const CString& GetTitle() const { return title_; }

  PROPSHEETPAGE m_psp;

 private:
  friend class CPropertySheet;
  CString title_;
};

class CPropertySheet : public CDialog {
  DECLARE_DYNAMIC(CPropertySheet)

 public:
  CPropertySheet(UINT captionId, CWnd* parent = nullptr, UINT selectPage = 0);
  CPropertySheet(const wchar_t* caption, CWnd* parent = nullptr, UINT selectPage = 0);

  void AddPage(CPropertyPage* page);
  int GetPageCount() const { return static_cast<int>(pages_.size()); }
  CPropertyPage* GetPage(int index) const;
  // -1 for a page the sheet does not hold.
  int GetPageIndex(const CPropertyPage* page) const;
  CPropertyPage* GetActivePage() const { return GetPage(active_); }
  int GetActiveIndex() const { return active_; }
  BOOL SetActivePage(int index);
  CWnd* GetTabControl() const;
  void SetWizardMode() { m_psh.dwFlags |= PSH_WIZARD; }
  bool IsWizard() const { return (m_psh.dwFlags & (PSH_WIZARD | PSH_WIZARD97)) != 0; }
  void SetWizardButtons(DWORD flags) { SendMessage(PSM_SETWIZBUTTONS, 0, static_cast<LPARAM>(flags)); }
  void SetTitle(const wchar_t* title) { m_strCaption = title; }

  CString m_strCaption;
  PROPSHEETHEADER m_psh;

 protected:
  bool CreateModalWindow(HWND owner) override;
  BOOL OnInitDialog() override;
  // Accepts every page once the active one lets go.
  void OnOK() override;
  void OnCancel() override;
  // The sheet's own messages: the wizard buttons and the default button.
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  DECLARE_MESSAGE_MAP()

 private:
  void OnWizardBack();
  void OnWizardNext();
  void OnWizardFinish();
  LRESULT OnNotify(WPARAM wParam, LPARAM lParam);
  // Steps by a page's answer: -1 stays, 0 goes by the step, an id goes to that page.
  void Step(LRESULT answer, int step);
  bool CreatePage(CPropertyPage& page);
  void SetButtons(DWORD flags);
  void SetDefaultButton(int id);

  std::vector<CPropertyPage*> pages_;
  int active_ = -1;
  int defaultButton_ = 0;
  CRect pageArea_;
};
