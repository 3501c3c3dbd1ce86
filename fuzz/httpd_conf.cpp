// Both httpd.conf rewrites on the recording system: any file is rewritten
// without failing, and a file without the directives they look for is
// copied byte for byte.

#include <cstdint>
#include <string>

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
                  bool hasDirectives) {
  platform::RecordingSystem system;
  system.SetRegistryString(platform::RegistryRoot::LocalMachine, kApacheKey, "ServerRoot", "C:\\Apache2");
  system.SetFile(kConfiguration, text);
  configurator::Operations operations(system);
  configure(operations, invocation);
  const std::string* rewritten = system.File(kTemporary);
  fuzzing::Require(rewritten != nullptr, "the rewritten copy is written");
  if (!hasDirectives) fuzzing::Require(*rewritten == text, "a file without directives is copied as it is");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(fuzzing::AsText(data, size));
  CheckRewrite(text, configurator::ConfigureServerIdentity, {"apache", false, "www.example.net", "a@example.net"},
               text.find("Server") != std::string::npos);
  CheckRewrite(text, configurator::ConfigureDocumentRoot, {"web_svr", false, "C:\\Program Files\\Home"},
               text.find("DocumentRoot") != std::string::npos);
  return 0;
}
