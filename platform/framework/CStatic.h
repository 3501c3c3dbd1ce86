#pragma once
// Static text: a label that shows its window text.

#include "CWnd.h"

inline constexpr const wchar_t* kStaticClass = L"Static";

class CStatic : public CWnd {
  DECLARE_DYNAMIC(CStatic)
};
