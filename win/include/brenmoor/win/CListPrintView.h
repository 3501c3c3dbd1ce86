#pragma once
// The view of a list print: a grid filled from the document's list control
// (headings and cells in the columns' display order), which then posts
// itself the document's print or preview command. Each printed page gets a
// centred heading with the date and time, the system name and, when asked
// for, the date range.

#include "brenmoor/grid/CGXGridView.h"
#include "brenmoor/win/CListPrintDoc.h"

class CPrintFrame;

class CListPrintView : public CGXGridView {
  DECLARE_DYNCREATE(CListPrintView)

 public:
  CListPrintDoc* GetDocument() const;
  void OnInitialUpdate() override;
  void OnDraw(CDC* dc) override;

  // The print commands mark the frame as printing first and as done after.
  void OnFilePrint();
  void OnFilePrintPreview();

  // The text of the page heading; empty without a system name.
  CString PageHeading() const;

 protected:
  CListPrintView();
  BOOL PreCreateWindow(CREATESTRUCT& creating) override;
  BOOL OnPreparePrinting(CPrintInfo* info) override;
  void OnBeginPrinting(CDC* dc, CPrintInfo* info) override;
  void OnPrint(CDC* dc, CPrintInfo* info) override;
  void OnEndPrinting(CDC* dc, CPrintInfo* info) override;
  void OnEndPrintPreview(CDC* dc, CPrintInfo* info, CPoint point, CPrintPreview* preview) override;
  void ShowScrollBar(UINT bar, BOOL show = true) override;

  DECLARE_MESSAGE_MAP()

 private:
  void CopyList(CListCtrl& list);
  void FitColumns();
  void DrawPageHeading(CDC& dc, const CPrintInfo& info);
  CPrintFrame* ParentPrintFrame() const;

  BOOL MainWndEnabled = 0;
  HWND ForegroundWnd = nullptr;
};
