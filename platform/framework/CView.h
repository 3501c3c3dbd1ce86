#pragma once
// A view: a child window of a frame that shows a document. It joins its
// document while it is being made (from the frame's creation context), takes
// its first look at the document in OnInitialUpdate, draws in OnDraw, and
// hands commands it does not handle on to its document. A view deletes
// itself when its window goes.

#include "CWnd.h"

class CDC;
class CDocument;

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

  CDocument* m_pDocument = nullptr;

 protected:
  CView() = default;
  LRESULT OnCreate(WPARAM wParam, LPARAM lParam);
  LRESULT OnInitialUpdateMessage(WPARAM wParam, LPARAM lParam);
  LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetFocusMessage(WPARAM wParam, LPARAM lParam);
  void OnDestroy();

  DECLARE_MESSAGE_MAP()
};
