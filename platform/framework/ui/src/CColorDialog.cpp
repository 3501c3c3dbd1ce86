#include "brenmoor/ui/CColorDialog.h"

#include "brenmoor/windowing/CUser.h"
#include "brenmoor/windowing/WinMessages.h"

CColorDialog::CColorDialog(COLORREF initial, DWORD flags, CWnd*)
    : colour_(initial), flags_(initial != 0 ? flags | CC_RGBINIT : flags) {}

INT_PTR CColorDialog::DoModal() { return AfxGetUser().AnswerColorDialog(*this) ? IDOK : IDCANCEL; }

DWORD CommDlgExtendedError() { return 0; }
