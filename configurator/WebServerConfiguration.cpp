#include "WebServerConfiguration.h"

#include <optional>

namespace configurator {
namespace {

constexpr std::string_view kApacheKey = "SOFTWARE\\Apache Group\\Apache\\2.0.54";
constexpr std::string_view kNotConfigured = ".\n\nWeb Server not configured.";
// Far longer than a rewrite takes, even of a very large file.
constexpr std::chrono::seconds kLockWait{30};

bool BeginsWith(const std::string& piece, std::string_view marker) {
  return piece.compare(0, marker.size(), marker) == 0;
}

std::string LineEnd(const std::string& piece) {
  return !piece.empty() && piece.back() == '\n' ? "\n" : "";
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

struct ConfigurationFiles {
  std::string configuration;
  std::string temporary;
  std::string lock;
  std::string keepOld;     // the move of httpd.conf to httpd.old
  std::string putInPlace;  // the move of httpd.tmp to httpd.conf
};

ConfigurationFiles FilesBelow(const std::string& root) {
  const std::string conf = root + "\\conf\\";
  return {conf + "httpd.conf", conf + "httpd.tmp", conf + "httpd.lck",
          "move \"" + conf + "httpd.conf\" \"" + conf + "httpd.old\"",
          "move \"" + conf + "httpd.tmp\" \"" + conf + "httpd.conf\""};
}

// Writes the rewritten configuration into httpd.tmp. On any failure nothing
// but the message is left: httpd.conf stays as it was and httpd.tmp goes.
bool WriteRewrittenCopy(Operations& operations, const ConfigurationFiles& files,
                        ConfigurationRewrite& rewrite) {
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
    written = target->Write(rewrite.Feed(piece));
  }
  written = written && target->Write(rewrite.Finish());
  const bool read = source->Close();
  written = target->Close() && written;
  if (read && written) return true;
  system.RemoveFile(files.temporary);
  operations.ShowMessage((written ? "Unable to read " + files.configuration
                                  : "Unable to write " + files.temporary) +
                         std::string(kNotConfigured));
  return false;
}

// A file without the anchor would only be copied onto itself: it is left
// as it was, and the user learns why nothing changed.
bool FoundAnchor(Operations& operations, const ConfigurationFiles& files,
                 const ConfigurationRewrite& rewrite) {
  if (rewrite.FoundAnchor()) return true;
  operations.System().RemoveFile(files.temporary);
  operations.ShowMessage("Unable to find a " + std::string(rewrite.AnchorDirective()) +
                         " line in " + files.configuration +
                         ".\n\nThe file was left as it was.");
  return false;
}

// Another run rewriting the same file would interleave its moves with
// these and could leave no httpd.conf at all: one run at a time.
void RewriteConfiguration(Operations& operations, const std::string& root,
                          ConfigurationRewrite& rewrite) {
  const ConfigurationFiles files = FilesBelow(root);
  if (!operations.CommandFits(files.keepOld) || !operations.CommandFits(files.putInPlace)) return;
  const auto lock = operations.System().LockFile(files.lock, kLockWait);
  if (!lock) {
    operations.ShowMessage("Unable to lock " + files.lock +
                           ": another run is configuring the web server" +
                           std::string(kNotConfigured));
    return;
  }
  if (!WriteRewrittenCopy(operations, files, rewrite)) return;
  if (!FoundAnchor(operations, files, rewrite)) return;
  operations.RunShellCommand(files.keepOld);
  operations.RunShellCommand(files.putInPlace);
}

}  // namespace

std::string ConfigurationRewrite::Feed(const std::string& piece) {
  switch (state_) {
    case State::BeforeAnchor:
      if (!BeginsWith(piece, anchorDirective_)) return piece;
      anchor_ = piece;
      state_ = State::LookingAhead;
      return {};
    case State::LookingAhead:
      held_.push_back(piece);
      if (!BeginsWith(piece, inserted_[held_.size() - 1])) return Resolve(false);
      return held_.size() == inserted_.size() ? Resolve(true) : std::string();
    case State::AfterAnchor:
      return AfterAnchor(piece);
  }
  return piece;
}

std::string ConfigurationRewrite::Finish() {
  return state_ == State::LookingAhead ? Resolve(false) : std::string();
}

std::string ConfigurationRewrite::Resolve(bool rewrittenBefore) {
  state_ = State::AfterAnchor;
  rewrittenBefore_ = rewrittenBefore;
  if (rewrittenBefore) return Again(anchor_, held_);
  std::string out = FirstRun(anchor_);
  for (const std::string& piece : held_) out += AfterAnchor(piece);
  held_.clear();
  return out;
}

std::string ConfigurationRewrite::InPlace(std::string_view directive, const std::string& value,
                                          const std::string& piece) {
  return std::string(directive) + " \"" + value + "\"" + LineEnd(piece);
}

ServerIdentityRewrite::ServerIdentityRewrite(std::string serverRoot, std::string serverName,
                                             std::string adminAddress)
    : ConfigurationRewrite("ServerRoot", {"\n", "ScriptAlias /cgi-bin/ "}),
      serverRoot_(std::move(serverRoot)),
      serverName_(std::move(serverName)),
      adminAddress_(std::move(adminAddress)) {}

std::string ServerIdentityRewrite::FirstRun(const std::string&) {
  return "ServerRoot \"" + serverRoot_ + "\"\n\nScriptAlias /cgi-bin/ \"" + serverRoot_ +
         "/cgi-bin/\"\n\n";
}

std::string ServerIdentityRewrite::Again(const std::string& anchor,
                                         const std::vector<std::string>& inserted) {
  return InPlace("ServerRoot", serverRoot_, anchor) + inserted[0] +
         InPlace("ScriptAlias /cgi-bin/", serverRoot_ + "/cgi-bin/", inserted[1]);
}

std::string ServerIdentityRewrite::Directive(std::string_view name, const std::string& value,
                                             const std::string& piece) const {
  if (RewrittenBefore()) return InPlace(name, value, piece);
  return std::string(name) + " \"" + value + "\"\n\n";
}

std::string ServerIdentityRewrite::AfterAnchor(const std::string& piece) {
  if (!adminReplaced_) {
    if (!BeginsWith(piece, "ServerAdmin")) return piece;
    adminReplaced_ = true;
    return Directive("ServerAdmin", adminAddress_, piece);
  }
  if (!BeginsWith(piece, "ServerName")) return piece;
  return Directive("ServerName", serverName_, piece);
}

DocumentRootRewrite::DocumentRootRewrite(std::string homePage)
    : ConfigurationRewrite("DocumentRoot",
                           {"\n", "PassEnv KOR_VERSION\n", "PassEnv PROP_PATH\n"}),
      homePage_(std::move(homePage)) {}

std::string DocumentRootRewrite::FirstRun(const std::string& anchor) {
  directoryMarker_ = "<Directory " + DocumentRootArgument(anchor) + ">";
  return "DocumentRoot \"" + homePage_ + "\"\n\nPassEnv KOR_VERSION\nPassEnv PROP_PATH\n";
}

std::string DocumentRootRewrite::Again(const std::string& anchor,
                                       const std::vector<std::string>& inserted) {
  directoryMarker_ = "<Directory " + DocumentRootArgument(anchor) + ">";
  std::string out = InPlace("DocumentRoot", homePage_, anchor);
  for (const std::string& piece : inserted) out += piece;
  return out;
}

std::string DocumentRootRewrite::AfterAnchor(const std::string& piece) {
  if (!BeginsWith(piece, directoryMarker_)) return piece;
  return "<Directory \"" + homePage_ + "\">\n";
}

void ConfigureServerIdentity(Operations& operations, const Invocation& invocation) {
  WaitCursor cursor(operations.System());
  const auto root = ServerRoot(operations);
  if (!root) return;
  ServerIdentityRewrite rewrite(*root, invocation.firstDirectory, invocation.secondDirectory);
  RewriteConfiguration(operations, *root, rewrite);
}

void ConfigureDocumentRoot(Operations& operations, const Invocation& invocation) {
  WaitCursor cursor(operations.System());
  const auto root = ServerRoot(operations);
  if (!root) return;
  DocumentRootRewrite rewrite(invocation.firstDirectory);
  RewriteConfiguration(operations, *root, rewrite);
}

}  // namespace configurator
