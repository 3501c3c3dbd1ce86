#include "brenmoor/ui/CEdit.h"

#include <algorithm>
#include <vector>

#include "brenmoor/gdi/ClassicLook.h"
#include "brenmoor/gdi/RasterSurface.h"
#include "brenmoor/ui/CPaintDC.h"
#include "brenmoor/windowing/Input.h"

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
  caretAtStart = false;
  if (start < 0) {
    selectionStart = selectionEnd = std::min(selectionEnd, static_cast<int>(length));
    return;
  }
  const LPARAM from = std::min(start, length);
  const LPARAM to = end < 0 ? length : std::min(end, length);
  selectionStart = static_cast<int>(std::min(from, to));
  selectionEnd = static_cast<int>(std::max(from, to));
}

void EditField::MoveCaret(int to, bool extend) {
  const int anchor = extend ? (caretAtStart ? selectionEnd : selectionStart) : to;
  selectionStart = std::min(anchor, to);
  selectionEnd = std::max(anchor, to);
  caretAtStart = to < anchor;
}

bool EditField::Type(std::wstring& text, wchar_t character, bool multiline) {
  if (character == static_cast<wchar_t>(VK_BACK)) return Delete(text, false);
  std::wstring inserted(1, character);
  if (character == L'\r') {
    if (!multiline) return false;
    inserted = L"\r\n";
  } else if (character < L' ' && (character != L'\t' || !multiline)) {
    return false;
  }
  const auto start = static_cast<std::size_t>(selectionStart);
  text.replace(start, static_cast<std::size_t>(selectionEnd - selectionStart), inserted);
  MoveCaret(selectionStart + static_cast<int>(inserted.size()), false);
  return true;
}

namespace {

bool IsLowSurrogate(wchar_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// One character on: a surrogate pair and a line break are passed whole.
int Beside(std::wstring_view text, int at, bool forward) {
  const auto size = static_cast<int>(text.size());
  if (forward) {
    if (at >= size) return size;
    const bool pair = at + 1 < size && ((text[at] == L'\r' && text[at + 1] == L'\n') || IsLowSurrogate(text[at + 1]));
    return at + (pair ? 2 : 1);
  }
  if (at <= 0) return 0;
  const bool pair = at >= 2 && ((text[at - 2] == L'\r' && text[at - 1] == L'\n') || IsLowSurrogate(text[at - 1]));
  return at - (pair ? 2 : 1);
}

int LineStart(std::wstring_view text, int at) {
  const std::size_t found = at > 0 ? text.rfind(L'\n', static_cast<std::size_t>(at - 1)) : std::wstring_view::npos;
  return found == std::wstring_view::npos ? 0 : static_cast<int>(found) + 1;
}

int LineEnd(std::wstring_view text, int at) {
  const std::size_t found = text.find(L"\r\n", static_cast<std::size_t>(at));
  return found == std::wstring_view::npos ? static_cast<int>(text.size()) : static_cast<int>(found);
}

// The same column, or the line's end, on the line above or below; the caret stays on the first or last line.
int OnNextLine(std::wstring_view text, int at, bool down) {
  const int start = LineStart(text, at);
  const int column = at - start;
  if (!down) {
    if (start == 0) return at;
    const int above = LineStart(text, start - 2);
    return std::min(above + column, start - 2);
  }
  const int end = LineEnd(text, at);
  if (end == static_cast<int>(text.size())) return at;
  return std::min(end + 2 + column, LineEnd(text, end + 2));
}

}  // namespace

bool EditField::MoveByKey(std::wstring_view text, WPARAM key, bool extend, bool multiline) {
  const int caret = Caret();
  const bool selected = selectionStart != selectionEnd;
  switch (key) {
    case VK_LEFT:
      MoveCaret(selected && !extend ? selectionStart : Beside(text, caret, false), extend);
      return true;
    case VK_RIGHT:
      MoveCaret(selected && !extend ? selectionEnd : Beside(text, caret, true), extend);
      return true;
    case VK_HOME:
      MoveCaret(multiline ? LineStart(text, caret) : 0, extend);
      return true;
    case VK_END:
      MoveCaret(multiline ? LineEnd(text, caret) : static_cast<int>(text.size()), extend);
      return true;
    case VK_UP:
    case VK_DOWN:
      if (!multiline) return false;
      MoveCaret(OnNextLine(text, caret, key == VK_DOWN), extend);
      return true;
    default:
      return false;
  }
}

bool EditField::Delete(std::wstring& text, bool forward) {
  if (selectionStart == selectionEnd) {
    const int other = Beside(text, selectionStart, forward);
    selectionStart = std::min(other, selectionEnd);
    selectionEnd = std::max(other, selectionEnd);
    if (selectionStart == selectionEnd) return false;
  }
  text.erase(static_cast<std::size_t>(selectionStart), static_cast<std::size_t>(selectionEnd - selectionStart));
  MoveCaret(selectionStart, false);
  return true;
}

void PaintEditLine(classic::Painter& painter, const std::wstring& line, int lineStart, const EditField& field,
                   bool focused, const CRect& place) {
  using namespace classic;
  const int length = static_cast<int>(line.size());
  const int from = focused ? std::clamp(field.selectionStart - lineStart, 0, length) : 0;
  const int to = focused ? std::clamp(field.selectionEnd - lineStart, 0, length) : 0;
  const int x = place.left;
  const int y = place.top;
  if (from == to) {
    painter.Text(line, x, y, place.right, kText);
  } else {
    const std::wstring before = line.substr(0, static_cast<std::size_t>(from));
    const std::wstring chosen = line.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
    const int left = x + painter.Width(before);
    const int width = painter.Width(chosen);
    painter.Text(before, x, y, place.right, kText);
    painter.Dc().FillSolidRect({left, y, std::min<int>(left + width, place.right), y + kLineHeight}, kSelection);
    painter.Text(chosen, left, y, place.right, kSelectionText);
    painter.Text(line.substr(static_cast<std::size_t>(to)), left + width, y, place.right, kText);
  }
  const int caret = field.Caret() - lineStart;
  if (focused && caret >= 0 && caret <= length) {
    painter.Caret(std::min<int>(x + painter.Width(line.substr(0, static_cast<std::size_t>(caret))), place.right - 1), y);
  }
}

namespace {

struct EditData : ControlData {
  EditField field;
  int scroll = 0;  // the first unit a single-line edit shows
};

constexpr int kTextLeft = 4;
constexpr int kTextTop = 3;

void Changed(HWND window) {
  InvalidateRect(window, nullptr, true);
  NotifyParent(window, EN_UPDATE);
  NotifyParent(window, EN_CHANGE);
}

// A line as shown, with where it starts in the text.
struct ShownLine {
  std::wstring text;
  int start;
};

std::vector<ShownLine> ShownLines(const std::wstring& text, bool multiline, int scroll) {
  if (!multiline) return {{text.substr(static_cast<std::size_t>(std::min<int>(scroll, static_cast<int>(text.size())))), scroll}};
  std::vector<ShownLine> shown;
  int start = 0;
  for (std::wstring& line : classic::Lines(text)) {
    const int length = static_cast<int>(line.size());
    shown.push_back({std::move(line), start});
    start += length + 2;
  }
  return shown;
}

// A single-line edit scrolls so that the caret stays in view.
void KeepCaretInView(classic::Painter& painter, const std::wstring& text, EditData& data, int room) {
  const int caret = data.field.Caret();
  data.scroll = std::min(data.scroll, caret);
  while (data.scroll < caret &&
         painter.Width(text.substr(static_cast<std::size_t>(data.scroll), static_cast<std::size_t>(caret - data.scroll))) > room) {
    ++data.scroll;
  }
}

// Sunken, white unless it takes no typing, with as many lines as fit; with
// the focus, the selection and the caret.
void PaintEdit(HWND window, const WindowState& state, EditData& data) {
  using namespace classic;
  CPaintDC dc(CWnd::FromHandle(window));
  const bool enabled = (state.style & WS_DISABLED) == 0;
  const bool multiline = (state.style & ES_MULTILINE) != 0;
  const bool focused = GetFocus() == window;
  Painter painter(dc, GetClientRect(window), enabled);
  const CRect& box = painter.Area();
  painter.Sunken(box, enabled && (state.style & ES_READONLY) == 0 ? kWindow : kFace);
  const std::wstring& text = state.text.Str();
  if (!multiline) KeepCaretInView(painter, text, data, box.Width() - kTextLeft - 4);
  int y = box.top + kTextTop;
  for (const ShownLine& line : ShownLines(text, multiline, data.scroll)) {
    if (y + kLineHeight > box.bottom - 2) break;
    PaintEditLine(painter, line.text, line.start, data.field, focused, {box.left + kTextLeft, y, box.right - 3, y + kLineHeight});
    y += kLineHeight;
  }
}

// The place in the text nearest a point of the client area.
int PlaceAt(const WindowState& state, const EditData& data, CPoint at) {
  RasterSurface measure(1, 1);
  CDC dc(measure);
  classic::Painter painter(dc, {}, true);
  const std::vector<ShownLine> lines =
      ShownLines(state.text.Str(), (state.style & ES_MULTILINE) != 0, data.scroll);
  const auto row = static_cast<std::size_t>(std::clamp<int>((at.y - kTextTop) / classic::kLineHeight, 0,
                                                            static_cast<int>(lines.size()) - 1));
  const ShownLine& line = lines[row];
  int best = 0;
  for (int units = 1; units <= static_cast<int>(line.text.size()); ++units) {
    const int edge = kTextLeft + painter.Width(line.text.substr(0, static_cast<std::size_t>(units)));
    const int before = kTextLeft + painter.Width(line.text.substr(0, static_cast<std::size_t>(best)));
    if (at.x >= (before + edge) / 2) best = units;
  }
  return line.start + best;
}

LRESULT DialogCode(DWORD style, WPARAM key) {
  const bool wantsReturn = key == VK_RETURN && (style & (ES_MULTILINE | ES_WANTRETURN)) == (ES_MULTILINE | ES_WANTRETURN);
  return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS | (wantsReturn ? DLGC_WANTMESSAGE : 0);
}

bool Extending() { return GetKeyState(static_cast<int>(VK_SHIFT)) < 0; }

LRESULT EditProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WindowState& state = *FindWindowState(window);
  EditData& data = *ControlDataOf<EditData>(window);
  EditField& field = data.field;
  std::wstring text = state.text.Str();
  const bool multiline = (state.style & ES_MULTILINE) != 0;
  const bool typing = (state.style & ES_READONLY) == 0;
  switch (message) {
    case WM_PAINT:
      PaintEdit(window, state, data);
      return 0;
    case WM_GETDLGCODE:
      return DialogCode(state.style, wParam);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(window, nullptr, true);
      return 0;
    case EM_SETSEL:
      field.Select(text, static_cast<LPARAM>(wParam), lParam);
      InvalidateRect(window, nullptr, true);
      return 0;
    case EM_GETSEL:
      return static_cast<LRESULT>(MAKEWPARAM(static_cast<WORD>(field.selectionStart),
                                             static_cast<WORD>(field.selectionEnd)));
    case EM_REPLACESEL: {
      const std::wstring_view inserted = reinterpret_cast<const wchar_t*>(lParam);
      text.replace(static_cast<std::size_t>(field.selectionStart),
                   static_cast<std::size_t>(field.selectionEnd - field.selectionStart), inserted);
      field.MoveCaret(field.selectionStart + static_cast<int>(inserted.size()), false);
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
      data.scroll = 0;
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
      if (field.MoveByKey(text, wParam, Extending(), multiline)) {
        InvalidateRect(window, nullptr, true);
      } else if (typing && wParam == VK_DELETE && field.Delete(text, true)) {
        state.text = CString(std::move(text));
        Changed(window);
      }
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      SetFocus(window);
      SetCapture(window);
      field.MoveCaret(PlaceAt(state, data, PointFromLParam(lParam)), (wParam & MK_SHIFT) != 0);
      InvalidateRect(window, nullptr, true);
      return 0;
    case WM_MOUSEMOVE:
      if (GetCapture() != window) return 0;
      field.MoveCaret(PlaceAt(state, data, PointFromLParam(lParam)), true);
      InvalidateRect(window, nullptr, true);
      return 0;
    case WM_LBUTTONUP:
      if (GetCapture() == window) ReleaseCapture();
      return 0;
    default:
      return DefWindowProc(window, message, wParam, lParam);
  }
}

const ControlRegistration<EditData, CEdit> editClass{kEditClass, &EditProcedure};

}  // namespace
