#include "brenmoor/app/ScriptedUser.h"

#include <cstdio>
#include <exception>
#include <utility>

#include "brenmoor/ui/CColorDialog.h"
#include "brenmoor/ui/CComboBox.h"
#include "brenmoor/ui/CDialog.h"
#include "brenmoor/ui/CFileDialog.h"
#include "brenmoor/docview/CPrintInfo.h"
#include "brenmoor/docview/CPrintPreview.h"
#include "brenmoor/windowing/CMenu.h"
#include "brenmoor/windowing/TabControl.h"
#include "brenmoor/windowing/WindowPainter.h"

namespace {

std::string Name(UINT templateId) {
  return std::string(ScriptedUser::DialogScript::kKind) + " " + std::to_string(templateId);
}
std::string Name(const CDialog& dialog) { return Name(dialog.GetTemplateId()); }

std::string Describe(const char* action, int id) { return std::string(action) + " " + std::to_string(id); }

std::string Quoted(const CString& text) { return "\"" + VisibleText(text) + "\""; }

// The control a person is about to use: it must be there, shown and enabled.
// A control of the dialog, or of a page shown inside it (a property sheet's):
// the shown one first when pages share an id.
HWND FindControl(HWND dialog, int id) {
  if (HWND control = GetDlgItem(dialog, id)) return control;
  HWND hidden = nullptr;
  for (HWND child : GetChildren(dialog)) {
    if (GetChildren(child).empty()) continue;
    const HWND control = FindControl(child, id);
    if (control != nullptr && IsWindowVisible(control)) return control;
    if (hidden == nullptr) hidden = control;
  }
  return hidden;
}

HWND Reachable(CDialog& dialog, int id, const std::string& action) {
  const HWND control = FindControl(dialog.m_hWnd, id);
  std::string problem;
  if (control == nullptr) {
    problem = "has no control " + std::to_string(id);
  } else if (!IsWindowVisible(control)) {
    problem = "does not show control " + std::to_string(id);
  } else if (!IsWindowEnabled(control)) {
    problem = "has control " + std::to_string(id) + " disabled";
  }
  if (!problem.empty()) throw UserScriptError("cannot " + action + ": " + Name(dialog) + " " + problem);
  return control;
}

LPARAM Point(LONG x, LONG y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

void ClickAt(HWND control, LPARAM point) {
  SendMessage(control, WM_LBUTTONDOWN, MK_LBUTTON, point);
  SendMessage(control, WM_LBUTTONUP, 0, point);
}

void TypeInto(HWND control, const std::wstring& text, const std::string& action, CDialog& dialog) {
  const DWORD style = GetStyle(control);
  const std::wstring className = FindWindowState(control)->className;
  if (className == kEditClass) {
    if ((style & ES_READONLY) != 0) throw UserScriptError("cannot " + action + ": the edit control is read-only");
    SetFocus(control);
    SendMessage(control, EM_SETSEL, 0, -1);
  } else if (className == kComboBoxClass && (style & CBS_TYPEMASK) == CBS_DROPDOWN) {
    SetFocus(control);
    SendMessage(control, CB_SETEDITSEL, 0, MAKELPARAM(0, 0xFFFF));
  } else {
    throw UserScriptError("cannot " + action + ": " + Name(dialog) + " has no field to type into there");
  }
  if (text.empty()) SendMessage(control, WM_KEYDOWN, VK_DELETE);
  for (wchar_t unit : text) SendMessage(control, WM_CHAR, static_cast<WPARAM>(unit));
}

void ClickTab(HWND tabs, const CString& text, const std::string& action) {
  const auto count = static_cast<int>(SendMessage(tabs, TCM_GETITEMCOUNT));
  for (int index = 0; index < count; ++index) {
    wchar_t buffer[256];
    TCITEMW item{TCIF_TEXT};
    item.pszText = buffer;
    item.cchTextMax = 256;
    SendMessage(tabs, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    if (text == buffer) return ClickAt(tabs, Point(index * kTabWidth + kTabWidth / 2, kTabHeight / 2));
  }
  throw UserScriptError("cannot " + action + ": the tab control has no such tab");
}

LRESULT ChoiceIndex(HWND combo, const CString& choice, const std::string& action) {
  const LRESULT count = SendMessage(combo, CB_GETCOUNT);
  for (LRESULT i = 0; i < count; ++i) {
    std::wstring text(static_cast<std::size_t>(SendMessage(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i))) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        SendMessage(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()))));
    if (text == choice.Str()) return i;
  }
  throw UserScriptError("cannot " + action + ": the combo box has no such choice");
}

std::string DescribeMenu(HMENU menu) {
  std::string line = "popup menu:";
  const int count = GetMenuItemCount(menu);
  for (int position = 0; position < count; ++position) {
    const auto index = static_cast<UINT>(position);
    const UINT state = GetMenuState(menu, index, MF_BYPOSITION);
    CString text;
    CMenu::FromHandle(menu)->GetMenuString(index, text, MF_BYPOSITION);
    line += position == 0 ? " " : ", ";
    if ((state & MF_SEPARATOR) != 0) {
      line += "-";
      continue;
    }
    line += VisibleText(text);
    if ((state & MF_POPUP) != 0) line += " >";
    if ((state & MF_CHECKED) != 0) line += " [checked]";
    if ((state & MF_GRAYED) != 0) line += " [grayed]";
    if ((state & MF_DISABLED) != 0) line += " [disabled]";
  }
  return line;
}

// The item's state with the grayed and disabled bits of the popups on the way
// to it, since a person cannot open a popup that is not enabled.
UINT StateOnTheWay(HMENU menu, UINT id) {
  const int count = GetMenuItemCount(menu);
  for (int position = 0; position < count; ++position) {
    const UINT state = GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION);
    if ((state & MF_POPUP) != 0) {
      const UINT inner = StateOnTheWay(GetSubMenu(menu, position), id);
      if (inner != kNoMenuItem) return inner | (state & (MF_GRAYED | MF_DISABLED));
    } else if ((state & MF_SEPARATOR) == 0 && GetMenuItemID(menu, position) == id) {
      return state;
    }
  }
  return kNoMenuItem;
}

}  // namespace

std::string VisibleText(const CString& text) {
  std::wstring shown;
  for (wchar_t unit : text.Str()) {
    if (unit == L'\r') shown += L"\\r";
    else if (unit == L'\n') shown += L"\\n";
    else if (unit == L'\t') shown += L"\\t";
    else shown += unit;
  }
  return CString(std::move(shown)).ToUtf8();
}

ScriptedUser::DialogScript& ScriptedUser::DialogScript::Add(std::string description,
                                                            std::function<void(CDialog&)> take) {
  actions_.push_back({std::move(description), std::move(take)});
  return *this;
}

ScriptedUser::DialogScript& ScriptedUser::DialogScript::Type(int id, const CString& text) {
  const std::string action = Describe("type", id) + " " + Quoted(text);
  return Add(action, [id, text, action](CDialog& dialog) {
    TypeInto(Reachable(dialog, id, action), text.Str(), action, dialog);
  });
}

ScriptedUser::DialogScript& ScriptedUser::DialogScript::Pick(int id, const CString& choice) {
  const std::string action = Describe("pick", id) + " " + Quoted(choice);
  return Add(action, [id, choice, action](CDialog& dialog) {
    const HWND combo = Reachable(dialog, id, action);
    if (FindWindowState(combo)->className == kTabControlClass) return ClickTab(combo, choice, action);
    const LRESULT index = ChoiceIndex(combo, choice, action);
    const CRect box = GetClientRect(combo);
    if (SendMessage(combo, CB_GETDROPPEDSTATE) == 0) ClickAt(combo, Point(box.right - 4, box.bottom / 2));
    COMBOBOXINFO parts;
    SendMessage(combo, CB_GETCOMBOBOXINFO, 0, reinterpret_cast<LPARAM>(&parts));
    if (parts.hwndList == nullptr) throw UserScriptError("cannot " + action + ": the combo box's list did not open");
    const LONG row = static_cast<LONG>(index) * CComboBox::kItemHeight + CComboBox::kItemHeight / 2;
    ClickAt(parts.hwndList, Point(4, row));
  });
}

ScriptedUser::DialogScript& ScriptedUser::DialogScript::Click(int id) {
  const std::string action = Describe("click", id);
  return Add(action, [id, action](CDialog& dialog) {
    const HWND control = Reachable(dialog, id, action);
    const CRect box = GetClientRect(control);
    ClickAt(control, Point(box.right / 2, box.bottom / 2));
  });
}

ScriptedUser::DialogScript& ScriptedUser::DialogScript::Check(int id, bool checked) {
  const std::string action = Describe(checked ? "check" : "clear", id);
  return Add(action, [id, checked, action](CDialog& dialog) {
    const HWND box = Reachable(dialog, id, action);
    if ((SendMessage(box, BM_GETCHECK) == BST_CHECKED) == checked) return;
    const CRect client = GetClientRect(box);
    ClickAt(box, Point(client.right / 2, client.bottom / 2));
  });
}

ScriptedUser::DialogScript& ScriptedUser::DialogScript::Read(int id) {
  const std::string action = Describe("read", id);
  return Add(action, [user = user_, id, action](CDialog& dialog) {
    // As Type finds it: a control of the dialog or of the page it shows.
    const HWND control = FindControl(dialog.m_hWnd, id);
    const CString text = control != nullptr ? CWnd::FromHandle(control)->GetWindowText() : CString();
    user->Record(action + ": " + VisibleText(text));
  });
}

ScriptedUser::DialogScript& ScriptedUser::DialogScript::Render(const std::string& pngFile) {
  const std::string action = "render " + pngFile;
  return Add(action, [pngFile, action](CDialog& dialog) {
    if (!RenderWindowToPng(dialog.m_hWnd, pngFile)) throw UserScriptError("cannot " + action);
  });
}

namespace {

void PrintUnused(const std::string& unused) { std::fprintf(stderr, "scripted user: %s\n", unused.c_str()); }

ScriptedUser::UnusedHandler& UnusedHandlerInUse() {
  static ScriptedUser::UnusedHandler handler = &PrintUnused;
  return handler;
}

}  // namespace

ScriptedUser::ScriptedUser() : scope_(*this), exceptionsAtStart_(std::uncaught_exceptions()) {}

// Dialogs still running ended by an exception, which told of them; only
// expectations never started are reported here.
ScriptedUser::~ScriptedUser() {
  if (script_.empty() || std::uncaught_exceptions() > exceptionsAtStart_) return;
  running_.clear();
  std::string text = "expectations left unused: ";
  const char* separator = "";
  for (const std::string& line : Unused()) {
    text += separator + line.substr(line.find_first_not_of(' '));
    separator = "; ";
  }
  UnusedHandlerInUse()(text);
}

ScriptedUser::UnusedHandler ScriptedUser::SetUnusedHandler(UnusedHandler handler) {
  return std::exchange(UnusedHandlerInUse(), handler != nullptr ? handler : &PrintUnused);
}

std::vector<std::string> ScriptedUser::TakeUnused() {
  std::vector<std::string> unused = Unused();
  script_.clear();
  running_.clear();
  return unused;
}

ScriptedUser::DialogScript& ScriptedUser::InDialog(UINT templateId) {
  return std::get<DialogScript>(script_.emplace_back(DialogScript(templateId, *this)));
}

void ScriptedUser::AnswerMessageBox(int button) { script_.emplace_back(MessageBoxAnswer{button}); }
void ScriptedUser::ConfirmFile(const CString& path) { script_.emplace_back(FileAnswer{true, path}); }
void ScriptedUser::CancelFileDialog() { script_.emplace_back(FileAnswer{false, {}}); }
void ScriptedUser::AnswerPrintDialog(const CString& file, int fromPage, int toPage) {
  script_.emplace_back(PrintAnswer{true, file, fromPage, toPage});
}
void ScriptedUser::CancelPrintDialog() { script_.emplace_back(PrintAnswer{false, {}, 0, 0}); }
void ScriptedUser::ClosePreview(const std::string& pngFolder) { script_.emplace_back(PreviewAnswer{pngFolder}); }
void ScriptedUser::PickMenuItem(UINT id) { script_.emplace_back(MenuAnswer{id}); }
void ScriptedUser::DismissMenu() { script_.emplace_back(MenuAnswer{0}); }
void ScriptedUser::PickColour(COLORREF colour) { script_.emplace_back(ColourAnswer{true, colour}); }
void ScriptedUser::CancelColourDialog() { script_.emplace_back(ColourAnswer{false, 0}); }

std::vector<std::string> ScriptedUser::Unused() const {
  std::vector<std::string> unused;
  auto listDialog = [&unused](const DialogScript& dialog) {
    unused.push_back(Name(dialog.TemplateId()));
    for (const Action& action : const_cast<DialogScript&>(dialog).Actions()) unused.push_back("  " + action.description);
  };
  for (const Running& open : running_) listDialog(open.script);
  for (const Expectation& expected : script_) {
    if (const auto* dialog = std::get_if<DialogScript>(&expected)) {
      listDialog(*dialog);
    } else {
      unused.push_back(KindOf(expected));
    }
  }
  return unused;
}

std::string ScriptedUser::KindOf(const Expectation& expected) {
  return std::visit([](const auto& kind) -> std::string { return kind.kKind; }, expected);
}

template <typename Wanted>
Wanted ScriptedUser::Next(const std::string& thing) {
  if (script_.empty()) throw UserScriptError("unexpected " + thing + ": the script has no step left");
  if (!std::holds_alternative<Wanted>(script_.front())) {
    throw UserScriptError("unexpected " + thing + ": the script expected a " + KindOf(script_.front()));
  }
  Wanted next = std::move(std::get<Wanted>(script_.front()));
  script_.pop_front();
  return next;
}

void ScriptedUser::BeginDialog(CDialog& dialog) {
  Record(Name(dialog));
  DialogScript next = Next<DialogScript>(Name(dialog));
  if (next.TemplateId() != dialog.GetTemplateId()) {
    throw UserScriptError("unexpected " + Name(dialog) + ": the script expected " + Name(next.TemplateId()));
  }
  std::erase_if(running_, [](const Running& open) { return !IsWindow(open.window); });
  running_.push_back({dialog.m_hWnd, std::move(next)});
}

void ScriptedUser::ActInDialog(CDialog& dialog) {
  auto& actions = running_.back().script.Actions();
  if (actions.empty() && person_ != nullptr) return person_->ActInDialog(dialog);
  if (actions.empty()) throw UserScriptError(Name(dialog) + " is still open after the script's last action in it");
  const Action action = std::move(actions.front());
  actions.pop_front();
  action.take(dialog);
}

void ScriptedUser::EndDialog(CDialog& dialog) {
  DialogScript ended = std::move(running_.back().script);
  running_.pop_back();
  if (!ended.Actions().empty()) {
    throw UserScriptError(Name(dialog) + " ended before the script's action \"" +
                          ended.Actions().front().description + "\"");
  }
}

std::string ScriptedUser::DescribeMessageBox(const CString& text, UINT type) {
  static const char* const icons[] = {"", "error", "question", "warning", "information"};
  const UINT icon = (type & MB_ICONMASK) >> 4;
  static const char* const buttons[] = {"", " ok-cancel", "", " yes-no-cancel", " yes-no"};
  const UINT kind = type & MB_TYPEMASK;
  return std::string("message box ") + (icon < 5 ? icons[icon] : "") + (kind < 5 ? buttons[kind] : "") + ": " +
         VisibleText(text);
}

int ScriptedUser::AnswerMessageBox(const CString& text, const CString&, UINT type) {
  const std::string line = DescribeMessageBox(text, type);
  Record(line);
  return Next<MessageBoxAnswer>(line).button;
}

bool ScriptedUser::AnswerFileDialog(CFileDialog& dialog) {
  char flags[16];
  std::snprintf(flags, sizeof flags, "0x%x", static_cast<unsigned>(dialog.GetFlags()));
  const std::string line = std::string("file dialog ") + (dialog.IsOpenDialog() ? "open" : "save") + ", extension " +
                           Quoted(dialog.GetDefaultExtension()) + ", file " + Quoted(dialog.GetInitialFileName()) +
                           ", flags " + flags + ", filter " + Quoted(dialog.GetFilter());
  Record(line);
  const FileAnswer answer = Next<FileAnswer>(line);
  if (!answer.confirm) return false;
  if (!dialog.Choose(answer.path)) {
    throw UserScriptError("cannot confirm " + Quoted(answer.path) + ": its folder does not exist");
  }
  return true;
}

bool ScriptedUser::AnswerPrintDialog(CPrintDialog& dialog) {
  const std::string line = "print dialog, pages " + std::to_string(dialog.m_pd.nMinPage) + " to " +
                           std::to_string(dialog.m_pd.nMaxPage) + ", printer " +
                           Quoted(dialog.GetOutputFile());
  Record(line);
  const PrintAnswer answer = Next<PrintAnswer>(line);
  if (!answer.print) return false;
  if (answer.fromPage != 0 && answer.toPage != 0) dialog.ChoosePages(answer.fromPage, answer.toPage);
  if (!answer.file.IsEmpty()) dialog.PrintToFile(answer.file);
  return true;
}

void ScriptedUser::ViewPrintPreview(CPrintPreview& preview) {
  Record("print preview");
  const PreviewAnswer answer = Next<PreviewAnswer>("print preview");
  if (answer.folder.empty()) return;
  const int pages = preview.WritePages(answer.folder);
  if (pages < 0) throw UserScriptError("cannot write the preview's pages into " + answer.folder);
  Record("print preview: " + std::to_string(pages) + " pages");
}

bool ScriptedUser::AnswerColorDialog(CColorDialog& dialog) {
  char line[64];
  std::snprintf(line, sizeof line, "colour dialog, colour %06x, flags 0x%x", static_cast<unsigned>(dialog.GetColor()),
                static_cast<unsigned>(dialog.GetFlags()));
  Record(line);
  const ColourAnswer answer = Next<ColourAnswer>(line);
  if (answer.pick) dialog.SetCurrentColor(answer.colour);
  return answer.pick;
}

int CommandLineUser::AnswerMessageBox(const CString& text, const CString& caption, UINT type) {
  Record(DescribeMessageBox(text, type));
  std::printf("%s: %s\n", caption.ToUtf8().c_str(), text.ToUtf8().c_str());
  std::fflush(stdout);
  const UINT kind = type & MB_TYPEMASK;
  return kind == MB_YESNO || kind == MB_YESNOCANCEL ? IDYES : IDOK;
}

UINT ScriptedUser::AnswerPopupMenu(HMENU menu, CPoint) {
  const std::string line = DescribeMenu(menu);
  Record(line);
  const UINT id = Next<MenuAnswer>(line).id;
  if (id == 0) return 0;
  const std::string action = "cannot pick menu item " + std::to_string(id);
  const UINT state = StateOnTheWay(menu, id);
  if (state == kNoMenuItem) throw UserScriptError(action + ": the menu has no such item");
  if ((state & (MF_GRAYED | MF_DISABLED)) != 0) throw UserScriptError(action + ": it is not enabled");
  return id;
}
