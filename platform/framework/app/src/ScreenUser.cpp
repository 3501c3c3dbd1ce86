#include "brenmoor/app/ScreenUser.h"

#include <string>

#include "brenmoor/ui/CDialog.h"
#include "brenmoor/windowing/Screen.h"

namespace {

std::string DialogName(const CDialog& dialog) { return "dialog " + std::to_string(dialog.GetTemplateId()); }

}  // namespace

void ScreenUser::BeginDialog(CDialog& dialog) {
  if (!PumpScreen(0)) throw UserScriptError(DialogName(dialog) + " cannot be shown: the windows are not on screen");
}

void ScreenUser::ActInDialog(CDialog& dialog) {
  if (!PumpScreen(kInputWait)) throw UserScriptError(DialogName(dialog) + " lost its screen");
}

void ScreenUser::EndDialog(CDialog&) {}
