#include "KestleIntegration.h"

namespace configurator {
namespace {

constexpr std::string_view kOpenViewKey = "SOFTWARE\\Hewlett-Packard\\OpenView";

}  // namespace

void KestleIntegration::ReadOpenViewPath() {
  MachineString path = operations_.ReadMachineString(kOpenViewKey, "OV_PATH");
  if (path.status == MachineString::Status::ValueMissing) {
    operations_.ShowMessage("Unable to find OpenView OV_PATH value.");
  }
  openView_ = path.Read() ? path.value : "";
  kestle_ = openView_ + "\\velmo\\kestle";
  log_ = kestle_ + "\\kestle_cfg.txt";
}

void KestleIntegration::Log(std::string_view text) { operations_.AppendToLog(log_, text); }

void KestleIntegration::RunLogged(const std::string& commandLine,
                                  std::chrono::milliseconds limit) {
  Log("Running " + commandLine + " \n\t");
  operations_.StartProgramAndWait(commandLine, limit);
}

void KestleIntegration::LoadMib(std::string_view options, std::string_view file) {
  const std::string commandLine = "\"" + openView_ + "\\bin\\xnmloadmib\" " + std::string(options) +
                                  " \"" + openView_ + "\\snmp_mibs\\Vendor\\Velmo\\" +
                                  std::string(file) + "\"\n";
  operations_.System().Print("*** Loading MIB *** " + commandLine + "\n");
  RunLogged(commandLine, kToolLimit);
}

bool KestleIntegration::LoadOidLines(const std::string& path, std::vector<std::string>& lines) {
  lines.clear();
  if (operations_.LoadTextLines(path, lines)) return true;
  operations_.ShowMessage("Unable to open " + path + ".\n\nOID settings not configured.");
  return false;
}

}  // namespace configurator
