#include "host/ServiceManager.h"

#include <fstream>
#include <iterator>
#include <string>

#include "TextEncoding.h"
#include "host/MachineCodePage.h"

namespace platform {
namespace {

constexpr std::string_view kServicesKey =
    "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\";

bool IsPlainName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of("\\/") == std::string_view::npos;
}

}  // namespace

std::filesystem::path ServiceManager::StateFile(std::string_view name) const {
  return stateFolder_ / encoding::FoldCase(machine::Utf8FromAnsi(name));
}

ServiceState ServiceManager::Query(std::string_view name) const {
  if (!IsPlainName(name) ||
      !registry_.KeyExists(std::string(kServicesKey) + machine::Utf8FromAnsi(name))) {
    return ServiceState::Missing;
  }
  std::ifstream in(StateFile(name));
  std::string state((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return state.rfind("running", 0) == 0 ? ServiceState::Running : ServiceState::Stopped;
}

bool ServiceManager::Change(std::string_view name, ServiceState from, std::string_view to) {
  if (Query(name) != from) return false;
  std::error_code error;
  std::filesystem::create_directories(stateFolder_, error);
  std::ofstream out(StateFile(name), std::ios::trunc);
  out << to << '\n';
  out.close();
  return static_cast<bool>(out);
}

bool ServiceManager::Stop(std::string_view name) {
  return Change(name, ServiceState::Running, "stopped");
}

bool ServiceManager::Start(std::string_view name) {
  return Change(name, ServiceState::Stopped, "running");
}

}  // namespace platform
