#pragma once
// What a real display does for the screen: one backend is built in, or none.

#include <optional>
#include <string>

namespace screen_backend {

// Connects to the display; false with the reason when it cannot.
bool Open(std::string& why);
// Makes the display's windows match the visible top-level windows and shows
// what of their pictures changed.
void Show();
// Turns the person's input that comes within the time into messages.
void DeliverInput(int waitMilliseconds);
void SetBusyCursor(bool busy);
// The display's clipboard as UTF-8 text; nothing when it holds none.
std::optional<std::string> ClipboardText();
void SetClipboardText(const std::string& text);

}  // namespace screen_backend
