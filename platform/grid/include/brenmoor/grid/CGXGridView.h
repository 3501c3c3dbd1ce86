#pragma once
// A framework view that is a grid: the view's initial update, drawing and
// printing are the grid's, and the grid's scroll bars are the window's.

#include "brenmoor/grid/CGXGridCore.h"
#include "brenmoor/docview/CView.h"

class CGXGridView : public CView, public CGXGridCore {
  DECLARE_DYNAMIC(CGXGridView)

 public:
  void OnInitialUpdate() override;
  void OnDraw(CDC* dc) override;
  void OnPrepareDC(CDC* dc, CPrintInfo* info = nullptr) override;

 protected:
  CGXGridView() = default;
  void OnBeginPrinting(CDC* dc, CPrintInfo* info) override;
  void OnPrint(CDC* dc, CPrintInfo* info) override;
  void OnEndPrinting(CDC* dc, CPrintInfo* info) override;
  void ShowScrollBar(UINT bar, BOOL show = true) override;
  CRect GetGridClientRect() const override;
};
