#pragma once
// What the launcher was asked to start: the launch file's path and any
// further arguments, which the web pages take in place of the file's parameter.

#include <string>
#include <vector>

namespace launcher {

struct LaunchRequest {
  std::string launchFile;
  bool hasExtraArguments = false;
  // One blank, then a blank and each further argument: " " + " a" + " b".
  std::string extraArguments;

  static LaunchRequest FromArguments(const std::vector<std::string>& arguments);
};

}  // namespace launcher
