#pragma once
// Tests of the built-in windows: a user that answers every modal thing in
// its window and acts in those windows as a script says, and the keys a
// person presses there, sent to the window with the focus.

#include <string>

#include "brenmoor/app/ScriptedUser.h"
#include "brenmoor/app/WindowedAnswers.h"
#include "brenmoor/ui/CDialog.h"
#include "brenmoor/windowing/WindowSystem.h"

namespace testsupport {

class ScriptedWindowsUser : public WindowedAnswers {
 public:
  explicit ScriptedWindowsUser(ScriptedUser& script) : script_(script), scope_(*this) {}
  void BeginDialog(CDialog& dialog) override { script_.BeginDialog(dialog); }
  void ActInDialog(CDialog& dialog) override { script_.ActInDialog(dialog); }
  void EndDialog(CDialog& dialog) override { script_.EndDialog(dialog); }

 private:
  ScriptedUser& script_;
  CUserScope scope_;
};

inline ScriptedUser::DialogScript& Do(ScriptedUser::DialogScript& script, std::string description,
                                      std::function<void(CDialog&)> take) {
  script.Actions().push_back({std::move(description), std::move(take)});
  return script;
}

inline ScriptedUser::DialogScript& Press(ScriptedUser::DialogScript& script, WPARAM key) {
  return Do(script, "press " + std::to_string(key), [key](CDialog&) { SendMessage(GetFocus(), WM_KEYDOWN, key); });
}

}  // namespace testsupport
