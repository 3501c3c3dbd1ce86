#pragma once
// The MDI child that holds a list print. It stays out of the user's way: it
// never activates itself (it only notes which child was active), gives the
// activation back to that child while printing, and when printing or the
// preview ends it hides its view and closes itself, giving the keyboard
// focus back to the window that had it when the frame was made.

#include "brenmoor/docview/CMDIFrameWnd.h"

class CPrintFrame : public CMDIChildWnd {
  DECLARE_DYNCREATE(CPrintFrame)

 public:
  CPrintFrame();
  ~CPrintFrame() override;

  // Made maximised with an empty rectangle at the bottom-right corner of the
  // main window's client area, whatever rectangle is given.
  BOOL Create(const wchar_t* className, const wchar_t* title, DWORD style, const CRect& rect, CMDIFrameWnd* parent,
              CCreateContext* context) override;
  // Notes the active child instead of activating the frame.
  void ActivateFrame(int showCommand = -1) override;
  void SetPrintStart();
  void SetPrintEnd();
  bool IsPrinting() const { return Printing; }

 protected:
  int OnCreate(CREATESTRUCT* creating);
  void OnClose();

  DECLARE_MESSAGE_MAP()

 private:
  // The child noted in ActivateFrame, while it is still there.
  CMDIChildWnd* StillOpen(CMDIChildWnd* child) const;
  void ActivateInClient(HWND child) const;

  CMDIChildWnd* PrevActiveChild = nullptr;
  HWND PrevActiveHandle = nullptr;
  HWND FocusWnd = nullptr;
  bool Printing = false;
  bool CloseWhilePrinting = false;
};

// The frame the host registers for list prints.
class CListPrintFrame : public CPrintFrame {
  DECLARE_DYNCREATE(CListPrintFrame)

 public:
  BOOL PreCreateWindow(CREATESTRUCT& creating) override;

 protected:
  DECLARE_MESSAGE_MAP()
};
