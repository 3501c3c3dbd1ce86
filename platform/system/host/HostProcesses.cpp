#include "host/HostProcesses.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "TextEncoding.h"
#include "host/MachineCodePage.h"

namespace platform {
namespace {

std::vector<long> ProcessIds() {
  std::vector<long> ids;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
    const std::string name = entry.path().filename().string();
    if (!name.empty() && std::all_of(name.begin(), name.end(), [](unsigned char c) {
          return std::isdigit(c);
        })) {
      ids.push_back(std::stol(name));
    }
  }
  std::sort(ids.begin(), ids.end());
  return ids;
}

std::optional<std::string> ProgramBaseName(long id) {
  std::error_code error;
  const auto program =
      std::filesystem::read_symlink("/proc/" + std::to_string(id) + "/exe", error);
  if (error) return std::nullopt;
  return machine::AnsiFromUtf8(program.filename().string());
}

}  // namespace

std::vector<std::optional<std::string>> ListHostProcesses(std::size_t limit) {
  std::vector<std::optional<std::string>> names;
  for (long id : ProcessIds()) {
    if (names.size() == limit) break;
    names.push_back(ProgramBaseName(id));
  }
  return names;
}

}  // namespace platform
