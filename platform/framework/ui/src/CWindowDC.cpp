#include "brenmoor/ui/CWindowDC.h"

#include "brenmoor/ui/CWnd.h"

CWindowDC::CWindowDC(CWnd* window) : WindowDC(window != nullptr ? window->GetSafeHwnd() : nullptr) {}
