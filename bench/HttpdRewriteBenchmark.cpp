// The web server rewrite on a configuration file of about 50 MB, through the
// host machine as the installed program runs it.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "WebServerConfiguration.h"
#include "host/HostSystem.h"

namespace {

constexpr std::size_t kTargetSize = 50u << 20;

// An Apache configuration padded with the comments and directives a large
// installation carries, a long line now and then.
std::string LargeConfiguration() {
  std::string text =
      "ServerRoot \"C:/Apache2\"\r\nServerAdmin admin@example.net\r\nServerName localhost:80\r\n"
      "DocumentRoot \"C:/Apache2/htdocs\"\r\n";
  const std::string block =
      "#\r\n# Each directory to which Apache has access can be configured with respect\r\n"
      "# to which services and features are allowed and/or disabled.\r\n#\r\n"
      "<Directory \"C:/Apache2/htdocs\">\r\n    Options Indexes FollowSymLinks\r\n"
      "    AllowOverride None\r\n    Order allow,deny\r\n    Allow from all\r\n</Directory>\r\n"
      "LoadModule rewrite_module modules/mod_rewrite.so\r\n"
      "RewriteRule ^/(.*)$ " + std::string(300, 'x') + " [L]\r\n";
  while (text.size() < kTargetSize) text += block;
  return text;
}

class Machine {
 public:
  Machine() {
    std::string pattern = (std::filesystem::temp_directory_path() / "httpd-bench-XXXXXX").string();
    root_ = mkdtemp(pattern.data());
    std::filesystem::create_directories(root_ / "c/Apache2/conf");
    std::ofstream(root_ / "registry.reg", std::ios::binary)
        << "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Apache Group\\Apache\\2.0.54]\r\n"
           "\"ServerRoot\"=\"C:\\\\Apache2\"\r\n";
    const std::string text = LargeConfiguration();
    std::ofstream(root_ / "c/Apache2/conf/httpd.conf", std::ios::binary) << text;
    bytes_ = text.size();
    setenv("BRENMOOR_MACHINE", root_.c_str(), 1);
  }
  ~Machine() { std::filesystem::remove_all(root_); }
  std::size_t Bytes() const { return bytes_; }

 private:
  std::filesystem::path root_;
  std::size_t bytes_ = 0;
};

void BM_DocumentRootRewrite(benchmark::State& state) {
  Machine machine;
  std::string error;
  auto system = platform::HostSystem::FromEnvironment(error);
  if (!system) {
    state.SkipWithError(error.c_str());
    return;
  }
  configurator::Operations operations(*system);
  for (auto _ : state) {
    configurator::ConfigureDocumentRoot(operations, {"web_svr", false, "C:\\Suite\\home", ""});
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * machine.Bytes()));
}
BENCHMARK(BM_DocumentRootRewrite)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

// "--write-configuration=<file>" writes the benchmark's configuration file
// and ends, so that other tools can be timed on the very same text.
int main(int argc, char** argv) {
  const std::string option = "--write-configuration=";
  if (argc == 2 && std::string(argv[1]).rfind(option, 0) == 0) {
    std::ofstream(std::string(argv[1]).substr(option.size()), std::ios::binary)
        << LargeConfiguration();
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
