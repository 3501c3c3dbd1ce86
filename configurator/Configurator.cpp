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
constexpr std::string_view kUsageIntroduction =
    "Usage :  Kelvane <parameter>\n\n"
    "\twhere <parameter> is:\n";

// One row per form of a command, in the order the usage message lists them.
struct Command {
  std::string_view option;  // "-c", or "-u" for the removal form
  std::string_view word;
  std::vector<std::string_view> directories;  // the "-d" values it needs, as the usage names them
  void (*handler)(Operations&, const Invocation&);
};

const std::vector<Command>& CommandTable() {
  static const std::vector<Command> table = {
      {"-c", "DREX", {"new data dir", "old data dir"}, CarryOverDataFiles},
      {"-c", "HOBB", {"Brenmoor directory"}, CopyLauncher},
      {"-c", "web_svr", {"HOBB Home Page location"}, ConfigureDocumentRoot},
      {"-c", "kestle", {}, InstallKestle},
      {"-c", "QUOR", {"new data or user dir", "old data or user dir"}, CarryOverQuorState},
      {"-c", "PELL", {"new systems dir", "old systems dir"}, CarryOverDataFiles},
      {"-u", "kestle", {}, RemoveKestle},
      {"-c", "apache", {"ServerName", "ServerAdmin"}, ConfigureServerIdentity},
      {"-c", "checkformsi", {}, CheckForInstaller},
  };
  return table;
}

const Command* FindCommand(std::string_view option, std::string_view word) {
  for (const Command& command : CommandTable()) {
    if (command.option == option && command.word == word) return &command;
  }
  return nullptr;
}

// An unknown word asks for one directory, so that it is logged with it
// before it is refused.
std::size_t DirectoriesNeeded(std::string_view word) {
  const Command* command = FindCommand("-c", word);
  return command != nullptr ? command->directories.size() : 1;
}

std::string UsageLine(const Command& command) {
  std::string line = "\t\t" + std::string(command.option) + " " + std::string(command.word);
  if (!command.directories.empty()) line += " -d";
  for (std::string_view directory : command.directories) {
    line += " {" + std::string(directory) + "}";
  }
  return line + "\n";
}

std::string WithoutQuotes(std::string text) {
  text.erase(std::remove(text.begin(), text.end(), '"'), text.end());
  return text;
}

}  // namespace

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
    // A word without a removal form would run with empty directories.
    invocation.error = FindCommand("-u", *removal) == nullptr;
  } else {
    invocation.error = true;
  }
  const std::size_t needed = invocation.removal ? 0 : DirectoriesNeeded(invocation.command);
  if (needed == 0) return invocation;

  auto first = options.Value("-d", 0);
  invocation.firstDirectory = first.value_or("");
  invocation.error = invocation.error || !first;
  if (needed == 2) {
    auto second = options.Value("-d", 1);
    invocation.secondDirectory = second.value_or("");
    invocation.error = invocation.error || !second;
  }
  return invocation;
}

void Configurator::LogInvocation(const Invocation& invocation) {
  std::string entry = "\n" + TimeStamp(operations_.System().Now()) + "\n";
  entry += "Kelvane called with the following parameters :\n";
  entry += "\t-c " + invocation.command + "\n";
  entry += "\t-d " + invocation.firstDirectory + " " + invocation.secondDirectory + "\n";
  operations_.AppendToLog(kRunLog, entry);
}

void Configurator::ShowUsage(std::string_view reason) {
  std::string text =
      std::string(kUsageHead) + std::string(reason) + std::string(kUsageIntroduction);
  for (const Command& command : CommandTable()) text += UsageLine(command);
  operations_.ShowMessage(text);
}

void Configurator::Dispatch(const Invocation& invocation) {
  const Command* command = FindCommand(invocation.removal ? "-u" : "-c", invocation.command);
  if (command == nullptr) {
    ShowUsage(kIncorrectParameter);
    return;
  }
  command->handler(operations_, invocation);
}

}  // namespace configurator
