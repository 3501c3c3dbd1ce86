#include "LaunchTargets.h"

#include <string>

namespace launcher {
namespace {

std::string NotInstalled(std::string_view variable) {
  return "Unable to find " + std::string(variable) +
         " environment variable.\nPlease download and install the application before "
         "attempting to launch.\n\nExiting.";
}

std::string Named(std::string values, const TrailingArgument& trailing) {
  return trailing.name.empty() ? values : values + " and " + trailing.name;
}

const std::string kBrowser = "the default web browser command, ";

// A program of the suite below the folder that variable names.
void LaunchProgram(LaunchOperations& operations, std::string_view variable,
                   std::string_view program) {
  auto folder = operations.ReadEnvironmentString(variable, NotInstalled(variable));
  if (!folder) return;
  const TrailingArgument trailing = operations.Trailing(Quoting::Quoted);
  operations.Launch({"\"" + *folder + std::string(program) + "\"" + trailing.text, kCommandBuffer,
                     Named(std::string(variable), trailing)});
}

// A tool's own launcher program, started in the tool's folder; the tool
// needs the Java runtime.
void LaunchTool(LaunchOperations& operations, std::string_view noJavaMessage,
                std::string_view variable, std::string_view program) {
  if (!operations.ReadEnvironmentString("JRE2_BIN", noJavaMessage)) return;
  auto folder = operations.ReadEnvironmentString(variable, NotInstalled(variable));
  if (!folder) return;
  operations.Launch({"\"" + *folder + std::string(program) + "\"", kToolStarterBuffer,
                     std::string(variable), *folder});
}

// A page of one of the suite's servers in the default browser.
void LaunchWebPage(LaunchOperations& operations, std::string_view variable,
                   std::string_view missingMessage, std::string_view page, std::size_t buffer) {
  auto host = operations.ReadEnvironmentString(variable, missingMessage);
  if (!host) return;
  const std::string browser = operations.DefaultBrowserCommand();
  const TrailingArgument trailing = operations.Trailing(Quoting::Bare);
  operations.Launch({browser + " http://" + *host + std::string(page) + trailing.text, buffer,
                     Named(kBrowser + std::string(variable), trailing)});
}

void Quor(LaunchOperations& operations) {
  LaunchProgram(operations, "QUOR_PATH", "\\bin\\Qorm.exe");
}

void Drex(LaunchOperations& operations) {
  LaunchTool(operations,
             "Unable to find JRE2_BIN environment variable.\nPlease download and install the "
             "Java Plugin.\n\nExiting.",
             "DREX_PATH", "\\launchDrex.exe");
}

void Pimlo(LaunchOperations& operations) {
  LaunchProgram(operations, "MULV_PATH", "\\bin\\Tessor.exe");
}

void Fenn(LaunchOperations& operations) {
  LaunchTool(operations, "Unable to find JRE2_BIN environment variable.\n\nExiting.", "FENN_PATH",
             "\\launchFENN.exe");
}

void Halden(LaunchOperations& operations) {
  LaunchWebPage(operations, "KOR_BRAV", NotInstalled("KOR_BRAV"), ":8080/plov/web/gwaccess",
                kBravPageBuffer);
}

void Tavish(LaunchOperations& operations) {
  LaunchWebPage(operations, "KOR_BRAV", NotInstalled("KOR_BRAV"), ":8080/TerminalConfig",
                kBravPageBuffer);
}

void Gav(LaunchOperations& operations) {
  LaunchWebPage(operations, "KOR_TIRL", NotInstalled("KOR_TIRL"), "/gav/index.html",
                kCommandBuffer);
}

void Sorv(LaunchOperations& operations) {
  LaunchWebPage(operations, "KOR_RONT", NotInstalled("KOR_RONT"),
                "/sorv/SORVServlet?What=SORVApplet", kCommandBuffer);
}

void Nerit(LaunchOperations& operations) {
  auto folder = operations.ReadEnvironmentString("NERIT_PATH", NotInstalled("NERIT_PATH"));
  if (!folder) return;
  const TrailingArgument trailing = operations.Trailing(Quoting::Quoted);
  operations.Launch({"\"" + *folder + "\\NeritClient.exe\" /Working \"" + *folder + "\"" +
                         trailing.text,
                     kCommandBuffer, Named("NERIT_PATH", trailing)});
}

// The one target that records its command line even without its server:
// the record then shows an empty host, and nothing starts.
void Rusk(LaunchOperations& operations) {
  const std::string missing =
      "Unable to find KOR_WEXA environment variable.\nPlease configure the IP address of your "
      "WEXA Server before launching.\n\nExiting.";
  auto host = operations.ReadEnvironmentString("KOR_WEXA", missing);
  if (host && host->empty()) operations.ShowMessage(missing);
  const bool found = host && !host->empty();
  const std::string browser = operations.DefaultBrowserCommand();
  const TrailingArgument trailing = operations.Trailing(Quoting::Bare);
  const CommandLine command{browser + " http://" + host.value_or("") + "/cgi-bin/wexa.pl" +
                                trailing.text,
                            kCommandBuffer, Named(kBrowser + "KOR_WEXA", trailing)};
  if (!operations.Fits(command)) return;
  operations.RecordLaunchCommand(command.text);
  if (found) operations.StartDetached(command);
}

void Zib(LaunchOperations& operations) {
  std::string installed;
  if (operations.ReadEnvironmentQuietly("WEXA_INSTALLED", installed) ==
      LaunchOperations::Read::KeyMissing) {
    operations.ShowMessage(LaunchOperations::kNoEnvironment);
    return;
  }
  const bool standAlone = installed == "STANDALONE";
  const std::string_view variable = standAlone ? "KOR_WEXA" : "KOR_SERVER";
  auto host = operations.ReadEnvironmentString(
      variable, "Unable to find " + std::string(variable) +
                    " environment variable.\nPlease download and install RUSK before attempting "
                    "to launch.\n\nExiting.");
  if (!host) return;
  const std::string page =
      standAlone
          ? "/wexa/Gen/Login/login.mwpl?appPath=entVARK/VarkClient/entVarkClientCGI.prl"
          : "/wexa_nnm/Gen/Login/secureLaunch.mwopl?appPath=EntVARK/VarkClient/"
            "entVarkClientCGI.prl";
  const std::string browser = operations.DefaultBrowserCommand();
  const TrailingArgument trailing = operations.Trailing(Quoting::Bare);
  operations.Launch({browser + " http://" + *host + page + trailing.text, kCommandBuffer,
                     Named(kBrowser + std::string(variable), trailing)});
}

void Hobb(LaunchOperations& operations) {
  auto host = operations.ReadEnvironmentString("KOR_SERVER", NotInstalled("KOR_SERVER"));
  if (!host) return;
  operations.Launch({operations.DefaultBrowserCommand() + " http://" + *host + "\\Velmo",
                     kCommandBuffer, kBrowser + "KOR_SERVER"});
}

void Jud(LaunchOperations& operations) {
  auto folder = operations.ReadMachineString(
      "SOFTWARE\\Unimax\\Mailbox Manager\\5", "ProgramDirectory",
      "Unable to find local install of JUD.\nPlease download and install the application before "
      "attempting to launch.\n\nExiting.");
  if (!folder) return;
  const TrailingArgument trailing = operations.Trailing(Quoting::Quoted);
  operations.Launch({"\"" + *folder + "\\2N.exe\"" + trailing.text, kCommandBuffer,
                     Named("ProgramDirectory", trailing)});
}

}  // namespace

const std::vector<LaunchTarget>& LaunchTargets() {
  static const std::vector<LaunchTarget> targets = {
      {"quor", Quor},     {"drex", Drex},   {"pimlo", Pimlo}, {"fenn", Fenn}, {"halden", Halden},
      {"tavish", Tavish}, {"gav", Gav},     {"sorv", Sorv},   {"nerit", Nerit}, {"rusk", Rusk},
      {"zib", Zib},       {"hobb", Hobb},   {"jud", Jud},
  };
  return targets;
}

}  // namespace launcher
