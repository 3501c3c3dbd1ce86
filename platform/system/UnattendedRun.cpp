#include "UnattendedRun.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>


namespace platform {
namespace {

void AppendJsonString(std::string& out, std::string_view utf8) {
  out += '"';
  for (unsigned char c : utf8) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20 || c == 0x7F) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
          out += escaped;
        } else {
          out += static_cast<char>(c);
        }
    }
  }
  out += '"';
}

}  // namespace

std::string MessagesFile() {
  const char* file = std::getenv("BRENMOOR_MESSAGES");
  return file ? file : "";
}

std::chrono::milliseconds BoundedWait(std::chrono::milliseconds limit) {
  const char* bound = std::getenv("BRENMOOR_WAIT_LIMIT_MS");
  if (bound == nullptr || *bound == '\0') return limit;
  char* end = nullptr;
  const long long milliseconds = std::strtoll(bound, &end, 10);
  if (*end != '\0' || milliseconds < 0) return limit;
  return std::min(limit, std::chrono::milliseconds(milliseconds));
}

void RecordMessage(const std::string& file, std::string_view title, std::string_view text) {
  std::string line = "{\"title\": ";
  AppendJsonString(line, title);
  line += ", \"text\": ";
  AppendJsonString(line, text);
  line += "}\n";
  // Binary, so that the line ends the same on every platform.
  if (std::FILE* stream = std::fopen(file.c_str(), "ab")) {
    std::fwrite(line.data(), 1, line.size(), stream);
    std::fclose(stream);
  }
}

}  // namespace platform
