#include "LaunchRequest.h"

namespace launcher {

LaunchRequest LaunchRequest::FromArguments(const std::vector<std::string>& arguments) {
  LaunchRequest request;
  if (arguments.empty()) return request;
  request.launchFile = arguments.front();
  request.hasExtraArguments = arguments.size() > 1;
  if (request.hasExtraArguments) request.extraArguments.push_back(' ');
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    request.extraArguments += ' ';
    request.extraArguments += arguments[i];
  }
  return request;
}

}  // namespace launcher
