#include "KestleInstall.h"

#include <algorithm>

namespace configurator {
namespace {

constexpr std::string_view kPlaceholder = "sorvserver";
constexpr std::string_view kNoData = "\nno data retrieved from registry file.";

const std::vector<std::string_view> kMibs = {
    "VELMO-TELSET-MIB.my", "VELMO-SWITCH-MIB.my", "qalmib.asn1", "ortmib.asn1",
    "pemmib.asn1",         "sulmib.asn1",         "tavmib.asn1", "vexmib.asn1"};

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

bool ContainsLine(const std::vector<std::string>& lines, const std::string& line) {
  return std::any_of(lines.begin(), lines.end(), [&](const std::string& candidate) {
    return candidate.find(line) != std::string::npos;
  });
}

}  // namespace

void InstallKestle(Operations& operations, const Invocation&) {
  WaitCursor cursor(operations.System());
  KestleInstall(operations).Run();
}

void KestleInstall::Run() {
  ReadOpenViewPath();
  StartIntegrationLog();
  RunPreConfigurationBatch();
  serverName_ = operations_.ReadMachineString(Operations::kEnvironmentKey, "KOR_VOSK").value;
  LogPaths();
  ConfigureRegistrationFile(kestle_ + "\\registration\\Brenmoor",
                            registrationFolder_ + "\\Brenmoor", true);
  ConfigureRegistrationFile(kestle_ + "\\registration\\jovw\\Brenmoor",
                            webRegistrationFolder_ + "\\Brenmoor", false);
  Log("\n\tProcessing OID");
  AddOidMappings("oid_to_sym");
  AddOidMappings("oid_to_type");
  batchFile_ = kestle_ + "\\kestle_cfg.bat";
  batch_ = operations_.System().OpenTextFile(batchFile_, platform::FileMode::Write);
  LoadTrapEvents();
  LoadMibs();
  StopOpenView();
  StartOpenViewDatabase();
  RegisterDatabaseFields();
  RestartOpenView();
  RunPostConfigurationBatch();
  Log("\nKestle Configuration Completed!!!\n");
}

// The one write that starts a new log; every later one appends.
void KestleInstall::StartIntegrationLog() {
  const std::string stamp = TimeStamp(operations_.System().Now());
  auto log = operations_.System().OpenTextFile(log_, platform::FileMode::Write);
  if (!log) return;
  log->Write("\n==============\n\n" + stamp + "   Initiating Kestle Configuration...\n");
  log->Close();
}

void KestleInstall::RunAnnounced(std::string_view announcement, const std::string& commandLine,
                                 std::chrono::milliseconds limit) {
  operations_.System().Print(std::string(announcement) + commandLine + "\n");
  RunLogged(commandLine, limit);
}

void KestleInstall::RunPreConfigurationBatch() {
  RunAnnounced("*** Executing Pre-Config batch file *** ",
               Quoted(kestle_ + "\\prekestle.bat") + " \n", kToolLimit);
}

void KestleInstall::LogPaths() {
  registrationFolder_ = openView_ + "\\registration\\C\\Velmo";
  webRegistrationFolder_ = openView_ + "\\www\\registration\\jovw\\C";
  Log("\nConfiguring for HPOV path       :  " + openView_);
  Log("\nConfiguring for OV Reg path     :  " + registrationFolder_);
  Log("\nConfiguring for OV WWW Reg path :  " + webRegistrationFolder_);
  Log("\nConfiguring for Kestle path       :  " + kestle_);
  Log("\nKOR_VOSK retrieved :  " + serverName_);
}

void KestleInstall::ConfigureRegistrationFile(const std::string& source,
                                              const std::string& target, bool createFolder) {
  lines_.clear();
  const bool opened = operations_.LoadTextLines(source, lines_);
  if (!opened) {
    operations_.ShowMessage("Unable to open " + source +
                            ".\n\nRegistration files will not be configured.");
  }
  if (lines_.empty()) Log(kNoData);
  if (!opened) return;
  ReplaceServerName();
  Log("\nSaving registration file...");
  SaveRegistrationFile(target, createFolder);
}

// Each placeholder, left to right, line by line. The search goes on behind
// the inserted name, so a name holding the placeholder itself ends the walk.
void KestleInstall::ReplaceServerName() {
  for (std::string& line : lines_) {
    for (std::size_t at = line.find(kPlaceholder); at != std::string::npos;
         at = line.find(kPlaceholder, at + serverName_.size())) {
      Log("\n\tsorvserver replacement line detected:");
      Log("\n\t\t" + line);
      line = line.substr(0, at) + serverName_ + line.substr(at + kPlaceholder.size());
      Log("\n\treplaced with:");
      Log("\n\t\t" + line);
    }
  }
}

void KestleInstall::SaveRegistrationFile(const std::string& target, bool createFolder) {
  if (createFolder) operations_.System().MakeDirectory(registrationFolder_);
  operations_.System().RunShellCommand("del /q " + Quoted(target));
  auto file = operations_.System().OpenTextFile(target, platform::FileMode::Write);
  if (!file) {
    operations_.ShowMessage("Unable to create " + target + ".\n\nKestle is not fully configured.");
    return;
  }
  for (const auto& line : lines_) file->Write(line);
  file->Close();
}

void KestleInstall::AddOidMappings(const std::string& name) {
  const std::string target = OidTarget(name);
  LoadOidLines(OidSource(name), lines_);
  LoadOidLines(target, targetLines_);
  for (const auto& line : lines_) {
    if (ContainsLine(targetLines_, line)) {
      oidConfigured_ = true;
    } else if (!oidConfigured_) {
      AppendOidLine(target, line);
    }
  }
}

void KestleInstall::AppendOidLine(const std::string& target, const std::string& line) {
  platform::System& system = operations_.System();
  if (system.IsReadOnly(target).value_or(false) && !system.ClearReadOnly(target)) {
    operations_.ShowMessage("Unable to alter file " + target);
  }
  auto file = system.OpenTextFile(target, platform::FileMode::Append);
  if (!file) {
    operations_.ShowMessage("Unable to append to " + target +
                            ".\n\nOID settings not configured.");
    return;
  }
  file->Write(line + "\n");
  file->Close();
}

void KestleInstall::LoadTrapEvents() {
  Log("\n\tProcessing TrapD\n");
  const std::string folder = kestle_ + "\\trapd\\";
  for (const auto& entry : operations_.System().ListDirectory(folder)) {
    RunAnnounced("*** Loading Events *** ",
                 Quoted(openView_ + "\\bin\\xnmevents") + " -load " + Quoted(folder + entry) +
                     "\n",
                 kToolLimit);
  }
}

void KestleInstall::LoadMibs() {
  Log("\n\tProcessing Mibs\n");
  for (std::string_view mib : kMibs) LoadMib("-replace -load", mib);
}

void KestleInstall::StopOpenView() {
  RunAnnounced("*** Stopping HP OpenView Services     *** ",
               Quoted(openView_ + "\\bin\\ovstop") + " -v ", kOpenViewLimit);
}

// The only tool start that writes no log line.
void KestleInstall::StartOpenViewDatabase() {
  const std::string commandLine = Quoted(openView_ + "\\bin\\ovstart") + " -v ovwdb";
  operations_.System().Print("*** Starting HP OpenView Database     *** " + commandLine + "\n");
  operations_.StartProgramAndWait(commandLine, kToolLimit);
}

// Without a batch file there is nothing to run; the install goes on.
void KestleInstall::RegisterDatabaseFields() {
  if (!batch_) return;
  batch_->Write("\n\techo *** Registering Kestle Database Fields  ***\n");
  batch_->Write("\n" + Quoted(openView_ + "\\bin\\ovw") + " -fields > " +
                Quoted(kestle_ + "\\ovwlog.txt") + "\n");
  batch_->Close();
  batch_.reset();
  const std::string command = Quoted(batchFile_);
  Log("\n\tProcessing command " + command);
  operations_.System().RunShellCommand(command);
}

void KestleInstall::RestartOpenView() {
  RunAnnounced("*** Restarting HP OpenView Services   *** ",
               Quoted(openView_ + "\\bin\\ovstart") + " -v ", kOpenViewLimit);
}

void KestleInstall::RunPostConfigurationBatch() {
  RunAnnounced("*** Executing Post-Config batch file *** ",
               Quoted(kestle_ + "\\postkestle.bat") + " \n", kToolLimit);
}

}  // namespace configurator
