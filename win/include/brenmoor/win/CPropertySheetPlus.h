#pragma once
// A property sheet and its page base class that, in wizard mode, title each
// page with the sheet's caption, " - " and the page's own title; let a page's
// Next handler validate in tabbed mode too; and keep a disabled wizard button
// from staying the default button.

#include "brenmoor/ui/CPropertySheet.h"

class CPropertySheetPlus : public CPropertySheet {
  DECLARE_DYNAMIC(CPropertySheetPlus)

 public:
  CPropertySheetPlus(UINT captionId, CWnd* parent = nullptr, UINT selectPage = 0);
  CPropertySheetPlus(const wchar_t* caption, CWnd* parent = nullptr, UINT selectPage = 0);

  // Joins the (trimmed) caption and the page's tab text; a joined title
  // longer than the tab buffer is cut to fit it.
  void SetPageTitle(CPropertyPage* page);

  // The tab text buffer, terminator included.
  static constexpr int kTabTextUnits = 256;

 protected:
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class CPropertyPagePlus : public CPropertyPage {
  DECLARE_DYNCREATE(CPropertyPagePlus)

 public:
  // The page description size every page of this class declares.
  static constexpr UINT kPageSize = 52;

  CPropertyPagePlus();
  CPropertyPagePlus(UINT templateId, UINT captionId);

  BOOL OnInitDialog() override;
  // In tabbed mode the page's OnWizardNext decides whether it may be left.
  BOOL OnKillActive() override;

 protected:
  // The sheet that holds the page; null when it is not a CPropertySheetPlus.
  CPropertySheetPlus* GetSheetPlus() const;
  void DoDataExchange(CDataExchange*) override {}
};
