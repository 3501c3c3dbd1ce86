#include "Launcher.h"

#include "LaunchOperations.h"
#include "LaunchRequest.h"
#include "LaunchTargets.h"

namespace launcher {
namespace {

constexpr std::string_view kUsage =
    "Morrant was either run without parameters or \n"
    "with an incorrect parameter.\n\n"
    "Usage :  Morrant <filename>\n\n"
    "\twhere <filename> is:\n"
    "\t\tquor._qk\n"
    "\t\tnerit._qk\n"
    "\t\tsorv._qk\n"
    "\t\tgav._qk\n"
    "\t\tdrex._qk\n"
    "\t\tfenn._qk\n"
    "\t\thalden._qk\n"
    "\t\ttavish._qk\n"
    "\t\tpimlo._qk\n"
    "\t\trusk._qk\n"
    "\t\tzib._qk\n"
    "\t\thobb._qk\n"
    "\t\tjud._qk\n";

}  // namespace

bool Launcher::Selects(std::string_view launchFile, std::string_view key) {
  return launchFile.find(key) != std::string_view::npos &&
         launchFile.find(kExtension) != std::string_view::npos;
}

void Launcher::Run(const std::vector<std::string>& arguments) {
  const LaunchRequest request = LaunchRequest::FromArguments(arguments);
  LaunchOperations operations(system_, request);
  bool selected = false;
  for (const LaunchTarget& target : LaunchTargets()) {
    if (!Selects(request.launchFile, target.key)) continue;
    selected = true;
    target.run(operations);
  }
  if (!selected) ShowUsage();
}

void Launcher::ShowUsage() { system_.ShowMessage("Morrant", kUsage); }

}  // namespace launcher
