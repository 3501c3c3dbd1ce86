#pragma once
// The gallery of libwin's dialogs and its toolkit's: each opened with sample
// data for the person (or a test's scripted user) to close, and described
// afterwards in one line of what was chosen in it.

#include <functional>
#include <string>
#include <vector>

#include "brenmoor/core/CResourceModule.h"

struct GalleryDialog {
  // What the gallery's command line calls it.
  const char* name;
  // Opens the dialog and returns the line of what was chosen.
  std::function<std::string()> open;
};

// The dialogs in the order the gallery opens them.
const std::vector<GalleryDialog>& GalleryDialogs();

// The templates and strings the dialogs are made from.
void RegisterGalleryResources(CResourceModule& host);
