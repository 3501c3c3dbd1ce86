// Opens every dialog of libwin and its toolkit on screen with sample data,
// one after another, each closed by the person; then writes one line per
// dialog of what was chosen in it. Names given open only those dialogs;
// with --pictures each dialog's window, as the painter draws it when it
// first shows, is written there as 01.png, 02.png and so on.
//
//   libwin_gallery [--pictures FOLDER] [NAME...]

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "Gallery.h"
#include "brenmoor/app/CWinApp.h"
#include "brenmoor/app/ScreenUser.h"
#include "brenmoor/gdi/FontCaches.h"
#include "brenmoor/ui/CDialog.h"
#include "brenmoor/windowing/WindowPainter.h"

namespace {

// The person on screen, with a picture of each dialog as it begins.
class PicturingUser : public ScreenUser {
 public:
  explicit PicturingUser(std::string folder) : folder_(std::move(folder)) {}

  void BeginDialog(CDialog& dialog) override {
    if (!folder_.empty()) {
      char name[24];
      std::snprintf(name, sizeof name, "/%02d.png", ++pictures_);
      if (!RenderWindowToPng(dialog.m_hWnd, folder_ + name)) {
        throw UserScriptError("cannot write " + folder_ + name);
      }
    }
    ScreenUser::BeginDialog(dialog);
  }

 private:
  std::string folder_;
  int pictures_ = 0;
};

const GalleryDialog* Named(const char* name) {
  for (const GalleryDialog& dialog : GalleryDialogs()) {
    if (std::strcmp(dialog.name, name) == 0) return &dialog;
  }
  return nullptr;
}

bool Parse(int argc, char** argv, std::string& pictures, std::vector<const GalleryDialog*>& chosen) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--pictures") == 0 && i + 1 < argc) {
      pictures = argv[++i];
    } else if (const GalleryDialog* dialog = Named(argv[i])) {
      chosen.push_back(dialog);
    } else {
      return false;
    }
  }
  if (chosen.empty()) {
    for (const GalleryDialog& dialog : GalleryDialogs()) chosen.push_back(&dialog);
  }
  return true;
}

void PrintUsage() {
  std::fprintf(stderr, "usage: libwin_gallery [--pictures FOLDER] [NAME...]\n  NAME:");
  for (const GalleryDialog& dialog : GalleryDialogs()) std::fprintf(stderr, " %s", dialog.name);
  std::fprintf(stderr, "\n");
}

}  // namespace

int main(int argc, char** argv) {
  std::string pictures;
  std::vector<const GalleryDialog*> chosen;
  if (!Parse(argc, argv, pictures, chosen)) {
    PrintUsage();
    return 2;
  }
  CWinApp app(L"Gallery");
  std::string why;
  if (!app.UseScreen(why)) {
    std::fprintf(stderr, "libwin_gallery: no screen: %s\n", why.c_str());
    return 1;
  }
  RegisterGalleryResources(app);
  const struct FontCachesAtExit {
    ~FontCachesAtExit() { ReleaseFontCaches(); }
  } fontCaches;
  PicturingUser person(pictures);
  const CUserScope scope(person);
  std::vector<std::string> lines;
  try {
    for (const GalleryDialog* dialog : chosen) lines.push_back(dialog->open());
  } catch (const UserScriptError& error) {
    std::fprintf(stderr, "libwin_gallery: %s\n", error.what());
    return 1;
  }
  for (const std::string& line : lines) std::printf("%s\n", line.c_str());
  return 0;
}
