// Both httpd.conf rewrites on the recording system: any file is either
// rewritten into httpd.tmp, or left byte for byte with the user told why; a
// file without the directive a rewrite starts from is always left.

#include <cstdint>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "Operations.h"
#include "WebServerConfiguration.h"
#include "fake/RecordingSystem.h"

namespace {

constexpr const char* kApacheKey = "SOFTWARE\\Apache Group\\Apache\\2.0.54";
constexpr const char* kConfiguration = "C:\\Apache2\\conf\\httpd.conf";
constexpr const char* kTemporary = "C:\\Apache2\\conf\\httpd.tmp";

using Configure = void (*)(configurator::Operations&, const configurator::Invocation&);

void CheckRewrite(const std::string& text, Configure configure, const configurator::Invocation& invocation,
                  bool mayHoldAnchor) {
  platform::RecordingSystem system;
  system.SetRegistryString(platform::RegistryRoot::LocalMachine, kApacheKey, "ServerRoot", "C:\\Apache2");
  system.SetFile(kConfiguration, text);
  configurator::Operations operations(system);
  configure(operations, invocation);
  if (system.File(kTemporary) != nullptr) {
    fuzzing::Require(mayHoldAnchor, "a file without the directive is not rewritten");
    return;
  }
  fuzzing::Require(*system.File(kConfiguration) == text, "a file not rewritten is left as it was");
  const std::vector<std::string> messages = system.Messages();
  fuzzing::Require(messages.size() == 1 && messages.front().find("The file was left as it was.") != std::string::npos,
                   "the user is told the file was left as it was");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(fuzzing::AsText(data, size));
  CheckRewrite(text, configurator::ConfigureServerIdentity, {"apache", false, "www.example.net", "a@example.net"},
               text.find("ServerRoot") != std::string::npos);
  CheckRewrite(text, configurator::ConfigureDocumentRoot, {"web_svr", false, "C:\\Program Files\\Home"},
               text.find("DocumentRoot") != std::string::npos);
  return 0;
}
