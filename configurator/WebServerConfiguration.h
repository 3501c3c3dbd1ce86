#pragma once
// "apache" and "web_svr": rewrite the web server's httpd.conf piece by piece
// into httpd.tmp, then keep the old file as httpd.old and put the new one in
// its place.

#include <string>

#include "Invocation.h"
#include "Operations.h"

namespace configurator {

// ServerRoot with a ScriptAlias after it, then ServerAdmin, then every ServerName.
class ServerIdentityRewrite {
 public:
  ServerIdentityRewrite(std::string serverRoot, std::string serverName, std::string adminAddress)
      : serverRoot_(std::move(serverRoot)),
        serverName_(std::move(serverName)),
        adminAddress_(std::move(adminAddress)) {}
  std::string operator()(const std::string& piece);

 private:
  enum class Stage { ServerRoot, ServerAdmin, ServerName };
  Stage stage_ = Stage::ServerRoot;
  std::string serverRoot_;
  std::string serverName_;
  std::string adminAddress_;
};

// The first DocumentRoot, then every Directory block of the old document root.
class DocumentRootRewrite {
 public:
  explicit DocumentRootRewrite(std::string homePage) : homePage_(std::move(homePage)) {}
  std::string operator()(const std::string& piece);

 private:
  bool rootReplaced_ = false;
  std::string marker_ = "DocumentRoot";
  std::string homePage_;
};

void ConfigureServerIdentity(Operations& operations, const Invocation& invocation);
void ConfigureDocumentRoot(Operations& operations, const Invocation& invocation);

}  // namespace configurator
