#pragma once
// Static text: a label that shows its window text.

#include "brenmoor/ui/CWnd.h"

inline constexpr const wchar_t* kStaticClass = L"Static";

class CStatic : public CWnd {
  DECLARE_DYNAMIC(CStatic)
};
