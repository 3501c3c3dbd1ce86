#pragma once
// What a run that nobody attends takes from its environment: message boxes
// written down instead of shown (BRENMOOR_MESSAGES names the file: one JSON
// line per box, {"title": ..., "text": ...}, in UTF-8) and a shorter bound on
// waits for started programs (BRENMOOR_WAIT_LIMIT_MS), so that tests can
// watch a hung tool end at its limit.

#include <chrono>
#include <string>
#include <string_view>

namespace platform {

// Empty when boxes are to be shown.
std::string MessagesFile();
// Appends the box to file; title and text are UTF-8 text.
void RecordMessage(const std::string& file, std::string_view title, std::string_view text);
// The limit, or the bound of the environment when that is shorter.
std::chrono::milliseconds BoundedWait(std::chrono::milliseconds limit);

}  // namespace platform
