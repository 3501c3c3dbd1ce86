#include "brenmoor/app/WindowedAnswers.h"

#include "brenmoor/docview/PrintDialogWindow.h"
#include "brenmoor/docview/PrintPreviewWindow.h"
#include "brenmoor/ui/ColourDialogWindow.h"
#include "brenmoor/ui/FileDialogWindow.h"
#include "brenmoor/ui/MessageBoxWindow.h"
#include "brenmoor/ui/PopupMenuWindow.h"

int WindowedAnswers::AnswerMessageBox(const CString& text, const CString& caption, UINT type) {
  return RunMessageBoxWindow(text, caption, type);
}

bool WindowedAnswers::AnswerFileDialog(CFileDialog& dialog) { return RunFileDialogWindow(dialog); }

bool WindowedAnswers::AnswerPrintDialog(CPrintDialog& dialog) { return RunPrintDialogWindow(dialog); }

void WindowedAnswers::ViewPrintPreview(CPrintPreview& preview) { RunPrintPreviewWindow(preview); }

UINT WindowedAnswers::AnswerPopupMenu(HMENU menu, CPoint at) { return RunPopupMenuWindow(menu, at); }

bool WindowedAnswers::AnswerColorDialog(CColorDialog& dialog) { return RunColourDialogWindow(dialog); }
