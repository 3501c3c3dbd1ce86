#pragma once
// Multiple-document frames: the main frame with its MDI client window, which
// holds the child frames and knows the active one, and the child frames.
// Activation goes through the client (WM_MDIACTIVATE): the child that loses
// it and the child that gains it are both told, and the new one gets the
// focus. When the active child goes, the one active before it takes over.

#include "brenmoor/docview/CFrameWnd.h"

class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CMDIFrameWnd)

 public:
  // The active child; maximized, when given, tells whether it is maximised.
  CMDIChildWnd* MDIGetActive(BOOL* maximized = nullptr) const;
  void MDIActivate(CWnd* child);
  CFrameWnd* GetActiveFrame() override;
  // The active child first, then the frame itself.
  bool OnCmdMsg(UINT id, UINT code) override;

  HWND m_hWndMDIClient = nullptr;

 protected:
  BOOL OnCreateClient(CREATESTRUCT* creating, CCreateContext* context) override;
};

class CMDIChildWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CMDIChildWnd)

 public:
  // A child of the MDI frame's client (the application's main window when no
  // parent is given). A maximised child fills the client area.
  virtual BOOL Create(const wchar_t* className, const wchar_t* title,
                      DWORD style = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, const CRect& rect = rectDefault,
                      CMDIFrameWnd* parent = nullptr, CCreateContext* context = nullptr);
  BOOL LoadFrame(UINT resourceId, DWORD style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, CWnd* parent = nullptr,
                 CCreateContext* context = nullptr) override;
  BOOL PreCreateWindow(CREATESTRUCT& creating) override;
  // Shows the child and makes it the active one.
  void ActivateFrame(int showCommand = -1) override;
  // Through the MDI client, which activates another child first.
  BOOL DestroyWindow() override;
  CMDIFrameWnd* GetMDIFrame() const;
  void MDIActivate();
  void MDIDestroy();

 protected:
  // Made as an MDI child whatever frame asked: it has no menu of its own and
  // lives in the client of the parent when that is an MDI frame.
  BOOL Create(const wchar_t* className, const wchar_t* title, DWORD style, const CRect& rect, CWnd* parent,
              const wchar_t* menuName, DWORD exStyle, CCreateContext* context) override;
  // The active view learns that its frame gained or lost the activation.
  virtual void OnMDIActivate(BOOL activate, CWnd* activated, CWnd* deactivated);
  LRESULT OnMDIActivateMessage(WPARAM wParam, LPARAM lParam);

  DECLARE_MESSAGE_MAP()
};
