#include "brenmoor/ui/CWnd.h"

#include <map>
#include <memory>
#include <string>
#include <utility>

#include "brenmoor/ui/CDialog.h"
#include "brenmoor/core/CException.h"
#include "brenmoor/core/Desktop.h"
#include "brenmoor/ui/CWinThread.h"
#include "brenmoor/gdi/GdiObjects.h"
#include "brenmoor/windowing/MenuBar.h"
#include "brenmoor/windowing/WindowPainter.h"
#include "brenmoor/windowing/CMenu.h"

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

namespace {

// What the user is told of a framework exception that no command handler caught.
CString UncaughtText(const CException& error) {
  if (const auto* file = dynamic_cast<const CFileException*>(&error)) {
    return file->m_strFileName + CString(L": ") + file->GetErrorMessage();
  }
  return CString::FromUtf8(error.what());
}

std::map<std::wstring, CWnd* (*)()>& WrapperClasses() {
  static std::map<std::wstring, CWnd* (*)()> classes;
  return classes;
}

// Which object stands for which window: the attached ones, and those made
// for windows nobody attached.
struct HandleMap : Desktop::Part {
  // The objects still here when the desktop goes go with the map; they
  // must not look their windows up in a map that is going away.
  ~HandleMap() override {
    for (auto& entry : temporary) entry.second->m_hWnd = nullptr;
  }

  std::map<HWND, CWnd*> permanent;
  std::map<HWND, std::unique_ptr<CWnd>> temporary;
};

HandleMap& Handles() { return Desktop::Current().Get<HandleMap>(); }

CWnd* MakeWrapper(HWND window) {
  const WindowState* state = FindWindowState(window);
  const auto found = WrapperClasses().find(state->className);
  CWnd* wrapper = found != WrapperClasses().end() ? found->second() : new CWnd;
  wrapper->m_hWnd = window;
  return wrapper;
}

}  // namespace

CWnd::WrapperRegistration::WrapperRegistration(const wchar_t* className, CWnd* (*make)()) {
  WrapperClasses()[className] = make;
}

CWnd::~CWnd() {
  if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this) ::DestroyWindow(m_hWnd);
}

CWnd* CWnd::FromHandlePermanent(HWND window) {
  const auto found = Handles().permanent.find(window);
  return found != Handles().permanent.end() && IsWindow(window) ? found->second : nullptr;
}

CWnd* CWnd::FromHandle(HWND window) {
  if (!IsWindow(window)) return nullptr;
  if (CWnd* attached = FromHandlePermanent(window)) return attached;
  auto& temporary = Handles().temporary;
  const auto found = temporary.find(window);
  if (found != temporary.end()) return found->second.get();
  std::erase_if(temporary, [](const auto& entry) { return !IsWindow(entry.first); });
  return temporary.emplace(window, MakeWrapper(window)).first->second.get();
}

void CWnd::Attach(HWND window) {
  Handles().permanent[window] = this;
  m_hWnd = window;
  previousProcedure_ = SetWindowProcedure(window, &FrameworkProcedure);
}

void CWnd::Detach() {
  SetWindowProcedure(m_hWnd, std::exchange(previousProcedure_, nullptr));
  Handles().permanent.erase(m_hWnd);
  m_hWnd = nullptr;
}

LRESULT CWnd::FrameworkProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* attached = FromHandlePermanent(window);
  if (attached == nullptr) return CallClassProcedure(window, message, wParam, lParam);
  const LRESULT result = attached->WindowProc(message, wParam, lParam);
  if (message == WM_NCDESTROY && FromHandlePermanent(window) == attached) {
    attached->Detach();
    attached->PostNcDestroy();
  }
  return result;
}

BOOL CWnd::CreateAttached(const wchar_t* className, const wchar_t* text, DWORD style, const CRect& rect,
                          HWND parent, int id, void* createParams) {
  return CreateWindowExW(className, text, style, rect, parent, id, createParams,
                         [this](HWND window) { Attach(window); }) != nullptr;
}

BOOL CWnd::Create(const wchar_t* className, const wchar_t* text, DWORD style, const CRect& rect,
                  CWnd* parent, UINT id) {
  return CreateEx(0, className, text, style, rect, parent, id);
}

BOOL CWnd::CreateEx(DWORD, const wchar_t* className, const wchar_t* text, DWORD style, const CRect& rect,
                    CWnd* parent, UINT id, void* createParams) {
  // A place the system is to choose has no size yet.
  const bool chosen = rect.left == CW_USEDEFAULT;
  CREATESTRUCT creating{createParams, parent != nullptr ? parent->m_hWnd : nullptr, chosen ? 0 : rect.Height(),
                        chosen ? 0 : rect.Width(), rect.top, rect.left, style, text, className, static_cast<int>(id)};
  if (!PreCreateWindow(creating)) {
    PostNcDestroy();
    return false;
  }
  const CRect place{creating.x, creating.y, creating.x + creating.cx, creating.y + creating.cy};
  if (!CreateAttached(creating.lpszClass, creating.lpszName, creating.style, place, creating.hwndParent,
                      creating.id, creating.lpCreateParams)) {
    return false;
  }
  // A class that adapts the windows it is attached to does so whether it
  // subclassed a dialog's control or created its own.
  PreSubclassWindow();
  return true;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& creating) {
  if (creating.lpszClass == nullptr) creating.lpszClass = kGenericWindowClass;
  return true;
}

BOOL CWnd::DestroyWindow() { return ::DestroyWindow(m_hWnd); }

BOOL CWnd::SubclassWindow(HWND window) {
  if (!IsWindow(window) || FromHandlePermanent(window) != nullptr || m_hWnd != nullptr) return false;
  Attach(window);
  PreSubclassWindow();
  return true;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
  return parent != nullptr && SubclassWindow(::GetDlgItem(parent->m_hWnd, static_cast<int>(id)));
}

HWND CWnd::UnsubclassWindow() {
  const HWND window = m_hWnd;
  if (FromHandlePermanent(window) == this) {
    Detach();
  } else {
    m_hWnd = nullptr;
  }
  return window;
}

void CWnd::SetWindowText(const wchar_t* text) {
  SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text != nullptr ? text : L""));
}

void CWnd::GetWindowText(CString& text) const { text = GetWindowText(); }

BOOL CWnd::SetMenu(CMenu* menu) { return ::SetMenu(m_hWnd, menu != nullptr ? menu->GetSafeHmenu() : nullptr); }
CMenu* CWnd::GetMenu() const { return CMenu::FromHandle(::GetMenu(m_hWnd)); }

CString CWnd::GetWindowText() const {
  const auto length = static_cast<std::size_t>(GetWindowTextLength());
  std::wstring buffer(length + 1, L'\0');
  const auto copied = SendMessage(WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
  buffer.resize(static_cast<std::size_t>(copied));
  return CString(std::move(buffer));
}

int CWnd::GetWindowTextLength() const { return static_cast<int>(SendMessage(WM_GETTEXTLENGTH)); }
DWORD CWnd::GetStyle() const { return ::GetStyle(m_hWnd); }

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add) {
  const DWORD style = ::GetStyle(m_hWnd);
  const DWORD changed = (style & ~remove) | add;
  if (changed == style) return false;
  ::SetStyle(m_hWnd, changed);
  return true;
}

int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }

CFrameWnd* CWnd::GetParentFrame() const {
  for (HWND parent = ::GetParent(m_hWnd); parent != nullptr; parent = ::GetParent(parent)) {
    CWnd* window = FromHandlePermanent(parent);
    if (CFrameWnd* frame = window != nullptr ? window->AsFrameWnd() : nullptr) return frame;
  }
  return nullptr;
}

CWnd* CWnd::GetDescendantWindow(int id, BOOL onlyChildren) const {
  for (HWND child : GetChildren(m_hWnd)) {
    if (::GetDlgCtrlID(child) == id) return FromHandle(child);
  }
  if (onlyChildren) return nullptr;
  for (HWND child : GetChildren(m_hWnd)) {
    if (CWnd* found = FromHandle(child)->GetDescendantWindow(id)) return found;
  }
  return nullptr;
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL deep) const {
  for (HWND child : GetChildren(m_hWnd)) {
    ::SendMessage(child, message, wParam, lParam);
    if (deep && IsWindow(child)) FromHandle(child)->SendMessageToDescendants(message, wParam, lParam, deep);
  }
}
CWnd* CWnd::GetDlgItem(int id) const { return FromHandle(::GetDlgItem(m_hWnd, id)); }

void CWnd::SetDlgItemText(int id, const wchar_t* text) {
  if (CWnd* item = GetDlgItem(id)) item->SetWindowText(text);
}

int CWnd::GetDlgItemText(int id, CString& text) const {
  const CWnd* item = GetDlgItem(id);
  text = item != nullptr ? item->GetWindowText() : CString();
  return text.GetLength();
}

void CWnd::CheckDlgButton(int id, UINT check) {
  ::SendMessage(::GetDlgItem(m_hWnd, id), BM_SETCHECK, check);
}

UINT CWnd::IsDlgButtonChecked(int id) const {
  return static_cast<UINT>(::SendMessage(::GetDlgItem(m_hWnd, id), BM_GETCHECK));
}

BOOL CWnd::EnableWindow(BOOL enable) { return ::EnableWindow(m_hWnd, enable); }
BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
BOOL CWnd::ShowWindow(int showCommand) { return ::ShowWindow(m_hWnd, showCommand); }
BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
void CWnd::GetWindowRect(CRect* rect) const { *rect = ::GetWindowRect(m_hWnd); }
void CWnd::GetClientRect(CRect* rect) const { *rect = ::GetClientRect(m_hWnd); }

void CWnd::ScreenToClient(CRect* rect) const {
  const CPoint origin = ::GetClientOrigin(m_hWnd);
  *rect = {rect->left - origin.x, rect->top - origin.y, rect->right - origin.x, rect->bottom - origin.y};
}
void CWnd::MoveWindow(const CRect& rect, BOOL) { ::MoveWindow(m_hWnd, rect); }
CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
CWnd* CWnd::GetFocus() { return FromHandle(::GetFocus()); }
CWnd* CWnd::SetActiveWindow() { return FromHandle(::SetActiveWindow(m_hWnd)); }
CWnd* CWnd::GetActiveWindow() { return FromHandle(::GetActiveWindow()); }
BOOL CWnd::SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
CWnd* CWnd::GetForegroundWindow() { return FromHandle(::GetForegroundWindow()); }

void CWnd::ShowScrollBar(UINT bar, BOOL show) {
  const DWORD bits = bar == 0 ? WS_HSCROLL : bar == 1 ? WS_VSCROLL : bar == 3 ? WS_HSCROLL | WS_VSCROLL : 0;
  if (show) {
    ModifyStyle(0, bits);
  } else {
    ModifyStyle(bits, 0);
  }
}

void CWnd::SetFont(CFont* font, BOOL redraw) {
  SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
}

CFont* CWnd::GetFont() const {
  // The handle stands for a font the caller still owns, as the system's does.
  return const_cast<CFont*>(reinterpret_cast<const CFont*>(SendMessage(WM_GETFONT)));
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::SendMessage(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::PostMessage(m_hWnd, message, wParam, lParam);
}

void CWnd::Invalidate(BOOL erase) {
  ++invalidations_;
  lastErased_ = erase != 0;
  ::InvalidateRect(m_hWnd, nullptr, erase);
}

BOOL CWnd::UpdateData(BOOL saveAndValidate) {
  CDataExchange exchange(this, saveAndValidate);
  DoDataExchange(&exchange);
  return true;
}

void CWnd::DoDataExchange(CDataExchange*) {}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
  return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (previousProcedure_ == nullptr) return CallClassProcedure(m_hWnd, message, wParam, lParam);
  return CallWindowProc(previousProcedure_, m_hWnd, message, wParam, lParam);
}

bool CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (message == WM_COMMAND) {
    // A handler's framework exception is reported and the application goes on.
    try {
      if (!OnCommand(wParam, lParam)) return false;
    } catch (const CException& error) {
      AfxMessageBox(UncaughtText(error), MB_ICONWARNING);
    }
    *result = 1;
    return true;
  }
  if (message == WM_DRAWITEM) {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    CWnd* control = item != nullptr ? FromHandlePermanent(item->hwndItem) : nullptr;
    if (control != nullptr && control->OnChildNotify(message, wParam, lParam, result)) return true;
  }
  const MessageMapEntry* entry = FindEntry(message, 0, 0);
  if (entry == nullptr) return false;
  *result = entry->call(*this, wParam, lParam);
  return true;
}

// A control's notification goes to the control first; what it leaves comes to this window's map.
BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  CWnd* control = FromHandlePermanent(reinterpret_cast<HWND>(lParam));
  LRESULT ignored = 0;
  if (control != nullptr && control != this && control->OnChildNotify(WM_COMMAND, wParam, lParam, &ignored)) {
    return true;
  }
  // A menu's or an accelerator's command (code 1) comes without a control.
  return OnCmdMsg(LOWORD(wParam), lParam == 0 ? 0 : HIWORD(wParam));
}

bool CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM, LRESULT*) {
  return message == WM_COMMAND && OnCmdMsg(0, ReflectedCode(HIWORD(wParam)));
}

// A menu's owner is a framework window; the menu itself knows only its handle.
BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner) {
  return ::TrackPopupMenu(m_hMenu, flags, x, y, owner != nullptr ? owner->GetSafeHwnd() : nullptr);
}
