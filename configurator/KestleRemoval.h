#pragma once
// "-u kestle": takes the network-management integration out of OpenView
// again and deletes the integration's folder.

#include <string>
#include <vector>

#include "Invocation.h"
#include "KestleIntegration.h"

namespace configurator {

void RemoveKestle(Operations& operations, const Invocation& invocation);

class KestleRemoval : private KestleIntegration {
 public:
  using KestleIntegration::KestleIntegration;
  void Run();

 private:
  void UnloadMibs();
  void RemoveOidMappings(const std::string& name);
  void RewriteOidTarget(const std::string& target);
  void RunRemovalScript();
  void DeleteUninstallEntry();
  void DeleteIntegrationFolder();

  std::vector<std::string> lines_;
  std::vector<std::string> targetLines_;
};

}  // namespace configurator
