// The launch request and the launch file: any arguments and any file make a
// request that keeps every argument, and a launcher run that ends.

#include <cstdint>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "LaunchRequest.h"
#include "Launcher.h"
#include "fake/RecordingSystem.h"

namespace {

void CheckRequest(const std::vector<std::string>& arguments) {
  const launcher::LaunchRequest request = launcher::LaunchRequest::FromArguments(arguments);
  std::string extra = arguments.size() > 1 ? " " : "";
  for (std::size_t i = 1; i < arguments.size(); ++i) extra += " " + arguments[i];
  fuzzing::Require(request.launchFile == (arguments.empty() ? "" : arguments.front()),
                   "the first argument is the launch file");
  fuzzing::Require(request.hasExtraArguments == (arguments.size() > 1), "further arguments are seen");
  fuzzing::Require(request.extraArguments == extra, "further arguments are kept in order");
}

}  // namespace

// The pieces between NUL bytes: the arguments, then the launch file's text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> arguments = fuzzing::SplitAt(fuzzing::AsText(data, size), '\0');
  const std::string launchFile = arguments.back();
  arguments.pop_back();
  CheckRequest(arguments);
  platform::RecordingSystem system;
  if (!arguments.empty()) system.SetFile(arguments.front(), launchFile);
  launcher::Launcher(system).Run(arguments);
  return 0;
}
