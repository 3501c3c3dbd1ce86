#include "KestleRemoval.h"

#include <algorithm>

namespace configurator {
namespace {

const std::vector<std::string_view> kUnloadedMibs = {"qalmib.asn1", "ortmib.asn1", "pemmib.asn1",
                                                     "sulmib.asn1", "tavmib.asn1", "vexmib.asn1"};

constexpr std::string_view kUninstallEntry =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Kestle";

}  // namespace

void RemoveKestle(Operations& operations, const Invocation&) { KestleRemoval(operations).Run(); }

void KestleRemoval::Run() {
  ReadOpenViewPath();
  UnloadMibs();
  RemoveOidMappings("oid_to_sym");
  RemoveOidMappings("oid_to_type");
  RunRemovalScript();
  DeleteUninstallEntry();
  DeleteIntegrationFolder();
}

void KestleRemoval::UnloadMibs() {
  for (std::string_view mib : kUnloadedMibs) LoadMib("-unload", mib);
}

// Each source line takes out the first target line that holds it.
void KestleRemoval::RemoveOidMappings(const std::string& name) {
  const std::string target = OidTarget(name);
  LoadOidLines(OidSource(name), lines_);
  // OpenView's own mappings must never be lost: an unreadable target stays.
  if (!LoadOidLines(target, targetLines_)) return;
  for (const auto& line : lines_) {
    auto found = std::find_if(targetLines_.begin(), targetLines_.end(),
                              [&](const std::string& candidate) {
                                return candidate.find(line) != std::string::npos;
                              });
    if (found != targetLines_.end()) targetLines_.erase(found);
  }
  RewriteOidTarget(target);
}

// The new file takes the old one's place only once it is whole.
void KestleRemoval::RewriteOidTarget(const std::string& target) {
  platform::System& system = operations_.System();
  const std::string replacement = target + ".new";
  auto file = system.OpenTextFile(replacement, platform::FileMode::Write);
  bool written = file != nullptr;
  for (const auto& line : targetLines_) written = written && file->Write(line);
  written = file != nullptr && file->Close() && written;
  if (written && system.ReplaceFile(replacement, target)) return;
  system.RemoveFile(replacement);
  operations_.ShowMessage("Unable to create " + target + ".\n\nKestle is not fully configured.");
}

void KestleRemoval::RunRemovalScript() {
  const std::string batchFile = kestle_ + "\\kestle_rel.bat";
  if (auto batch = operations_.System().OpenTextFile(batchFile, platform::FileMode::Write)) {
    batch->Write("\"" + openView_ + "\\bin\\Perl\\bin\\perl.exe\" \"" + kestle_ +
                 "\\rem-kestle.pl\"");
    batch->Close();
  }
  operations_.System().RunShellCommand("\"" + batchFile + "\"");
}

void KestleRemoval::DeleteUninstallEntry() {
  operations_.System().DeleteRegistryKey(platform::RegistryRoot::LocalMachine, kUninstallEntry);
}

void KestleRemoval::DeleteIntegrationFolder() {
  const bool hasBlanks = kestle_.find(' ') != std::string::npos;
  operations_.System().RunShellCommand("rmdir /S /Q " +
                                       (hasBlanks ? "\"" + kestle_ + "\"" : kestle_));
}

}  // namespace configurator
