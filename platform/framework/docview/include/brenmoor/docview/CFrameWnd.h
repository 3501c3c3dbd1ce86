#pragma once
// Frames: the window around one or more views. A frame makes its view from
// the creation context while it is being made, knows its active view, hands
// commands to that view first, shows itself in ActivateFrame and closes its
// document when its last view of the document goes. Frames delete themselves
// when their window goes.

#include "brenmoor/docview/CCreateContext.h"
#include "brenmoor/ui/CWnd.h"
#include "brenmoor/windowing/Accelerators.h"

class CDocument;
class CView;

// The frame's title shows the document's.
constexpr DWORD FWS_ADDTOTITLE = 0x00008000;

class CFrameWnd : public CWnd {
  DECLARE_DYNCREATE(CFrameWnd)

 public:
  CFrameWnd() = default;
  static const CRect rectDefault;

  virtual BOOL Create(const wchar_t* className, const wchar_t* title, DWORD style = WS_OVERLAPPEDWINDOW,
                      const CRect& rect = rectDefault, CWnd* parent = nullptr, const wchar_t* menuName = nullptr,
                      DWORD exStyle = 0, CCreateContext* context = nullptr);
  // The title is the first line of the host string with the resource id;
  // the host's menu and accelerators of that id, when it has them, are the
  // frame's menu bar and keys.
  virtual BOOL LoadFrame(UINT resourceId, DWORD style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                         CWnd* parent = nullptr, CCreateContext* context = nullptr);
  // Shows the frame (-1: as it was, or normally when hidden) and activates it.
  virtual void ActivateFrame(int showCommand = -1);
  // Sends the views their initial update and, when asked to make the frame
  // visible, activates the frame and its view.
  virtual void InitialUpdateFrame(CDocument* document, BOOL makeVisible);
  CView* GetActiveView() const { return m_pViewActive; }
  void SetActiveView(CView* view, BOOL notify = true);
  virtual CDocument* GetActiveDocument();
  virtual CFrameWnd* GetActiveFrame() { return this; }
  CFrameWnd* AsFrameWnd() override { return this; }
  // A frame made with FWS_ADDTOTITLE shows its active document's title.
  virtual void OnUpdateFrameTitle(BOOL addToTitle);
  // The view of the context's class, made as the frame's pane with the id.
  CWnd* CreateView(CCreateContext* context, UINT id = AFX_IDW_PANE_FIRST);
  // The pane fills the client area.
  virtual void RecalcLayout();
  // The host's accelerator table with the id: its keys send the frame their commands.
  BOOL LoadAccelTable(UINT id);
  BOOL PreTranslateMessage(const MSG& message) override;

  // The active view first, then the frame itself.
  bool OnCmdMsg(UINT id, UINT code) override;
  void PostNcDestroy() override;

  BOOL m_bAutoDelete = true;

 protected:
  // A frame is made with its own Create; the plain window's stays for the
  // frames built on this one.
  using CWnd::Create;
  virtual BOOL OnCreateClient(CREATESTRUCT* creating, CCreateContext* context);
  int OnCreate(CREATESTRUCT* creating);
  void OnClose();
  void OnDestroy();
  LRESULT OnSizeMessage(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetFocusMessage(WPARAM wParam, LPARAM lParam);
  // A top-level frame fills the default rectangle with this size.
  CRect DefaultPlace(const CRect& rect) const;

  CString m_strTitle;
  CView* m_pViewActive = nullptr;
  bool m_bAddToTitle = false;
  HACCEL m_hAccelTable = nullptr;

  DECLARE_MESSAGE_MAP()
};
