#include "brenmoor/windowing/CUser.h"

#include <utility>

#include "brenmoor/core/Desktop.h"

namespace {

// Nobody at the keyboard: every modal thing fails loudly instead of waiting.
class NoUser : public CUser {
 public:
  void BeginDialog(CDialog&) override { Fail("a dialog"); }
  void ActInDialog(CDialog&) override { Fail("a dialog"); }
  void EndDialog(CDialog&) override {}
  int AnswerMessageBox(const CString& text, const CString&, UINT) override {
    Fail("the message box \"" + text.ToUtf8() + "\"");
  }
  bool AnswerFileDialog(CFileDialog&) override { Fail("a file dialog"); }

 private:
  [[noreturn]] static void Fail(const std::string& thing) {
    throw UserScriptError("no user is there to answer " + thing);
  }
};

struct UserStack : Desktop::Part {
  NoUser nobody;
  CUser* user = &nobody;
};

CUser*& Installed() { return Desktop::Current().Get<UserStack>().user; }

}  // namespace

bool CUser::AnswerPrintDialog(CPrintDialog&) {
  throw UserScriptError("no user is there to answer a print dialog");
}

void CUser::ViewPrintPreview(CPrintPreview&) { throw UserScriptError("no user is there to close a print preview"); }
UINT CUser::AnswerPopupMenu(HMENU, CPoint) { throw UserScriptError("no user is there to answer a popup menu"); }

bool CUser::AnswerColorDialog(CColorDialog&) { throw UserScriptError("no user is there to answer a colour dialog"); }

CUser& AfxGetUser() { return *Installed(); }

CUserScope::CUserScope(CUser& user) : previous_(std::exchange(Installed(), &user)) {}
CUserScope::~CUserScope() { Installed() = previous_; }
