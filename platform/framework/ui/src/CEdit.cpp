#include "brenmoor/ui/CEdit.h"

#include <algorithm>

#include "brenmoor/gdi/ClassicLook.h"
#include "brenmoor/ui/CPaintDC.h"

IMPLEMENT_DYNAMIC(CEdit, CWnd)

void CEdit::SetSel(int start, int end, BOOL noScroll) {
  SendMessage(EM_SETSEL, static_cast<WPARAM>(static_cast<LPARAM>(start)), end);
  if (!noScroll) SendMessage(EM_SCROLLCARET);
}

void CEdit::GetSel(int& start, int& end) const {
  const auto selection = static_cast<WPARAM>(SendMessage(EM_GETSEL));
  start = LOWORD(selection);
  end = HIWORD(selection);
}

void CEdit::ReplaceSel(const wchar_t* text, BOOL canUndo) {
  SendMessage(EM_REPLACESEL, canUndo, reinterpret_cast<LPARAM>(text != nullptr ? text : L""));
}

BOOL CEdit::SetReadOnly(BOOL readOnly) { return SendMessage(EM_SETREADONLY, readOnly) != 0; }

void EditField::Select(std::wstring_view text, LPARAM start, LPARAM end) {
  const auto length = static_cast<LPARAM>(text.size());
  if (start < 0) {
    selectionStart = selectionEnd = std::min(selectionEnd, static_cast<int>(length));
    return;
  }
  const LPARAM from = std::min(start, length);
  const LPARAM to = end < 0 ? length : std::min(end, length);
  selectionStart = static_cast<int>(std::min(from, to));
  selectionEnd = static_cast<int>(std::max(from, to));
}

bool EditField::Type(std::wstring& text, wchar_t character, bool multiline) {
  if (character == static_cast<wchar_t>(VK_BACK)) return Delete(text, false);
  std::wstring inserted(1, character);
  if (character == L'\r') {
    if (!multiline) return false;
    inserted = L"\r\n";
  }
  const auto start = static_cast<std::size_t>(selectionStart);
  text.replace(start, static_cast<std::size_t>(selectionEnd - selectionStart), inserted);
  selectionStart = selectionEnd = selectionStart + static_cast<int>(inserted.size());
  return true;
}

bool EditField::Delete(std::wstring& text, bool forward) {
  if (selectionStart == selectionEnd) {
    if (forward && selectionEnd < static_cast<int>(text.size())) ++selectionEnd;
    if (!forward && selectionStart > 0) --selectionStart;
    if (selectionStart == selectionEnd) return false;
  }
  text.erase(static_cast<std::size_t>(selectionStart), static_cast<std::size_t>(selectionEnd - selectionStart));
  selectionEnd = selectionStart;
  return true;
}

namespace {

struct EditData : ControlData {
  EditField field;
};

void Changed(HWND window) {
  InvalidateRect(window, nullptr, true);
  NotifyParent(window, EN_UPDATE);
  NotifyParent(window, EN_CHANGE);
}

// Sunken, white unless it takes no typing, with as many lines as fit.
void PaintEdit(HWND window, const WindowState& state) {
  using namespace classic;
  CPaintDC dc(CWnd::FromHandle(window));
  const bool enabled = (state.style & WS_DISABLED) == 0;
  Painter painter(dc, GetClientRect(window), enabled);
  const CRect& box = painter.Area();
  painter.Sunken(box, enabled && (state.style & ES_READONLY) == 0 ? kWindow : kFace);
  int y = box.top + 3;
  for (const std::wstring& line : Lines(state.text.Str())) {
    if (y + kLineHeight > box.bottom - 2) break;
    painter.Text(line, box.left + 4, y, box.right - 3, kText);
    y += kLineHeight;
  }
}

LRESULT EditProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WindowState& state = *FindWindowState(window);
  EditField& field = ControlDataOf<EditData>(window)->field;
  std::wstring text = state.text.Str();
  const bool multiline = (state.style & ES_MULTILINE) != 0;
  const bool typing = (state.style & ES_READONLY) == 0;
  switch (message) {
    case WM_PAINT:
      PaintEdit(window, state);
      return 0;
    case EM_SETSEL:
      field.Select(text, static_cast<LPARAM>(wParam), lParam);
      return 0;
    case EM_GETSEL:
      return static_cast<LRESULT>(MAKEWPARAM(static_cast<WORD>(field.selectionStart),
                                             static_cast<WORD>(field.selectionEnd)));
    case EM_REPLACESEL: {
      const std::wstring_view inserted = reinterpret_cast<const wchar_t*>(lParam);
      text.replace(static_cast<std::size_t>(field.selectionStart),
                   static_cast<std::size_t>(field.selectionEnd - field.selectionStart), inserted);
      field.selectionStart = field.selectionEnd = field.selectionStart + static_cast<int>(inserted.size());
      state.text = CString(std::move(text));
      Changed(window);
      return 0;
    }
    case EM_SETREADONLY:
      state.style = wParam != 0 ? state.style | ES_READONLY : state.style & ~ES_READONLY;
      InvalidateRect(window, nullptr, true);
      return 1;
    case WM_SETTEXT:
      DefWindowProc(window, message, wParam, lParam);
      field = {};
      // A single-line edit reports a change made by its program as well.
      if (!multiline) Changed(window);
      return true;
    case WM_CHAR:
      if (typing && field.Type(text, static_cast<wchar_t>(wParam), multiline)) {
        state.text = CString(std::move(text));
        Changed(window);
      }
      return 0;
    case WM_KEYDOWN:
      if (typing && wParam == VK_DELETE && field.Delete(text, true)) {
        state.text = CString(std::move(text));
        Changed(window);
      }
      return 0;
    default:
      return DefWindowProc(window, message, wParam, lParam);
  }
}

const ControlRegistration<EditData, CEdit> editClass{kEditClass, &EditProcedure};

}  // namespace
