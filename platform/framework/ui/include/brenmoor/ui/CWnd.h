#pragma once
// The framework's window: a C++ object attached to a handle of the window
// table. Attaching subclasses the window: its messages go through the
// object's message map first, then to the procedure it had before;
// CWnd::FromHandle finds the object for any handle, making one of the
// control's framework class when nobody attached one.

#include "brenmoor/ui/CCmdTarget.h"
#include "brenmoor/windowing/CMenu.h"
#include "brenmoor/windowing/Input.h"
#include "brenmoor/windowing/WindowSystem.h"

class CDataExchange;
class CFont;
class CFrameWnd;

// A rectangle's left at this value lets the system choose the place and size.
constexpr LONG CW_USEDEFAULT = static_cast<LONG>(0x80000000);

class CWnd : public CCmdTarget {
  DECLARE_DYNAMIC(CWnd)

 public:
  CWnd() = default;
  // Destroys the window it is attached to.
  ~CWnd() override;
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  // Objects made for windows nobody attached stay until the next is made,
  // since a caller may still hold one after its window is gone.
  static CWnd* FromHandle(HWND window);
  // Only the object attached to the handle; null when none is.
  static CWnd* FromHandlePermanent(HWND window);
  // Which framework class stands for a window of the class nobody attached.
  class WrapperRegistration {
   public:
    WrapperRegistration(const wchar_t* className, CWnd* (*make)());
  };
  HWND GetSafeHwnd() const { return m_hWnd; }

  // A window of a registered class attached to this object; false when it cannot be made.
  virtual BOOL Create(const wchar_t* className, const wchar_t* text, DWORD style, const CRect& rect,
                      CWnd* parent, UINT id);
  // The window as the structure says, after PreCreateWindow had its say; the
  // parameter reaches WM_CREATE as the structure's lpCreateParams.
  BOOL CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style, const CRect& rect,
                CWnd* parent, UINT id, void* createParams = nullptr);
  // A window attached to this object from its first message (WM_CREATE) on,
  // made as given; false when it cannot be made.
  BOOL CreateAttached(const wchar_t* className, const wchar_t* text, DWORD style, const CRect& rect, HWND parent,
                      int id, void* createParams = nullptr);
  // May change how the window is made; false stops it being made.
  virtual BOOL PreCreateWindow(CREATESTRUCT& creating);
  virtual BOOL DestroyWindow();
  // Attaches this object to an existing window, so its messages go through this object.
  BOOL SubclassWindow(HWND window);
  BOOL SubclassDlgItem(UINT id, CWnd* parent);
  HWND UnsubclassWindow();

  void SetWindowText(const wchar_t* text);
  void GetWindowText(CString& text) const;
  CString GetWindowText() const;
  // The menu bar (see MenuBar.h); the window owns the menu from now on.
  BOOL SetMenu(CMenu* menu);
  CMenu* GetMenu() const;
  int GetWindowTextLength() const;
  DWORD GetStyle() const;
  BOOL ModifyStyle(DWORD remove, DWORD add);
  int GetDlgCtrlID() const;
  CWnd* GetParent() const;
  // The nearest frame among the window's parents; null when none.
  CFrameWnd* GetParentFrame() const;
  // The window as a frame; null unless it is one.
  virtual CFrameWnd* AsFrameWnd() { return nullptr; }
  // The child with the id, searched at every depth (or only among the children).
  CWnd* GetDescendantWindow(int id, BOOL onlyChildren = false) const;
  // Sends the message to every child, and to their children when deep.
  void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL deep = true) const;
  CWnd* GetDlgItem(int id) const;
  void SetDlgItemText(int id, const wchar_t* text);
  int GetDlgItemText(int id, CString& text) const;
  void CheckDlgButton(int id, UINT check);
  UINT IsDlgButtonChecked(int id) const;
  BOOL EnableWindow(BOOL enable = true);
  BOOL IsWindowEnabled() const;
  BOOL ShowWindow(int showCommand);
  BOOL IsWindowVisible() const;
  void GetWindowRect(CRect* rect) const;
  void GetClientRect(CRect* rect) const;
  // From screen coordinates to this window's client coordinates.
  void ScreenToClient(CRect* rect) const;
  void MoveWindow(const CRect& rect, BOOL repaint = true);
  CWnd* SetFocus();
  static CWnd* GetFocus();
  CWnd* SetActiveWindow();
  static CWnd* GetActiveWindow();
  BOOL SetForegroundWindow();
  static CWnd* GetForegroundWindow();
  // bar: 0 horizontal, 1 vertical, 3 both.
  void ShowScrollBar(UINT bar, BOOL show = true);
  void SetFont(CFont* font, BOOL redraw = true);
  CFont* GetFont() const;

  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

  // Marks the whole client area for repainting; erase asks for the
  // background to be erased first.
  virtual void Invalidate(BOOL erase = true);
  int InvalidationCount() const { return invalidations_; }
  bool LastInvalidationErased() const { return lastErased_; }

  // Saves the controls into the members (true) or loads them (false).
  BOOL UpdateData(BOOL saveAndValidate = true);

  // The window system hands every message of the attached window here.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // Called once the window is gone; a window that owns itself deletes itself here.
  virtual void PostNcDestroy() {}
  // A key press on its way to this window or one of its children; true when
  // this window used it (a frame's accelerators).
  virtual BOOL PreTranslateMessage(const MSG&) { return false; }

  HWND m_hWnd = nullptr;

 protected:
  // The procedure the window had before this object: what the window does
  // with a message the map left.
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  // WM_COMMAND: the command or a control's notification through the message map.
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  // A message the parent got about this control and hands back to it first
  // (a notification, WM_DRAWITEM); true when the control dealt with it.
  virtual bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  virtual void DoDataExchange(CDataExchange* exchange);
  virtual void PreSubclassWindow() {}

 private:
  // The framework's procedure, which every attached window has: the object's map first.
  static LRESULT FrameworkProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Attach(HWND window);
  void Detach();

  WindowProcedure previousProcedure_ = nullptr;
  int invalidations_ = 0;
  bool lastErased_ = false;
};

// Registers a control's window class and the framework class that stands
// for its windows nobody attached.
template <typename Data, typename Wrapper>
class ControlRegistration {
 public:
  ControlRegistration(const wchar_t* name, WindowProcedure procedure)
      : windowClass_(ControlClass<Data>(name, procedure)), wrapper_(name, []() -> CWnd* { return new Wrapper; }) {}

 private:
  WindowClassRegistration windowClass_;
  CWnd::WrapperRegistration wrapper_;
};
