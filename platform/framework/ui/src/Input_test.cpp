// A person at the controls: every case clicks, presses keys and types only
// through the three input functions, then reads what the controls show, what
// their dialog heard and where the focus is.

#include "brenmoor/windowing/Input.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "brenmoor/ui/CListCtrl.h"
#include "brenmoor/windowing/DialogManager.h"
#include "brenmoor/windowing/TabControl.h"

namespace {

using Lines = std::vector<std::string>;

enum : int { kLabel = 10, kName = 11, kList = 12, kField = 13, kFlag = 14, kOff = 15, kRows = 16, kTabs = 17, kNote = 18 };

// The dialog's client area starts here on the screen: its corner at (100, 100), a 3-pixel frame and a caption.
const CPoint kClient{103, 122};

Lines* heard = nullptr;
WindowProcedure dialogProcedure = nullptr;

std::string CommandName(HWND control, UINT code) {
  const std::wstring& name = FindWindowState(control)->className;
  if (name == kButtonClass) return code == BN_CLICKED ? "BN_CLICKED" : "?";
  if (name == kEditClass) return code == EN_CHANGE ? "EN_CHANGE" : "";
  static const std::map<UINT, std::string> combo{{CBN_SELCHANGE, "CBN_SELCHANGE"}, {CBN_EDITCHANGE, "CBN_EDITCHANGE"},
                                                 {CBN_DROPDOWN, "CBN_DROPDOWN"}, {CBN_CLOSEUP, "CBN_CLOSEUP"}};
  const auto found = combo.find(code);
  return found != combo.end() ? found->second : "";
}

std::string Notification(const NMHDR& header) {
  char line[64];
  if (header.code == LVN_ITEMCHANGED) {
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    std::snprintf(line, sizeof line, "LVN_ITEMCHANGED %d %x>%x", change.iItem, change.uOldState, change.uNewState);
  } else if (header.code == LVN_COLUMNCLICK) {
    std::snprintf(line, sizeof line, "LVN_COLUMNCLICK %d", reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
  } else {
    std::snprintf(line, sizeof line, "%s", header.code == TCN_SELCHANGE ? "TCN_SELCHANGE" : "TCN_SELCHANGING");
  }
  return line;
}

// The same line again counts: "11 EN_CHANGE *3".
void Hear(const std::string& line) {
  const std::string last = heard->empty() ? std::string() : heard->back();
  const auto star = last.find(" *");
  if (last.substr(0, star) != line) {
    heard->push_back(line);
    return;
  }
  heard->back() = line + " *" + std::to_string(star == std::string::npos ? 2 : std::stoi(last.substr(star + 2)) + 1);
}

// What the dialog hears: commands by id and name (EN_UPDATE and CBN_EDITUPDATE left out), notifications.
LRESULT Listening(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) {
    const auto control = reinterpret_cast<HWND>(lParam);
    const std::string name = control != nullptr ? CommandName(control, HIWORD(wParam)) : "no control";
    if (!name.empty()) Hear(std::to_string(LOWORD(wParam)) + " " + name);
  } else if (message == WM_CONTEXTMENU) {
    const CPoint at = PointFromLParam(lParam);
    Hear("WM_CONTEXTMENU " + std::to_string(GetDlgCtrlID(reinterpret_cast<HWND>(wParam))) + " at " +
         std::to_string(at.x) + "," + std::to_string(at.y));
  } else if (message == WM_NOTIFY) {
    Hear(Notification(*reinterpret_cast<const NMHDR*>(lParam)));
  }
  return CallWindowProc(dialogProcedure, window, message, wParam, lParam);
}

// The keys a step names.
const std::map<std::string, WPARAM> kKeys{
    {"Tab", VK_TAB},     {"Enter", VK_RETURN}, {"Esc", VK_ESCAPE}, {"Left", VK_LEFT},      {"Right", VK_RIGHT},
    {"Up", VK_UP},       {"Down", VK_DOWN},    {"Home", VK_HOME},  {"End", VK_END},        {"Del", VK_DELETE},
    {"Back", VK_BACK},   {"Space", VK_SPACE},  {"PgUp", VK_PRIOR}, {"PgDn", VK_NEXT},      {"F4", VK_F4},
    {"Shift", VK_SHIFT}, {"Ctrl", VK_CONTROL}};

struct Case;

class InputTest : public ::testing::Test {
 protected:
  void Build() {
    log.clear();
    dialog = CreateWindowExW(kDialogClass, L"Input", WS_POPUP | WS_CAPTION | WS_VISIBLE, {100, 100, 586, 400}, nullptr, 0);
    Add(kStaticClass, kLabel, L"&Name:", {10, 10, 60, 24}, 0);
    Add(kEditClass, kName, L"", {70, 10, 250, 30}, WS_TABSTOP);
    const HWND list = Add(kComboBoxClass, kList, L"", {70, 40, 250, 60}, WS_TABSTOP | CBS_DROPDOWNLIST);
    const HWND field = Add(kComboBoxClass, kField, L"", {70, 70, 250, 90}, WS_TABSTOP | CBS_DROPDOWN);
    for (const wchar_t* choice : {L"One", L"Two", L"Three"}) SendMessage(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice));
    for (const wchar_t* choice : {L"Tab", L"Space"}) SendMessage(field, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice));
    Add(kButtonClass, kFlag, L"&Flag", {10, 100, 120, 120}, WS_TABSTOP | BS_AUTOCHECKBOX);
    EnableWindow(Add(kButtonClass, kOff, L"&Off", {130, 100, 200, 120}, WS_TABSTOP), false);
    auto* rows = static_cast<CListCtrl*>(CWnd::FromHandle(Add(kListViewClass, kRows, L"", {10, 130, 250, 230}, WS_TABSTOP | LVS_REPORT)));
    rows->InsertColumn(0, L"Name", LVCFMT_LEFT, 100);
    rows->InsertColumn(1, L"Size", LVCFMT_LEFT, 80);
    for (int row = 0; row < 20; ++row) rows->InsertItem(row, (L"row " + std::to_wstring(row)).c_str());
    const HWND tabs = Add(kTabControlClass, kTabs, L"", {260, 10, 560, 60}, WS_TABSTOP);
    for (const wchar_t* text : {L"One", L"Two", L"Three"}) {
      TCITEMW item{TCIF_TEXT};
      item.pszText = const_cast<wchar_t*>(text);
      SendMessage(tabs, TCM_INSERTITEMW, 9, reinterpret_cast<LPARAM>(&item));
    }
    Add(kEditClass, kNote, L"", {260, 70, 560, 130}, WS_TABSTOP | ES_MULTILINE | ES_WANTRETURN);
    Add(kButtonClass, IDOK, L"OK", {270, 240, 340, 264}, WS_TABSTOP | BS_DEFPUSHBUTTON);
    Add(kButtonClass, IDCANCEL, L"Cancel", {350, 240, 420, 264}, WS_TABSTOP);
    heard = &log;
    dialogProcedure = SetWindowProcedure(dialog, &Listening);
    SetActiveWindow(dialog);
    SetFocus(GetDlgItem(dialog, kName));
  }
  void Destroy() {
    DestroyWindow(dialog);
    dialog = nullptr;
    heard = nullptr;
    for (const WPARAM key : {VK_SHIFT, VK_CONTROL}) SendKeyInput(WM_KEYUP, key, 0);
  }
  void Run(const std::vector<Case>& cases);

  HWND Add(const wchar_t* className, int id, const wchar_t* text, const CRect& place, DWORD style) {
    return CreateWindowExW(className, text, WS_CHILD | WS_VISIBLE | style, place, dialog, id);
  }

  // Steps as a person takes them, separated by blanks: "click:X,Y" (also
  // "press:", "release:", "move:", "dbl:", "right:"; a click of "shift-click:" or
  // "ctrl-click:" holds the key; "wheel-up:" and "wheel-down:" turn the wheel
  // a notch) at a point of the dialog's client area,
  // "key:Name", "hold:Name" and "free:Name" (press and release apart),
  // "alt:Name" (a letter, or a key name, with Alt held), "type:text" ("_" types a blank).
  void Act(const std::string& steps) {
    std::istringstream words(steps);
    std::string step;
    while (words >> step) {
      const auto colon = step.find(':');
      const std::string verb = step.substr(0, colon);
      const std::string what = step.substr(colon + 1);
      if (verb == "type") {
        for (char c : what) SendCharInput(c == '_' ? L' ' : static_cast<wchar_t>(c));
      } else if (verb == "key" || verb == "hold" || verb == "free") {
        const WPARAM key = kKeys.at(what);
        if (verb != "free") SendKeyInput(WM_KEYDOWN, key, 1);
        if (verb != "hold") SendKeyInput(WM_KEYUP, key, 1);
      } else if (verb == "alt") {
        const WPARAM key = what.size() == 1 ? static_cast<WPARAM>(what[0]) : kKeys.at(what);
        const LPARAM alt = static_cast<LPARAM>(KF_ALTDOWN) << 16;
        SendKeyInput(WM_SYSKEYDOWN, VK_MENU, alt);
        SendKeyInput(WM_SYSKEYDOWN, key, alt);
        SendKeyInput(WM_SYSKEYUP, key, alt);
        SendKeyInput(WM_KEYUP, VK_MENU, 0);
      } else {
        Mouse(verb, what);
      }
    }
  }

  void Mouse(const std::string& verb, const std::string& where) {
    const auto comma = where.find(',');
    const CPoint at{kClient.x + std::stoi(where.substr(0, comma)), kClient.y + std::stoi(where.substr(comma + 1))};
    const WPARAM held = verb == "shift-click" ? MK_SHIFT : verb == "ctrl-click" ? MK_CONTROL : 0;
    if (verb == "move") return SendMouseInput(dialog, WM_MOUSEMOVE, at, 0);
    if (verb == "dbl") return SendMouseInput(dialog, WM_LBUTTONDBLCLK, at, MK_LBUTTON);
    if (verb == "wheel-up" || verb == "wheel-down") {
      return SendWheelInput(dialog, at, verb == "wheel-up" ? WHEEL_DELTA : -WHEEL_DELTA, 0);
    }
    if (verb == "right") {
      SendMouseInput(dialog, WM_RBUTTONDOWN, at, MK_RBUTTON);
      return SendMouseInput(dialog, WM_RBUTTONUP, at, 0);
    }
    if (verb != "release") SendMouseInput(dialog, WM_LBUTTONDOWN, at, MK_LBUTTON | held);
    if (verb != "press") SendMouseInput(dialog, WM_LBUTTONUP, at, held);
  }

  // What a control shows, as a person reads it off the screen.
  std::string Shows(int id) const {
    const HWND control = FindControl(id);
    const std::wstring& name = FindWindowState(control)->className;
    const std::string text = CWnd::FromHandle(control)->GetWindowText().ToUtf8();
    if (name == kEditClass) {
      const auto selection = static_cast<WPARAM>(SendMessage(control, EM_GETSEL));
      return "\"" + text + "\" " + std::to_string(LOWORD(selection)) + "-" + std::to_string(HIWORD(selection));
    }
    if (name == kComboBoxClass) {
      COMBOBOXINFO parts;
      SendMessage(control, CB_GETCOMBOBOXINFO, 0, reinterpret_cast<LPARAM>(&parts));
      return "\"" + text + "\" #" + std::to_string(SendMessage(control, CB_GETCURSEL)) +
             (parts.hwndList != nullptr && IsWindowVisible(parts.hwndList) ? " open" : "");
    }
    if (name == kButtonClass) return SendMessage(control, BM_GETCHECK) == BST_CHECKED ? "checked" : "unchecked";
    if (name == kTabControlClass) return "tab " + std::to_string(SendMessage(control, TCM_GETCURSEL));
    auto* rows = static_cast<CListCtrl*>(CWnd::FromHandle(control));
    std::string shown = "selected";
    int focused = -1;
    for (int row = 0; row < rows->GetItemCount(); ++row) {
      if (rows->GetItemState(row, LVIS_SELECTED) != 0) shown += " " + std::to_string(row);
      if (rows->GetItemState(row, LVIS_FOCUSED) != 0) focused = row;
    }
    return shown + ", focus " + std::to_string(focused) + ", top " + std::to_string(SendMessage(control, LVM_GETTOPINDEX));
  }

  HWND FindControl(int id) const { return GetDlgItem(dialog, id); }
  int FocusId() const { return GetFocus() == dialog ? 0 : GetDlgCtrlID(GetFocus()); }

  HWND dialog = nullptr;
  Lines log;
};

// Steps from a fresh dialog with the focus in the name field, then what a
// control shows, which control has the focus (0: the dialog) and what the dialog heard.
struct Case {
  const char* steps;
  int control;
  const char* shows;
  int focus;
  Lines heard;
};

void InputTest::Run(const std::vector<Case>& cases) {
  for (const Case& each : cases) {
    SCOPED_TRACE(each.steps);
    Build();
    Act(each.steps);
    EXPECT_EQ(Shows(each.control), each.shows);
    EXPECT_EQ(FocusId(), each.focus);
    EXPECT_EQ(log, each.heard);
    Destroy();
  }
}

TEST_F(InputTest, TheEditTakesTypingCaretKeysAndTheMouse) {
  Run({
      {"type:abc", kName, "\"abc\" 3-3", kName, {"11 EN_CHANGE *3"}},
      {"type:abc key:Left key:Left type:X", kName, "\"aXbc\" 2-2", kName, {"11 EN_CHANGE *4"}},
      {"type:abcd key:Home key:Del key:End key:Back", kName, "\"bc\" 2-2", kName, {"11 EN_CHANGE *6"}},
      {"type:abcd hold:Shift key:Left key:Left free:Shift", kName, "\"abcd\" 2-4", kName, {"11 EN_CHANGE *4"}},
      {"type:ab hold:Shift key:Home free:Shift type:Z", kName, "\"Z\" 1-1", kName, {"11 EN_CHANGE *3"}},
      {"type:abcd hold:Shift key:Left free:Shift key:Left", kName, "\"abcd\" 3-3", kName, {"11 EN_CHANGE *4"}},
      {"type:abcd click:74,20", kName, "\"abcd\" 0-0", kName, {"11 EN_CHANGE *4"}},
      {"type:abcd click:74,20 hold:Shift key:End free:Shift type:_", kName, "\" \" 1-1", kName, {"11 EN_CHANGE *5"}},
      {"type:abcd press:74,20 move:240,20 release:240,20", kName, "\"abcd\" 0-4", kName, {"11 EN_CHANGE *4"}},
      {"key:Tab key:Tab key:Tab key:Tab key:Tab key:Tab type:a key:Enter type:b key:Up type:c", kNote,
       "\"ac\r\nb\" 2-2", kNote, {"18 EN_CHANGE *4"}},
      {"key:Tab key:Tab key:Tab key:Tab key:Tab key:Tab type:ab key:Enter key:Back key:Back", kNote, "\"a\" 1-1",
       kNote, {"18 EN_CHANGE *5"}},
  });
}

TEST_F(InputTest, TheDialogTakesTabEnterEscapeAndMnemonics) {
  Run({
      {"key:Tab", kList, "\"\" #-1", kList, {}},
      {"key:Tab key:Tab key:Tab key:Tab", kRows, "selected, focus -1, top 0", kRows, {}},
      {"hold:Shift key:Tab free:Shift", kName, "\"\" 0-0", IDCANCEL, {}},
      {"type:ab key:Tab key:Tab key:Tab hold:Shift key:Tab key:Tab key:Tab free:Shift", kName, "\"ab\" 0-2", kName,
       {"11 EN_CHANGE *2"}},
      {"key:Enter", kName, "\"\" 0-0", kName, {"1 BN_CLICKED"}},
      {"hold:Shift key:Tab free:Shift key:Enter", kName, "\"\" 0-0", IDCANCEL, {"2 BN_CLICKED"}},
      {"key:Esc", kName, "\"\" 0-0", kName, {"2 BN_CLICKED"}},
      {"alt:F", kFlag, "checked", kFlag, {"14 BN_CLICKED"}},
      {"alt:O alt:X", kName, "\"\" 0-0", kName, {}},
      {"type:ab key:Tab key:Tab key:Tab alt:N", kName, "\"ab\" 0-2", kName, {"11 EN_CHANGE *2"}},
      {"key:Tab key:Tab key:Tab type:f", kFlag, "checked", kFlag, {"14 BN_CLICKED"}},
      {"key:Tab key:Tab key:Tab key:Space", kFlag, "checked", kFlag, {"14 BN_CLICKED"}},
      {"key:Tab key:Tab key:Tab key:Down", kFlag, "unchecked", kRows, {}},
      {"hold:Shift key:Tab key:Tab free:Shift key:Right", kFlag, "unchecked", IDCANCEL, {}},
  });
}

TEST_F(InputTest, TheMouseGoesToTheControlUnderItOrToTheOneHoldingIt) {
  Run({
      {"click:60,110", kFlag, "checked", kFlag, {"14 BN_CLICKED"}},
      {"press:60,110 release:300,300", kFlag, "unchecked", kFlag, {}},
      {"press:60,110 move:300,300 move:60,110 release:60,110", kFlag, "checked", kFlag, {"14 BN_CLICKED"}},
      {"dbl:60,110 release:60,110", kFlag, "checked", kFlag, {"14 BN_CLICKED"}},
      {"click:165,110", kOff, "unchecked", kName, {}},
      {"click:30,17", kName, "\"\" 0-0", kName, {}},
      {"click:305,252", kName, "\"\" 0-0", IDOK, {"1 BN_CLICKED"}},
      {"right:60,110 right:400,200", kFlag, "unchecked", kName, {"WM_CONTEXTMENU 14 at 163,232", "WM_CONTEXTMENU 0 at 503,322"}},
  });
}

TEST_F(InputTest, TheComboBoxDropsItsListAndPicks) {
  Run({
      {"click:150,50", kList, "\"\" #-1 open", kList, {"12 CBN_DROPDOWN"}},
      {"click:150,50 click:150,84", kList, "\"Two\" #1", kList, {"12 CBN_DROPDOWN", "12 CBN_SELCHANGE", "12 CBN_CLOSEUP"}},
      {"click:150,50 press:150,70 move:150,99 release:150,99", kList, "\"Three\" #2", kList,
       {"12 CBN_DROPDOWN", "12 CBN_SELCHANGE", "12 CBN_CLOSEUP"}},
      {"click:150,50 click:150,200", kList, "\"\" #-1", kList, {"12 CBN_DROPDOWN", "12 CBN_CLOSEUP"}},
      {"key:Tab key:Down key:Down", kList, "\"Two\" #1", kList, {"12 CBN_SELCHANGE *2"}},
      {"key:Tab key:End key:Up", kList, "\"Two\" #1", kList, {"12 CBN_SELCHANGE *2"}},
      {"key:Tab alt:Down key:Down key:Down key:Enter", kList, "\"Two\" #1", kList,
       {"12 CBN_DROPDOWN", "12 CBN_SELCHANGE", "12 CBN_CLOSEUP"}},
      {"key:Tab key:F4 key:Down key:Esc", kList, "\"\" #-1", kList, {"12 CBN_DROPDOWN", "12 CBN_CLOSEUP"}},
      {"key:Tab key:F4 key:Down key:F4", kList, "\"One\" #0", kList, {"12 CBN_DROPDOWN", "12 CBN_SELCHANGE", "12 CBN_CLOSEUP"}},
      {"key:Tab key:F4 key:Tab", kList, "\"\" #-1 open", kList, {"12 CBN_DROPDOWN"}},
      {"key:Tab key:F4 click:150,84 key:Tab", kList, "\"Two\" #1", kField,
       {"12 CBN_DROPDOWN", "12 CBN_SELCHANGE", "12 CBN_CLOSEUP"}},
      {"key:Tab type:t type:t", kList, "\"Three\" #2", kList, {"12 CBN_SELCHANGE *2"}},
      {"key:Tab key:Tab type:Sp", kField, "\"Sp\" #-1", kField, {"13 CBN_EDITCHANGE *2"}},
      {"key:Tab key:Tab type:Sp key:Left key:Back", kField, "\"p\" #-1", kField, {"13 CBN_EDITCHANGE *3"}},
      {"click:240,80 click:150,114", kField, "\"Space\" #1", kField,
       {"13 CBN_DROPDOWN", "13 CBN_SELCHANGE", "13 CBN_CLOSEUP"}},
      {"click:100,80", kField, "\"\" #-1", kField, {}},
  });
}

TEST_F(InputTest, TheListSelectsScrollsAndHearsItsHeader) {
  Run({
      {"click:50,177", kRows, "selected 1, focus 1, top 0", kRows, {"LVN_ITEMCHANGED 1 0>3"}},
      {"click:50,177 ctrl-click:50,209", kRows, "selected 1 3, focus 3, top 0", kRows,
       {"LVN_ITEMCHANGED 1 0>3", "LVN_ITEMCHANGED 1 3>2", "LVN_ITEMCHANGED 3 0>3"}},
      {"click:50,177 ctrl-click:50,177", kRows, "selected, focus 1, top 0", kRows,
       {"LVN_ITEMCHANGED 1 0>3", "LVN_ITEMCHANGED 1 3>1"}},
      {"click:50,177 shift-click:50,209", kRows, "selected 1 2 3, focus 3, top 0", kRows,
       {"LVN_ITEMCHANGED 1 0>3", "LVN_ITEMCHANGED 1 3>2", "LVN_ITEMCHANGED 2 0>2", "LVN_ITEMCHANGED 3 0>3"}},
      {"click:50,161 key:Down key:Down", kRows, "selected 2, focus 2, top 0", kRows,
       {"LVN_ITEMCHANGED 0 0>3", "LVN_ITEMCHANGED 0 3>0", "LVN_ITEMCHANGED 1 0>3", "LVN_ITEMCHANGED 1 3>0",
        "LVN_ITEMCHANGED 2 0>3"}},
      {"click:50,161 key:End", kRows, "selected 19, focus 19, top 16", kRows,
       {"LVN_ITEMCHANGED 0 0>3", "LVN_ITEMCHANGED 0 3>0", "LVN_ITEMCHANGED 19 0>3"}},
      {"click:50,161 key:PgDn", kRows, "selected 3, focus 3, top 0", kRows,
       {"LVN_ITEMCHANGED 0 0>3", "LVN_ITEMCHANGED 0 3>0", "LVN_ITEMCHANGED 3 0>3"}},
      {"click:50,161 key:PgDn key:PgDn", kRows, "selected 6, focus 6, top 3", kRows,
       {"LVN_ITEMCHANGED 0 0>3", "LVN_ITEMCHANGED 0 3>0", "LVN_ITEMCHANGED 3 0>3", "LVN_ITEMCHANGED 3 3>0",
        "LVN_ITEMCHANGED 6 0>3"}},
      {"click:50,161 key:End key:PgUp key:PgUp", kRows, "selected 13, focus 13, top 13", kRows,
       {"LVN_ITEMCHANGED 0 0>3", "LVN_ITEMCHANGED 0 3>0", "LVN_ITEMCHANGED 19 0>3", "LVN_ITEMCHANGED 19 3>0",
        "LVN_ITEMCHANGED 16 0>3", "LVN_ITEMCHANGED 16 3>0", "LVN_ITEMCHANGED 13 0>3"}},
      {"click:50,161 key:End key:PgUp key:Home", kRows, "selected 0, focus 0, top 0", kRows,
       {"LVN_ITEMCHANGED 0 0>3", "LVN_ITEMCHANGED 0 3>0", "LVN_ITEMCHANGED 19 0>3", "LVN_ITEMCHANGED 19 3>0",
        "LVN_ITEMCHANGED 16 0>3", "LVN_ITEMCHANGED 16 3>0", "LVN_ITEMCHANGED 0 0>3"}},
      {"click:50,161 hold:Shift key:Down key:Down free:Shift", kRows, "selected 0 1 2, focus 2, top 0", kRows,
       {"LVN_ITEMCHANGED 0 0>3", "LVN_ITEMCHANGED 0 3>2", "LVN_ITEMCHANGED 1 0>3", "LVN_ITEMCHANGED 1 3>2",
        "LVN_ITEMCHANGED 2 0>3"}},
      {"click:50,161 hold:Ctrl key:Down free:Ctrl", kRows, "selected 0, focus 1, top 0", kRows,
       {"LVN_ITEMCHANGED 0 0>3", "LVN_ITEMCHANGED 0 3>2", "LVN_ITEMCHANGED 1 0>1"}},
      {"click:150,140", kRows, "selected, focus -1, top 0", kName, {"LVN_COLUMNCLICK 1"}},
      {"press:50,140 release:150,140", kRows, "selected, focus -1, top 0", kName, {}},
  });
}

// The list of 20 rows shows 4; its scroll bar lies at x 232 to 248: the up
// arrow from y 132 to 148, the track to 212 (the thumb 13 high, at 148 on
// top), the down arrow to 228; the first row under the header at y 153.
TEST_F(InputTest, TheListScrollsByItsBarItsWheelAndItsKeys) {
  Run({
      {"click:240,220", kRows, "selected, focus -1, top 1", kName, {}},
      {"click:240,220 click:240,220 click:240,140", kRows, "selected, focus -1, top 1", kName, {}},
      {"click:240,140", kRows, "selected, focus -1, top 0", kName, {}},
      {"click:240,200", kRows, "selected, focus -1, top 4", kName, {}},
      {"click:240,200 click:240,200 click:240,150", kRows, "selected, focus -1, top 4", kName, {}},
      {"press:240,152 move:240,178 release:240,178", kRows, "selected, focus -1, top 8", kName, {}},
      {"press:240,152 move:240,178 move:100,500 release:100,500", kRows, "selected, focus -1, top 16", kName, {}},
      {"press:240,152 move:240,100 release:240,100", kRows, "selected, focus -1, top 0", kName, {}},
      {"press:240,170 move:240,178 release:240,178", kRows, "selected, focus -1, top 4", kName, {}},
      {"wheel-down:100,180", kRows, "selected, focus -1, top 3", kName, {}},
      {"wheel-down:100,180 wheel-down:100,180 wheel-up:240,160", kRows, "selected, focus -1, top 3", kName, {}},
      {"wheel-down:100,180 wheel-down:100,180 wheel-down:100,180 wheel-down:100,180 wheel-down:100,180"
       " wheel-down:100,180",
       kRows, "selected, focus -1, top 16", kName, {}},
      {"wheel-up:100,180", kRows, "selected, focus -1, top 0", kName, {}},
      {"wheel-down:100,20 wheel-down:300,200", kRows, "selected, focus -1, top 0", kName, {}},
      {"wheel-down:100,180 click:50,161", kRows, "selected 3, focus 3, top 3", kRows, {"LVN_ITEMCHANGED 3 0>3"}},
      {"click:50,161 wheel-down:100,180 wheel-down:100,180 key:Down", kRows, "selected 1, focus 1, top 1", kRows,
       {"LVN_ITEMCHANGED 0 0>3", "LVN_ITEMCHANGED 0 3>0", "LVN_ITEMCHANGED 1 0>3"}},
      {"click:240,200 click:50,155", kRows, "selected 4, focus 4, top 4", kRows, {"LVN_ITEMCHANGED 4 0>3"}},
  });
}

TEST_F(InputTest, TheWheelGoesToTheWindowHoldingTheMouseAndOverNoneOfOursToTheFocus) {
  Build();
  Act("click:50,161");
  SendWheelInput(nullptr, {}, -WHEEL_DELTA, 0);
  EXPECT_EQ(Shows(kRows), "selected 0, focus 0, top 3");
  Act("press:240,205");  // a page down on the track, which holds the mouse till the release
  SendWheelInput(dialog, {kClient.x + 100, kClient.y + 20}, WHEEL_DELTA, 0);  // over the name field
  Act("release:240,205");
  EXPECT_EQ(Shows(kRows), "selected 0, focus 0, top 4");
  Destroy();
}

TEST_F(InputTest, TheTabControlTurnsItsPages) {
  Run({
      {"click:410,20", kTabs, "tab 1", kTabs, {"TCN_SELCHANGING", "TCN_SELCHANGE"}},
      {"click:310,20", kTabs, "tab 0", kTabs, {}},
      {"key:Tab key:Tab key:Tab key:Tab key:Tab key:Right key:Right key:Right", kTabs, "tab 2", kTabs,
       {"TCN_SELCHANGING", "TCN_SELCHANGE", "TCN_SELCHANGING", "TCN_SELCHANGE"}},
      {"hold:Ctrl key:Tab key:Tab key:Tab free:Ctrl", kTabs, "tab 0", kName,
       {"TCN_SELCHANGING", "TCN_SELCHANGE", "TCN_SELCHANGING", "TCN_SELCHANGE", "TCN_SELCHANGING", "TCN_SELCHANGE"}},
      {"hold:Ctrl hold:Shift key:Tab free:Shift free:Ctrl", kTabs, "tab 2", kName, {"TCN_SELCHANGING", "TCN_SELCHANGE"}},
  });
}

TEST(MnemonicTest, TheLetterAfterASingleAmpersandUpperCased) {
  const std::vector<std::pair<const wchar_t*, wchar_t>> cases{
      {L"&Name:", L'N'}, {L"R&&D", 0}, {L"a&&b&c", L'C'}, {L"x&", 0}, {L"", 0}, {L"&&&x", L'X'}};
  for (const auto& [text, letter] : cases) EXPECT_EQ(MnemonicOf(text), letter) << CString(text).ToUtf8();
}

// A second dialog beside the first, with a field of its own.
TEST_F(InputTest, APressActivatesItsWindowWhichGivesBackItsFocus) {
  Build();
  const HWND other = CreateWindowExW(kDialogClass, L"Other", WS_POPUP | WS_VISIBLE, {600, 100, 700, 200}, nullptr, 0);
  const HWND field = CreateWindowExW(kEditClass, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, {10, 10, 90, 30}, other, 5);
  Act("key:Tab");
  SendMouseInput(other, WM_LBUTTONDOWN, {650, 150}, MK_LBUTTON);
  SendMouseInput(other, WM_LBUTTONUP, {650, 150}, 0);
  EXPECT_EQ(GetActiveWindow(), other);
  EXPECT_EQ(GetFocus(), field);
  Act("click:400,200");
  EXPECT_EQ(GetActiveWindow(), dialog);
  EXPECT_EQ(FocusId(), kList);
  EnableWindow(other, false);
  SendMouseInput(other, WM_LBUTTONDOWN, {620, 120}, MK_LBUTTON);
  EXPECT_EQ(GetActiveWindow(), dialog);
  EXPECT_EQ(FocusId(), kList);
  DestroyWindow(other);
  Destroy();
}

// What the focus window hears as characters when keys are pressed.
std::vector<WPARAM> heardCharacters;
LRESULT HearCharacters(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CHAR) heardCharacters.push_back(wParam);
  return DefWindowProc(window, message, wParam, lParam);
}

TEST(KeyTranslationTest, ControlKeysAndCtrlWithALetterMakeTheirCharacters) {
  const HWND window = CreateWindowExW(kGenericWindowClass, L"Keys", WS_POPUP | WS_VISIBLE, {0, 0, 100, 100}, nullptr, 0);
  SetWindowProcedure(window, &HearCharacters);
  SetFocus(window);
  const auto press = [](WPARAM key) {
    SendKeyInput(WM_KEYDOWN, key, 0);
    SendKeyInput(WM_KEYUP, key, 0);
  };
  heardCharacters.clear();
  press(VK_BACK);
  press(VK_RETURN);
  press('C');  // a letter alone makes no character: typed text comes as text
  SendKeyInput(WM_KEYDOWN, VK_LCONTROL, 0);
  press('C');
  press('Z');
  press(VK_LEFT);
  SendKeyInput(WM_KEYUP, VK_LCONTROL, 0);
  press('D');
  SendKeyInput(WM_SYSKEYDOWN, VK_MENU, 0);
  SendKeyInput(WM_KEYDOWN, VK_CONTROL, 0);
  press('E');  // Ctrl+Alt is AltGr: no control character
  EXPECT_EQ(heardCharacters, (std::vector<WPARAM>{0x08, 0x0D, 0x03, 0x1A}));
  DestroyWindow(window);
}

}  // namespace
