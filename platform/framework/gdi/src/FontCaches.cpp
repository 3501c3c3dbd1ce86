#include "brenmoor/gdi/FontCaches.h"

#include <cairo.h>
#include <fontconfig/fontconfig.h>

namespace {

// Built when the library loads, so it goes after every surface at exit.
struct FontCacheUsers {
  ~FontCacheUsers() {
    if (live == 0) Release();
  }
  void Release() {
    cairo_debug_reset_static_data();
    FcFini();
    releaseWanted = false;
  }

  int live = 0;
  bool releaseWanted = false;
};

FontCacheUsers users;

}  // namespace

void ReleaseFontCaches() {
  if (users.live == 0) {
    users.Release();
  } else {
    users.releaseWanted = true;
  }
}

void BeginFontCacheUse() { ++users.live; }

void EndFontCacheUse() {
  if (--users.live == 0 && users.releaseWanted) users.Release();
}
