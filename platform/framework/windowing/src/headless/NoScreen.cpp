// A build without a display library: the windows stay headless.

#include "../ScreenBackend.h"

namespace screen_backend {

bool Open(std::string& why) {
  why = "this build has no screen backend (SDL2 was not found when it was configured)";
  return false;
}
void Show() {}
void DeliverInput(int) {}
void SetBusyCursor(bool) {}
std::optional<std::string> ClipboardText() { return std::nullopt; }
void SetClipboardText(const std::string&) {}

}  // namespace screen_backend
