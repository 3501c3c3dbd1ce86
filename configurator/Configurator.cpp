#include "Configurator.h"

#include <algorithm>
#include <string>

#include "DataCarryOver.h"
#include "InstallerCheck.h"
#include "KestleInstall.h"
#include "KestleRemoval.h"
#include "WebServerConfiguration.h"

namespace configurator {
namespace {

constexpr std::string_view kWithoutParameters = "was run without parameters.\n\n";
constexpr std::string_view kIncorrectParameter = "was run with an incorrect parameter.\n\n";

constexpr std::string_view kUsageHead = "Kelvane (Post-Install Configurator)\n";
constexpr std::string_view kUsageBody =
    "Usage :  Kelvane <parameter>\n\n"
    "\twhere <parameter> is:\n"
    "\t\t-c DREX -d {new data dir} {old data dir}\n"
    "\t\t-c HOBB -d {Brenmoor directory}\n"
    "\t\t-c web_svr -d {HOBB Home Page location}\n"
    "\t\t-c kestle\n"
    "\t\t-c QUOR -d {new data or user dir} {old data or user dir}\n"
    "\t\t-c PELL -d {new systems dir} {old systems dir}\n"
    "\t\t-u kestle\n"
    "\t\t-c apache -d {ServerAdmin} {ServerName}\n"
    "\t\t-c checkformsi\n";

bool NeedsNoDirectory(std::string_view command) {
  return command == "kestle" || command == "checkformsi";
}

bool NeedsSecondDirectory(std::string_view command) {
  return command == "apache" || command == "DREX" || command == "QUOR" || command == "PELL";
}

std::string WithoutQuotes(std::string text) {
  text.erase(std::remove(text.begin(), text.end(), '"'), text.end());
  return text;
}

}  // namespace

const std::vector<Configurator::Command>& Configurator::CommandTable() {
  static const std::vector<Command> table = {
      {"DREX", CarryOverDataFiles, nullptr},
      {"QUOR", CarryOverQuorState, nullptr},
      {"PELL", CarryOverDataFiles, nullptr},
      {"web_svr", ConfigureDocumentRoot, nullptr},
      {"HOBB", CopyLauncher, nullptr},
      {"apache", ConfigureServerIdentity, nullptr},
      {"kestle", InstallKestle, RemoveKestle},
      {"checkformsi", CheckForInstaller, nullptr},
  };
  return table;
}

void Configurator::Run(const std::vector<std::string>& arguments) {
  OptionTable options;
  if (options.Parse(arguments) == 0) {
    ShowUsage(kWithoutParameters);
    return;
  }
  Invocation invocation = SelectInvocation(options);
  LogInvocation(invocation);
  if (invocation.error) {
    ShowUsage(kIncorrectParameter);
    return;
  }
  if (!invocation.removal) {
    invocation.firstDirectory = WithoutQuotes(std::move(invocation.firstDirectory));
    invocation.secondDirectory = WithoutQuotes(std::move(invocation.secondDirectory));
  }
  Dispatch(invocation);
}

Invocation Configurator::SelectInvocation(const OptionTable& options) {
  Invocation invocation;
  if (auto command = options.Value("-c", 0)) {
    invocation.command = *command;
  } else if (auto removal = options.Value("-u", 0)) {
    invocation.command = *removal;
    invocation.removal = true;
    // Only "kestle" has a removal form: anything else would run with empty directories.
    invocation.error = *removal != "kestle";
  } else {
    invocation.error = true;
  }
  if (invocation.removal || NeedsNoDirectory(invocation.command)) return invocation;

  auto first = options.Value("-d", 0);
  invocation.firstDirectory = first.value_or("");
  invocation.error = invocation.error || !first;
  if (NeedsSecondDirectory(invocation.command)) {
    auto second = options.Value("-d", 1);
    invocation.secondDirectory = second.value_or("");
    invocation.error = invocation.error || !second;
  }
  return invocation;
}

void Configurator::LogInvocation(const Invocation& invocation) {
  const platform::LocalTime now = operations_.System().Now();
  std::string entry = "\n" + std::to_string(now.month) + "-" + std::to_string(now.day) + "-" +
                      std::to_string(now.year) + " " + std::to_string(now.hour) + ":" +
                      std::to_string(now.minute) + ":" + std::to_string(now.second) + "\n";
  entry += "Kelvane called with the following parameters :\n";
  entry += "\t-c " + invocation.command + "\n";
  entry += "\t-d " + invocation.firstDirectory + " " + invocation.secondDirectory + "\n";
  operations_.AppendToLog(kRunLog, entry);
}

void Configurator::ShowUsage(std::string_view reason) {
  operations_.ShowMessage(std::string(kUsageHead) + std::string(reason) + std::string(kUsageBody));
}

void Configurator::Dispatch(const Invocation& invocation) {
  for (const Command& command : CommandTable()) {
    if (command.word != invocation.command) continue;
    Handler handler = invocation.removal ? command.removal : command.install;
    if (handler != nullptr) handler(operations_, invocation);
  }
}

}  // namespace configurator
