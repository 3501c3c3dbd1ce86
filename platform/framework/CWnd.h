#pragma once
// A window as the library sees it: something whose client area can be
// invalidated so that its owner repaints it later.

#include "WinTypes.h"

class CWnd {
 public:
  virtual ~CWnd() = default;
  // Marks the whole client area for repainting; erase asks for the
  // background to be erased first.
  virtual void Invalidate(BOOL erase = true);

  int InvalidationCount() const { return invalidations_; }
  bool LastInvalidationErased() const { return lastErased_; }

 private:
  int invalidations_ = 0;
  bool lastErased_ = false;
};
