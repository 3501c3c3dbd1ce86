#pragma once
// What one configurator run was asked to do, as its command line gave it.

#include <string>

namespace configurator {

struct Invocation {
  std::string command;
  bool removal = false;  // the command came from "-u"
  std::string firstDirectory;
  std::string secondDirectory;
  bool error = false;
};

}  // namespace configurator
