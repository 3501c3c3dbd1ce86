// "-c kestle" and "-u kestle" run as installed, against a stand-in OpenView
// built in a temporary machine: stub tools record how they were started,
// real batch files run in the emulated command interpreter.

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <regex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Machine.h"

namespace {

namespace fs = std::filesystem;
using testsupport::Machine;

const std::vector<std::string> kLoadedMibs = {
    "VELMO-TELSET-MIB.my", "VELMO-SWITCH-MIB.my", "qalmib.asn1", "ortmib.asn1",
    "pemmib.asn1",         "sulmib.asn1",         "tavmib.asn1", "vexmib.asn1"};
const std::vector<std::string> kUnloadedMibs = {"qalmib.asn1", "ortmib.asn1", "pemmib.asn1",
                                                "sulmib.asn1", "tavmib.asn1", "vexmib.asn1"};
// Byte order would put "B_links.conf" first: the load order must ignore case.
const std::vector<std::string> kTrapFiles = {"a_alarms.conf", "B_links.conf", "c_state.conf"};

const std::string kServer = "vosk01.example.net";
const std::string kProgramFiles = "C:\\Program Files\\HP OpenView";

const std::string kRegistration =
    "Application \"Brenmoor Manager\" {\r\n"
    "    Description { \"Voice and data network management\" }\r\n"
    "    Command -Shared \"http://sorvserver/velmo/index.html\";\r\n"
    "}\r\n";
// The last line has no line end and must not get one.
const std::string kWebRegistration =
    "Application \"Brenmoor Web\" {\r\n"
    "    URL \"http://sorvserver:8080/velmo/jovw?server=sorvserver\";\r\n"
    "}";

const std::string kSymSource =
    ".1.3.6.1.4.1.9999.1.1:Velmo Telset\r\n.1.3.6.1.4.1.9999.1.2:Velmo Switch\r\n";
const std::string kTypeSource =
    ".1.3.6.1.4.1.9999.1.1:VELMO:Telset:\r\n.1.3.6.1.4.1.9999.1.2:VELMO:Switch:\r\n";
const std::string kSymTarget =
    ".1.3.6.1.4.1.11.2.3.7.11:HP ProCurve Switch\r\n"
    ".1.3.6.1.4.1.311.1.1.3.1.1:Windows NT Workstation\r\n";
const std::string kTypeTarget = ".1.3.6.1.4.1.11.2.3.7.11:HP:ProCurve:\r\n";
// What one install appends: each line followed by an empty one.
const std::string kSymAppended =
    ".1.3.6.1.4.1.9999.1.1:Velmo Telset\r\n\r\n.1.3.6.1.4.1.9999.1.2:Velmo Switch\r\n\r\n";
const std::string kTypeAppended =
    ".1.3.6.1.4.1.9999.1.1:VELMO:Telset:\r\n\r\n.1.3.6.1.4.1.9999.1.2:VELMO:Switch:\r\n\r\n";

const std::string kUninstallKestle =
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Kestle]\r\n"
    "\"DisplayName\"=\"Kestle integration for HP OpenView\"\r\n"
    "\"UninstallString\"=\"C:\\\\Kelvane.exe -u kestle\"\r\n\r\n";
const std::string kUninstallOther =
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zorvel]\r\n"
    "\"DisplayName\"=\"Zorvel\"\r\n";
const std::string kOpenViewWithoutPath =
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Hewlett-Packard\\OpenView]\r\n\"OV_VERSION\"=\"7.5\"\r\n\r\n";

std::string Replaced(std::string text, std::string_view from, std::string_view to) {
  for (std::size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

std::string Crlf(std::string_view text) { return Replaced(std::string(text), "\n", "\r\n"); }

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string RegistryText(const std::string& text) {
  return Replaced(Replaced(text, "\\", "\\\\"), "\"", "\\\"");
}

std::string EnvironmentKey(const std::string& server) {
  return "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment]"
         "\r\n\"KOR_VERSION\"=\"5.2\"\r\n\"KOR_VOSK\"=\"" +
         RegistryText(server) + "\"\r\n\r\n";
}

std::string OpenViewKey(const std::string& openView) {
  return "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Hewlett-Packard\\OpenView]\r\n\"OV_PATH\"=\"" +
         RegistryText(openView) + "\"\r\n\r\n";
}

// The Windows paths of one stand-in OpenView; OV_PATH empty puts it below
// the current drive's root.
struct OpenView {
  explicit OpenView(std::string path) : ov(std::move(path)), k(ov + "\\velmo\\kestle") {}

  std::string Tool(std::string_view name) const { return ov + "\\bin\\" + std::string(name); }
  std::string Mib(const std::string& name) const {
    return ov + "\\snmp_mibs\\Vendor\\Velmo\\" + name;
  }
  std::string Trap(const std::string& name) const { return k + "\\trapd\\" + name; }
  std::string Conf(std::string_view name) const { return ov + "\\conf\\" + std::string(name); }
  std::string Registration() const { return ov + "\\registration\\C\\Velmo\\Brenmoor"; }
  std::string WebRegistration() const { return ov + "\\www\\registration\\jovw\\C\\Brenmoor"; }

  std::string ov;
  std::string k;
};

// How the harness addresses a path the program names without a drive.
std::string Disk(const std::string& path) { return path.rfind('\\', 0) == 0 ? "C:" + path : path; }

// What a stub finds among its arguments: absolute Windows paths as host paths.
std::string HostArgument(const std::string& windowsPath) {
  if (windowsPath.size() < 3 || windowsPath[1] != ':' || windowsPath[2] != '\\') {
    return windowsPath;
  }
  return "$M/" + std::string(1, static_cast<char>(std::tolower(windowsPath[0]))) + "/" +
         Replaced(windowsPath.substr(3), "\\", "/");
}

std::string Started(const std::string& name, const std::vector<std::string>& arguments) {
  std::string line = name;
  for (const auto& argument : arguments) line += " [" + argument + "]";
  return line + " cwd=$M/c\n";
}

void Build(Machine& machine, const OpenView& openView) {
  for (const char* tool : {"ovstop.exe", "ovstart.exe", "xnmevents.exe", "xnmloadmib.exe"}) {
    machine.AddStubProgram(Disk(openView.Tool(tool)));
  }
  machine.AddStubProgram(Disk(openView.Tool("ovw.exe")), "echo \"ovw $*: fields registered\"");
  // The removal deletes the integration folder: keep what it held when the script ran.
  const std::string kestle = machine.Host(Disk(openView.k)).string();
  const std::string root = machine.Root().string();
  machine.AddStubProgram(Disk(openView.Tool("Perl\\bin\\perl.exe")),
                         "cat '" + kestle + "/kestle_rel.bat' > '" + root + "/seen_rel.bat'\n" +
                             "cat '" + kestle + "/kestle_cfg.txt' > '" + root + "/seen_cfg.txt'");
  machine.AddStubProgram(Disk(openView.k + "\\prestep.exe"));
  machine.AddStubProgram(Disk(openView.k + "\\poststep.exe"));
  machine.SetFile(Disk(openView.k + "\\prekestle.bat"),
                  "@echo off\r\necho Preparing Kestle\r\n" + Quoted(openView.k + "\\prestep") +
                      " before\r\n");
  machine.SetFile(Disk(openView.k + "\\postkestle.bat"),
                  "@echo off\r\n" + Quoted(openView.k + "\\poststep") +
                      " after\r\necho Kestle ready\r\n");
  machine.SetFile(Disk(openView.k + "\\rem-kestle.pl"), "print \"removing Kestle\\n\";\r\n");
  machine.SetFile(Disk(openView.k + "\\registration\\Brenmoor"), kRegistration);
  machine.SetFile(Disk(openView.k + "\\registration\\jovw\\Brenmoor"), kWebRegistration);
  machine.SetFile(Disk(openView.k + "\\oid_to_sym"), kSymSource);
  machine.SetFile(Disk(openView.k + "\\oid_to_type"), kTypeSource);
  machine.SetFile(Disk(openView.Conf("oid_to_sym")), kSymTarget);
  machine.SetFile(Disk(openView.Conf("oid_to_type")), kTypeTarget);
  for (const auto& trap : kTrapFiles) {
    machine.SetFile(Disk(openView.Trap(trap)), "EVENT " + trap + " .1.3.6.1.4.1.9999.0.1\r\n");
  }
  for (const auto& mib : kLoadedMibs) {
    machine.SetFile(Disk(openView.Mib(mib)), mib + " DEFINITIONS\r\n");
  }
  fs::create_directories(machine.Host(Disk(openView.ov + "\\registration\\C")));
  fs::create_directories(machine.Host(Disk(openView.ov + "\\www\\registration\\jovw\\C")));
}

std::string Registry(const std::string& openViewKey, const std::string& server = kServer) {
  return EnvironmentKey(server) + openViewKey + kUninstallKestle + kUninstallOther;
}

// The registry after the removal: the entry's lines go, the blank line after them stays.
std::string RegistryAfterRemoval(const std::string& openViewKey,
                                 const std::string& server = kServer) {
  return "REGEDIT4\r\n\r\n" + EnvironmentKey(server) + openViewKey + "\r\n" + kUninstallOther;
}

// The record of the stubs since the last call, with "$M" for the machine folder.
std::string TakeRecord(const Machine& machine) {
  const fs::path file = machine.Root() / "record.txt";
  std::string record = Replaced(testsupport::ReadFile(file), machine.Root().string(), "$M");
  fs::remove(file);
  return record;
}

std::vector<std::string> TakeMessages(const Machine& machine) {
  std::vector<std::string> messages = machine.Messages();
  fs::remove(machine.Root() / "messages.jsonl");
  return messages;
}

std::string Seen(const Machine& machine, std::string_view name) {
  return testsupport::ReadFile(machine.Root() / std::string(name));
}

// The integration log with its start time checked and replaced by "T".
std::string LogWithoutTime(const std::string& log) {
  static const std::regex stamp(
      R"(^\r\n==============\r\n\r\n([1-9]|1[0-2])-([1-9]|[12][0-9]|3[01])-20[0-9]{2} )"
      R"(([0-9]|1[0-9]|2[0-3]):([0-9]|[1-5][0-9]):([0-9]|[1-5][0-9])   )");
  return std::regex_replace(log, stamp, "\r\n==============\r\n\r\nT   ",
                            std::regex_constants::format_first_only);
}

std::string InstallRecord(const OpenView& openView) {
  std::string record = Started("prestep.exe", {"before"});
  for (const auto& trap : kTrapFiles) {
    record += Started("xnmevents.exe", {"-load", HostArgument(openView.Trap(trap)) + "\n"});
  }
  for (const auto& mib : kLoadedMibs) {
    record +=
        Started("xnmloadmib.exe", {"-replace", "-load", HostArgument(openView.Mib(mib)) + "\n"});
  }
  return record + Started("ovstop.exe", {"-v"}) + Started("ovstart.exe", {"-v", "ovwdb"}) +
         Started("ovw.exe", {"-fields"}) + Started("ovstart.exe", {"-v"}) +
         Started("poststep.exe", {"after"});
}

std::string RemovalRecord(const OpenView& openView, bool scriptRuns) {
  std::string record;
  for (const auto& mib : kUnloadedMibs) {
    record += Started("xnmloadmib.exe", {"-unload", HostArgument(openView.Mib(mib)) + "\n"});
  }
  if (scriptRuns) {
    record += Started("perl.exe", {HostArgument(openView.k + "\\rem-kestle.pl")});
  }
  return record;
}

std::string InstallOutput(const OpenView& openView) {
  std::string out = "*** Executing Pre-Config batch file *** " +
                    Quoted(openView.k + "\\prekestle.bat") + " \n\nPreparing Kestle\n";
  for (const auto& trap : kTrapFiles) {
    out += "*** Loading Events *** " + Quoted(openView.Tool("xnmevents")) + " -load " +
           Quoted(openView.Trap(trap)) + "\n\n";
  }
  for (const auto& mib : kLoadedMibs) {
    out += "*** Loading MIB *** " + Quoted(openView.Tool("xnmloadmib")) + " -replace -load " +
           Quoted(openView.Mib(mib)) + "\n\n";
  }
  return out + "*** Stopping HP OpenView Services     *** " + Quoted(openView.Tool("ovstop")) +
         " -v \n" + "*** Starting HP OpenView Database     *** " +
         Quoted(openView.Tool("ovstart")) + " -v ovwdb\n" +
         "*** Registering Kestle Database Fields  ***\n" +
         "*** Restarting HP OpenView Services   *** " + Quoted(openView.Tool("ovstart")) +
         " -v \n" + "*** Executing Post-Config batch file *** " +
         Quoted(openView.k + "\\postkestle.bat") + " \n\nKestle ready\n";
}

std::string RemovalOutput(const OpenView& openView) {
  std::string out;
  for (const auto& mib : kUnloadedMibs) {
    out += "*** Loading MIB *** " + Quoted(openView.Tool("xnmloadmib")) + " -unload " +
           Quoted(openView.Mib(mib)) + "\n\n";
  }
  return out;
}

// The log up to the registration files.
std::string LogStart(const OpenView& openView, const std::string& server) {
  return "\n==============\n\nT   Initiating Kestle Configuration...\n"
         "Running " +
         Quoted(openView.k + "\\prekestle.bat") + " \n \n\t" +
         "\nConfiguring for HPOV path       :  " + openView.ov +
         "\nConfiguring for OV Reg path     :  " + openView.ov + "\\registration\\C\\Velmo" +
         "\nConfiguring for OV WWW Reg path :  " + openView.ov + "\\www\\registration\\jovw\\C" +
         "\nConfiguring for Kestle path       :  " + openView.k +
         "\nKOR_VOSK retrieved :  " + server;
}

std::string Replacement(const std::string& before, const std::string& after) {
  return "\n\tsorvserver replacement line detected:\n\t\t" + before + "\n\treplaced with:\n\t\t" +
         after;
}

const std::string kSaving = "\nSaving registration file...";
const std::string kNoData = "\nno data retrieved from registry file.";

std::string ManagerReplacement(const std::string& server) {
  return Replacement("    Command -Shared \"http://sorvserver/velmo/index.html\";\n",
                     "    Command -Shared \"http://" + server + "/velmo/index.html\";\n");
}

// Two placeholders in one line: a pair of entries for each.
std::string WebRegistrationLog(const std::string& server) {
  const std::string url = "    URL \"http://sorvserver:8080/velmo/jovw?server=sorvserver\";\n";
  const std::string half = "    URL \"http://" + server + ":8080/velmo/jovw?server=sorvserver\";\n";
  return Replacement(url, half) +
         Replacement(half, "    URL \"http://" + server + ":8080/velmo/jovw?server=" + server +
                               "\";\n") +
         kSaving;
}

// The log of the two standard registration files.
std::string RegistrationLog(const std::string& server) {
  return ManagerReplacement(server) + kSaving + WebRegistrationLog(server);
}

// The log from the OID mappings to the end.
std::string LogFinish(const OpenView& openView) {
  std::string log = "\n\tProcessing OID\n\tProcessing TrapD\n";
  for (const auto& trap : kTrapFiles) {
    log += "Running " + Quoted(openView.Tool("xnmevents")) + " -load " +
           Quoted(openView.Trap(trap)) + "\n \n\t";
  }
  log += "\n\tProcessing Mibs\n";
  for (const auto& mib : kLoadedMibs) {
    log += "Running " + Quoted(openView.Tool("xnmloadmib")) + " -replace -load " +
           Quoted(openView.Mib(mib)) + "\n \n\t";
  }
  return log + "Running " + Quoted(openView.Tool("ovstop")) + " -v  \n\t" +
         "\n\tProcessing command " + Quoted(openView.k + "\\kestle_cfg.bat") + "Running " +
         Quoted(openView.Tool("ovstart")) + " -v  \n\t" + "Running " +
         Quoted(openView.k + "\\postkestle.bat") + " \n \n\t" +
         "\nKestle Configuration Completed!!!\n";
}

// What the removal appends to the integration log before deleting it.
std::string RemovalLog(const OpenView& openView) {
  std::string log;
  for (const auto& mib : kUnloadedMibs) {
    log += "Running " + Quoted(openView.Tool("xnmloadmib")) + " -unload " +
           Quoted(openView.Mib(mib)) + "\n \n\t";
  }
  return log;
}

std::string BatchFile(const OpenView& openView) {
  return Crlf("\n\techo *** Registering Kestle Database Fields  ***\n\n" +
              Quoted(openView.Tool("ovw")) + " -fields > " +
              Quoted(openView.k + "\\ovwlog.txt") + "\n");
}

std::string RemovalScript(const OpenView& openView) {
  return Quoted(openView.Tool("Perl\\bin\\perl.exe")) + " " +
         Quoted(openView.k + "\\rem-kestle.pl");
}

std::string UnableToOpen(const std::string& path) {
  return "Kelvane|Unable to open " + path + ".\n\nOID settings not configured.";
}

std::vector<std::string> Names(const Machine& machine, const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(machine.Host(folder))) {
    names.push_back(entry.path().filename().string());
  }
  return names;
}

bool ReadOnly(const Machine& machine, const std::string& windowsPath) {
  return (fs::status(machine.Host(windowsPath)).permissions() & fs::perms::owner_write) ==
         fs::perms::none;
}

TEST(KestleTest, InstallThenRemoveTwiceUnderProgramFiles) {
  Machine machine;
  const OpenView openView(kProgramFiles);
  Build(machine, openView);
  const std::string registry = Registry(OpenViewKey(openView.ov));
  machine.SetRegistry(registry);
  machine.SetFile(openView.k + "\\kestle_cfg.txt", "an earlier configuration\r\n");
  machine.SetFile(openView.k + "\\kestle_cfg.bat", "echo stale\r\n");
  // Overwriting would keep these names; only a deletion first brings "Brenmoor".
  machine.SetFile(openView.ov + "\\registration\\C\\Velmo\\BRENMOOR", "stale registration\r\n");
  machine.SetFile(openView.ov + "\\www\\registration\\jovw\\C\\brenmoor",
                  "stale web registration\r\n");
  // Where the words of an unquoted path with blanks would point.
  const std::vector<std::string> decoys = {
      "C:\\Program", "C:\\Program Files\\HP", "C:\\Files\\HP",
      "C:\\OpenView\\registration\\C\\Velmo\\Brenmoor", "C:\\OpenView\\velmo\\kestle\\keep.txt"};
  for (const auto& decoy : decoys) machine.SetFile(decoy, "decoy " + decoy);

  auto install = machine.Run("kelvane", {"-c", "kestle"});
  EXPECT_EQ(install.exitStatus, 0);
  EXPECT_EQ(install.out, InstallOutput(openView));
  EXPECT_EQ(install.err, "");
  EXPECT_EQ(TakeRecord(machine), InstallRecord(openView));
  EXPECT_EQ(TakeMessages(machine), std::vector<std::string>{});
  const std::string installLog =
      LogStart(openView, kServer) + RegistrationLog(kServer) + LogFinish(openView);
  EXPECT_EQ(LogWithoutTime(machine.File(openView.k + "\\kestle_cfg.txt")), Crlf(installLog));
  const std::string registration = Replaced(kRegistration, "sorvserver", kServer);
  const std::string webRegistration = Replaced(kWebRegistration, "sorvserver", kServer);
  EXPECT_EQ(machine.File(openView.Registration()), registration);
  EXPECT_EQ(machine.File(openView.WebRegistration()), webRegistration);
  EXPECT_EQ(Names(machine, openView.ov + "\\registration\\C\\Velmo"),
            std::vector<std::string>{"Brenmoor"});
  EXPECT_EQ(Names(machine, openView.ov + "\\www\\registration\\jovw\\C"),
            std::vector<std::string>{"Brenmoor"});
  EXPECT_EQ(machine.File(openView.Conf("oid_to_sym")), kSymTarget + kSymAppended);
  EXPECT_EQ(machine.File(openView.Conf("oid_to_type")), kTypeTarget + kTypeAppended);
  EXPECT_EQ(machine.File(openView.k + "\\kestle_cfg.bat"), BatchFile(openView));
  EXPECT_EQ(machine.File(openView.k + "\\ovwlog.txt"), "ovw -fields: fields registered\n");
  EXPECT_EQ(testsupport::ReadFile(machine.Root() / "registry.reg"), "REGEDIT4\r\n\r\n" + registry);
  for (const auto& decoy : decoys) EXPECT_EQ(machine.File(decoy), "decoy " + decoy) << decoy;

  auto removal = machine.Run("kelvane", {"-u", "kestle"});
  EXPECT_EQ(removal.exitStatus, 0);
  EXPECT_EQ(removal.out, RemovalOutput(openView));
  EXPECT_EQ(removal.err, "");
  EXPECT_EQ(TakeRecord(machine), RemovalRecord(openView, true));
  EXPECT_EQ(TakeMessages(machine), std::vector<std::string>{});
  EXPECT_EQ(Seen(machine, "seen_rel.bat"), RemovalScript(openView));
  EXPECT_EQ(LogWithoutTime(Seen(machine, "seen_cfg.txt")),
            Crlf(installLog + RemovalLog(openView)));
  EXPECT_FALSE(machine.Exists(openView.k));
  EXPECT_TRUE(machine.Exists(openView.ov + "\\velmo"));
  EXPECT_EQ(testsupport::ReadFile(machine.Root() / "registry.reg"),
            RegistryAfterRemoval(OpenViewKey(openView.ov)));
  // Only the suite's lines go; the empty line each left behind stays.
  EXPECT_EQ(machine.File(openView.Conf("oid_to_sym")), kSymTarget + "\r\n\r\n");
  EXPECT_EQ(machine.File(openView.Conf("oid_to_type")), kTypeTarget + "\r\n\r\n");
  EXPECT_FALSE(machine.Exists(openView.Conf("oid_to_sym.new")));
  EXPECT_FALSE(machine.Exists(openView.Conf("oid_to_type.new")));
  EXPECT_EQ(machine.File(openView.Registration()), registration);
  EXPECT_EQ(machine.File(openView.WebRegistration()), webRegistration);
  for (const auto& decoy : decoys) EXPECT_EQ(machine.File(decoy), "decoy " + decoy) << decoy;

  auto again = machine.Run("kelvane", {"-u", "kestle"});
  EXPECT_EQ(again.exitStatus, 0);
  EXPECT_EQ(again.out, RemovalOutput(openView));
  EXPECT_EQ(TakeRecord(machine), RemovalRecord(openView, false));
  EXPECT_EQ(TakeMessages(machine),
            (std::vector<std::string>{UnableToOpen(openView.k + "\\oid_to_sym"),
                                      UnableToOpen(openView.k + "\\oid_to_type")}));
  EXPECT_EQ(testsupport::ReadFile(machine.Root() / "registry.reg"),
            RegistryAfterRemoval(OpenViewKey(openView.ov)));
  EXPECT_EQ(machine.File(openView.Conf("oid_to_sym")), kSymTarget + "\r\n\r\n");
  EXPECT_EQ(machine.File(openView.Conf("oid_to_type")), kTypeTarget + "\r\n\r\n");
  EXPECT_EQ(machine.File(openView.Registration()), registration);
  EXPECT_EQ(machine.File(openView.WebRegistration()), webRegistration);
  EXPECT_FALSE(machine.Exists(openView.k));
  for (const auto& decoy : decoys) EXPECT_EQ(machine.File(decoy), "decoy " + decoy) << decoy;
}

TEST(KestleTest, WithoutOpenViewPathEverythingLiesBelowTheDriveRoot) {
  const std::vector<std::string> noMessage;
  const std::vector<std::string> pathMissing = {"Kelvane|Unable to find OpenView OV_PATH value."};
  for (const auto& [openViewKey, messages] :
       {std::pair{std::string(), noMessage}, std::pair{kOpenViewWithoutPath, pathMissing}}) {
    SCOPED_TRACE(openViewKey.empty() ? "no OpenView key" : "no OV_PATH value");
    Machine machine;
    const OpenView openView("");
    Build(machine, openView);
    machine.SetRegistry(Registry(openViewKey));

    auto install = machine.Run("kelvane", {"-c", "kestle"});
    EXPECT_EQ(install.exitStatus, 0);
    EXPECT_EQ(install.out, InstallOutput(openView));
    EXPECT_EQ(TakeRecord(machine), InstallRecord(openView));
    EXPECT_EQ(TakeMessages(machine), messages);
    const std::string installLog =
        LogStart(openView, kServer) + RegistrationLog(kServer) + LogFinish(openView);
    EXPECT_EQ(LogWithoutTime(machine.File("C:\\velmo\\kestle\\kestle_cfg.txt")), Crlf(installLog));
    // The registration folder is made where none was.
    EXPECT_EQ(machine.File("C:\\registration\\C\\Velmo\\Brenmoor"),
              Replaced(kRegistration, "sorvserver", kServer));
    EXPECT_EQ(machine.File("C:\\www\\registration\\jovw\\C\\Brenmoor"),
              Replaced(kWebRegistration, "sorvserver", kServer));
    EXPECT_EQ(machine.File("C:\\conf\\oid_to_sym"), kSymTarget + kSymAppended);
    EXPECT_EQ(machine.File("C:\\conf\\oid_to_type"), kTypeTarget + kTypeAppended);
    EXPECT_EQ(machine.File("C:\\velmo\\kestle\\kestle_cfg.bat"), BatchFile(openView));
    EXPECT_EQ(machine.File("C:\\velmo\\kestle\\ovwlog.txt"), "ovw -fields: fields registered\n");

    auto removal = machine.Run("kelvane", {"-u", "kestle"});
    EXPECT_EQ(removal.exitStatus, 0);
    EXPECT_EQ(removal.out, RemovalOutput(openView));
    EXPECT_EQ(TakeRecord(machine), RemovalRecord(openView, true));
    EXPECT_EQ(TakeMessages(machine), messages);
    EXPECT_EQ(Seen(machine, "seen_rel.bat"),
              "\"\\bin\\Perl\\bin\\perl.exe\" \"\\velmo\\kestle\\rem-kestle.pl\"");
    EXPECT_FALSE(machine.Exists("C:\\velmo\\kestle"));
    EXPECT_TRUE(machine.Exists("C:\\velmo"));
    EXPECT_EQ(testsupport::ReadFile(machine.Root() / "registry.reg"),
              RegistryAfterRemoval(openViewKey));
    EXPECT_EQ(machine.File("C:\\conf\\oid_to_sym"), kSymTarget + "\r\n\r\n");
    EXPECT_EQ(machine.File("C:\\conf\\oid_to_type"), kTypeTarget + "\r\n\r\n");
  }
}

TEST(KestleTest, AServerNameHoldingThePlaceholderIsInsertedOnce) {
  Machine machine;
  const OpenView openView("D:\\OV");
  Build(machine, openView);
  // The placeholder sits as far into the name as it is long, so a search
  // resumed from the placeholder's end would find it again.
  const std::string server = "relay-for-sorvserver.net";
  machine.SetRegistry(Registry(OpenViewKey(openView.ov), server));
  // Adjacent placeholders: the second starts right behind the first name.
  machine.SetFile(openView.k + "\\registration\\Brenmoor",
                  kRegistration + "# mirrors sorvserversorvserver\r\n");

  auto install = machine.Run("kelvane", {"-c", "kestle"});
  EXPECT_EQ(install.exitStatus, 0);
  EXPECT_EQ(install.out, InstallOutput(openView));
  EXPECT_EQ(TakeRecord(machine), InstallRecord(openView));
  EXPECT_EQ(LogWithoutTime(machine.File(openView.k + "\\kestle_cfg.txt")),
            Crlf(LogStart(openView, server) + ManagerReplacement(server) +
                 Replacement("# mirrors sorvserversorvserver\n",
                             "# mirrors relay-for-sorvserver.netsorvserver\n") +
                 Replacement("# mirrors relay-for-sorvserver.netsorvserver\n",
                             "# mirrors relay-for-sorvserver.netrelay-for-sorvserver.net\n") +
                 kSaving + WebRegistrationLog(server) + LogFinish(openView)));
  EXPECT_EQ(machine.File(openView.Registration()),
            "Application \"Brenmoor Manager\" {\r\n"
            "    Description { \"Voice and data network management\" }\r\n"
            "    Command -Shared \"http://relay-for-sorvserver.net/velmo/index.html\";\r\n"
            "}\r\n"
            "# mirrors relay-for-sorvserver.netrelay-for-sorvserver.net\r\n");
  EXPECT_EQ(machine.File(openView.WebRegistration()),
            "Application \"Brenmoor Web\" {\r\n"
            "    URL \"http://relay-for-sorvserver.net:8080/velmo/"
            "jovw?server=relay-for-sorvserver.net\";\r\n"
            "}");
  EXPECT_EQ(TakeMessages(machine), std::vector<std::string>{});

  // Without blanks the folder is named unquoted.
  auto removal = machine.Run("kelvane", {"-u", "kestle"});
  EXPECT_EQ(removal.exitStatus, 0);
  EXPECT_EQ(TakeRecord(machine), RemovalRecord(openView, true));
  EXPECT_FALSE(machine.Exists(openView.k));
  EXPECT_TRUE(machine.Exists("D:\\OV\\velmo"));
  EXPECT_EQ(TakeMessages(machine), std::vector<std::string>{});
}

TEST(KestleTest, EmptyAndMissingRegistrationSources) {
  Machine machine;
  const OpenView openView(kProgramFiles);
  Build(machine, openView);
  machine.SetRegistry(Registry(OpenViewKey(openView.ov)));
  machine.SetFile(openView.k + "\\registration\\Brenmoor", "");
  fs::remove(machine.Host(openView.k + "\\registration\\jovw\\Brenmoor"));
  machine.SetFile(openView.Registration(), "stale registration\r\n");
  machine.SetFile(openView.WebRegistration(), "stale web registration\r\n");

  auto install = machine.Run("kelvane", {"-c", "kestle"});
  EXPECT_EQ(install.exitStatus, 0);
  EXPECT_EQ(install.out, InstallOutput(openView));
  EXPECT_EQ(TakeRecord(machine), InstallRecord(openView));
  EXPECT_EQ(TakeMessages(machine),
            std::vector<std::string>{"Kelvane|Unable to open " + openView.k +
                                     "\\registration\\jovw\\Brenmoor.\n\nRegistration files will "
                                     "not be configured."});
  EXPECT_EQ(LogWithoutTime(machine.File(openView.k + "\\kestle_cfg.txt")),
            Crlf(LogStart(openView, kServer) + kNoData + kSaving + kNoData + LogFinish(openView)));
  EXPECT_EQ(machine.File(openView.Registration()), "");
  EXPECT_EQ(machine.File(openView.WebRegistration()), "stale web registration\r\n");
  // The rest of the install goes on.
  EXPECT_EQ(machine.File(openView.Conf("oid_to_sym")), kSymTarget + kSymAppended);
}

// The bundled sample machine, which the main job runs on, has the folders a
// real OpenView has: its install completes without a message box.
TEST(KestleTest, TheSampleMachineInstallsCompletely) {
  Machine machine;
  fs::copy(BRENMOOR_SAMPLE_MACHINE, machine.Root(),
           fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  const OpenView openView(kProgramFiles);

  EXPECT_EQ(machine.Run("kelvane", {"-c", "kestle"}).exitStatus, 0);
  EXPECT_EQ(TakeMessages(machine), std::vector<std::string>{});
  EXPECT_EQ(machine.File(openView.Registration()),
            "# Kestle integration: the suite's application registration\r\n"
            "Application \"Brenmoor Manager\" {\r\n"
            "    Description { \"Voice and data network management\" }\r\n"
            "    Command -Shared \"http://vosk01.example.net/velmo/index.html\";\r\n"
            "    MenuBar \"Tools\" { \"Brenmoor Home\" f.action \"home\"; }\r\n"
            "}\r\n");
  EXPECT_EQ(machine.File(openView.WebRegistration()),
            "Application \"Brenmoor Web\" {\r\n"
            "    URL \"http://vosk01.example.net:8080/velmo/jovw?server=vosk01.example.net\";\r\n"
            "}\r\n");
}

TEST(KestleTest, ReadOnlyOidTargetsAreMadeWritableAndExtended) {
  Machine machine;
  const OpenView openView(kProgramFiles);
  Build(machine, openView);
  machine.SetRegistry(Registry(OpenViewKey(openView.ov)));
  for (const char* name : {"oid_to_sym", "oid_to_type"}) {
    fs::permissions(machine.Host(openView.Conf(name)),
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    ASSERT_TRUE(ReadOnly(machine, openView.Conf(name)));
  }

  auto install = machine.Run("kelvane", {"-c", "kestle"});
  EXPECT_EQ(install.exitStatus, 0);
  EXPECT_EQ(TakeMessages(machine), std::vector<std::string>{});
  EXPECT_FALSE(ReadOnly(machine, openView.Conf("oid_to_sym")));
  EXPECT_FALSE(ReadOnly(machine, openView.Conf("oid_to_type")));
  EXPECT_EQ(machine.File(openView.Conf("oid_to_sym")), kSymTarget + kSymAppended);
  EXPECT_EQ(machine.File(openView.Conf("oid_to_type")), kTypeTarget + kTypeAppended);
}

TEST(KestleTest, AnOidLineAlreadyInOpenViewStopsAllLaterAppending) {
  {
    SCOPED_TRACE("first line present");
    Machine machine;
    const OpenView openView(kProgramFiles);
    Build(machine, openView);
    machine.SetRegistry(Registry(OpenViewKey(openView.ov)));
    // Held inside a longer line is enough.
    const std::string symTarget =
        kSymTarget + "# .1.3.6.1.4.1.9999.1.1:Velmo Telset\r\n";
    machine.SetFile(openView.Conf("oid_to_sym"), symTarget);

    auto install = machine.Run("kelvane", {"-c", "kestle"});
    EXPECT_EQ(install.exitStatus, 0);
    EXPECT_EQ(TakeMessages(machine), std::vector<std::string>{});
    EXPECT_EQ(machine.File(openView.Conf("oid_to_sym")), symTarget);
    EXPECT_EQ(machine.File(openView.Conf("oid_to_type")), kTypeTarget);
    EXPECT_EQ(TakeRecord(machine), InstallRecord(openView));
  }
  {
    SCOPED_TRACE("second line present");
    Machine machine;
    const OpenView openView(kProgramFiles);
    Build(machine, openView);
    machine.SetRegistry(Registry(OpenViewKey(openView.ov)));
    const std::string symTarget = kSymTarget + ".1.3.6.1.4.1.9999.1.2:Velmo Switch\r\n";
    machine.SetFile(openView.Conf("oid_to_sym"), symTarget);
    machine.SetFile(openView.k + "\\oid_to_sym",
                    kSymSource + ".1.3.6.1.4.1.9999.1.3:Velmo Gateway\r\n");

    auto install = machine.Run("kelvane", {"-c", "kestle"});
    EXPECT_EQ(install.exitStatus, 0);
    EXPECT_EQ(TakeMessages(machine), std::vector<std::string>{});
    EXPECT_EQ(machine.File(openView.Conf("oid_to_sym")),
              symTarget + ".1.3.6.1.4.1.9999.1.1:Velmo Telset\r\n\r\n");
    EXPECT_EQ(machine.File(openView.Conf("oid_to_type")), kTypeTarget);
  }
}

TEST(KestleRemovalTest, EachLineTakesOutOnlyTheFirstTargetLineHoldingIt) {
  Machine machine;
  const OpenView openView(kProgramFiles);
  Build(machine, openView);
  machine.SetRegistry(Registry(OpenViewKey(openView.ov)));
  machine.SetFile(openView.Conf("oid_to_sym"),
                  ".1.3.6.1.4.1.9999.1.1:Velmo Telset\r\n" + kSymTarget +
                      ".1.3.6.1.4.1.9999.1.1:Velmo Telset\r\n"
                      "# .1.3.6.1.4.1.9999.1.2:Velmo Switch\r\n"
                      ".1.3.6.1.4.1.9999.1.2:Velmo Switch\r\n");

  auto removal = machine.Run("kelvane", {"-u", "kestle"});
  EXPECT_EQ(removal.exitStatus, 0);
  EXPECT_EQ(removal.out, RemovalOutput(openView));
  EXPECT_EQ(TakeMessages(machine), std::vector<std::string>{});
  EXPECT_EQ(TakeRecord(machine), RemovalRecord(openView, true));
  EXPECT_EQ(machine.File(openView.Conf("oid_to_sym")),
            kSymTarget + ".1.3.6.1.4.1.9999.1.1:Velmo Telset\r\n"
                         ".1.3.6.1.4.1.9999.1.2:Velmo Switch\r\n");
  EXPECT_EQ(machine.File(openView.Conf("oid_to_type")), kTypeTarget);
  EXPECT_FALSE(machine.Exists(openView.Conf("oid_to_sym.new")));
  // Without an install the removal starts the log itself.
  EXPECT_EQ(Seen(machine, "seen_cfg.txt"), Crlf(RemovalLog(openView)));
  EXPECT_FALSE(machine.Exists(openView.k));
}

TEST(KestleRemovalTest, AnUnreadableOidTargetIsLeftAlone) {
  Machine machine;
  const OpenView openView(kProgramFiles);
  Build(machine, openView);
  machine.SetRegistry(Registry(OpenViewKey(openView.ov)));
  // A folder cannot be opened as a file, even by root.
  fs::remove(machine.Host(openView.Conf("oid_to_sym")));
  machine.SetFile(openView.Conf("oid_to_sym") + "\\inside", kSymTarget + kSymAppended);
  machine.SetFile(openView.Conf("oid_to_type"), kTypeTarget + kTypeAppended);

  auto removal = machine.Run("kelvane", {"-u", "kestle"});
  EXPECT_EQ(removal.exitStatus, 0);
  EXPECT_EQ(TakeMessages(machine),
            std::vector<std::string>{UnableToOpen(openView.Conf("oid_to_sym"))});
  EXPECT_TRUE(fs::is_directory(machine.Host(openView.Conf("oid_to_sym"))));
  EXPECT_EQ(machine.File(openView.Conf("oid_to_sym") + "\\inside"), kSymTarget + kSymAppended);
  EXPECT_FALSE(machine.Exists(openView.Conf("oid_to_sym.new")));
  // The other pair and the rest of the removal go on.
  EXPECT_EQ(machine.File(openView.Conf("oid_to_type")), kTypeTarget + "\r\n\r\n");
  EXPECT_EQ(TakeRecord(machine), RemovalRecord(openView, true));
  EXPECT_FALSE(machine.Exists(openView.k));
  EXPECT_EQ(testsupport::ReadFile(machine.Root() / "registry.reg"),
            RegistryAfterRemoval(OpenViewKey(openView.ov)));
}

}  // namespace
