#pragma once
// Static text: a label that shows its window text.

#include "brenmoor/ui/CWnd.h"

class CStatic : public CWnd {
  DECLARE_DYNAMIC(CStatic)
};
