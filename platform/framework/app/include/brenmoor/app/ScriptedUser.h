#pragma once
// A user that follows a script, for tests and for tools that answer from
// their options: one expectation per modal thing, in the order they come
// (a dialog with the actions to take in it, a message box with the button
// to press, a file dialog with the file to confirm or a cancel, a colour
// dialog with the colour to pick or a cancel). Each action
// goes through the messages a mouse and keyboard would cause. A modal thing
// the script did not expect, an action a person could not take, or a dialog
// left open when the script's actions run out throws UserScriptError at once,
// naming it; expectations left when the user ends are reported then. What
// the user saw is kept line by line.

#include <deque>
#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "brenmoor/windowing/CUser.h"
#include "brenmoor/core/WinTypes.h"

class ScriptedUser : public CUser {
 public:
  struct Action {
    std::string description;
    std::function<void(CDialog&)> take;
  };

  // The actions to take in one dialog, in order.
  class DialogScript {
   public:
    static constexpr const char* kKind = "dialog";
    DialogScript(UINT templateId, ScriptedUser& user) : templateId_(templateId), user_(&user) {}
    // Puts the focus into an edit control or a combo box's field, selects
    // all of it and types the text (an empty text deletes it).
    DialogScript& Type(int id, const CString& text);
    // Opens the combo box's list and picks the choice with exactly that
    // text; on a tab control, clicks the tab with that text.
    DialogScript& Pick(int id, const CString& choice);
    DialogScript& Click(int id);
    // Clicks the check box when it does not show the state already.
    DialogScript& Check(int id, bool checked);
    // Notes the control's text, of the dialog or of the page it shows, in
    // what the user saw: "read <id>: <text>".
    DialogScript& Read(int id);
    // Writes a picture of the dialog as it is now.
    DialogScript& Render(const std::string& pngFile);

    UINT TemplateId() const { return templateId_; }
    std::deque<Action>& Actions() { return actions_; }

   private:
    DialogScript& Add(std::string description, std::function<void(CDialog&)> take);
    UINT templateId_;
    ScriptedUser* user_;
    std::deque<Action> actions_;
  };

  // Installs itself as the application's user for as long as it lives.
  ScriptedUser();
  ~ScriptedUser() override;
  ScriptedUser(const ScriptedUser&) = delete;
  ScriptedUser& operator=(const ScriptedUser&) = delete;

  DialogScript& InDialog(UINT templateId);
  void AnswerMessageBox(int button = 1);
  void ConfirmFile(const CString& path);
  void CancelFileDialog();
  // Prints: to the printer's file unless another is given, all pages unless
  // a range is (from and to both nonzero).
  void AnswerPrintDialog(const CString& file = {}, int fromPage = 0, int toPage = 0);
  void CancelPrintDialog();
  // Closes the preview, first writing its pages as pictures into the folder
  // when one is given.
  void ClosePreview(const std::string& pngFolder = {});
  // Opens the popups on the way to the command and clicks it; it must be
  // there and neither grayed nor disabled.
  void PickMenuItem(UINT id);
  // Closes the popup menu without picking anything.
  void DismissMenu();
  void PickColour(COLORREF colour);
  void CancelColourDialog();
  // A dialog whose actions have all been taken stays open for the person,
  // who finishes it: the script fills in what the person chose last time.
  void HandOverTo(CUser& person) { person_ = &person; }

  // One line per modal thing and per reading: "dialog 234",
  // "message box error: <text>", "file dialog open ...", "read 1238: ...",
  // "popup menu: Open, Print [checked], -, More >" (states in brackets),
  // "colour dialog, colour 0000ff, flags 0x101".
  // Line breaks and tabs in texts are written as \r, \n and \t.
  const std::vector<std::string>& Seen() const { return seen_; }
  // The expectations and actions no modal thing has used yet.
  std::vector<std::string> Unused() const;
  // The same, after which the expectations are no longer wanted: for a
  // script left over on purpose.
  std::vector<std::string> TakeUnused();

  // What happens when a scripted user ends, other than by an exception,
  // with expectations that no modal thing used: by default one line on
  // standard error; the test programs fail the running test. Returns the
  // handler it replaces.
  using UnusedHandler = void (*)(const std::string& unused);
  static UnusedHandler SetUnusedHandler(UnusedHandler handler);

  void BeginDialog(CDialog& dialog) override;
  void ActInDialog(CDialog& dialog) override;
  void EndDialog(CDialog& dialog) override;
  int AnswerMessageBox(const CString& text, const CString& caption, UINT type) override;
  bool AnswerFileDialog(CFileDialog& dialog) override;
  bool AnswerPrintDialog(CPrintDialog& dialog) override;
  void ViewPrintPreview(CPrintPreview& preview) override;
  UINT AnswerPopupMenu(HMENU menu, CPoint at) override;
  bool AnswerColorDialog(CColorDialog& dialog) override;

 protected:
  void Record(std::string line) { seen_.push_back(std::move(line)); }
  static std::string DescribeMessageBox(const CString& text, UINT type);

 private:
  // Each kind of modal thing names itself as the user's lines do.
  struct MessageBoxAnswer {
    static constexpr const char* kKind = "message box";
    int button;
  };
  struct FileAnswer {
    static constexpr const char* kKind = "file dialog";
    bool confirm;
    CString path;
  };
  struct PrintAnswer {
    static constexpr const char* kKind = "print dialog";
    bool print;
    CString file;
    int fromPage;
    int toPage;
  };
  struct PreviewAnswer {
    static constexpr const char* kKind = "print preview";
    std::string folder;
  };
  struct MenuAnswer {
    static constexpr const char* kKind = "popup menu";
    UINT id;  // 0: dismiss
  };
  struct ColourAnswer {
    static constexpr const char* kKind = "colour dialog";
    bool pick;
    COLORREF colour;
  };
  using Expectation = std::variant<DialogScript, MessageBoxAnswer, FileAnswer, PrintAnswer, PreviewAnswer,
                                   MenuAnswer, ColourAnswer>;
  static std::string KindOf(const Expectation& expected);

  template <typename Wanted>
  Wanted Next(const std::string& thing);

  struct Running {
    HWND window;
    DialogScript script;
  };

  std::deque<Expectation> script_;
  // Dialogs now open, innermost last; one that ended by an exception is
  // dropped when the next dialog starts.
  std::vector<Running> running_;
  std::vector<std::string> seen_;
  CUser* person_ = nullptr;
  CUserScope scope_;
  // An end while an exception unwinds has had its failure told already.
  int exceptionsAtStart_;
};

// Texts as the user saw them, with line breaks and tabs made visible.
std::string VisibleText(const CString& text);

// The user of a command-line tool: dialogs and file dialogs follow the script
// built from the tool's options; every message box is printed on standard
// output ("<caption>: <text>") and answered with its first button.
class CommandLineUser : public ScriptedUser {
 public:
  int AnswerMessageBox(const CString& text, const CString& caption, UINT type) override;
};
