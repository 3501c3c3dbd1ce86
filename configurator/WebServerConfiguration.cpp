#include "WebServerConfiguration.h"

#include <functional>
#include <optional>

namespace configurator {
namespace {

constexpr std::string_view kApacheKey = "SOFTWARE\\Apache Group\\Apache\\2.0.54";
constexpr std::string_view kNotConfigured = ".\n\nWeb Server not configured.";

bool BeginsWith(const std::string& piece, std::string_view marker) {
  return piece.compare(0, marker.size(), marker) == 0;
}

// The DocumentRoot argument as the marker needs it: behind "DocumentRoot "
// and without the piece's last character, its line end.
std::string DocumentRootArgument(const std::string& piece) {
  constexpr std::size_t kStart = 13;
  return piece.size() > kStart + 1 ? piece.substr(kStart, piece.size() - kStart - 1) : "";
}

// Nothing, after its message, when the web server's root cannot be read.
std::optional<std::string> ServerRoot(Operations& operations) {
  MachineString root = operations.ReadMachineString(kApacheKey, "ServerRoot");
  switch (root.status) {
    case MachineString::Status::Read:
      return root.value;
    case MachineString::Status::KeyMissing:
      operations.ShowMessage("Unable to open registry for environment settings!!!\n\nExiting.");
      break;
    case MachineString::Status::ValueMissing:
      operations.ShowMessage("Unable to find Apache path.\n\nExiting.");
      break;
    case MachineString::Status::TooLong:
      break;
  }
  return std::nullopt;
}

using Rewrite = std::function<std::string(const std::string&)>;

struct ConfigurationFiles {
  std::string configuration;
  std::string temporary;
  std::string keepOld;     // the move of httpd.conf to httpd.old
  std::string putInPlace;  // the move of httpd.tmp to httpd.conf
};

ConfigurationFiles FilesBelow(const std::string& root) {
  const std::string conf = root + "\\conf\\";
  return {conf + "httpd.conf", conf + "httpd.tmp",
          "move \"" + conf + "httpd.conf\" \"" + conf + "httpd.old\"",
          "move \"" + conf + "httpd.tmp\" \"" + conf + "httpd.conf\""};
}

// Writes the rewritten configuration into httpd.tmp. On any failure nothing
// but the message is left: httpd.conf stays as it was and httpd.tmp goes.
bool WriteRewrittenCopy(Operations& operations, const ConfigurationFiles& files,
                        const Rewrite& rewrite) {
  platform::System& system = operations.System();
  auto source = system.OpenTextFile(files.configuration, platform::FileMode::Read);
  auto target = source ? system.OpenTextFile(files.temporary, platform::FileMode::Write) : nullptr;
  if (!source || !target) {
    operations.ShowMessage("Unable to open either " + files.configuration + " or " +
                           files.temporary + std::string(kNotConfigured));
    return false;
  }
  bool written = true;
  std::string piece;
  while (written && source->ReadLine(piece, Operations::kLinePiece)) {
    written = target->Write(rewrite(piece));
  }
  const bool read = source->Close();
  written = target->Close() && written;
  if (read && written) return true;
  system.RemoveFile(files.temporary);
  operations.ShowMessage((written ? "Unable to read " + files.configuration
                                  : "Unable to write " + files.temporary) +
                         std::string(kNotConfigured));
  return false;
}

void RewriteConfiguration(Operations& operations, const std::string& root,
                          const Rewrite& rewrite) {
  const ConfigurationFiles files = FilesBelow(root);
  if (!operations.CommandFits(files.keepOld) || !operations.CommandFits(files.putInPlace)) return;
  if (!WriteRewrittenCopy(operations, files, rewrite)) return;
  operations.RunShellCommand(files.keepOld);
  operations.RunShellCommand(files.putInPlace);
}

}  // namespace

std::string ServerIdentityRewrite::operator()(const std::string& piece) {
  switch (stage_) {
    case Stage::ServerRoot:
      if (!BeginsWith(piece, "ServerRoot")) return piece;
      stage_ = Stage::ServerAdmin;
      return "ServerRoot \"" + serverRoot_ + "\"\n\nScriptAlias /cgi-bin/ \"" + serverRoot_ +
             "/cgi-bin/\"\n\n";
    case Stage::ServerAdmin:
      if (!BeginsWith(piece, "ServerAdmin")) return piece;
      stage_ = Stage::ServerName;
      return "ServerAdmin \"" + adminAddress_ + "\"\n\n";
    case Stage::ServerName:
      if (!BeginsWith(piece, "ServerName")) return piece;
      return "ServerName \"" + serverName_ + "\"\n\n";
  }
  return piece;
}

std::string DocumentRootRewrite::operator()(const std::string& piece) {
  if (!BeginsWith(piece, marker_)) return piece;
  if (rootReplaced_) return "<Directory \"" + homePage_ + "\">\n";
  rootReplaced_ = true;
  marker_ = "<Directory " + DocumentRootArgument(piece) + ">";
  return "DocumentRoot \"" + homePage_ + "\"\n\nPassEnv KOR_VERSION\nPassEnv PROP_PATH\n";
}

void ConfigureServerIdentity(Operations& operations, const Invocation& invocation) {
  WaitCursor cursor(operations.System());
  const auto root = ServerRoot(operations);
  if (!root) return;
  ServerIdentityRewrite rewrite(*root, invocation.firstDirectory, invocation.secondDirectory);
  RewriteConfiguration(operations, *root, std::ref(rewrite));
}

void ConfigureDocumentRoot(Operations& operations, const Invocation& invocation) {
  WaitCursor cursor(operations.System());
  const auto root = ServerRoot(operations);
  if (!root) return;
  DocumentRootRewrite rewrite(invocation.firstDirectory);
  RewriteConfiguration(operations, *root, std::ref(rewrite));
}

}  // namespace configurator
