#pragma once
// "apache" and "web_svr": rewrite the web server's httpd.conf piece by piece
// into httpd.tmp, then keep the old file as httpd.old and put the new one in
// its place, all under a lock so that two runs never mix their moves.

#include <string>
#include <string_view>
#include <vector>

#include "Invocation.h"
#include "Operations.h"

namespace configurator {

// One pass over httpd.conf. Its anchor is the directive a first run inserts
// lines after; when the file already holds those lines there, it was
// rewritten before, and this pass changes values in place and inserts
// nothing, so that a command run twice leaves the file as once.
class ConfigurationRewrite {
 public:
  virtual ~ConfigurationRewrite() = default;

  // What to write for the piece. Pieces held back to look at the lines
  // after the anchor come out with a later one, or from Finish.
  std::string Feed(const std::string& piece);
  std::string Finish();

  bool FoundAnchor() const { return state_ != State::BeforeAnchor; }
  std::string_view AnchorDirective() const { return anchorDirective_; }

 protected:
  ConfigurationRewrite(std::string_view anchorDirective, std::vector<std::string_view> inserted)
      : anchorDirective_(anchorDirective), inserted_(std::move(inserted)) {}

  // The anchor as a first run writes it, inserted lines included.
  virtual std::string FirstRun(const std::string& anchor) = 0;
  // The anchor and the lines an earlier run inserted after it, values renewed.
  virtual std::string Again(const std::string& anchor, const std::vector<std::string>& inserted) = 0;
  // Every piece after the anchor and its inserted lines.
  virtual std::string AfterAnchor(const std::string& piece) = 0;

  bool RewrittenBefore() const { return rewrittenBefore_; }
  // "Directive \"value\"" with the line end of the piece it replaces.
  static std::string InPlace(std::string_view directive, const std::string& value,
                             const std::string& piece);

 private:
  enum class State { BeforeAnchor, LookingAhead, AfterAnchor };
  std::string Resolve(bool rewrittenBefore);

  std::string_view anchorDirective_;
  std::vector<std::string_view> inserted_;
  State state_ = State::BeforeAnchor;
  bool rewrittenBefore_ = false;
  std::string anchor_;
  std::vector<std::string> held_;
};

// ServerRoot with a ScriptAlias after it, then ServerAdmin, then every ServerName.
class ServerIdentityRewrite : public ConfigurationRewrite {
 public:
  ServerIdentityRewrite(std::string serverRoot, std::string serverName, std::string adminAddress);

 private:
  std::string FirstRun(const std::string& anchor) override;
  std::string Again(const std::string& anchor, const std::vector<std::string>& inserted) override;
  std::string AfterAnchor(const std::string& piece) override;
  std::string Directive(std::string_view name, const std::string& value,
                        const std::string& piece) const;

  bool adminReplaced_ = false;
  std::string serverRoot_;
  std::string serverName_;
  std::string adminAddress_;
};

// The first DocumentRoot with the PassEnv lines after it, then every
// Directory block of the old document root.
class DocumentRootRewrite : public ConfigurationRewrite {
 public:
  explicit DocumentRootRewrite(std::string homePage);

 private:
  std::string FirstRun(const std::string& anchor) override;
  std::string Again(const std::string& anchor, const std::vector<std::string>& inserted) override;
  std::string AfterAnchor(const std::string& piece) override;

  std::string directoryMarker_;
  std::string homePage_;
};

void ConfigureServerIdentity(Operations& operations, const Invocation& invocation);
void ConfigureDocumentRoot(Operations& operations, const Invocation& invocation);

}  // namespace configurator
