#pragma once
// The launch target of every application key, in the order the keys are
// tested against the launch file's path.

#include <string_view>
#include <vector>

#include "LaunchOperations.h"

namespace launcher {

struct LaunchTarget {
  std::string_view key;
  void (*run)(LaunchOperations& operations);
};

const std::vector<LaunchTarget>& LaunchTargets();

}  // namespace launcher
