#pragma once
// The launcher's application object: it tests every application key against
// the launch file's path and runs the target of each key it finds.

#include <string>
#include <string_view>
#include <vector>

#include "System.h"

namespace launcher {

class Launcher {
 public:
  static constexpr std::string_view kExtension = "._qk";

  explicit Launcher(platform::System& system) : system_(system) {}

  // One whole run; the program then ends with status 0, whatever happened.
  void Run(const std::vector<std::string>& arguments);

  // Both tests are case-sensitive and look at the whole path, folders included.
  static bool Selects(std::string_view launchFile, std::string_view key);

 private:
  void ShowUsage();

  platform::System& system_;
};

}  // namespace launcher
