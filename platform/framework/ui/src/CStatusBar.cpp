#include "brenmoor/ui/CStatusBar.h"

#include <algorithm>
#include <cwchar>

#include "brenmoor/ui/CPaintDC.h"
#include "brenmoor/core/CResourceModule.h"

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

namespace {

constexpr int kPaneGap = 2;
constexpr int kTextInset = 3;

struct StatusBarData : ControlData {
  std::vector<CString> texts{CString()};
  std::vector<int> rights{-1};  // -1: to the bar's right edge
};

StatusBarData& Data(HWND window) { return *ControlDataOf<StatusBarData>(window); }

CRect PaneRect(HWND window, std::size_t index) {
  const StatusBarData& data = Data(window);
  const CRect client = GetClientRect(window);
  const LONG left = index == 0 ? 0 : data.rights[index - 1] + kPaneGap;
  const LONG right = data.rights[index] < 0 ? client.right : data.rights[index];
  return {left, 2, std::max(left, right), client.bottom};
}

const CFont* BarFont(const WindowState& state) {
  return state.font != nullptr ? state.font : static_cast<const CFont*>(GetStockObject(DEFAULT_GUI_FONT));
}

// The classic look: each pane sunken, its text inside.
void PaintPanes(HWND window) {
  CPaintDC dc(CWnd::FromHandle(window));
  const CRect client = GetClientRect(window);
  dc.FillSolidRect(client, GetSysColor(COLOR_BTNFACE));
  dc.SelectObject(const_cast<CFont*>(BarFont(*FindWindowState(window))));
  dc.SetBkMode(TRANSPARENT);
  const StatusBarData& data = Data(window);
  for (std::size_t i = 0; i < data.texts.size(); ++i) {
    const CRect pane = PaneRect(window, i);
    dc.Draw3dRect(pane, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
    dc.TextOut(pane.left + kTextInset, pane.top + kTextInset, data.texts[i]);
  }
}

LRESULT StatusBarProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  StatusBarData& data = Data(window);
  const std::size_t index = wParam & 0xFF;
  switch (message) {
    case SB_SETPARTS: {
      const auto* rights = reinterpret_cast<const int*>(lParam);
      if (wParam == 0 || wParam > 256 || rights == nullptr) return false;
      data.rights.assign(rights, rights + wParam);
      data.texts.resize(wParam);
      InvalidateRect(window, nullptr, true);
      return true;
    }
    case SB_GETPARTS: {
      auto* rights = reinterpret_cast<int*>(lParam);
      if (rights != nullptr) std::copy_n(data.rights.begin(), std::min(wParam, data.rights.size()), rights);
      return static_cast<LRESULT>(data.rights.size());
    }
    case SB_SETTEXTW:
      if (index >= data.texts.size()) return false;
      data.texts[index] = CString(lParam != 0 ? reinterpret_cast<const wchar_t*>(lParam) : L"");
      InvalidateRect(window, nullptr, true);
      return true;
    case SB_GETTEXTLENGTHW:
      return index < data.texts.size() ? data.texts[index].GetLength() : 0;
    case SB_GETTEXTW: {
      if (index >= data.texts.size()) return 0;
      const std::wstring& text = data.texts[index].Str();
      if (auto* buffer = reinterpret_cast<wchar_t*>(lParam)) {
        std::wmemcpy(buffer, text.data(), text.size());
        buffer[text.size()] = L'\0';
      }
      return static_cast<LRESULT>(text.size());
    }
    case SB_GETRECT:
      if (index >= data.texts.size() || lParam == 0) return false;
      *reinterpret_cast<CRect*>(lParam) = PaneRect(window, index);
      return true;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(BarFont(*FindWindowState(window)));
    case WM_PAINT:
      PaintPanes(window);
      return 0;
    default:
      return DefWindowProc(window, message, wParam, lParam);
  }
}

const ControlRegistration<StatusBarData, CStatusBar> statusBarClass{kStatusBarClass, &StatusBarProcedure};

}  // namespace

BOOL CStatusBar::Create(CWnd* parent, DWORD style, UINT id) {
  if (parent == nullptr) return false;
  CRect client;
  parent->GetClientRect(&client);
  const CRect rect{0, client.bottom - kHeight, client.right, client.bottom};
  if (!CWnd::Create(kStatusBarClass, L"", style | WS_CHILD, rect, parent, id)) return false;
  widths_ = {0};
  return true;
}

BOOL CStatusBar::SetIndicators(const UINT* ids, int count) {
  if (ids == nullptr || count <= 0) return false;
  std::vector<CString> texts;
  widths_.clear();
  CScreenDC screen;
  screen.SelectObject(GetFont());
  for (int i = 0; i < count; ++i) {
    const CString* text = ids[i] != ID_SEPARATOR ? AfxFindResource<CString>(nullptr, ids[i]) : nullptr;
    texts.push_back(text != nullptr ? *text : CString());
    widths_.push_back(text != nullptr ? screen.GetTextExtent(*text).cx + 2 * kTextInset : 0);
  }
  LayOutPanes();
  for (int i = 0; i < count; ++i) SetPaneText(i, texts[static_cast<std::size_t>(i)]);
  return true;
}

CString CStatusBar::GetPaneText(int index) const {
  std::wstring text(static_cast<std::size_t>(SendMessage(SB_GETTEXTLENGTHW, static_cast<WPARAM>(index))) + 1, L'\0');
  text.resize(static_cast<std::size_t>(SendMessage(SB_GETTEXTW, static_cast<WPARAM>(index),
                                                   reinterpret_cast<LPARAM>(text.data()))));
  return CString(std::move(text));
}

BOOL CStatusBar::SetPaneText(int index, const wchar_t* text, BOOL update) {
  if (!SendMessage(SB_SETTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text))) return false;
  if (update) Invalidate(true);
  return true;
}

void CStatusBar::SetPaneWidth(int index, int width) {
  if (index < 0 || index >= GetCount()) return;
  widths_[static_cast<std::size_t>(index)] = std::max(0, width);
  LayOutPanes();
}

void CStatusBar::GetItemRect(int index, CRect* rect) const {
  SendMessage(SB_GETRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect));
}

// The fixed panes sit at the right end; the first pane stretches over the rest.
void CStatusBar::LayOutPanes() {
  if (widths_.empty()) return;
  CRect client;
  GetClientRect(&client);
  std::vector<int> rights(widths_.size());
  int right = client.right;
  for (std::size_t i = widths_.size(); i-- > 1;) {
    rights[i] = right;
    right -= widths_[i] + kPaneGap;
  }
  rights[0] = std::max(0, right);
  rights.back() = -1;
  SendMessage(SB_SETPARTS, rights.size(), reinterpret_cast<LPARAM>(rights.data()));
}
