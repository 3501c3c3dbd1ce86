#pragma once
// What the install and the removal of the network-management integration
// share: OpenView's path and the integration's folders, the integration
// log, the MIB loader and the OID mapping files.

#include <string>
#include <string_view>
#include <vector>

#include "Operations.h"

namespace configurator {

class KestleIntegration {
 public:
  static constexpr std::chrono::milliseconds kToolLimit{60000};
  static constexpr std::chrono::milliseconds kOpenViewLimit{300000};

  explicit KestleIntegration(Operations& operations) : operations_(operations) {}

 protected:
  // OV_PATH, with a message only when OpenView's key opens without it.
  void ReadOpenViewPath();
  void Log(std::string_view text);
  // "Running <command> \n\t" in the log, then the start and the wait.
  void RunLogged(const std::string& commandLine, std::chrono::milliseconds limit);
  void LoadMib(std::string_view options, std::string_view file);
  // The file as a line list; "Unable to open" with its message and an empty
  // list when it cannot be read. False in that case.
  bool LoadOidLines(const std::string& path, std::vector<std::string>& lines);

  std::string OidSource(std::string_view name) const { return kestle_ + "\\" + std::string(name); }
  std::string OidTarget(std::string_view name) const {
    return openView_ + "\\conf\\" + std::string(name);
  }

  Operations& operations_;
  std::string openView_;
  std::string kestle_;
  std::string log_;
};

}  // namespace configurator
