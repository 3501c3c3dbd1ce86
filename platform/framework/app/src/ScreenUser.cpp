#include "brenmoor/app/ScreenUser.h"

#include <string>

#include "brenmoor/ui/CDialog.h"
#include "brenmoor/windowing/Screen.h"

namespace {

[[noreturn]] void CannotAnswer(const std::string& what) {
  throw UserScriptError(what + " cannot be answered on screen yet");
}

std::string DialogName(const CDialog& dialog) { return "dialog " + std::to_string(dialog.GetTemplateId()); }

}  // namespace

void ScreenUser::BeginDialog(CDialog& dialog) {
  if (!PumpScreen(0)) throw UserScriptError(DialogName(dialog) + " cannot be shown: the windows are not on screen");
}

void ScreenUser::ActInDialog(CDialog& dialog) {
  if (!PumpScreen(kInputWait)) throw UserScriptError(DialogName(dialog) + " lost its screen");
}

void ScreenUser::EndDialog(CDialog&) {}

int ScreenUser::AnswerMessageBox(const CString& text, const CString&, UINT) {
  CannotAnswer("message box \"" + text.ToUtf8() + "\"");
}

bool ScreenUser::AnswerFileDialog(CFileDialog&) { CannotAnswer("the file dialog"); }
bool ScreenUser::AnswerPrintDialog(CPrintDialog&) { CannotAnswer("the print dialog"); }
void ScreenUser::ViewPrintPreview(CPrintPreview&) { CannotAnswer("the print preview"); }
UINT ScreenUser::AnswerPopupMenu(HMENU) { CannotAnswer("a popup menu"); }
bool ScreenUser::AnswerColorDialog(CColorDialog&) { CannotAnswer("the colour dialog"); }
