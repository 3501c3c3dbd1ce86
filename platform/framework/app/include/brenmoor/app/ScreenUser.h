#pragma once
// The person in front of a real display (see Screen.h): a dialog runs its
// modal loop on the person's mouse and keyboard until it ends, and every
// other modal thing is a window of its own, used the same way. The
// application installs it when the windows are on screen.

#include "brenmoor/app/WindowedAnswers.h"

class ScreenUser : public WindowedAnswers {
 public:
  // Shows the dialog as it is after its initialisation.
  void BeginDialog(CDialog& dialog) override;
  // Waits a little for the person's input and hands what came to the windows.
  void ActInDialog(CDialog& dialog) override;
  void EndDialog(CDialog& dialog) override;
};
