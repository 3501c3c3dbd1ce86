#pragma once
// The services of the emulated machine: a service exists when its key exists
// under HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Services; whether it runs
// is kept in the machine folder, services/<name in lower case> holding
// "running" or "stopped" (a missing file: stopped).

#include <filesystem>
#include <string_view>

#include "System.h"
#include "host/RegistryFile.h"

namespace platform {

class ServiceManager {
 public:
  ServiceManager(std::filesystem::path machineRoot, const RegistryFile& registry)
      : stateFolder_(std::move(machineRoot) / "services"), registry_(registry) {}

  ServiceState Query(std::string_view name) const;
  bool Stop(std::string_view name);
  bool Start(std::string_view name);

 private:
  std::filesystem::path StateFile(std::string_view name) const;
  bool Change(std::string_view name, ServiceState from, std::string_view to);

  std::filesystem::path stateFolder_;
  const RegistryFile& registry_;
};

}  // namespace platform
