#include "CWnd.h"

void CWnd::Invalidate(BOOL erase) {
  ++invalidations_;
  lastErased_ = erase != 0;
}
