#pragma once
// "-c kestle": wires the network-management integration into OpenView, step
// by step, each step logged in the integration log.

#include <memory>
#include <string>
#include <vector>

#include "Invocation.h"
#include "KestleIntegration.h"

namespace configurator {

void InstallKestle(Operations& operations, const Invocation& invocation);

class KestleInstall : private KestleIntegration {
 public:
  using KestleIntegration::KestleIntegration;
  void Run();

 private:
  void StartIntegrationLog();
  void RunPreConfigurationBatch();
  void LogPaths();
  void ConfigureRegistrationFile(const std::string& source, const std::string& target,
                                 bool createFolder);
  void ReplaceServerName();
  void SaveRegistrationFile(const std::string& target, bool createFolder);
  void AddOidMappings(const std::string& name);
  void AppendOidLine(const std::string& target, const std::string& line);
  void LoadTrapEvents();
  void LoadMibs();
  void StopOpenView();
  void StartOpenViewDatabase();
  void RegisterDatabaseFields();
  void RestartOpenView();
  void RunPostConfigurationBatch();
  void RunAnnounced(std::string_view announcement, const std::string& commandLine,
                    std::chrono::milliseconds limit);

  std::string serverName_;
  std::string registrationFolder_;
  std::string webRegistrationFolder_;
  std::string batchFile_;
  std::unique_ptr<platform::TextFile> batch_;
  std::vector<std::string> lines_;
  std::vector<std::string> targetLines_;
  bool oidConfigured_ = false;
};

}  // namespace configurator
