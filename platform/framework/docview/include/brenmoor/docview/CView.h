#pragma once
// A view: a child window of a frame that shows a document. It joins its
// document while it is being made (from the frame's creation context), takes
// its first look at the document in OnInitialUpdate, draws in OnDraw, and
// hands commands it does not handle on to its document. A view deletes
// itself when its window goes.

#include "brenmoor/ui/CWnd.h"

class CDC;
class CDocument;
class CPrintInfo;
class CPrintPreview;
class PageOutput;

class CView : public CWnd {
  DECLARE_DYNAMIC(CView)

 public:
  // Leaves its document's list.
  ~CView() override;

  CDocument* GetDocument() const { return m_pDocument; }
  virtual void OnInitialUpdate();
  // Something in the document changed: the view is redrawn.
  virtual void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject);
  virtual void OnDraw(CDC* dc) = 0;
  virtual void OnActivateView(BOOL activate, CView* activateView, CView* deactiveView);
  bool OnCmdMsg(UINT id, UINT code) override;
  void PostNcDestroy() override { delete this; }

  // Before each page: a view whose page count is unknown prints one page.
  virtual void OnPrepareDC(CDC* dc, CPrintInfo* info = nullptr);
  // The framework's print (ID_FILE_PRINT with the print dialog,
  // ID_FILE_PRINT_DIRECT without): prepare, begin, prepare and print each
  // page, end. The main window is disabled while the pages are printed.
  void OnFilePrint();
  // Prepare and begin as for printing, then the user looks at the pages
  // until closing the preview, which ends it.
  void OnFilePrintPreview();

  CDocument* m_pDocument = nullptr;

 protected:
  friend class CPrintPreview;

  CView() = default;
  // Calls DoPreparePrinting; false stops the print.
  virtual BOOL OnPreparePrinting(CPrintInfo* info);
  // The print dialog, unless printing directly or previewing; false when the
  // user cancelled or there is no printer to print to.
  BOOL DoPreparePrinting(CPrintInfo* info);
  virtual void OnBeginPrinting(CDC*, CPrintInfo*) {}
  virtual void OnPrint(CDC* dc, CPrintInfo* info);
  virtual void OnEndPrinting(CDC*, CPrintInfo*) {}
  virtual void OnEndPrintPreview(CDC* dc, CPrintInfo* info, CPoint point, CPrintPreview* preview);
  LRESULT OnCreate(WPARAM wParam, LPARAM lParam);
  LRESULT OnInitialUpdateMessage(WPARAM wParam, LPARAM lParam);
  LRESULT OnPaintMessage(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetFocusMessage(WPARAM wParam, LPARAM lParam);
  void OnDestroy();

  DECLARE_MESSAGE_MAP()

 private:
  // The framework's page loop, for printing and preview alike: the view
  // prepares the context for each page from first to last and says whether
  // there is one; the page starts (a printed one resets the context, so the
  // view prepares it again) and the view prints it.
  void PrintPages(PageOutput& output, CPrintInfo& info, UINT first, UINT last);

  UINT command_ = 0;  // the command being handled
};
