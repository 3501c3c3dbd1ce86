#include "brenmoor/grid/CGXGridView.h"

IMPLEMENT_DYNAMIC(CGXGridView, CView)

void CGXGridView::OnInitialUpdate() { OnGridInitialUpdate(); }

void CGXGridView::OnDraw(CDC* dc) { OnGridDraw(dc); }

void CGXGridView::OnPrepareDC(CDC* dc, CPrintInfo* info) {
  CView::OnPrepareDC(dc, info);
  if (info != nullptr) OnGridPrepareDC(dc, info);
}

void CGXGridView::OnBeginPrinting(CDC* dc, CPrintInfo* info) { OnGridBeginPrinting(dc, info); }

void CGXGridView::OnPrint(CDC* dc, CPrintInfo* info) { OnGridPrint(dc, info); }

void CGXGridView::OnEndPrinting(CDC* dc, CPrintInfo* info) { OnGridEndPrinting(dc, info); }

void CGXGridView::ShowScrollBar(UINT bar, BOOL show) { CWnd::ShowScrollBar(bar, show); }

CRect CGXGridView::GetGridClientRect() const {
  CRect client;
  GetClientRect(&client);
  return client;
}
